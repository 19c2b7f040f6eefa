#include "colony/StillToBuy.h"

#include "construction/ConstructionModule.h"

#include <QJsonObject>
#include <algorithm>

QList<StillToBuyLine> computeStillToBuy(const StillToBuyInput& in)
{
    QList<StillToBuyLine> lines;
    QMap<QString, qsizetype> at;
    for (const SiteEntry& site : in.sites) {
        if (!site.counts())
            continue;
        for (auto it = site.needs.begin(); it != site.needs.end(); ++it) {
            auto found = at.constFind(it.key());
            if (found == at.constEnd()) {
                found = at.insert(it.key(), lines.size());
                StillToBuyLine l;
                l.key = it.key();
                l.name = it->name;
                lines.append(l);
            }
            lines[*found].needed += it->tonnes;
        }
    }
    for (StillToBuyLine& l : lines) {
        l.onCarrier = in.onCarrier ? in.onCarrier(l.key) : 0;
        l.inHold = in.hold.value(l.key);
        l.toBuy = std::max<qint64>(0, l.needed - l.onCarrier - l.inHold);
        l.trips = constructionTrips(l.toBuy, in.capacity);
        l.fits = in.freeSpace < 0          ? StillToBuyLine::Fits::Unknown
                 : l.toBuy <= in.freeSpace ? StillToBuyLine::Fits::Yes
                                           : StillToBuyLine::Fits::No;
    }
    return lines;
}

QString fitsText(StillToBuyLine::Fits fits)
{
    switch (fits) {
    case StillToBuyLine::Fits::Yes:
        return QStringLiteral("yes");
    case StillToBuyLine::Fits::No:
        return QStringLiteral("no");
    case StillToBuyLine::Fits::Unknown:
        break;
    }
    return QStringLiteral("?");
}

QJsonArray stillToBuyJson(const QList<StillToBuyLine>& lines)
{
    QJsonArray a;
    for (const StillToBuyLine& l : lines)
        a.append(QJsonObject{{"name", l.name},
                             {"needed", l.needed},
                             {"on_carrier", l.onCarrier},
                             {"in_hold", l.inHold},
                             {"to_buy", l.toBuy},
                             {"trips", l.trips},
                             {"fits", fitsText(l.fits)}});
    return a;
}
