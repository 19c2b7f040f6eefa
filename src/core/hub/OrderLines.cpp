#include "hub/OrderLines.h"

#include "common/NumberFormat.h"

#include <QCoreApplication>
#include <QLocale>

namespace OrderLines {

namespace {

// What the first hubs showed for a field an order lacks; kept so the dump of
// the trees reads as it always did. A person reads it in their language.
QString orMissing(const QString& text, Wording wording)
{
    if (!text.isEmpty())
        return text;
    return wording == Wording::Stored ? QStringLiteral("brak")
                                      : QCoreApplication::translate("OrderLines", "none");
}

QString number(qint64 value, Wording wording)
{
    return wording == Wording::Stored ? QString::number(value) : FormatNumberWithCommas(value, QLocale());
}

// The two order types the order form offers; anything else a hub sends is shown as it came.
QString shownAction(const QString& action)
{
    if (action == QLatin1String("Demand"))
        return QCoreApplication::translate("OrderLines", "Demand");
    if (action == QLatin1String("Unload"))
        return QCoreApplication::translate("OrderLines", "Unload");
    return action;
}

}  // namespace

QString header(const Order& order, Wording wording)
{
    return QStringLiteral("\U0001F680 ") + orMissing(order.carrierName, wording) +
           QStringLiteral(" - \U0001F9D1\u200D\U0001F680 ") + orMissing(order.cmdr, wording);
}

QString carrierIdLine(const Order& order, Wording wording)
{
    const QString id = order.carrierId == 0 ? orMissing({}, wording) : QString::number(order.carrierId);
    if (wording == Wording::Stored)
        return QStringLiteral("\U0001F194 CarrierID: ") + id;
    return QCoreApplication::translate("OrderLines", "🆔 Carrier ID: %1").arg(id);
}

QString actionLine(const Order& order, Wording wording)
{
    if (wording == Wording::Stored)
        return QStringLiteral("\U0001F4E5 Action: ") + orMissing(order.action, wording);
    return QCoreApplication::translate("OrderLines", "📥 Action: %1")
        .arg(orMissing(shownAction(order.action), wording));
}

QString locationLine(const Order& order, Wording wording)
{
    if (wording == Wording::Stored)
        return QStringLiteral("\U0001F4CD Location: ") + orMissing(order.location, wording);
    return QCoreApplication::translate("OrderLines", "📍 Location: %1")
        .arg(orMissing(order.location, wording));
}

QString commodityLine(const OrderLine& line, Wording wording)
{
    if (wording == Wording::Stored)
        return QStringLiteral("\U0001F4E6 Commodity: [") + orMissing(line.commodity, wording) +
               QStringLiteral("] \U0001F522 ") + QString::number(line.count) +
               QStringLiteral(" / \U0001F4B0 ") + QString::number(line.price) + QStringLiteral("% AVG;");
    return QCoreApplication::translate("OrderLines", "📦 Commodity: [%1] 🔢 %2 / 💰 %3% AVG;")
        .arg(orMissing(line.commodity, wording), number(line.count, wording), number(line.price, wording));
}

}  // namespace OrderLines
