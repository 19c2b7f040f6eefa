#pragma once

#include "state/Records.h"

#include <QJsonArray>
#include <QJsonObject>

// JSON pictures of the records, under their own field names, for the
// command-line replay and for diagnostics.
QJsonValue u64ToJson(quint64 v);
QJsonArray toJson(const QStringList& list);
QJsonObject toJson(const TFaction& r);
QJsonObject toJson(const TPowerConflict& r);
QJsonObject toJson(const TConflict& r);
QJsonObject toJson(const TDaneSystemu& r);
QJsonObject toJson(const TStationEconomy& r);
QJsonObject toJson(const TLandingPads& r);
QJsonObject toJson(const TDaneDokowania& r);
QJsonObject toJson(const TCMDR& r);
QJsonObject toJson(const TCarrier& r);
QJsonObject toJson(const TFuelCapacity& r);
QJsonObject toJson(const TModule& r);
QJsonObject toJson(const TLoadoutData& r);
QJsonObject toJson(const TMarketBuyData& r);
QJsonObject toJson(const TMission_cargo& r);
QJsonObject toJson(const TInfo_Docked& r);

template <typename T> QJsonArray listToJson(const QList<T>& list)
{
    QJsonArray a;
    for (const T& item : list)
        a.append(toJson(item));
    return a;
}
