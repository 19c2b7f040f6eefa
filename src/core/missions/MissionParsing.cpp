#include "missions/MissionParsing.h"

#include "common/JsonRead.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTimeZone>
#include <limits>

Q_LOGGING_CATEGORY(lcMissions, "tessivar.missions")

double isoToDayCount(const QString& iso)
{
    QDateTime dt = QDateTime::fromString(iso, Qt::ISODate);
    if (!dt.isValid())
        return 0;
    if (dt.timeSpec() == Qt::LocalTime)
        dt.setTimeZone(QTimeZone::utc());  // the journal's times are UTC, with or without the Z
    // 1899-12-30 is day 0; 1970-01-01 is day 25569.
    return 25569.0 + double(dt.toMSecsSinceEpoch()) / 86400000.0;
}

namespace {

// The line's object; a line that does not parse is noted on the debug channel under `who`.
QJsonObject parseObject(const QByteArray& line, const char* who, bool* ok = nullptr)
{
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(line, &err);
    if (ok)
        *ok = doc.isObject();
    if (err.error != QJsonParseError::NoError)
        qCDebug(lcMissions).noquote() << who << "error:" << err.errorString();
    return doc.object();
}

bool eventIs(const QJsonObject& o, QLatin1String name)
{
    const QJsonValue ev = o.value(QLatin1String("event"));
    return ev.isString() && ev.toString() == name;
}

QString text(const QJsonObject& o, QLatin1String key)
{
    QString t;
    readKey(o, key, t);
    return t;
}

}  // namespace

bool ParseMissionsEvent(const QByteArray& line, TMissionList& list)
{
    list.clear();
    bool isObject = false;
    const QJsonObject o = parseObject(line, "ParseMissionsEvent", &isObject);
    if (!isObject || !eventIs(o, QLatin1String("Missions")))
        return false;

    qsizetype total = 0;
    for (const QString& status : STATUS_NAMES)
        total += o.value(status).toArray().size();
    list.resize(total);

    qsizetype next = 0;
    for (const QString& status : STATUS_NAMES) {
        const QJsonArray arr = o.value(status).toArray();
        for (const QJsonValue& el : arr) {
            if (!el.isObject())
                continue;
            const QJsonObject m = el.toObject();
            TMissionInfo& info = list[next++];
            info.MissionID = jsonScalarInteger(m.value(QLatin1String("MissionID"))).value_or(-1);
            info.Name = text(m, QLatin1String("Name"));
            info.Expires = jsonScalarInt(m.value(QLatin1String("Expires"))).value_or(0);
            info.Status = status;
        }
    }
    return true;
}

std::optional<qint64> ParseMissionEnd(const QByteArray& line)
{
    bool ok = false;
    const QJsonObject o = parseObject(line, "ParseMissionEnd", &ok);
    if (!ok)
        return std::nullopt;
    const auto id = jsonScalarInteger(o.value(QLatin1String("MissionID")));
    if (!id || *id <= 0)
        return std::nullopt;
    return id;
}

TMission_cargo ParseMissionAccepted(const QByteArray& line)
{
    TMission_cargo r;
    const QJsonObject o = parseObject(line, "ParseMissionAccepted");
    r.Timestamp = isoToDayCount(text(o, QLatin1String("timestamp")));
    r.Event = text(o, QLatin1String("event"));
    r.Faction = text(o, QLatin1String("Faction"));
    r.Name = text(o, QLatin1String("Name"));
    r.LocalisedName = text(o, QLatin1String("LocalisedName"));
    r.Commodity = text(o, QLatin1String("Commodity"));
    r.Commodity_Localised = text(o, QLatin1String("Commodity_Localised"));
    r.Count = jsonScalarInt(o.value(QLatin1String("Count"))).value_or(0);
    r.DestinationSystem = text(o, QLatin1String("DestinationSystem"));
    r.DestinationStation = text(o, QLatin1String("DestinationStation"));
    r.Expiry = isoToDayCount(text(o, QLatin1String("Expiry")));
    r.Wing = o.value(QLatin1String("Wing")).toBool(false);
    r.Influence = text(o, QLatin1String("Influence"));
    r.Reputation = text(o, QLatin1String("Reputation"));
    r.Reward = jsonScalarInteger(o.value(QLatin1String("Reward"))).value_or(0);
    r.MissionID = jsonScalarInteger(o.value(QLatin1String("MissionID"))).value_or(0);
    return r;
}

bool ParseCargoDepotData(const QByteArray& line, TCargoDepotInfo& info)
{
    info = TCargoDepotInfo{};
    bool isObject = false;
    const QJsonObject o = parseObject(line, "ParseCargoDepotData", &isObject);
    if (!isObject || !eventIs(o, QLatin1String("CargoDepot")))
        return false;
    info.MissionID = jsonScalarInteger(o.value(QLatin1String("MissionID"))).value_or(-1);
    info.Commodity = jsonScalarText(o.value(QLatin1String("CargoType")));
    info.Count = jsonScalarInt(o.value(QLatin1String("Count"))).value_or(0);
    info.ItemsDelivered = jsonScalarInt(o.value(QLatin1String("ItemsDelivered"))).value_or(0);
    info.TotalItemsToDeliver = jsonScalarInt(o.value(QLatin1String("TotalItemsToDeliver"))).value_or(0);
    return info.MissionID != -1;
}
