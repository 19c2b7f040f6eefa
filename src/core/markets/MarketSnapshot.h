#pragma once

#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QString>

// One commodity the market trades: what the game's Market.json says of it.
struct MarketItem
{
    QString name;          // the game's internal name ("$steel_name;"); may be empty
    QString localised;     // the name the game shows
    QString category;      // the localised category, when the file gives one
    qint64 buyPrice = -1;  // what a commander pays; -1 when the file gives no price
    qint64 sellPrice = -1;
    qint64 stock = 0;
    qint64 demand = 0;

    // The commodity's identity (CommodityNames::key) under either of its names.
    QString key() const;
    bool sold() const { return stock > 0 && buyPrice > 0; }
};

// A station's market as the game last wrote it: the commodities with stock or
// demand, in the file's order (the others say nothing anybody reads).
struct MarketSnapshot
{
    quint64 marketId = 0;
    QString timestamp;  // the file's own time (ISO 8601, UTC); may be empty
    QString station;
    QString stationType;
    QString system;
    QList<MarketItem> items;
};
Q_DECLARE_METATYPE(MarketSnapshot)

namespace MarketFile {

// The whole file as text (UTF-8 unless a byte-order mark says otherwise).
// Throws TessivarError when it cannot be read.
QString loadText(const QString& path);

// Reads Market.json at `path` into `out`, strictly: a file that is missing,
// not a JSON object, or lacks MarketID, Items, an item's Demand or Stock, or a
// traded item's Name_Localised, throws TessivarError. `out` then holds the
// items read before the fault, so a caller can still show them; only a read
// that returns is a whole market.
void read(const QString& path, MarketSnapshot& out);
// The same for a parsed object ("Market.json" in the messages).
void read(const QJsonObject& market, MarketSnapshot& out);

}  // namespace MarketFile
