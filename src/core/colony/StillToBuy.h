#pragma once

#include "colony/SiteBook.h"

#include <QJsonArray>
#include <QList>
#include <QMap>
#include <QString>
#include <functional>

// One commodity the counted sites still need after what the carriers and the
// ship's hold already carry.
struct StillToBuyLine
{
    QString key;   // commodity identity
    QString name;  // as the sites name it
    qint64 needed = 0;
    qint64 onCarrier = 0;
    qint64 inHold = 0;
    qint64 toBuy = 0;
    QString trips;  // full holds of the ship and the rest, e.g. 3-232
    // Whether the tonnes to buy fit the carriers' free space; unknown while no
    // CarrierStats told the space.
    enum class Fits
    {
        Yes,
        No,
        Unknown
    } fits = Fits::Unknown;
};

struct StillToBuyInput
{
    QList<SiteEntry> sites;
    std::function<qint64(const QString& key)> onCarrier;  // tonnes on the carriers by identity
    QMap<QString, qint64> hold;                           // the ship's hold by identity
    int capacity = 0;                                     // the ship's cargo capacity
    qint64 freeSpace = -1;                                // the carriers' free space, -1 unknown
};

// needed (the counted sites' remaining, summed by identity) − on carrier −
// in hold, never below 0; lines in the order the sites first name them
// (each site's needs by identity).
// Commodities nothing is left to buy of stay listed with 0, so a line
// reaching 0 is seen.
QList<StillToBuyLine> computeStillToBuy(const StillToBuyInput& in);

QJsonArray stillToBuyJson(const QList<StillToBuyLine>& lines);
QString fitsText(StillToBuyLine::Fits fits);
