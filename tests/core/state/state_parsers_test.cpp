#include "TestSupport.h"
#include "common/Error.h"
#include "state/StateParsers.h"

#include <QTest>

namespace {

QByteArray fixtureLine(const QString& file, int index)
{
    const QList<QByteArray> lines = fixtureLines(file);
    return index < lines.size() ? lines[index] : QByteArray();
}

QList<TFaction> factions(std::initializer_list<std::pair<const char*, double>> list)
{
    QList<TFaction> out;
    for (const auto& [name, influence] : list) {
        TFaction f;
        f.Name = QLatin1String(name);
        f.Influence = influence;
        out.append(f);
    }
    return out;
}

QStringList names(const QList<TFaction>& list)
{
    QStringList out;
    for (const TFaction& f : list)
        out.append(f.Name);
    return out;
}

const QByteArray kFaction =
    R"({ "Name":"A", "FactionState":"Boom", "Government":"Democracy", "Influence":0.5, "Allegiance":"Federation" })";

}  // namespace

class StateParsersTest : public QObject
{
    Q_OBJECT
private slots:
    void system_realLines_data();
    void system_realLines();
    void system_smallCases();
    void system_failures_data();
    void system_failures();
    void sort_data();
    void sort();
    void docked_realLines_data();
    void docked_realLines();
    void docked_failures_data();
    void docked_failures();
    void docked_optionalParts();
    void docked_beforeTaxi_recordsFalse();
    void loadout_realLines();
    void loadout_smallCases();
};

void StateParsersTest::system_realLines_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("starSystem");
    QTest::addColumn<quint64>("address");
    QTest::addColumn<int>("factionCount");
    QTest::addColumn<int>("powerConflicts");
    QTest::addColumn<int>("conflicts");
    QTest::addColumn<QString>("stationName");
    QTest::addColumn<quint64>("marketId");
    QTest::addColumn<bool>("docked");

    QTest::newRow("Location not docked, no factions")
        << "Location.jsonl" << 0 << "Prua Dryoae CF-A d4" << quint64(148251625859) << 0 << 0 << 0 << ""
        << quint64(0) << false;
    QTest::newRow("Location on foot, powerplay")
        << "Location.jsonl" << 1 << "HIP 97950" << quint64(2557619442410) << 5 << 1 << 0 << "" << quint64(0)
        << false;
    QTest::newRow("Location docked at construction site")
        << "Location.jsonl" << 2 << "Col 285 Sector PY-Y b14-3" << quint64(7266949997977) << 4 << 1 << 0
        << "Planetary Construction Site: Zhao Drilling Base" << quint64(4256179715) << true;
    QTest::newRow("FSDJump with Conflicts") << "FSDJump.jsonl" << 0 << "LHS 2471" << quint64(2870246319529)
                                            << 7 << 0 << 1 << "" << quint64(0) << false;
    QTest::newRow("FSDJump with PowerplayConflictProgress")
        << "FSDJump.jsonl" << 1 << "HIP 96402" << quint64(2312563067251) << 7 << 4 << 1 << "" << quint64(0)
        << false;
    QTest::newRow("CarrierJump docked: no station fields")
        << "CarrierJump.jsonl" << 0 << "Teurbolg" << quint64(11664191530385) << 4 << 0 << 0 << ""
        << quint64(0) << false;
}

void StateParsersTest::system_realLines()
{
    QFETCH(QString, file);
    QFETCH(int, index);
    REQUIRE_SHARED(path, file);
    const TDaneSystemu r = ParseDaneSystemu(fixtureLine(file, index));
    QTEST(r.StarSystem, "starSystem");
    QTEST(r.SystemAddress, "address");
    QTEST(int(r.Factions.size()), "factionCount");
    QTEST(int(r.PowerConflicts.size()), "powerConflicts");
    QTEST(int(r.Conflicts.size()), "conflicts");
    QTEST(r.StationName, "stationName");
    QTEST(r.MarketID, "marketId");
    QTEST(r.Docked, "docked");
    QVERIFY(!r.Timestamp.isEmpty());
    QVERIFY(r.BodyID == 0 && r.Body.isEmpty() && r.BodyType.isEmpty());
}

void StateParsersTest::system_smallCases()
{
    // Only the timestamp when there is no event.
    TDaneSystemu r = ParseDaneSystemu(R"({ "timestamp":"T", "StarSystem":"Sol", "Population":5 })");
    QCOMPARE(r.Timestamp, QStringLiteral("T"));
    QVERIFY(r.Event.isEmpty() && r.StarSystem.isEmpty() && r.Population == 0);

    // Without a timestamp nothing at all.
    r = ParseDaneSystemu(R"({ "event":"Location", "StarSystem":"Sol" })");
    QVERIFY(r.Event.isEmpty() && r.StarSystem.isEmpty());

    // Not JSON: the empty record, no error.
    r = ParseDaneSystemu("{ \"timestamp\":\"T\", \"event\":\"Location\"");
    QVERIFY(r.Timestamp.isEmpty());

    // Station and jump keys by event.
    const QByteArray stationKeys =
        R"("Docked":true, "StationName":"S", "StationType":"Coriolis", "MarketID":128000000,
        "StationFaction":{ "Name":"F" }, "StationGovernment_Localised":"G", "StationEconomy_Localised":"E",
        "StationServices":[ "dock", 5 ], "Taxi":true, "Multicrew":true, "JumpDist":12.5, "FuelLevel":3,
        "PowerplayStateReinforcement":4, "ControllingPower":"P")";
    r = ParseDaneSystemu(journalLine("T", "Location", stationKeys));
    QVERIFY(r.Docked);
    QCOMPARE(r.StationName, QStringLiteral("S"));
    QCOMPARE(r.MarketID, quint64(128000000));
    QCOMPARE(r.StationFactionName, QStringLiteral("F"));
    QCOMPARE(r.StationServices, (QStringList{"dock", "5"}));
    QVERIFY(!r.Taxi && r.JumpDist == 0 && r.ControllingPower.isEmpty());

    r = ParseDaneSystemu(journalLine("T", "FSDJump", stationKeys));
    QVERIFY(!r.Docked && r.StationName.isEmpty() && r.MarketID == 0 && r.StationServices.isEmpty());
    QVERIFY(r.Taxi && r.Multicrew);
    QCOMPARE(r.JumpDist, 12.5);
    QCOMPARE(r.FuelLevel, 3.0);
    QCOMPARE(r.PowerplayStateReinforcement, 4);
    QCOMPARE(r.ControllingPower, QStringLiteral("P"));

    r = ParseDaneSystemu(journalLine("T", "CarrierJump", stationKeys));
    QVERIFY(!r.Docked && r.StationName.isEmpty() && !r.Taxi && r.JumpDist == 0);

    // Keys of the wrong kind stay empty; PowerConflicts is not the journal's key.
    r = ParseDaneSystemu(journalLine(
        "T", "FSDJump",
        R"("Population":1.5, "StarSystem":7, "SystemAddress":-1, "PowerConflicts":[ { "Power":"X", "ConflictProgress":1 } ],
           "PowerplayStateUndermining":3000000000, "StarPos":"x", "Powers":{}, "SystemFaction":{ "Name":"SF", "FactionState":"War" })"));
    QVERIFY(r.Population == 0 && r.StarSystem.isEmpty() && r.SystemAddress == 0);
    QVERIFY(r.PowerConflicts.isEmpty() && r.PowerplayStateUndermining == 0 && r.Powers.isEmpty());
    QCOMPARE(r.StarPos, (TStarPos{0, 0, 0}));
    QCOMPARE(r.SystemFactionName, QStringLiteral("SF"));
    QCOMPARE(r.SystemFactionState, QStringLiteral("War"));

    // 64-bit numbers are exact; a faction without reputation has 0.
    r = ParseDaneSystemu(journalLine("T", "Location",
                                     R"("SystemAddress":84180519395914, "MarketID":9223372036854775807,
                                        "Population":8000000000, "StarPos":[1.5,-2,3,4], "Factions":[ )" +
                                         kFaction + " ]"));
    QCOMPARE(r.SystemAddress, quint64(84180519395914));
    QCOMPARE(r.MarketID, quint64(9223372036854775807ULL));
    QCOMPARE(r.Population, qint64(8000000000));
    QCOMPARE(r.StarPos, (TStarPos{1.5, -2, 3}));
    QCOMPARE(r.Factions.size(), 1);
    QCOMPARE(r.Factions[0].MyReputation, 0.0);
    QCOMPARE(r.Factions[0].Allegiance, QStringLiteral("Federation"));
}

void StateParsersTest::system_failures_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("array") << QByteArray("[1,2]");
    QTest::newRow("scalar") << QByteArray("5");
    QTest::newRow("faction without Allegiance") << journalLine(
        "T", "Location",
        R"("Factions":[ { "Name":"A", "FactionState":"None", "Government":"G", "Influence":0.5 } ])");
    QTest::newRow("faction influence as text") << journalLine(
        "T", "Location",
        R"("Factions":[ { "Name":"A", "FactionState":"None", "Government":"G", "Influence":"0.5", "Allegiance":"X" } ])");
    QTest::newRow("faction not an object") << journalLine("T", "Location", R"("Factions":[ 1 ])");
    QTest::newRow("conflict without Status")
        << journalLine("T", "FSDJump", R"("Conflicts":[ { "WarType":"war" } ])");
    QTest::newRow("power conflict without progress")
        << journalLine("T", "FSDJump", R"("PowerplayConflictProgress":[ { "Power":"X" } ])");
    QTest::newRow("short StarPos") << journalLine("T", "FSDJump", R"("StarPos":[1,2])");
    QTest::newRow("StarPos with text") << journalLine("T", "FSDJump", R"("StarPos":[1,"2",3])");
}

void StateParsersTest::system_failures()
{
    QFETCH(QByteArray, line);
    QVERIFY_THROWS_EXCEPTION(TessivarError, ParseDaneSystemu(line));
}

void StateParsersTest::sort_data()
{
    QTest::addColumn<QList<TFaction>>("input");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("descending") << factions({{"a", 0.1}, {"b", 0.5}, {"c", 0.4}})
                                << QStringList{"b", "c", "a"};
    QTest::newRow("equal pair reordered through a third")
        << factions({{"A", 0.2}, {"C", 0.2}, {"B", 0.3}}) << QStringList{"B", "C", "A"};
    QTest::newRow("equal never swapped") << factions({{"x", 0.3}, {"y", 0.3}}) << QStringList{"x", "y"};
    QTest::newRow("one") << factions({{"solo", 1}}) << QStringList{"solo"};
    QTest::newRow("empty") << QList<TFaction>() << QStringList();
}

void StateParsersTest::sort()
{
    QFETCH(QList<TFaction>, input);
    SortFactionsByInfluence(input);
    QTEST(names(input), "expected");
}

void StateParsersTest::docked_realLines_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("station");
    QTest::addColumn<quint64>("marketId");
    QTest::addColumn<QString>("factionState");
    QTest::addColumn<int>("economies");
    QTest::addColumn<int>("large");
    QTest::newRow("Coriolis") << 0 << "Ray Gateway" << quint64(3223343616) << "Boom" << 2 << 5;
    QTest::newRow("fleet carrier") << 1 << "W2W-2TZ" << quint64(3706609664) << "" << 1 << 8;
    QTest::newRow("settlement") << 2 << "Shewayish's Honour" << quint64(3839707648) << "" << 1 << 0;
}

void StateParsersTest::docked_realLines()
{
    QFETCH(int, index);
    REQUIRE_SHARED(path, QStringLiteral("Docked.jsonl"));
    const TDaneDokowania d = ParseDockedData(fixtureLine(QStringLiteral("Docked.jsonl"), index));
    QTEST(d.StationName, "station");
    QTEST(d.MarketID, "marketId");
    QTEST(d.StationFactionState, "factionState");
    QTEST(int(d.StationEconomies.size()), "economies");
    QTEST(d.LandingPads.Large, "large");
    QCOMPARE(d.Event, QStringLiteral("Docked"));
    QVERIFY(!d.StationServices.isEmpty());
}

void StateParsersTest::docked_failures_data()
{
    QTest::addColumn<QByteArray>("line");
    const QByteArray good =
        R"({ "timestamp":"T", "event":"Docked", "StationName":"S", "StationType":"Coriolis", "Taxi":false,
        "Multicrew":false, "StarSystem":"Sys", "SystemAddress":1, "MarketID":2, "StationFaction":{ "Name":"F" },
        "StationGovernment":"g", "StationGovernment_Localised":"G", "StationServices":[ ], "StationEconomy":"e",
        "StationEconomy_Localised":"E", "StationEconomies":[ ], "DistFromStarLS":1.5,
        "LandingPads":{ "Small":1, "Medium":2, "Large":3 } })";
    QVERIFY(ParseDockedData(good).LandingPads.Large == 3);  // the base line is sound
    auto without = [&good](const char* key, const char* replacement) {
        QByteArray l = good;
        const qsizetype at = l.indexOf(key);
        const qsizetype end = l.indexOf(',', at);
        l.replace(at, end - at + 1, replacement);
        return l;
    };
    QTest::newRow("not JSON") << QByteArray("{ broken");
    QTest::newRow("not an object") << QByteArray("[ ]");
    QTest::newRow("no LandingPads") << QByteArray(good).replace("\"LandingPads\"", "\"Pads\"");
    QTest::newRow("pad count missing") << QByteArray(good).replace(R"("Large":3)", R"("Huge":3)");
    QTest::newRow("MarketID as text") << without("\"MarketID\"", "\"MarketID\":\"2\",");
    QTest::newRow("old StationFaction text") << without("\"StationFaction\"", "\"StationFaction\":\"F\",");
    QTest::newRow("economy element not an object")
        << QByteArray(good).replace(R"("StationEconomies":[ ])", R"("StationEconomies":[ "x" ])");
    QTest::newRow("economy without Proportion") << QByteArray(good).replace(
        R"("StationEconomies":[ ])", R"("StationEconomies":[ { "Name":"a", "Name_Localised":"A" } ])");
}

void StateParsersTest::docked_failures()
{
    QFETCH(QByteArray, line);
    QVERIFY_THROWS_EXCEPTION(TessivarError, ParseDockedData(line));
}

void StateParsersTest::docked_optionalParts()
{
    // The 2018 layout (StationFaction as text, no pads, no Taxi) is refused.
    const QList<QByteArray> lines = fixtureLines(QStringLiteral("Docked.jsonl"));
    if (lines.size() > 5)
        QVERIFY_THROWS_EXCEPTION(TessivarError, ParseDockedData(lines[5]));
    const TDaneDokowania d = ParseDockedData(R"({ "timestamp":"T", "event":"Docked", "StationName":"S",
        "StationType":"Coriolis", "Taxi":true, "Multicrew":false, "StarSystem":"Sys", "SystemAddress":84180519395914,
        "MarketID":4256179715, "StationFaction":{ "Name":"F" }, "StationGovernment":"g", "StationGovernment_Localised":"G",
        "StationServices":[ "dock" ], "StationEconomy":"e", "StationEconomy_Localised":"E",
        "StationEconomies":[ { "Name":"a", "Name_Localised":"A", "Proportion":1 } ], "DistFromStarLS":0,
        "LandingPads":{ "Small":1, "Medium":2, "Large":3 } })");
    QVERIFY(d.Taxi);
    QCOMPARE(d.SystemAddress, quint64(84180519395914));
    QCOMPARE(d.MarketID, quint64(4256179715));
    QVERIFY(d.StationFactionState.isEmpty());
    QCOMPARE(d.StationEconomies.size(), 1);
    QCOMPARE(d.StationEconomies[0].Proportion, 1.0);
}

void StateParsersTest::docked_beforeTaxi_recordsFalse()
{
    // A 2020 line: the game wrote Taxi and Multicrew only from 2021 on.
    const TDaneDokowania d = ParseDockedData(R"({ "timestamp":"2020-11-02T18:40:53Z", "event":"Docked",
        "StationName":"Linnaeus Enterprise", "StationType":"Coriolis", "StarSystem":"BD+48 738",
        "SystemAddress":908352033466, "MarketID":3226360576, "StationFaction":{ "Name":"Laniakea" },
        "StationGovernment":"$government_Cooperative;", "StationGovernment_Localised":"Cooperative",
        "StationServices":[ "dock", "autodock", "commodities" ], "StationEconomy":"$economy_Industrial;",
        "StationEconomy_Localised":"Industrial", "StationEconomies":[ { "Name":"$economy_Industrial;",
        "Name_Localised":"Industrial", "Proportion":1.0 } ], "DistFromStarLS":1044.62,
        "LandingPads":{ "Small":4, "Medium":8, "Large":4 } })");
    QVERIFY(!d.Taxi);
    QVERIFY(!d.Multicrew);
    QCOMPARE(d.StationName, QStringLiteral("Linnaeus Enterprise"));
    QCOMPARE(d.MarketID, quint64(3226360576));
    QCOMPARE(d.LandingPads.Large, 4);
}

void StateParsersTest::loadout_realLines()
{
    REQUIRE_SHARED(path, QStringLiteral("Loadout.jsonl"));
    const QList<QByteArray> lines = fixtureLines(QStringLiteral("Loadout.jsonl"));
    QVERIFY(lines.size() >= 2);
    for (const QByteArray& line : lines) {
        const TLoadoutData d = Parse_DaneStatku(line);
        QCOMPARE(d.Event, QStringLiteral("Loadout"));
        QVERIFY(!d.Ship.isEmpty());
        QVERIFY(!d.Modules.isEmpty());
    }
    const TLoadoutData cutter = Parse_DaneStatku(lines[0]);
    QCOMPARE(cutter.Ship, QStringLiteral("cutter"));
    QCOMPARE(cutter.ShipName, QStringLiteral("WHALE"));
    QCOMPARE(cutter.CargoCapacity, 688);
    QCOMPARE(cutter.HullValue, quint64(175932980));
    QCOMPARE(cutter.FuelCapacity.Reserve, 1.16);
    QVERIFY(cutter.Modules[0].On_);
    QCOMPARE(cutter.Modules[0].Value, quint64(3072));
    QVERIFY(lines[1].size() > 24000);  // the long line is read whole
}

void StateParsersTest::loadout_smallCases()
{
    QCOMPARE(Parse_DaneStatku("not json").Timestamp, QString());
    QVERIFY_THROWS_EXCEPTION(TessivarError, Parse_DaneStatku("[1]"));
    QVERIFY_THROWS_EXCEPTION(TessivarError,
                             Parse_DaneStatku(journalLine("T", "Loadout", R"("Ship":"x", "Modules":[ 1 ])")));

    TLoadoutData d = Parse_DaneStatku(journalLine("T", "Loadout", R"("CargoCapacity":64, "ShipName":"N")"));
    QCOMPARE(d.Timestamp, QStringLiteral("T"));
    QCOMPARE(d.Event, QStringLiteral("Loadout"));
    QVERIFY(d.Ship.isEmpty() && d.ShipName.isEmpty() && d.CargoCapacity == 0);

    d = Parse_DaneStatku(journalLine("T", "Loadout",
                                     R"("Ship":"python", "CargoCapacity":0, "Modules":[  ], "FuelCapacity":5,
                                        "Rebuy":1.5, "ShipID":"7")"));
    QCOMPARE(d.Ship, QStringLiteral("python"));
    QVERIFY(d.CargoCapacity == 0 && d.Modules.isEmpty() && d.FuelCapacity.Main == 0 && d.Rebuy == 0 &&
            d.ShipID == 0);

    d = Parse_DaneStatku(journalLine("T", "Loadout", R"("Ship":"x", "Modules":[ { "Slot":"S" } ])"));
    QCOMPARE(d.Modules.size(), 1);
    QCOMPARE(d.Modules[0].Slot, QStringLiteral("S"));
    QVERIFY(!d.Modules[0].On_ && d.Modules[0].Value == 0);
}

QTEST_GUILESS_MAIN(StateParsersTest)
#include "state_parsers_test.moc"
