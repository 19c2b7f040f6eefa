#include "colony/BuyHere.h"

#include "markets/MarketSnapshot.h"

#include <QHash>
#include <algorithm>

QList<BuyHereLine> buyHere(const MarketSnapshot& market, const QList<StillToBuyLine>& still, qint64 freeHold)
{
    struct Offer
    {
        qint64 price = 0;
        qint64 stock = 0;
    };
    QHash<QString, Offer> offers;
    for (const MarketItem& item : market.items) {
        const QString key = item.key();
        if (item.sold() && !key.isEmpty())
            offers.insert(key, Offer{item.buyPrice, item.stock});
    }
    QList<BuyHereLine> lines;
    qint64 room = std::max<qint64>(0, freeHold);
    for (const StillToBuyLine& l : still) {
        const auto it = offers.constFind(l.key);
        if (l.toBuy <= 0 || it == offers.constEnd())
            continue;
        const qint64 amount = std::min({l.toBuy, it->stock, room});
        room -= amount;
        lines.append({l.name, it->price, it->stock, amount});
    }
    return lines;
}

QJsonArray buyHereJson(const QList<BuyHereLine>& lines)
{
    QJsonArray a;
    for (const BuyHereLine& l : lines)
        a.append(QJsonObject{{"name", l.name}, {"price", l.price}, {"stock", l.stock}, {"amount", l.amount}});
    return a;
}
