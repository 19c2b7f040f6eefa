#pragma once

#include "commodities/CommodityTally.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QString>
#include <optional>

class ReportSink;

// Accepted cargo missions and the commodity totals they want. The totals live
// in memory; missions.ini keeps one section per counted mission (Commodity,
// Count) so the next start can rebuild them from the first Missions event.
// A mission that ends (completed, abandoned, failed) leaves both at once.
class MissionModule : public QObject
{
    Q_OBJECT
public:
    MissionModule(const QString& dataDir, ReportSink& reports);

    // Missions event (every login): drops sections of finished missions and
    // sections counted down to 0, and rebuilds the totals from the rest.
    void parse_mission_list(const QByteArray& JSON);
    // MissionAccepted: counts mining and collection missions.
    void parser_mission_cargo(const QByteArray& JSON);
    // CargoDepot: sets a counted mission's units to what is still to deliver;
    // a mission with nothing left to deliver leaves the totals and the file.
    void parse_cargo_depot(const QByteArray& JSON);
    // MissionCompleted, MissionAbandoned, MissionFailed: the mission's units
    // leave the totals and its section leaves missions.ini.
    void parse_mission_end(const QByteArray& JSON);

    // Units wanted per commodity by accepted cargo missions; names compared
    // as the same cargo (any spelling, any letter case), insertion order kept.
    CommodityTally mission_commodites;

    // Index of the entry of that name (any letter case), -1 when none.
    int missionCommodityIndex(const QString& name) const;
    std::optional<int> missionCommodity(const QString& name) const;
    // Sets the entry (created at the end when missing; an existing entry keeps its spelling).
    void setMissionCommodity(const QString& name, int units);
    // Adds to the entry, creating it with `units` when missing.
    void addMissionCommodity(const QString& name, qint64 units);

    QString missionsFile() const;

    QJsonObject dumpJson() const;

signals:
    void changed();
    // The totals of the trade missions' commodities changed.
    void commoditiesChanged();

private:
    // After every change of the totals: the loading list's mission view follows.
    void totalsChanged();
    // Names sections whose Count cannot be read, each once per run.
    void reportUnreadable(const QStringList& sections);

    QString m_dataDir;
    ReportSink& m_reports;
    QSet<QString> m_reportedUnreadable;
};
