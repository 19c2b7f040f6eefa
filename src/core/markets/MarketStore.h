#pragma once

#include "markets/MarketSnapshot.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

class ReportSink;

// A commodity a seen market sells.
struct SeenItem
{
    QString name;       // the game's internal name, or the shown one when the file had none
    QString localised;  // the name the game shows
    qint64 price = 0;
    qint64 stock = 0;
    QString key;  // CommodityNames::key
};

// A market as the store keeps it: what a search for a commodity needs.
struct SeenMarket
{
    quint64 marketId = 0;
    QString seen;  // when the game wrote the snapshot (ISO 8601, UTC)
    QString system;
    QString station;
    QString stationType;
    QList<SeenItem> sold;
};

// One market selling one commodity.
struct MarketOffer
{
    quint64 marketId = 0;
    QString seen;
    QString system;
    QString station;
    QString stationType;
    QString commodity;  // the name the game shows there
    qint64 price = 0;
    qint64 stock = 0;
};

// Every market the commander has opened, so "where can I buy X" has an
// answer beyond the commodities bought before. One small JSON file per
// market id in the data folder's Markets/, holding only what a search needs;
// all of them are read at start and kept in memory.
class MarketStore : public QObject
{
    Q_OBJECT
public:
    // Caps on what one stored file may make the program do.
    static constexpr qint64 kMaxFileBytes = 256 * 1024;
    static constexpr int kMaxItems = 1000;

    MarketStore(const QString& dataDir, ReportSink& reports);

    QString folder() const { return m_folder; }
    QString pathOf(quint64 marketId) const;

    // A whole snapshot replaces what the store knew of that market, unless
    // it is older. Throws TessivarError when the file cannot be written (the
    // memory keeps the snapshot all the same).
    void record(const MarketSnapshot& snapshot);

    // One market; nullptr when it was never seen.
    const SeenMarket* market(quint64 marketId) const;
    // Every market, newest seen first.
    QList<SeenMarket> markets() const;
    // The markets selling a commodity (stock and a price), under any of its
    // spellings, newest seen first.
    QList<MarketOffer> sellers(const QString& commodity) const;

signals:
    void changed();

private:
    void load();
    // A stored file read back; throws TessivarError naming what is wrong.
    SeenMarket readFile(const QString& path, quint64 expectedId) const;

    QString m_folder;
    ReportSink& m_reports;
    QMap<quint64, SeenMarket> m_markets;
};
