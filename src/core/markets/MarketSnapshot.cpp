#include "markets/MarketSnapshot.h"

#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "common/JsonRead.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>

namespace {

// The messages keep the market window's translations: it read the file
// before the file had a reader of its own.
const JsonPlace kWhere{QStringLiteral("Market.json")};

// Not a field the market grid depends on, so an item without it still counts.
qint64 price(const QJsonObject& item, QLatin1String key)
{
    const QJsonValue v = item.value(key);
    return v.isDouble() ? v.toInteger() : -1;
}

QString optionalText(const QJsonObject& o, QLatin1String key)
{
    QString text;
    readKey(o, key, text);
    return text;
}

}  // namespace

QString MarketItem::key() const
{
    return CommodityNames::key(name.isEmpty() ? localised : name);
}

QString MarketFile::loadText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw TessivarError(QCoreApplication::translate("MarketModule", "Cannot read %1: %2")
                                .arg(QDir::toNativeSeparators(path), f.errorString()));
    const QByteArray bytes = f.readAll();
    const auto encoding = QStringConverter::encodingForData(bytes);
    // The decoder drops the byte-order mark itself.
    QStringDecoder decode(encoding.value_or(QStringConverter::Utf8));
    return decode(bytes);
}

void MarketFile::read(const QString& path, MarketSnapshot& out)
{
    out = MarketSnapshot{};
    const QString text = loadText(path);
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &err);
    if (err.error != QJsonParseError::NoError)
        throw TessivarError(QCoreApplication::translate("MarketModule", "Market.json: %1 at offset %2")
                                .arg(err.errorString())
                                .arg(err.offset));
    if (!doc.isObject())
        throw TessivarError(
            QCoreApplication::translate("MarketModule", "Market.json: the file does not hold a JSON object"));
    read(doc.object(), out);
}

void MarketFile::read(const QJsonObject& market, MarketSnapshot& out)
{
    out = MarketSnapshot{};
    out.marketId = requiredJsonUnsigned64(market, QStringLiteral("MarketID"), kWhere);
    out.timestamp = optionalText(market, QLatin1String("timestamp"));
    out.station = optionalText(market, QLatin1String("StationName"));
    out.stationType = optionalText(market, QLatin1String("StationType"));
    out.system = optionalText(market, QLatin1String("StarSystem"));
    if (!market.contains(QStringLiteral("Items")))
        throw TessivarError(
            QCoreApplication::translate("MarketModule", "Market.json: the field \"Items\" is missing"));
    const QJsonValue items = market.value(QStringLiteral("Items"));
    if (!items.isArray())
        throw TessivarError(
            QCoreApplication::translate("MarketModule", "Market.json: the field \"Items\" is not a list"));
    const QJsonArray list = items.toArray();
    out.items.reserve(list.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        const JsonPlace where{QCoreApplication::translate("MarketModule", "Market.json, item %1").arg(i + 1)};
        if (!list[i].isObject())
            throw TessivarError(where.name +
                                QCoreApplication::translate("MarketModule", ": not a JSON object"));
        const QJsonObject o = list[i].toObject();
        MarketItem item;
        item.demand = requiredJsonWhole(o, QStringLiteral("Demand"), where);
        item.stock = requiredJsonWhole(o, QStringLiteral("Stock"), where);
        if (item.demand <= 0 && item.stock <= 0)
            continue;
        item.localised = requiredJsonText(o, QStringLiteral("Name_Localised"), where);
        item.name = optionalText(o, QLatin1String("Name"));
        item.category = optionalText(o, QLatin1String("Category_Localised"));
        item.buyPrice = price(o, QLatin1String("BuyPrice"));
        item.sellPrice = price(o, QLatin1String("SellPrice"));
        out.items.append(item);
    }
}
