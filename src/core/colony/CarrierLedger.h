#pragma once

#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>

class ReportSink;
struct MarketSnapshot;

// One commodity on a carrier as the ledger believes it.
struct LedgerStock
{
    QString name;  // the name a person reads
    qint64 tonnes = 0;
};

// A standing buy or sell order the carrier's owner set.
struct LedgerOrder
{
    QString name;
    bool purchase = false;  // a buy order (else a sale)
    qint64 count = 0;
    qint64 price = 0;
};

// What one carrier holds. Keys of `stock` and `orders` are the commodity's
// identity (CommodityNames::key), so every spelling of a commodity meets.
struct CarrierBook
{
    quint64 id = 0;
    QString kind;  // "own" or "squadron"
    QString name;
    QMap<QString, LedgerStock> stock;
    QMap<QString, LedgerOrder> orders;
    QString anchorTime;    // timestamp of the Market.json the stock was last taken from
    qint64 capacity = -1;  // CarrierStats SpaceUsage; -1 while unknown
    qint64 cargo = -1;
    qint64 freeSpace = -1;
    QString statsTime;
    QSet<QString> hubSales;  // sale keys already counted
    qint64 hubTonnes = 0;    // tonnes the hub reported, for the person to weigh

    qint64 total() const;
    // The game's cargo figure is known and differs from the ledger's sum.
    bool inDoubt() const { return cargo >= 0 && cargo != total(); }
};

// The stock of the player's own carrier and of a squadron carrier the player
// uses. The game never lists a carrier's stock in the journal, so the ledger
// is anchored on the carrier market's Market.json and carried forward by the
// events that move cargo there. Kept in carrier_ledger.ini in the data
// folder, so it survives restarts and relogs.
class CarrierLedger : public QObject
{
    Q_OBJECT
public:
    CarrierLedger(const GameState& state, const QString& dataDir, ReportSink& reports);

    // CarrierStats / CarrierLocation: the carrier becomes known (own, or the
    // squadron's when CarrierType says so); CarrierStats also gives its space.
    void parse_CarrierStats(const QByteArray& line);
    // A whole Market.json: at a known carrier's market the stock of every
    // commodity it sells replaces the ledger's, unless the file is not newer
    // than the last anchor (a purchase reads the same file again).
    void anchor(const MarketSnapshot& market);
    void parse_CargoTransfer(const QByteArray& line);
    void parse_MarketBuy(const QByteArray& line);
    void parse_MarketSell(const QByteArray& line);
    void parse_CarrierTradeOrder(const QByteArray& line);
    // A sale another hauler made at the carrier, as the hub heard it. False
    // when the sale key was counted before or the carrier is unknown.
    bool addHubSale(quint64 carrierId, const QString& commodity, qint64 count, const QString& saleKey);

    const QMap<quint64, CarrierBook>& carriers() const { return m_books; }
    // Whether any carrier is known: until one is, no event can move a ledger.
    bool knowsCarrier() const { return !m_books.isEmpty() || m_state.dane_carriera.CarrierID != 0; }
    // The own carrier's id, 0 while unknown.
    quint64 ownCarrierId() const;
    // Tonnes of one commodity (by identity) on every carrier the ledger keeps.
    qint64 onBoard(const QString& commodityKey) const;
    // Free space summed over the carriers whose space is known; -1 when none is.
    qint64 freeSpace() const;
    QString path() const { return m_path; }

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    CarrierBook* book(quint64 id);
    // A MarketBuy (sign -1) or MarketSell (sign 1) at a carrier the ledger keeps.
    void trade(const QByteArray& line, qint64 sign, const QString& why);
    void move(CarrierBook& b, const QString& internalName, const QString& shownName, qint64 delta,
              const QString& why);
    void load();
    void save();

    const GameState& m_state;
    QString m_path;
    ReportSink& m_reports;
    QMap<quint64, CarrierBook> m_books;
};
