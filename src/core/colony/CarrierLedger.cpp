#include "colony/CarrierLedger.h"

#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "common/JsonRead.h"
#include "common/ReportSink.h"
#include "ini/IniFile.h"
#include "markets/MarketSnapshot.h"

#include <QJsonArray>
#include <algorithm>

namespace {

const QString kOwn = QStringLiteral("own");
const QString kSquadron = QStringLiteral("squadron");
// Section suffixes of carrier_ledger.ini: "<id>" holds the carrier's facts,
// "<id> stock" key=tonnes, "<id> names" key=name, "<id> orders"
// key=buy|sell,count,price,name, "<id> hub" sale key=1.
const QString kStock = QStringLiteral(" stock");
const QString kNames = QStringLiteral(" names");
const QString kOrders = QStringLiteral(" orders");
const QString kHub = QStringLiteral(" hub");

QJsonObject lineObject(const QByteArray& line)
{
    QJsonObject o;
    parseJsonLine(line, o);
    return o;
}

// A shown name: the localised one when the game gave it.
QString shownName(const QJsonObject& o, QLatin1String internalKey, QLatin1String localisedKey)
{
    QString localised;
    QString internal;
    readKey(o, localisedKey, localised);
    readKey(o, internalKey, internal);
    return localised.isEmpty() ? internal : localised;
}

}  // namespace

qint64 CarrierBook::total() const
{
    qint64 sum = 0;
    for (const LedgerStock& s : stock)
        sum += s.tonnes;
    return sum;
}

CarrierLedger::CarrierLedger(const GameState& state, const QString& dataDir, ReportSink& reports)
    : m_state(state), m_path(dataDir + QStringLiteral("carrier_ledger.ini")), m_reports(reports)
{
    try {
        load();
    } catch (const std::exception& e) {
        m_reports.report(errorText(e));
    }
}

quint64 CarrierLedger::ownCarrierId() const
{
    for (const CarrierBook& b : m_books)
        if (b.kind == kOwn)
            return b.id;
    return 0;
}

CarrierBook* CarrierLedger::book(quint64 id)
{
    if (id == 0)
        return nullptr;
    auto it = m_books.find(id);
    if (it != m_books.end())
        return &*it;
    // The carrier the game names as the commander's is the own one even
    // before its first CarrierStats reaches the ledger.
    if (id == m_state.dane_carriera.CarrierID && ownCarrierId() == 0) {
        CarrierBook b;
        b.id = id;
        b.kind = kOwn;
        b.name = m_state.dane_carriera.CarrierName;
        return &*m_books.insert(id, b);
    }
    return nullptr;
}

void CarrierLedger::parse_CarrierStats(const QByteArray& line)
{
    const QJsonObject o = lineObject(line);
    quint64 id = 0;
    if (!readKey(o, QLatin1String("CarrierID"), id) || id == 0)
        return;
    QString type;
    readKey(o, QLatin1String("CarrierType"), type);
    const QString kind = type == QLatin1String("SquadronCarrier") ? kSquadron : kOwn;
    // One own carrier and one squadron carrier: a new one of a kind replaces the old.
    for (auto it = m_books.begin(); it != m_books.end();)
        it = it->kind == kind && it->id != id ? m_books.erase(it) : std::next(it);
    CarrierBook& b = m_books[id];
    b.id = id;
    b.kind = kind;
    readKey(o, QLatin1String("Name"), b.name);
    const QJsonValue usage = o.value(QLatin1String("SpaceUsage"));
    if (usage.isObject()) {
        const QJsonObject u = usage.toObject();
        readKey(u, QLatin1String("TotalCapacity"), b.capacity);
        readKey(u, QLatin1String("Cargo"), b.cargo);
        readKey(u, QLatin1String("FreeSpace"), b.freeSpace);
        readKey(o, QLatin1String("timestamp"), b.statsTime);
    }
    save();
}

void CarrierLedger::anchor(const MarketSnapshot& market)
{
    CarrierBook* b = book(market.marketId);
    if (!b)
        return;
    const QString& when = market.timestamp;
    // An older file than the anchor kept (read again at a later start) tells nothing new.
    if (!when.isEmpty() && !b->anchorTime.isEmpty() && when <= b->anchorTime)
        return;
    for (const MarketItem& item : market.items) {
        if (item.stock <= 0)
            continue;  // a commodity the carrier only buys says nothing of its stock
        const QString key = item.key();
        if (key.isEmpty())
            continue;
        b->stock[key] = LedgerStock{item.localised.isEmpty() ? item.name : item.localised, item.stock};
    }
    b->anchorTime = when;
    save();
}

void CarrierLedger::move(CarrierBook& b, const QString& internalName, const QString& name, qint64 delta,
                         const QString& why)
{
    const QString key = CommodityNames::key(internalName.isEmpty() ? name : internalName);
    if (key.isEmpty() || delta == 0)
        return;
    LedgerStock& s = b.stock[key];
    if (s.name.isEmpty() || (!name.isEmpty() && name != internalName))
        s.name = name.isEmpty() ? internalName : name;
    if (s.tonnes + delta < 0) {
        m_reports.notice(tr("Carrier ledger: %1 took %2 t of %3, but the ledger held %4 t; it now holds 0 t.")
                             .arg(why)
                             .arg(-delta)
                             .arg(s.name)
                             .arg(s.tonnes));
        s.tonnes = 0;
    } else {
        s.tonnes += delta;
    }
}

void CarrierLedger::parse_CargoTransfer(const QByteArray& line)
{
    CarrierBook* b = book(m_state.dane_dokowania.MarketID);
    if (!b)
        return;
    const QJsonObject o = lineObject(line);
    for (const QJsonValue& v : o.value(QLatin1String("Transfers")).toArray()) {
        const QJsonObject t = v.toObject();
        QString direction;
        QString internal;
        qint64 count = 0;
        readKey(t, QLatin1String("Direction"), direction);
        readKey(t, QLatin1String("Type"), internal);
        readKey(t, QLatin1String("Count"), count);
        const QString name = shownName(t, QLatin1String("Type"), QLatin1String("Type_Localised"));
        if (direction == QLatin1String("tocarrier"))
            move(*b, internal, name, count, tr("a transfer"));
        else if (direction == QLatin1String("toship"))
            move(*b, internal, name, -count, tr("a transfer"));
    }
    save();
}

void CarrierLedger::trade(const QByteArray& line, qint64 sign, const QString& why)
{
    const QJsonObject o = lineObject(line);
    quint64 id = 0;
    readKey(o, QLatin1String("MarketID"), id);
    CarrierBook* b = book(id);
    if (!b)
        return;
    QString internal;
    qint64 count = 0;
    readKey(o, QLatin1String("Type"), internal);
    readKey(o, QLatin1String("Count"), count);
    move(*b, internal, shownName(o, QLatin1String("Type"), QLatin1String("Type_Localised")), sign * count,
         why);
    save();
}

void CarrierLedger::parse_MarketBuy(const QByteArray& line)
{
    trade(line, -1, tr("a purchase"));
}

void CarrierLedger::parse_MarketSell(const QByteArray& line)
{
    trade(line, 1, tr("a sale"));
}

void CarrierLedger::parse_CarrierTradeOrder(const QByteArray& line)
{
    const QJsonObject o = lineObject(line);
    quint64 id = 0;
    readKey(o, QLatin1String("CarrierID"), id);
    CarrierBook* b = book(id);
    if (!b)
        return;
    QString internal;
    readKey(o, QLatin1String("Commodity"), internal);
    const QString key = CommodityNames::key(internal);
    if (key.isEmpty())
        return;
    bool cancel = false;
    readKey(o, QLatin1String("CancelTrade"), cancel);
    if (cancel) {
        b->orders.remove(key);
    } else {
        LedgerOrder order;
        order.name = shownName(o, QLatin1String("Commodity"), QLatin1String("Commodity_Localised"));
        order.purchase = readKey(o, QLatin1String("PurchaseOrder"), order.count);
        if (!order.purchase && !readKey(o, QLatin1String("SaleOrder"), order.count))
            return;
        readKey(o, QLatin1String("Price"), order.price);
        b->orders[key] = order;
    }
    save();
}

bool CarrierLedger::addHubSale(quint64 carrierId, const QString& commodity, qint64 count,
                               const QString& saleKey)
{
    CarrierBook* b = book(carrierId);
    if (!b || saleKey.isEmpty() || count <= 0 || b->hubSales.contains(saleKey))
        return false;
    b->hubSales.insert(saleKey);
    b->hubTonnes += count;
    move(*b, commodity, commodity, count, tr("a sale reported by the hub"));
    save();
    return true;
}

qint64 CarrierLedger::onBoard(const QString& commodityKey) const
{
    qint64 sum = 0;
    for (const CarrierBook& b : m_books)
        sum += b.stock.value(commodityKey).tonnes;
    return sum;
}

qint64 CarrierLedger::freeSpace() const
{
    qint64 sum = -1;
    for (const CarrierBook& b : m_books)
        if (b.freeSpace >= 0)
            sum = std::max<qint64>(sum, 0) + b.freeSpace;
    return sum;
}

void CarrierLedger::load()
{
    const IniDocument ini = IniFile(m_path).document();
    for (const QString& section : ini.sections()) {
        bool ok = false;
        const quint64 id = section.toULongLong(&ok);
        if (!ok || id == 0)
            continue;
        CarrierBook b;
        b.id = id;
        const auto text = [&](const QString& key) { return ini.value(section, key).value_or(QString()); };
        const auto number = [&](const QString& key) { return IniValue::toInt64(text(key)).value_or(-1); };
        b.kind = text(QStringLiteral("Kind")) == kSquadron ? kSquadron : kOwn;
        b.name = text(QStringLiteral("Name"));
        b.anchorTime = text(QStringLiteral("AnchorTime"));
        b.statsTime = text(QStringLiteral("StatsTime"));
        b.capacity = number(QStringLiteral("Capacity"));
        b.cargo = number(QStringLiteral("Cargo"));
        b.freeSpace = number(QStringLiteral("FreeSpace"));
        b.hubTonnes = std::max<qint64>(0, number(QStringLiteral("HubTonnes")));
        for (const auto& [key, value] : ini.sectionValues(section + kStock)) {
            const QString name = ini.value(section + kNames, key).value_or(key);
            b.stock[key] = LedgerStock{name, std::max<qint64>(0, IniValue::toInt64(value).value_or(0))};
        }
        for (const auto& [key, value] : ini.sectionValues(section + kOrders)) {
            const QStringList parts = value.split(QLatin1Char(','));
            if (parts.size() < 4)
                continue;
            b.orders[key] =
                LedgerOrder{parts.mid(3).join(QLatin1Char(',')), parts[0] == QLatin1String("buy"),
                            IniValue::toInt64(parts[1]).value_or(0), IniValue::toInt64(parts[2]).value_or(0)};
        }
        for (const auto& [key, value] : ini.sectionValues(section + kHub))
            b.hubSales.insert(key);
        m_books.insert(id, b);
    }
}

void CarrierLedger::save()
{
    IniDocument ini;
    for (const CarrierBook& b : std::as_const(m_books)) {
        const QString s = QString::number(b.id);
        ini.setValue(s, QStringLiteral("Kind"), b.kind);
        ini.setValue(s, QStringLiteral("Name"), b.name);
        ini.setValue(s, QStringLiteral("AnchorTime"), b.anchorTime);
        ini.setValue(s, QStringLiteral("StatsTime"), b.statsTime);
        ini.setValue(s, QStringLiteral("Capacity"), QString::number(b.capacity));
        ini.setValue(s, QStringLiteral("Cargo"), QString::number(b.cargo));
        ini.setValue(s, QStringLiteral("FreeSpace"), QString::number(b.freeSpace));
        ini.setValue(s, QStringLiteral("HubTonnes"), QString::number(b.hubTonnes));
        for (auto it = b.stock.begin(); it != b.stock.end(); ++it) {
            ini.setValue(s + kStock, it.key(), QString::number(it->tonnes));
            ini.setValue(s + kNames, it.key(), it->name);
        }
        for (auto it = b.orders.begin(); it != b.orders.end(); ++it)
            ini.setValue(s + kOrders, it.key(),
                         QStringLiteral("%1,%2,%3,%4")
                             .arg(it->purchase ? QStringLiteral("buy") : QStringLiteral("sell"))
                             .arg(it->count)
                             .arg(it->price)
                             .arg(it->name));
        for (const QString& k : b.hubSales)
            ini.setValue(s + kHub, k, QStringLiteral("1"));
    }
    IniFile(m_path).save(ini);
    emit changed();
}

QJsonObject CarrierLedger::dumpJson() const
{
    QJsonArray carriers;
    for (const CarrierBook& b : m_books) {
        QJsonObject stock;
        for (auto it = b.stock.begin(); it != b.stock.end(); ++it)
            stock.insert(it->name, it->tonnes);
        QJsonObject orders;
        for (auto it = b.orders.begin(); it != b.orders.end(); ++it)
            orders.insert(it->name, QStringLiteral("%1 %2 @ %3")
                                        .arg(it->purchase ? QStringLiteral("buy") : QStringLiteral("sell"))
                                        .arg(it->count)
                                        .arg(it->price));
        carriers.append(QJsonObject{{"id", QString::number(b.id)},
                                    {"kind", b.kind},
                                    {"name", b.name},
                                    {"anchor_time", b.anchorTime},
                                    {"capacity", b.capacity},
                                    {"cargo", b.cargo},
                                    {"free_space", b.freeSpace},
                                    {"total", b.total()},
                                    {"in_doubt", b.inDoubt()},
                                    {"hub_sales", int(b.hubSales.size())},
                                    {"stock", stock},
                                    {"orders", orders}});
    }
    return QJsonObject{{"carrier_ledger", carriers}};
}
