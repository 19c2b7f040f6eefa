#include "colony/BuyHere.h"

#include "commodities/CommodityNames.h"
#include "common/JsonRead.h"

#include <QHash>
#include <algorithm>

QList<BuyHereLine> buyHere(const QJsonObject& market, const QList<StillToBuyLine>& still, qint64 freeHold)
{
    struct Offer
    {
        qint64 price = 0;
        qint64 stock = 0;
    };
    QHash<QString, Offer> offers;
    for (const QJsonValue& v : market.value(QLatin1String("Items")).toArray()) {
        const QJsonObject item = v.toObject();
        Offer o;
        QString internal;
        QString localised;
        readKey(item, QLatin1String("Name"), internal);
        readKey(item, QLatin1String("Name_Localised"), localised);
        readKey(item, QLatin1String("BuyPrice"), o.price);
        readKey(item, QLatin1String("Stock"), o.stock);
        const QString key = CommodityNames::key(internal.isEmpty() ? localised : internal);
        if (o.stock > 0 && o.price > 0 && !key.isEmpty())
            offers.insert(key, o);
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
