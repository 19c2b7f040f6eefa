#pragma once

#include "state/Records.h"

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <array>
#include <optional>

// The three arrays of a Missions event, also the status of each mission taken from them.
inline const std::array<QString, 3> STATUS_NAMES = {QStringLiteral("Active"), QStringLiteral("Failed"),
                                                    QStringLiteral("Complete")};

// One mission of a Missions event.
struct TMissionInfo
{
    qint64 MissionID = 0;  // -1 when missing or not a signed 64-bit number
    QString Name;
    int Expires = 0;
    QString Status;  // one of STATUS_NAMES
};

using TMissionList = QList<TMissionInfo>;

// One CargoDepot event.
struct TCargoDepotInfo
{
    qint64 MissionID = -1;
    QString Commodity;  // the event's CargoType (the internal name, not the localised one)
    int Count = 0;
    int ItemsDelivered = 0;
    int TotalItemsToDeliver = 0;
};

// Fills `list` from a Missions line; false when the line is not a JSON object
// whose "event" is exactly "Missions". Elements that are not objects keep
// their default place at the end of the list.
bool ParseMissionsEvent(const QByteArray& line, TMissionList& list);

// A MissionAccepted line; missing or unusable fields stay empty (a MissionID
// that is not a signed 64-bit number gives 0).
TMission_cargo ParseMissionAccepted(const QByteArray& line);

// Fills `info` from a CargoDepot line; false when the line is not a CargoDepot
// object or carries no usable MissionID.
bool ParseCargoDepotData(const QByteArray& line, TCargoDepotInfo& info);

// The MissionID of a MissionCompleted, MissionAbandoned or MissionFailed line;
// nullopt when the line is not a JSON object or has no usable id.
std::optional<qint64> ParseMissionEnd(const QByteArray& line);

// An ISO 8601 date-time as days since 1899-12-30 00:00 UTC (the fraction is
// the time of day); 0 for a text that is not a date-time.
double isoToDayCount(const QString& iso);
