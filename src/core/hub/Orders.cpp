#include "hub/Orders.h"

#include <QHash>

namespace {

// Letters A-Z and a-z match each other; every other character must be equal.
bool equalsIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x + 32);
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace

QList<Order> groupOrders(const QList<HubProtocol::OrderRow>& rows)
{
    QList<Order> orders;
    QHash<std::pair<QString, QString>, qsizetype> byName;
    for (const HubProtocol::OrderRow& row : rows) {
        const auto key = std::make_pair(row.carrierName, row.cmdr);
        auto it = byName.constFind(key);
        if (it == byName.constEnd()) {
            orders.append({row.carrierName, row.cmdr, row.carrierId, row.action, row.location, {}});
            it = byName.insert(key, orders.size() - 1);
        }
        orders[*it].lines.append({row.commodity, row.count, row.price});
    }
    return orders;
}

bool sameOrder(const Order& a, const Order& b)
{
    return equalsIgnoringAsciiCase(a.carrierName, b.carrierName) && equalsIgnoringAsciiCase(a.cmdr, b.cmdr);
}
