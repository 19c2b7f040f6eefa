#include "missions/MissionModule.h"

#include "common/ReportSink.h"
#include "ini/IniFile.h"
#include "missions/MissionParsing.h"

#include <QFile>
#include <QJsonArray>
#include <algorithm>
#include <limits>

namespace {

const QString kCommodity = QStringLiteral("Commodity");
const QString kCount = QStringLiteral("Count");

int saturatedSum(qint64 a, qint64 b)
{
    return int(std::clamp<qint64>(a + b, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// A section's Count as the missions file holds it; nullopt when missing or
// not a whole number.
std::optional<int> readableCount(const IniDocument& doc, const QString& section)
{
    const auto v = IniValue::toInt64(doc.value(section, kCount).value_or(QString()));
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*v);
}

int sectionCount(const IniDocument& doc, const QString& section)
{
    return readableCount(doc, section).value_or(0);
}

// Every source-and-return kind: the game names them Mission_Collect,
// Mission_Collect_Industrial, Mission_Mining_Boom, Mission_Mining_Expansion, ...
bool isCargoMission(const QString& name)
{
    return name.startsWith(QLatin1String("Mission_Collect")) ||
           name.startsWith(QLatin1String("Mission_Mining"));
}

}  // namespace

MissionModule::MissionModule(const QString& dataDir, ReportSink& reports)
    : m_dataDir(dataDir), m_reports(reports)
{}

QString MissionModule::missionsFile() const
{
    return m_dataDir + QStringLiteral("missions.ini");
}

int MissionModule::missionCommodityIndex(const QString& name) const
{
    return mission_commodites.indexOf(name);
}

std::optional<int> MissionModule::missionCommodity(const QString& name) const
{
    return mission_commodites.units(name);
}

void MissionModule::setMissionCommodity(const QString& name, int units)
{
    mission_commodites.set(name, units);
}

void MissionModule::addMissionCommodity(const QString& name, qint64 units)
{
    setMissionCommodity(name, saturatedSum(missionCommodity(name).value_or(0), units));
}

void MissionModule::totalsChanged()
{
    emit changed();
    emit commoditiesChanged();
}

void MissionModule::parse_mission_list(const QByteArray& JSON)
{
    TMissionList list;
    if (!ParseMissionsEvent(JSON, list))
        return;

    // The game writes this list at every login: the totals are rebuilt from
    // the file, never added to, so a relog leaves them as they were. A
    // mission the list does not name still counts: it may have been accepted
    // after the login that wrote the newest list.
    mission_commodites.clear();

    const IniFile file(missionsFile());
    if (file.exists()) {
        IniDocument doc = file.document();
        bool edited = false;
        for (const TMissionInfo& m : list) {
            if (m.MissionID == -1)
                continue;  // no usable id: it never named a section
            const QString section = QString::number(m.MissionID);
            if ((m.Status == STATUS_NAMES[1] || m.Status == STATUS_NAMES[2]) && doc.sectionExists(section)) {
                doc.eraseSection(section);
                edited = true;
            }
        }

        QStringList spent;
        QStringList unreadable;
        for (const QString& section : doc.sections()) {
            const auto count = readableCount(doc, section);
            // A Count that cannot be read may still be a mission the person
            // wants: the section is kept for them to mend, and not counted.
            if (!count) {
                unreadable.append(section);
                continue;
            }
            if (*count <= 0) {
                spent.append(section);
                continue;
            }
            addMissionCommodity(doc.value(section, kCommodity).value_or(QString()), *count);
        }
        reportUnreadable(unreadable);
        for (const QString& section : spent)
            doc.eraseSection(section);
        if (edited || !spent.isEmpty())
            file.save(doc);
    }
    totalsChanged();
}

void MissionModule::reportUnreadable(const QStringList& sections)
{
    QStringList fresh;
    for (const QString& section : sections)
        if (!m_reportedUnreadable.contains(section))
            fresh.append(section);
    if (fresh.isEmpty())
        return;
    for (const QString& section : std::as_const(fresh))
        m_reportedUnreadable.insert(section);
    m_reports.report(
        MissionModule::tr("missions.ini: the Count of mission %1 is not a whole number; the section is "
                          "kept as it is and not counted.")
            .arg(fresh.join(QStringLiteral(", "))));
}

void MissionModule::parse_mission_end(const QByteArray& JSON)
{
    const std::optional<qint64> id = ParseMissionEnd(JSON);
    if (!id)
        return;
    const IniFile file(missionsFile());
    if (!file.exists())
        return;
    IniDocument doc = file.document();
    const QString section = QString::number(*id);
    if (!doc.sectionExists(section))
        return;
    const QString name = doc.value(section, kCommodity).value_or(QString());
    const int count = sectionCount(doc, section);
    doc.eraseSection(section);
    file.save(doc);

    // The mission's share leaves its commodity's total; a total that no
    // mission wants any more leaves the list.
    const int i = missionCommodityIndex(name);
    if (i < 0)
        return;
    const int left = saturatedSum(mission_commodites.at(i).second, -qint64(count));
    if (left <= 0)
        mission_commodites.removeAt(i);
    else
        mission_commodites.setUnitsAt(i, left);
    totalsChanged();
}

void MissionModule::parser_mission_cargo(const QByteArray& JSON)
{
    const TMission_cargo m = ParseMissionAccepted(JSON);
    if (!isCargoMission(m.Name))
        return;
    const QString name = m.Commodity_Localised.isEmpty() ? m.Commodity : m.Commodity_Localised;
    addMissionCommodity(name, m.Count);
    totalsChanged();

    // A mission without a usable id cannot be followed by its depot updates
    // or found again at the next start; it is counted for this session only.
    if (m.MissionID <= 0)
        return;
    const IniFile file(missionsFile());
    IniDocument doc = file.document();
    const QString section = QString::number(m.MissionID);
    doc.setValue(section, kCommodity, name);
    doc.setValue(section, kCount, QString::number(m.Count));
    file.save(doc);
}

void MissionModule::parse_cargo_depot(const QByteArray& JSON)
{
    TCargoDepotInfo info;
    if (!ParseCargoDepotData(JSON, info))
        return;

    // Only missions counted at acceptance are followed. The section names the
    // entry its units were counted under (the localised name, while the depot
    // event gives the internal type), and its Count is this mission's share of
    // that entry, so other missions for the same commodity keep theirs.
    const IniFile file(missionsFile());
    IniDocument doc = file.document();
    const QString section = QString::number(info.MissionID);
    if (!doc.sectionExists(section))
        return;

    const qint64 remaining = qint64(info.TotalItemsToDeliver) - qint64(info.ItemsDelivered);
    const int remainingUnits = saturatedSum(remaining, 0);
    QString name = doc.value(section, kCommodity).value_or(QString());
    if (name.isEmpty()) {
        name = info.Commodity;
        doc.setValue(section, kCommodity, name);
    }
    const int before = sectionCount(doc, section);
    // Everything delivered: the mission wants nothing more and leaves the file.
    if (remainingUnits <= 0)
        doc.eraseSection(section);
    else
        doc.setValue(section, kCount, QString::number(remainingUnits));
    file.save(doc);

    const std::optional<int> total = missionCommodity(name);
    const int left = total ? saturatedSum(*total, qint64(remainingUnits) - before) : remainingUnits;
    // A commodity no mission wants any more leaves the totals (no row of 0).
    const int i = missionCommodityIndex(name);
    if (left > 0)
        setMissionCommodity(name, left);
    else if (i >= 0)
        mission_commodites.removeAt(i);
    totalsChanged();
}

QJsonObject MissionModule::dumpJson() const
{
    QJsonArray totals;
    for (const auto& [name, units] : mission_commodites)
        totals.append(QJsonArray{name, units});
    QJsonObject o;
    o.insert(QStringLiteral("mission_commodites"), totals);
    QFile f(missionsFile());
    o.insert(QStringLiteral("missions.ini"),
             f.open(QIODevice::ReadOnly) ? QJsonValue(QString::fromUtf8(f.readAll())) : QJsonValue());
    return o;
}
