#include "hub/OrderLines.h"

namespace OrderLines {

namespace {

// What the first hubs showed for a field an order lacks; kept so the trees
// (and the replay dump of them) read as they always did.
QString orMissing(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("brak") : text;
}

}  // namespace

QString header(const Order& order)
{
    return QStringLiteral("\U0001F680 ") + orMissing(order.carrierName) +
           QStringLiteral(" - \U0001F9D1\u200D\U0001F680 ") + orMissing(order.cmdr);
}

QString carrierIdLine(const Order& order)
{
    return QStringLiteral("\U0001F194 CarrierID: ") +
           (order.carrierId == 0 ? orMissing({}) : QString::number(order.carrierId));
}

QString actionLine(const Order& order)
{
    return QStringLiteral("\U0001F4E5 Action: ") + orMissing(order.action);
}

QString locationLine(const Order& order)
{
    return QStringLiteral("\U0001F4CD Location: ") + orMissing(order.location);
}

QString commodityLine(const OrderLine& line)
{
    return QStringLiteral("\U0001F4E6 Commodity: [") + orMissing(line.commodity) +
           QStringLiteral("] \U0001F522 ") + QString::number(line.count) + QStringLiteral(" / \U0001F4B0 ") +
           QString::number(line.price) + QStringLiteral("% AVG;");
}

}  // namespace OrderLines
