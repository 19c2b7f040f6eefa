#include "markets/ShoppingDb.h"

#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "common/JsonRead.h"
#include "common/TextTableModel.h"
#include "ini/IniFile.h"
#include "markets/MarketStore.h"
#include "state/DockRecord.h"
#include "state/RecordsJson.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString kStore = QStringLiteral("Markets/LastShopping.ini");
const JsonPlace kWhere{QStringLiteral("MarketBuy")};

// Station_Distance is always written with a full stop, so the file reads the
// same under every locale; IniValue::toDouble also takes a comma, which files
// written under a comma locale carry.
QString distanceText(double value)
{
    return QString::number(value, 'g', 15);
}

quint64 readUnsigned(const IniDocument& doc, const QString& section, const QString& key)
{
    bool ok = false;
    const quint64 v = doc.value(section, key).value_or(QString()).trimmed().toULongLong(&ok, 10);
    return ok ? v : 0;
}

int readInt(const IniDocument& doc, const QString& section, const QString& key)
{
    bool ok = false;
    const int v = doc.value(section, key).value_or(QString()).trimmed().toInt(&ok, 10);
    return ok ? v : 0;
}

double readDistance(const IniDocument& doc, const QString& section, const QString& key)
{
    const double v = IniValue::toDouble(doc.value(section, key).value_or(QString())).value_or(0);
    return std::isfinite(v) ? v : 0;
}

// Every non-empty column-0 name of a list that has a store record, under any
// spelling of the commodity ("Computer" has "computercomponents").
QStringList listed(const TextTableModel& list, const QSet<QString>& foldedSections,
                   const QSet<QString>& sectionKeys)
{
    QStringList out;
    for (int r = 0; r < list.rowCount(); ++r) {
        const QString name = list.cell(r, 0);
        if (name.isEmpty())
            continue;
        const QString key = CommodityNames::key(name);
        if (foldedSections.contains(name.toCaseFolded()) || (!key.isEmpty() && sectionKeys.contains(key)))
            out.append(name);
    }
    return out;
}

QString joined(const QStringList& names)
{
    QString out;
    for (const QString& name : names)
        out += name + QStringLiteral("; ");
    return out;
}

}  // namespace

ShoppingDb::ShoppingDb(const GameState& state, const QString& dataDir, const TextTableModel& loadingList,
                       const TextTableModel& constructionList, const MarketStore& markets)
    : offers([] {
          return QStringList{tr("Star system"), tr("Station"), tr("Type"),
                             tr("Price"),       tr("Stock"),   tr("Seen")};
      }),
      seenMarkets([] {
          return QStringList{tr("Star system"), tr("Station"), tr("Type"), tr("Commodities sold"),
                             tr("Seen")};
      }),
      m_state(state), m_dataDir(dataDir), m_loadingList(loadingList), m_constructionList(constructionList),
      m_markets(markets)
{
    seenMarkets.setRows(MarketTables::marketRows(m_markets.markets()));
}

void ShoppingDb::marketsChanged()
{
    seenMarkets.setRows(MarketTables::marketRows(m_markets.markets()));
    if (m_searched)
        offers.setRows(MarketTables::offerRows(m_markets.sellers(m_offersFor)));
}

QString ShoppingDb::storePath() const
{
    return m_dataDir + kStore;
}

QString ShoppingDb::searchKey(const QString& typed)
{
    QString key;
    key.reserve(typed.size());
    for (const QChar c : typed) {
        if (c == QLatin1Char(' '))
            continue;
        key += (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? QChar(c.unicode() + ('a' - 'A')) : c;
    }
    return key;
}

QString ShoppingDb::padLetter(const TLandingPads& pads)
{
    if (pads.Large > 0)
        return QStringLiteral("L");
    if (pads.Medium > 0)
        return QStringLiteral("M");
    if (pads.Small > 0)
        return QStringLiteral("S");
    return {};
}

QString ShoppingDb::roundedText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    double r = std::nearbyint(value);  // default rounding: halves to even
    if (r == 0)
        r = 0;  // no "-0"
    return QString::number(r, 'f', 0);
}

void ShoppingDb::add_last_shopping(const QByteArray& JSON)
{
    QJsonObject o;
    if (parseJsonLine(JSON, o) != JsonLine::Object)
        throw TessivarError(ShoppingDb::tr("MarketBuy: the line is not a JSON object"));

    TMarketBuyData buy;
    buy.Timestamp = requiredJsonText(o, QStringLiteral("timestamp"), kWhere);
    buy.MarketID = requiredJsonUnsigned64(o, QStringLiteral("MarketID"), kWhere);
    buy.ItemType = requiredJsonText(o, QStringLiteral("Type"), kWhere);
    buy.Count = requiredJsonInt32(o, QStringLiteral("Count"), kWhere);
    buy.BuyPrice = requiredJsonInt32(o, QStringLiteral("BuyPrice"), kWhere);
    // Not stored; required all the same, and wider than a price (a full carrier
    // hold of an expensive commodity passes 2^31 credits).
    requiredJsonWhole(o, QStringLiteral("TotalCost"), kWhere);

    // The purchase is stored with the station it was made at: the dock record.
    // Not docked, only the system is known, never another station's details.
    TDaneDokowania dock = m_state.dane_dokowania;
    if (!isDocked(m_state)) {
        dock = TDaneDokowania{};
        dock.StarSystem = m_state.dane_systemu.StarSystem;
        dock.SystemAddress = m_state.dane_systemu.SystemAddress;
    }
    const QString type =
        dock.StationType + QStringLiteral(" [") + padLetter(dock.LandingPads) + QStringLiteral("]");

    const QString path = storePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw TessivarError(ShoppingDb::tr("Cannot create the folder %1")
                                .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    // All eight keys go into the file in one atomic write: a value the format
    // cannot hold stops the call before anything is written, so a section never
    // mixes two purchases.
    const IniFile file(path);
    IniDocument ini = file.document();
    const QString& s = buy.ItemType;
    ini.setValue(s, QStringLiteral("System_Name"), dock.StarSystem);
    ini.setValue(s, QStringLiteral("System_Adres"), QString::number(dock.SystemAddress));
    ini.setValue(s, QStringLiteral("Station_Name"), dock.StationName);
    ini.setValue(s, QStringLiteral("Station_Distance"), distanceText(dock.DistFromStarLS));
    ini.setValue(s, QStringLiteral("Station_Type"), type);
    ini.setValue(s, QStringLiteral("MarketID"), QString::number(buy.MarketID));
    ini.setValue(s, QStringLiteral("Price"), QString::number(buy.BuyPrice));
    ini.setValue(s, QStringLiteral("Count"), QString::number(buy.Count));
    file.save(ini);
    emit changed();
}

void ShoppingDb::szukaj_towaru()
{
    const QString key = searchKey(edit_find);
    const IniDocument ini = IniFile(storePath()).document();
    const QStringList sections = ini.sections();

    TMarketBuyData& w = Wynik_wyszukiwania;
    // The store is keyed by the purchase's type (the game's internal name);
    // any spelling of that commodity finds it: "Computer" from the pick list
    // finds computercomponents, "Agri-Medicines" agriculturalmedicines.
    bool found = false;
    for (const QString& name : sections) {
        if (name != key && !CommodityNames::same(name, edit_find))
            continue;
        found = true;
        w.ItemType = name;
        w.MarketID = readUnsigned(ini, name, QStringLiteral("MarketID"));
        w.Count = readInt(ini, name, QStringLiteral("Count"));
        w.BuyPrice = readInt(ini, name, QStringLiteral("Price"));
        w.System_Name = ini.value(name, QStringLiteral("System_Name")).value_or(QString());
        w.System_Adres = readUnsigned(ini, name, QStringLiteral("System_Adres"));
        w.Station_Name = ini.value(name, QStringLiteral("Station_Name")).value_or(QString());
        w.Station_Distance = readDistance(ini, name, QStringLiteral("Station_Distance"));
        w.Station_Type = ini.value(name, QStringLiteral("Station_Type")).value_or(QString());
    }

    m_searched = true;
    m_found = found;
    m_offersFor = edit_find;
    const QList<MarketOffer> sellers = m_markets.sellers(edit_find);
    offers.setRows(MarketTables::offerRows(sellers));
    m_fromSeenMarket = !found && !sellers.isEmpty();
    if (m_fromSeenMarket) {
        // Never bought, but seen for sale: the newest market selling it
        // answers, with what the list commodities that market also sells.
        const MarketOffer& o = sellers.first();
        w.ItemType = CommodityNames::key(edit_find);
        w.MarketID = o.marketId;
        w.Count = 0;
        w.BuyPrice = int(std::min<qint64>(o.price, std::numeric_limits<int>::max()));
        w.System_Name = o.system;
        w.System_Adres = 0;
        w.Station_Name = o.station;
        w.Station_Distance = 0;
        w.Station_Type = o.stationType;
        QSet<QString> sold;
        if (const SeenMarket* m = m_markets.market(o.marketId))
            for (const SeenItem& i : m->sold)
                sold.insert(i.key);
        m_alsoOnLoadingList = listed(m_loadingList, {}, sold);
        m_alsoOnConstruction = listed(m_constructionList, {}, sold);
        w.Also_needed = QStringLiteral("[FC] ") + joined(m_alsoOnLoadingList) + QStringLiteral("[CON] ") +
                        joined(m_alsoOnConstruction);
    } else if (!found) {
        w.ItemType = edit_find;
        w.MarketID = 0;
        w.Count = 0;
        w.BuyPrice = 0;
        w.System_Adres = 0;
        w.System_Name = QStringLiteral("🚫 <Commodity not found> 🚫");
        w.Station_Name.clear();
        w.Station_Type.clear();
        w.Also_needed.clear();
        w.Station_Distance = 0;
        m_alsoOnLoadingList.clear();
        m_alsoOnConstruction.clear();
    } else {
        QSet<QString> folded;
        QSet<QString> keys;
        folded.reserve(sections.size());
        for (const QString& name : sections) {
            folded.insert(name.toCaseFolded());
            keys.insert(CommodityNames::key(name));
        }
        m_alsoOnLoadingList = listed(m_loadingList, folded, keys);
        m_alsoOnConstruction = listed(m_constructionList, folded, keys);
        w.Also_needed = QStringLiteral("[FC] ") + joined(m_alsoOnLoadingList) + QStringLiteral("[CON] ") +
                        joined(m_alsoOnConstruction);
    }
    wyswietl_wyniki();
}

void ShoppingDb::wyswietl_wyniki()
{
    const TMarketBuyData& w = Wynik_wyszukiwania;
    label_ww_system = QStringLiteral("🪐 ") + w.System_Name;
    label_ww_station = QStringLiteral("🛰️ ") + w.Station_Name;
    label_ww_station_type = QStringLiteral("🏭") + w.Station_Type;
    label_ww_distance = QStringLiteral("📍") + roundedText(w.Station_Distance) + QStringLiteral("Ls");
    label_ww_marketid = QStringLiteral("🆔 ") + QString::number(w.MarketID);
    label_ww_price = tr("💰%1CR (Buying: %2)").arg(w.BuyPrice).arg(w.Count);
    QString also = w.Also_needed;
    also.replace(QStringLiteral("[FC]"), QStringLiteral("✅ [FC]"));
    also.replace(QStringLiteral("[CON]"), QStringLiteral("\r\n✅ [CON]"));
    label_ww_also_needed = also;
    emit changed();
    emit searchFinished();
}

void ShoppingDb::findCommodity(const QString& name)
{
    updateSearch(name);
    emit showRequested();
}

void ShoppingDb::updateSearch(const QString& name)
{
    edit_find = name;
    szukaj_towaru();
}

void ShoppingDb::windowHidden()
{
    emit searchClosed();
}

QJsonObject ShoppingDb::dumpJson() const
{
    QJsonArray store;
    try {
        const IniDocument ini = IniFile(storePath()).document();
        for (const QString& section : ini.sections()) {
            QJsonObject keys;
            for (const auto& [k, v] : ini.sectionValues(section))
                keys.insert(k, v);
            store.append(QJsonObject{{"section", section}, {"keys", keys}});
        }
    } catch (const std::exception& e) {
        store.append(QJsonObject{{"error", errorText(e)}});
    }
    return QJsonObject{{"LastShopping", store},
                       {"Wynik_wyszukiwania", toJson(Wynik_wyszukiwania)},
                       {"f_DB", QJsonObject{{"edit_find", edit_find},
                                            {"label_ww_system", label_ww_system},
                                            {"label_ww_station", label_ww_station},
                                            {"label_ww_station_type", label_ww_station_type},
                                            {"label_ww_distance", label_ww_distance},
                                            {"label_ww_marketid", label_ww_marketid},
                                            {"label_ww_price", label_ww_price},
                                            {"label_ww_also_needed", label_ww_also_needed}}}};
}
