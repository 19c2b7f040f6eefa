#include "markets/MarketStore.h"

#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "common/JsonRead.h"
#include "common/ReportSink.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".json");

bool newerFirst(const SeenMarket& a, const SeenMarket& b)
{
    return a.seen != b.seen ? a.seen > b.seen : a.marketId > b.marketId;
}

QJsonObject toJson(const SeenMarket& m)
{
    QJsonArray items;
    for (const SeenItem& i : m.sold)
        items.append(QJsonObject{
            {"Name", i.name}, {"Name_Localised", i.localised}, {"BuyPrice", i.price}, {"Stock", i.stock}});
    return QJsonObject{{"MarketID", QString::number(m.marketId)},
                       {"seen", m.seen},
                       {"StarSystem", m.system},
                       {"StationName", m.station},
                       {"StationType", m.stationType},
                       {"Items", items}};
}

}  // namespace

MarketStore::MarketStore(const QString& dataDir, ReportSink& reports)
    : m_folder(dataDir + QStringLiteral("Markets/")), m_reports(reports)
{
    load();
}

QString MarketStore::pathOf(quint64 marketId) const
{
    return m_folder + QString::number(marketId) + kSuffix;
}

void MarketStore::record(const MarketSnapshot& snapshot)
{
    if (snapshot.marketId == 0)
        return;
    SeenMarket m;
    m.marketId = snapshot.marketId;
    m.seen = snapshot.timestamp.isEmpty() ? QDateTime::currentDateTimeUtc().toString(Qt::ISODate)
                                          : snapshot.timestamp;
    const auto known = m_markets.constFind(m.marketId);
    // A purchase reads the same file again; an older one is no news either.
    if (known != m_markets.constEnd() && m.seen <= known->seen)
        return;
    m.system = snapshot.system;
    m.station = snapshot.station;
    m.stationType = snapshot.stationType;
    for (const MarketItem& item : snapshot.items) {
        const QString key = item.key();
        // What is written must read back (no market of the game comes near the cap).
        if (m.sold.size() >= kMaxItems)
            break;
        if (item.sold() && !key.isEmpty())
            m.sold.append({item.name.isEmpty() ? item.localised : item.name, item.localised, item.buyPrice,
                           item.stock, key});
    }
    m_markets.insert(m.marketId, m);
    emit changed();

    if (!QDir().mkpath(m_folder))
        throw TessivarError(tr("Cannot create the folder %1").arg(QDir::toNativeSeparators(m_folder)));
    const QString path = pathOf(m.marketId);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(QJsonDocument(toJson(m)).toJson(QJsonDocument::Compact)) < 0 || !f.commit())
        throw TessivarError(tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), f.errorString()));
}

const SeenMarket* MarketStore::market(quint64 marketId) const
{
    const auto it = m_markets.constFind(marketId);
    return it == m_markets.constEnd() ? nullptr : &*it;
}

QList<SeenMarket> MarketStore::markets() const
{
    QList<SeenMarket> out = m_markets.values();
    std::sort(out.begin(), out.end(), newerFirst);
    return out;
}

QList<MarketOffer> MarketStore::sellers(const QString& commodity) const
{
    const QString key = CommodityNames::key(commodity);
    QList<MarketOffer> out;
    if (key.isEmpty())
        return out;
    for (const SeenMarket& m : markets())
        for (const SeenItem& i : m.sold)
            if (i.key == key)
                out.append(
                    {m.marketId, m.seen, m.system, m.station, m.stationType, i.localised, i.price, i.stock});
    return out;
}

void MarketStore::load()
{
    const QDir dir(m_folder);
    // The folder also holds LastShopping.ini: only "<market id>.json" is ours.
    for (const QString& file : dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name)) {
        bool ok = false;
        const quint64 id = file.chopped(kSuffix.size()).toULongLong(&ok);
        if (!ok || id == 0)
            continue;
        try {
            m_markets.insert(id, readFile(dir.filePath(file), id));
        } catch (const std::exception& e) {
            m_reports.notice(tr("A stored market was skipped: %1").arg(errorText(e)));
        }
    }
}

SeenMarket MarketStore::readFile(const QString& path, quint64 expectedId) const
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw TessivarError(tr("Cannot read %1: %2").arg(shown, f.errorString()));
    if (f.size() > kMaxFileBytes)
        throw TessivarError(tr("%1 is larger than a market can be").arg(shown));
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.read(kMaxFileBytes), &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        throw TessivarError(tr("%1 is not a stored market").arg(shown));
    const QJsonObject o = doc.object();
    const JsonPlace where{shown};
    SeenMarket m;
    bool idOk = false;
    m.marketId = requiredJsonText(o, QStringLiteral("MarketID"), where).toULongLong(&idOk);
    if (!idOk || m.marketId != expectedId)
        throw TessivarError(tr("%1 holds another market's id").arg(shown));
    m.seen = requiredJsonText(o, QStringLiteral("seen"), where);
    m.system = requiredJsonText(o, QStringLiteral("StarSystem"), where);
    m.station = requiredJsonText(o, QStringLiteral("StationName"), where);
    m.stationType = requiredJsonText(o, QStringLiteral("StationType"), where);
    const QJsonValue items = o.value(QStringLiteral("Items"));
    if (!items.isArray() || items.toArray().size() > kMaxItems)
        throw TessivarError(tr("%1: the list of commodities is missing or too long").arg(shown));
    for (const QJsonValue& v : items.toArray()) {
        const QJsonObject i = v.toObject();
        SeenItem item;
        item.name = requiredJsonText(i, QStringLiteral("Name"), where);
        item.localised = requiredJsonText(i, QStringLiteral("Name_Localised"), where);
        item.price = requiredJsonWhole(i, QStringLiteral("BuyPrice"), where);
        item.stock = requiredJsonWhole(i, QStringLiteral("Stock"), where);
        item.key = CommodityNames::key(item.name);
        if (!item.key.isEmpty() && item.price > 0 && item.stock > 0)
            m.sold.append(item);
    }
    return m;
}
