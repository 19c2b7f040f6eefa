#include "TestSupport.h"
#include "cargo/CargoModule.h"
#include "common/NoticeModel.h"
#include "common/ReportSink.h"
#include "ini/IniFile.h"
#include "journal/JournalPass.h"
#include "missions/MissionModule.h"
#include "missions/MissionParsing.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

namespace {

// The totals as "name=units" texts joined by "|".
QString totalsText(const MissionModule& m)
{
    QStringList out;
    for (const auto& [name, units] : m.mission_commodites)
        out.append(name + QLatin1Char('=') + QString::number(units));
    return out.join(QLatin1Char('|'));
}

// missions.ini as "section:Commodity:Count" texts joined by "|".
QString missionsText(const MissionModule& m)
{
    const IniDocument doc = IniFile(m.missionsFile()).document();
    QStringList out;
    for (const QString& s : doc.sections())
        out.append(s + QLatin1Char(':') + doc.value(s, QStringLiteral("Commodity")).value_or(QString()) +
                   QLatin1Char(':') + doc.value(s, QStringLiteral("Count")).value_or(QString()));
    return out.join(QLatin1Char('|'));
}

QByteArray accepted(const char* kind, qint64 id, int count, const char* localised = "Non-Lethal Weapons")
{
    QByteArray extra = QByteArray("\"Faction\":\"Sirius Corporation\", \"Name\":\"") + kind +
                       "\", \"LocalisedName\":\"Collect\", \"Commodity\":\"$NonLethalWeapons_Name;\", ";
    if (localised)
        extra += QByteArray("\"Commodity_Localised\":\"") + localised + "\", ";
    extra += "\"Count\":" + QByteArray::number(count) +
             ", \"DestinationSystem\":\"Sirius\", \"Expiry\":\"2025-06-08T21:07:23Z\", \"Wing\":false, "
             "\"Reward\":258519, \"MissionID\":" +
             QByteArray::number(id);
    return journalLine("2025-06-08T20:12:39Z", "MissionAccepted", extra);
}

QByteArray depot(const QByteArray& id, int delivered, int total)
{
    QByteArray extra;
    if (!id.isEmpty())
        extra += "\"MissionID\":" + id + ", ";
    extra += "\"UpdateType\":\"Deliver\", \"CargoType\":\"NonLethalWeapons\", "
             "\"CargoType_Localised\":\"Non-Lethal "
             "Weapons\", \"Count\":5, \"StartMarketID\":0, \"EndMarketID\":3225778432, \"ItemsCollected\":0, "
             "\"ItemsDelivered\":" +
             QByteArray::number(delivered) + ", \"TotalItemsToDeliver\":" + QByteArray::number(total) +
             ", \"Progress\":0.000000";
    return journalLine("2025-06-08T20:20:00Z", "CargoDepot", extra);
}

QByteArray missionsEvent(const QByteArray& active, const QByteArray& failed = {},
                         const QByteArray& complete = {})
{
    return journalLine("2025-06-09T10:00:00Z", "Missions",
                       "\"Active\":[ " + active + " ], \"Failed\":[ " + failed + " ], \"Complete\":[ " +
                           complete + " ]");
}

QByteArray mission(const QByteArray& id)
{
    return "{ \"MissionID\":" + id +
           ", \"Name\":\"Mission_Collect_name\", \"PassengerMission\":false, "
           "\"Expires\":86400 }";
}

// Journal lines [from, to) of a file as bytes, line ends kept.
QByteArray linesOf(const QString& path, int from, int to)
{
    const QList<QByteArray> lines = readFile(path).split('\n');
    QByteArray out;
    for (int i = from; i < std::min<int>(to, int(lines.size())); ++i)
        if (!lines[i].isEmpty())
            out += lines[i] + '\n';
    return out;
}

}  // namespace

class MissionsTest : public QObject
{
    Q_OBJECT
private slots:
    void parseMissionsEvent_data();
    void parseMissionsEvent();
    void parseMissionAccepted();
    void parseCargoDepot_data();
    void parseCargoDepot();
    void namesIgnoreLetterCase();
    void acceptance_data();
    void acceptance();
    void depotUpdates_data();
    void depotUpdates();
    void missionsEventRebuilds_data();
    void missionsEventRebuilds();
    void missionEnds_data();
    void missionEnds();
    void unwritableFile_reachesTheCaller();
    void miningJournal_acrossARestart();
    void builtAlone_announcesNewTotals();
};

void MissionsTest::parseMissionsEvent_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("missions");  // id:status:Expires per mission

    const auto real = fixtureLines(QStringLiteral("Missions.jsonl"));
    if (real.size() >= 4) {
        QTest::newRow("all empty") << real[0] << true << "";
        QTest::newRow("failed array")
            << real[2] << true << "924428660:Active:106439|924428683:Active:19589|924428691:Failed:0";
        QTest::newRow("2^64-1 is no number") << real[3] << true << "-1:Active:1743114217";
    }
    const auto reserialised = fixtureLines(QStringLiteral("reserialised/Missions.jsonl"));
    if (!reserialised.isEmpty())
        QTest::newRow("2^64-1 re-serialised") << reserialised[0] << true << "-1:Active:1744653236";
    QTest::newRow("complete and elements that are no objects")
        << missionsEvent(mission("5") + ", 7, \"x\"", {}, mission("6")) << true
        << "5:Active:86400|6:Complete:86400|0::0|0::0";
    QTest::newRow("id as text, expiry missing")
        << missionsEvent("{ \"MissionID\":\"12\", \"Name\":\"M\" }") << true << "12:Active:0";
    QTest::newRow("other event") << journalLine("2025-01-01T00:00:00Z", "MissionsX", "\"Active\":[]") << false
                                 << "";
    QTest::newRow("no event") << QByteArray("{ \"Active\":[] }") << false << "";
    QTest::newRow("not JSON") << QByteArray("{ \"event\":\"Missions\", ") << false << "";
    QTest::newRow("array") << QByteArray("[ { \"event\":\"Missions\" } ]") << false << "";
}

void MissionsTest::parseMissionsEvent()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, ok);
    QFETCH(QString, missions);
    TMissionList list{TMissionInfo{}};
    QCOMPARE(ParseMissionsEvent(line, list), ok);
    QStringList got;
    for (const TMissionInfo& m : list)
        got.append(QStringLiteral("%1:%2:%3").arg(m.MissionID).arg(m.Status).arg(m.Expires));
    QCOMPARE(got.join(QLatin1Char('|')), missions);
}

void MissionsTest::parseMissionAccepted()
{
    const auto real = fixtureLines(QStringLiteral("MissionAccepted.jsonl"));
    if (real.isEmpty())
        QSKIP("shared fixtures are not available");
    const TMission_cargo m = ParseMissionAccepted(real[0]);
    QCOMPARE(m.Event, QStringLiteral("MissionAccepted"));
    QCOMPARE(m.Name, QStringLiteral("Mission_Collect"));
    QCOMPARE(m.Commodity, QStringLiteral("$ConductiveFabrics_Name;"));
    QCOMPARE(m.Commodity_Localised, QStringLiteral("Conductive Fabrics"));
    QCOMPARE(m.Count, 306);
    QCOMPARE(m.MissionID, qint64(1018762971));
    QCOMPARE(m.Reward, qint64(312284));
    QVERIFY(m.Wing);
    QCOMPARE(m.Influence, QStringLiteral("++"));
    const double expiryDay =
        QDate(1899, 12, 30).daysTo(QDate(2025, 6, 8)) + (21 * 3600 + 7 * 60 + 23) / 86400.0;
    QVERIFY(qAbs(m.Expiry - expiryDay) < 1e-6);
    const double acceptedDay =
        QDate(1899, 12, 30).daysTo(QDate(2025, 6, 7)) + (21 * 3600 + 12 * 60 + 18) / 86400.0;
    QVERIFY(qAbs(m.Timestamp - acceptedDay) < 1e-6);

    // A kill mission carries no commodity; the rest of a missing key stays empty.
    const TMission_cargo kill = ParseMissionAccepted(real.last());
    QVERIFY(kill.Commodity.isEmpty());
    QCOMPARE(kill.Count, 0);

    const TMission_cargo odd = ParseMissionAccepted(journalLine(
        "x", "MissionAccepted", "\"MissionID\":18446744073709551615, \"Expiry\":\"soon\", \"Count\":\"7\""));
    QCOMPARE(odd.MissionID, qint64(0));
    QCOMPARE(odd.Expiry, 0.0);
    QCOMPARE(odd.Timestamp, 0.0);
    QCOMPARE(odd.Count, 7);
    QCOMPARE(ParseMissionAccepted("not json").Name, QString());
}

void MissionsTest::parseCargoDepot_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("info");  // id:type:count:delivered:total

    const auto real = fixtureLines(QStringLiteral("CargoDepot.jsonl"));
    if (real.size() >= 5) {
        QTest::newRow("deliver") << real[0] << true << "1018762574:Beryllium:18:18:18";
        QTest::newRow("collect") << real[2] << true << "1018901700:NonLethalWeapons:41:0:99";
        QTest::newRow("wing update without cargo") << real[3] << true << "632551319::0:0:9";
        QTest::newRow("deliver 2025") << real[4] << true << "1002252135:Bertrandite:368:736:912";
    }
    QTest::newRow("no MissionID") << depot({}, 5, 10) << false << "-1:NonLethalWeapons:5:5:10";
    QTest::newRow("MissionID 2^64-1")
        << depot("18446744073709551615", 5, 10) << false << "-1:NonLethalWeapons:5:5:10";
    QTest::newRow("MissionID as text") << depot("\"77\"", 5, 10) << true << "77:NonLethalWeapons:5:5:10";
    QTest::newRow("other event") << journalLine("x", "CargoDepotX", "\"MissionID\":5") << false
                                 << "-1::0:0:0";
    QTest::newRow("not JSON") << QByteArray("{\"event\":\"CargoDepot\",\"MissionID\":5") << false
                              << "-1::0:0:0";
}

void MissionsTest::parseCargoDepot()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, ok);
    QFETCH(QString, info);
    TCargoDepotInfo d;
    d.Commodity = QStringLiteral("stale");
    QCOMPARE(ParseCargoDepotData(line, d), ok);
    QCOMPARE(QStringLiteral("%1:%2:%3:%4:%5")
                 .arg(d.MissionID)
                 .arg(d.Commodity)
                 .arg(d.Count)
                 .arg(d.ItemsDelivered)
                 .arg(d.TotalItemsToDeliver),
             info);
}

void MissionsTest::namesIgnoreLetterCase()
{
    CoreFixture fx;
    MissionModule& m = fx.start().mission();
    m.addMissionCommodity(QStringLiteral("Gold"), 5);
    m.addMissionCommodity(QStringLiteral("Silver"), 1);
    m.addMissionCommodity(QStringLiteral("GOLD"), 7);
    m.setMissionCommodity(QStringLiteral("silver"), 3);
    QCOMPARE(totalsText(m), QStringLiteral("Gold=12|Silver=3"));
    QCOMPARE(m.missionCommodity(QStringLiteral("gOLd")), std::optional<int>(12));
    QCOMPARE(m.missionCommodity(QStringLiteral("Tea")), std::nullopt);
    QCOMPARE(m.missionCommodityIndex(QStringLiteral("SILVER")), 1);
    m.addMissionCommodity(QStringLiteral("Gold"), qint64(std::numeric_limits<int>::max()));
    QCOMPARE(m.missionCommodity(QStringLiteral("Gold")), std::optional<int>(std::numeric_limits<int>::max()));
}

void MissionsTest::acceptance_data()
{
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QString>("totals");
    QTest::addColumn<QString>("file");

    QTest::newRow("two collections of one commodity")
        << QList<QByteArray>{accepted("Mission_Collect", 100, 20), accepted("Mission_Collect", 101, 30)}
        << "Non-Lethal Weapons=50"
        << "100:Non-Lethal Weapons:20|101:Non-Lethal Weapons:30";
    QTest::newRow("the three counted kinds")
        << QList<QByteArray>{accepted("Mission_Mining", 1, 1, "Gold"),
                             accepted("Mission_Mining_Expansion", 2, 2, "Indite"),
                             accepted("Mission_Collect", 3, 3, "gold")}
        << "Gold=4|Indite=2"
        << "1:Gold:1|2:Indite:2|3:gold:3";
    // Every source-and-return kind the game names, the letter case as it writes it.
    QTest::newRow("every collect and mining kind")
        << QList<QByteArray>{accepted("Mission_Collect_Industrial", 1, 5),
                             accepted("Mission_Collect_RankFed", 2, 6),
                             accepted("Mission_Mining_Boom", 3, 7, "Gold")}
        << "Non-Lethal Weapons=11|Gold=7"
        << "1:Non-Lethal Weapons:5|2:Non-Lethal Weapons:6|3:Gold:7";
    QTest::newRow("other kinds and letter case")
        << QList<QByteArray>{accepted("mission_mining", 2, 5), accepted("Mission_Delivery_Democracy", 3, 99),
                             accepted("MISSION_COLLECT", 4, 5), accepted("Mission_Courier", 5, 5)}
        << ""
        << "";
    QTest::newRow("no localised name")
        << QList<QByteArray>{accepted("Mission_Collect", 9, 4, nullptr)} << "$NonLethalWeapons_Name;=4"
        << "9:$NonLethalWeapons_Name;:4";
    QTest::newRow("id 2^64-1 counts but names no section")
        << QList<QByteArray>{accepted("Mission_Collect", 1, 4)
                                 .replace("\"MissionID\":1", "\"MissionID\":18446744073709551615")}
        << "Non-Lethal Weapons=4"
        << "";
}

void MissionsTest::acceptance()
{
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QString, totals);
    QFETCH(QString, file);
    CoreFixture fx;
    MissionModule& m = fx.start().mission();
    for (const QByteArray& l : lines)
        m.parser_mission_cargo(l);
    QCOMPARE(totalsText(m), totals);
    QCOMPARE(missionsText(m), file);
}

void MissionsTest::depotUpdates_data()
{
    QTest::addColumn<QByteArray>("missionsIni");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QString>("totals");
    QTest::addColumn<QString>("file");

    const QList<QByteArray> twoMissions{accepted("Mission_Collect", 100, 20),
                                        accepted("Mission_Collect", 101, 30)};
    QTest::newRow("one mission's delivery keeps the other's units")
        << QByteArray() << (QList<QByteArray>(twoMissions) << depot("100", 5, 20)) << "Non-Lethal Weapons=45"
        << "100:Non-Lethal Weapons:15|101:Non-Lethal Weapons:30";
    // Everything delivered: no row of 0 lingers, and the missions leave the file.
    QTest::newRow("both delivered") << QByteArray()
                                    << (QList<QByteArray>(twoMissions)
                                        << depot("100", 5, 20) << depot("101", 30, 30)
                                        << depot("100", 20, 20))
                                    << ""
                                    << "";
    QTest::newRow("remaining replaces the mission's count")
        << QByteArray() << QList<QByteArray>{accepted("Mission_Mining", 7, 50), depot("7", 20, 50)}
        << "Non-Lethal Weapons=30"
        << "7:Non-Lethal Weapons:30";
    QTest::newRow("mission never counted")
        << QByteArray() << (QList<QByteArray>(twoMissions) << depot("555", 5, 20)) << "Non-Lethal Weapons=50"
        << "100:Non-Lethal Weapons:20|101:Non-Lethal Weapons:30";
    QTest::newRow("no MissionID") << QByteArray() << (QList<QByteArray>(twoMissions) << depot({}, 5, 20))
                                  << "Non-Lethal Weapons=50"
                                  << "100:Non-Lethal Weapons:20|101:Non-Lethal Weapons:30";
    QTest::newRow("section from an earlier run, entry not yet counted")
        << QByteArray("[100]\r\nCommodity=Gold\r\nCount=20\r\n") << QList<QByteArray>{depot("100", 5, 20)}
        << "Gold=15"
        << "100:Gold:15";
    QTest::newRow("section without a commodity takes the cargo type")
        << QByteArray("[100]\r\nCount=20\r\n") << QList<QByteArray>{depot("100", 5, 20)}
        << "NonLethalWeapons=15"
        << "100:NonLethalWeapons:15";
}

void MissionsTest::depotUpdates()
{
    QFETCH(QByteArray, missionsIni);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QString, totals);
    QFETCH(QString, file);
    CoreFixture fx;
    if (!missionsIni.isEmpty())
        writeFile(fx.dataDir.filePath(QStringLiteral("missions.ini")), missionsIni);
    MissionModule& m = fx.start().mission();
    for (const QByteArray& l : lines) {
        if (l.contains("\"event\":\"CargoDepot\""))
            m.parse_cargo_depot(l);
        else
            m.parser_mission_cargo(l);
    }
    QCOMPARE(totalsText(m), totals);
    QCOMPARE(missionsText(m), file);
}

void MissionsTest::missionsEventRebuilds_data()
{
    QTest::addColumn<QByteArray>("missionsIni");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("totals");
    QTest::addColumn<QString>("file");

    const QByteArray ini("[1]\r\nCommodity=Gold\r\nCount=20\r\n[2]\r\nCommodity=Silver\r\nCount=5\r\n"
                         "[3]\r\nCommodity=gold\r\nCount=30\r\n[4]\r\nCommodity=Tea\r\nCount=0\r\n"
                         "[5]\r\nCommodity=Water\r\nCount=lots\r\n[6]\r\nCommodity=Copper\r\nCount=8\r\n");
    // A Count that cannot be read (section 5) is kept for the person to mend.
    QTest::newRow("finished missions and spent sections go")
        << ini << missionsEvent(mission("1") + ", " + mission("3"), mission("2"), mission("6")) << "Gold=50"
        << "1:Gold:20|3:gold:30|5:Water:lots";
    QTest::newRow("unlisted sections still count")
        << ini << missionsEvent({}) << "Gold=50|Silver=5|Copper=8"
        << "1:Gold:20|2:Silver:5|3:gold:30|5:Water:lots|6:Copper:8";
    QTest::newRow("id 2^64-1 names no section")
        << QByteArray(
               "[18446744073709551615]\r\nCommodity=Gold\r\nCount=3\r\n[-1]\r\nCommodity=Tea\r\nCount=2\r\n")
        << missionsEvent({}, {}, mission("18446744073709551615")) << "Gold=3|Tea=2"
        << "18446744073709551615:Gold:3|-1:Tea:2";
    QTest::newRow("no file") << QByteArray() << missionsEvent(mission("1")) << ""
                             << "";
    QTest::newRow("other event changes nothing")
        << ini << journalLine("x", "MissionsX", "\"Complete\":[ " + mission("1") + " ]") << ""
        << "1:Gold:20|2:Silver:5|3:gold:30|4:Tea:0|5:Water:lots|6:Copper:8";
}

void MissionsTest::missionsEventRebuilds()
{
    QFETCH(QByteArray, missionsIni);
    QFETCH(QByteArray, line);
    QFETCH(QString, totals);
    QFETCH(QString, file);
    CoreFixture fx;
    if (!missionsIni.isEmpty())
        writeFile(fx.dataDir.filePath(QStringLiteral("missions.ini")), missionsIni);
    MissionModule& m = fx.start().mission();
    m.parse_mission_list(line);
    QCOMPARE(totalsText(m), totals);
    QCOMPARE(missionsText(m), file);
    QVERIFY(!QFileInfo::exists(m.missionsFile()) == missionsIni.isEmpty());
    // The unreadable Count is told once, however often the file is read.
    const bool unreadable = file.contains(QStringLiteral(":lots")) && line.contains("\"event\":\"Missions\"");
    // The same list again (a relog): the totals stay as they are.
    m.parse_mission_list(line);
    QCOMPARE(totalsText(m), totals);
    QCOMPARE(fx.ui.messages().size(), unreadable ? 1 : 0);
    if (unreadable)
        QVERIFY(fx.ui.messages()[0].contains(QStringLiteral("mission 5 ")));
    QCOMPARE(missionsText(m), file);
}

void MissionsTest::missionEnds_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("totals");
    QTest::addColumn<QString>("file");
    const QByteArray text = "\"Faction\":\"Sirius Corporation\", \"Name\":\"Mission_Collect_name\", "
                            "\"LocalisedName\":\"Collect\", ";
    QTest::newRow("completed")
        << journalLine("2025-06-08T21:00:00Z", "MissionCompleted",
                       text +
                           "\"MissionID\":100, \"Commodity\":\"$NonLethalWeapons_Name;\", "
                           "\"Commodity_Localised\":\"Non-Lethal Weapons\", \"Count\":20, \"Reward\":258519")
        << "Non-Lethal Weapons=30|Gold=7"
        << "101:Non-Lethal Weapons:30|102:Gold:7";
    QTest::newRow("abandoned") << journalLine("2025-06-08T21:00:00Z", "MissionAbandoned",
                                              text + "\"MissionID\":101")
                               << "Non-Lethal Weapons=20|Gold=7"
                               << "100:Non-Lethal Weapons:20|102:Gold:7";
    QTest::newRow("failed, its commodity's last")
        << journalLine("2025-06-08T21:00:00Z", "MissionFailed", text + "\"MissionID\":102")
        << "Non-Lethal Weapons=50"
        << "100:Non-Lethal Weapons:20|101:Non-Lethal Weapons:30";
    QTest::newRow("not counted") << journalLine("2025-06-08T21:00:00Z", "MissionCompleted",
                                                text + "\"MissionID\":555")
                                 << "Non-Lethal Weapons=50|Gold=7"
                                 << "100:Non-Lethal Weapons:20|101:Non-Lethal Weapons:30|102:Gold:7";
}

void MissionsTest::missionEnds()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, totals);
    QFETCH(QString, file);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fx.append(journalLine("2025-06-08T20:00:00Z", "Commander", "\"Name\":\"Jan\""));
    fx.pass();  // the history
    fx.append(accepted("Mission_Collect", 100, 20) + accepted("Mission_Collect", 101, 30) +
              accepted("Mission_Mining", 102, 7, "Gold"));
    fx.pass();
    core.cargo().selectEntry(QStringLiteral("Trade Missions"));
    fx.append(line);
    fx.pass();
    MissionModule& m = core.mission();
    QCOMPARE(totalsText(m), totals);
    QCOMPARE(missionsText(m), file);
    // The mission view follows at once.
    QCOMPARE(core.cargo().loadingList.rowCount(), int(totals.count(QLatin1Char('|'))) + 3);
}

void MissionsTest::unwritableFile_reachesTheCaller()
{
    CoreFixture fx;
    MissionModule& m = fx.start().mission();
    QDir().mkpath(m.missionsFile());  // a folder where the file should be
    QVERIFY_THROWS_EXCEPTION(std::exception, m.parser_mission_cargo(accepted("Mission_Collect", 1, 4)));
    QCOMPARE(totalsText(m), QStringLiteral("Non-Lethal Weapons=4"));
}

void MissionsTest::miningJournal_acrossARestart()
{
    REQUIRE_SHARED(journal, "journals/rster2002__ed-journals/Journal.2025-06-08T171834.01.log");
    const QString name = QStringLiteral("Journal.2025-06-08T171834.01.log");
    CoreFixture fx;
    // The program starts mid-session (its Missions line is history); the
    // rest is played while it runs.
    fx.append(linesOf(journal, 0, 1000), name);
    TessivarCore& core = fx.start();
    QSignalSpy changed(&core.mission(), &MissionModule::changed);
    fx.pass();
    QCOMPARE(changed.count(), 1);  // the Missions line, with nothing to rebuild yet
    fx.append(linesOf(journal, 1000, 4000), name);
    fx.pass();
    // Other parts may miss the game's companion files here; this part reports nothing.
    for (const QString& report : core.pass().lastReport)
        QVERIFY2(!report.contains(QStringLiteral("missions.ini")), qPrintable(report));
    // Bauxite and both thorium missions were delivered and completed, so they
    // left at once; missions accepted before the program started were never counted.
    QCOMPARE(totalsText(core.mission()), QStringLiteral("Performance Enhancers=81"));
    QCOMPARE(missionsText(core.mission()),
             QStringLiteral("1018906229:Performance Enhancers:9|1018906271:Performance Enhancers:72"));
    core.cargo().selectEntry(QStringLiteral("Trade Missions"));
    QCOMPARE(core.cargo().loadingList.row(1).mid(0, 2), (QStringList{"Performance Enhancers", "81"}));

    // The next game session: one of the two missions has been completed meanwhile.
    fx.core.reset();
    QFile::remove(fx.journalPath(name));
    fx.append(journalLine("2025-06-09T10:00:00Z", "Fileheader") +
                  missionsEvent(mission("1018906229"), {}, mission("1018906271")),
              QStringLiteral("Journal.2025-06-09T100000.01.log"));
    TessivarCore& next = fx.start();
    fx.pass();
    QCOMPARE(totalsText(next.mission()), QStringLiteral("Performance Enhancers=9"));
    QCOMPARE(missionsText(next.mission()), QStringLiteral("1018906229:Performance Enhancers:9"));
    next.cargo().selectEntry(QStringLiteral("Trade Missions"));
    QCOMPARE(next.cargo().loadingList.row(1).mid(0, 2), (QStringList{"Performance Enhancers", "9"}));
    const QJsonArray dumped = next.dumpJson().value(QStringLiteral("mission_commodites")).toArray();
    QCOMPARE(dumped, (QJsonArray{QJsonArray{QStringLiteral("Performance Enhancers"), 9}}));
}

void MissionsTest::builtAlone_announcesNewTotals()
{
    // The module needs only its folder and a report sink; whoever shows the
    // totals learns of them from its signal.
    QTemporaryDir data;
    ScriptedInteraction ui;
    NoticeModel notices;
    ReportSink reports(ui, notices);
    MissionModule missions(data.path() + QLatin1Char('/'), reports);
    QSignalSpy totals(&missions, &MissionModule::commoditiesChanged);
    missions.parser_mission_cargo(
        journalLine("2025-06-07T21:12:18Z", "MissionAccepted",
                    "\"Name\":\"Mission_Collect\", \"Commodity\":\"$Gold_Name;\", "
                    "\"Commodity_Localised\":\"Gold\", \"Count\":12, \"MissionID\":7"));
    QCOMPARE(totals.size(), 1);
    QCOMPARE(totalsText(missions), QStringLiteral("Gold=12"));
    QCOMPARE(IniFile(data.filePath(QStringLiteral("missions.ini"))).readString("7", "Commodity"),
             QStringLiteral("Gold"));
    QVERIFY(ui.messages().isEmpty());
}

QTEST_GUILESS_MAIN(MissionsTest)
#include "missions_test.moc"
