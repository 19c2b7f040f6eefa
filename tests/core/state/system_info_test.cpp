#include "MainWindowModel.h"
#include "TestSupport.h"
#include "common/Error.h"
#include "ini/IniFile.h"
#include "state/ShipInfo.h"
#include "state/SystemInfo.h"

#include <QTest>

namespace {

QByteArray fixtureLine(const QString& file, int index)
{
    const QList<QByteArray> lines = fixtureLines(file);
    return index < lines.size() ? lines[index] : QByteArray();
}

QString u(const char16_t* s)
{
    return QString::fromUtf16(s);
}

// A Location line with the given factions (name, influence, state).
QByteArray locationWith(const QList<std::tuple<QByteArray, QByteArray, QByteArray>>& list,
                        const QByteArray& extra = {})
{
    QByteArray f;
    for (const auto& [name, influence, state] : list) {
        if (!f.isEmpty())
            f += ", ";
        f += "{ \"Name\":\"" + name + "\", \"FactionState\":\"" + state +
             "\", \"Government\":\"Democracy\", \"Influence\":" + influence +
             ", \"Allegiance\":\"Independent\", \"MyReputation\":12.5 }";
    }
    QByteArray keys = "\"StarSystem\":\"Test\", \"Factions\":[ " + f + " ]";
    if (!extra.isEmpty())
        keys += ", " + extra;
    return journalLine("2025-01-01T00:00:00Z", "Location", keys);
}

}  // namespace

class SystemInfoTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void systemMode_realLocation();
    void factions_orderPercentColourState_data();
    void factions_orderPercentColourState();
    void factions_beyondTheTables();
    void systemMode_emptyAndJumpCases();
    void dockedMode_realLines();
    void dockedMode_errorChangesNothing();
    void otherMode_changesNothing();
    void undock_emptiesStationLabels();
    void commander();
    void carrier();
    void carrierLocation_ownCarrierOnly_data();
    void carrierLocation_ownCarrierOnly();
    void ship();
    void replayedSession_fillsState();

private:
    std::unique_ptr<CoreFixture> fx;
    TessivarCore* core = nullptr;
};

void SystemInfoTest::init()
{
    fx = std::make_unique<CoreFixture>();
    core = &fx->start();
}

void SystemInfoTest::cleanup()
{
    core = nullptr;
    fx.reset();
}

void SystemInfoTest::systemMode_realLocation()
{
    REQUIRE_SHARED(path, QStringLiteral("Location.jsonl"));
    SystemInfo& bgs = core->systemInfo();
    bgs.parse_BGS(fixtureLine(QStringLiteral("Location.jsonl"), 2), QStringLiteral("system"));

    QCOMPARE(bgs.system_name, u(u"\U0001FA90 Col 285 Sector PY-Y b14-3"));
    QCOMPARE(bgs.system_population, u(u"\U0001F465 40,754"));  // tests run in the C locale
    QCOMPARE(bgs.system_security, u(u"\U0001F6E1 Low Security"));
    QCOMPARE(bgs.system_przynaleznosc, u(u"\U0001F91D Independent"));
    QCOMPARE(bgs.system_rzad, u(u"\U0001F3DB Dictatorship"));
    QCOMPARE(bgs.system_ekonomie, u(u"\U0001F4B0 Industrial, Colony"));
    QCOMPARE(bgs.stacja_name, u(u"\U0001F6F0\uFE0F Planetary Construction Site: Zhao Drilling Base [ "
                                u"PlanetaryConstructionDepot ]"));
    QCOMPARE(bgs.stacja_marketid, u(u"\U0001F194 4256179715"));
    QCOMPARE(bgs.stacja_frakcja, u(u"\U0001F451 Brewer Corporation (0%)"));  // not among the factions
    QCOMPARE(bgs.stacja_ekonomia, u(u"\U0001F4B0 Colony"));
    QCOMPARE(bgs.stacja_rzad, u(u"\U0001F3DB Corporate"));

    const TextTableModel& g = bgs.sg_frakcje;
    QCOMPARE(g.rowCount(), 5);
    QCOMPARE(g.columnCount(), 8);
    QCOMPARE(g.row(0),
             (QStringList{"No.", "Faction", "Allegiance", "Influence", "State", "Government", "Rep.", ""}));
    QCOMPARE(g.row(1), (QStringList{"1", "Herfjoturr Constitution Party", "Independent", "63%",
                                    u(u"\u26AA None"), "Dictatorship", "29.2262", ""}));
    QCOMPARE(g.row(4), (QStringList{"4", "Herfjoturr Posse", "Independent", "1%", u(u"\U0001F3F3 Retreat"),
                                    "Anarchy", "0", ""}));
    QCOMPARE(g.rowToolTip(0), QString());
    QCOMPARE(g.rowToolTip(4), u(u"Retreat \u2014 a faction loses influence"));
    QCOMPARE(bgs.frakcje_stany_opisy.value(1), QStringLiteral("No active state"));

    QCOMPARE(bgs.pie.size(), 4);
    QCOMPARE(bgs.pie[0].label, QStringLiteral("Herfjoturr Constitution Party"));
    QCOMPARE(bgs.pie[0].value, 0.631369 * 100);
    QCOMPARE(bgs.pie[0].colour, quint32(0x008000));
    QCOMPARE(bgs.pie[3].colour, quint32(0xFFFF00));
    // The shared record itself is sorted.
    QCOMPARE(core->state.dane_systemu.Factions[0].Name, QStringLiteral("Herfjoturr Constitution Party"));
}

void SystemInfoTest::factions_orderPercentColourState_data()
{
    QTest::addColumn<QByteArray>("influence");
    QTest::addColumn<QByteArray>("state");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("stateCell");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<quint32>("colour");
    // The two fixed factions have influences 0.5 and 0.3.
    QTest::newRow("third, blue") << QByteArray("0.2") << QByteArray("Boom") << 3 << "20%"
                                 << u(u"\U0001F4C8 Boom")
                                 << u(u"Boom \u2014 economic growth and more activity") << quint32(0x0000FF);
    QTest::newRow("half to even down")
        << QByteArray("0.125") << QByteArray("Expansion") << 3 << "12%" << u(u"\U0001F680 Expansion")
        << u(u"Expansion \u2014 a faction tries to spread its influence") << quint32(0x0000FF);
    QTest::newRow("half to even up") << QByteArray("0.135") << QByteArray("PirateAttack") << 3 << "14%"
                                     << u(u"\u2620 PirateAttack")
                                     << u(u"Pirate attack \u2014 criminals overrun the system")
                                     << quint32(0x0000FF);
    QTest::newRow("largest, green") << QByteArray("0.9") << QByteArray("War") << 1 << "90%"
                                    << u(u"\U0001F525 War") << u(u"War \u2014 an armed conflict is on")
                                    << quint32(0x008000);
    QTest::newRow("unknown state") << QByteArray("0.4") << QByteArray("CivilLiberty") << 2 << "40%"
                                   << u(u"\u2753 CivilLiberty") << "Unknown state" << quint32(0xFF0000);
    QTest::newRow("state case matters") << QByteArray("0.01") << QByteArray("boom") << 3 << "1%"
                                        << u(u"\u2753 boom") << "Unknown state" << quint32(0x0000FF);
    QTest::newRow("empty state") << QByteArray("0.01") << QByteArray("") << 3 << "1%" << u(u"\u2753 ")
                                 << "Unknown state" << quint32(0x0000FF);
    QTest::newRow("markup shown as is") << QByteArray("0.01") << QByteArray("<b>x</b>") << 3 << "1%"
                                        << u(u"\u2753 <b>x</b>") << "Unknown state" << quint32(0x0000FF);
}

void SystemInfoTest::factions_orderPercentColourState()
{
    QFETCH(QByteArray, influence);
    QFETCH(QByteArray, state);
    QFETCH(int, row);
    core->systemInfo().parse_BGS(
        locationWith({{"Low", "0.3", "None"}, {"Tested", influence, state}, {"High", "0.5", "None"}}),
        QStringLiteral("system"));
    const SystemInfo& bgs = core->systemInfo();
    QCOMPARE(bgs.sg_frakcje.cell(row, 1), QStringLiteral("Tested"));
    QTEST(bgs.sg_frakcje.cell(row, 3), "percent");
    QTEST(bgs.sg_frakcje.cell(row, 4), "stateCell");
    QTEST(bgs.sg_frakcje.rowToolTip(row), "tooltip");
    QTEST(bgs.frakcje_stany_opisy.value(row), "tooltip");
    QTEST(bgs.pie[row - 1].colour, "colour");
    QCOMPARE(bgs.sg_frakcje.cell(row, 6), QStringLiteral("12.5"));
}

void SystemInfoTest::factions_beyondTheTables()
{
    QList<std::tuple<QByteArray, QByteArray, QByteArray>> many;
    for (int i = 0; i < 23; ++i)
        many.append(
            {"F" + QByteArray::number(i), QByteArray::number(0.3 - i * 0.01), i == 21 ? "War" : "None"});
    core->systemInfo().parse_BGS(locationWith(many), QStringLiteral("system"));
    const SystemInfo& bgs = core->systemInfo();
    QCOMPARE(bgs.sg_frakcje.rowCount(), 24);
    QCOMPARE(bgs.pie.size(), 23);
    QCOMPARE(bgs.pie[19].colour, quint32(0x000000));
    QCOMPARE(bgs.pie[20].colour, quint32(0x008000));  // the colours start over
    QCOMPARE(bgs.sg_frakcje.rowToolTip(22), u(u"War \u2014 an armed conflict is on"));
    QCOMPARE(bgs.frakcje_stany_opisy.size(), 24);

    // A smaller system afterwards: fewer rows; old descriptions stay in the table.
    core->systemInfo().parse_BGS(locationWith({{"Only", "1.0", "Boom"}}), QStringLiteral("system"));
    QCOMPARE(bgs.sg_frakcje.rowCount(), 2);
    QCOMPARE(bgs.frakcje_stany_opisy.value(22), u(u"War \u2014 an armed conflict is on"));
    QCOMPARE(bgs.sg_frakcje.rowToolTip(22), QString());
}

void SystemInfoTest::systemMode_emptyAndJumpCases()
{
    SystemInfo& bgs = core->systemInfo();
    bgs.parse_BGS(journalLine("T", "FSDJump", R"("StarSystem":"Empty", "Population":0)"),
                  QStringLiteral("system"));
    QCOMPARE(bgs.sg_frakcje.rowCount(), 1);
    QVERIFY(bgs.pie.isEmpty());
    QCOMPARE(bgs.system_population, u(u"\U0001F465 0"));
    QCOMPARE(bgs.system_ekonomie, u(u"\U0001F4B0 , "));
    QCOMPARE(bgs.stacja_name, u(u"\U0001F6F0\uFE0F  [  ]"));
    QCOMPARE(bgs.stacja_marketid, u(u"\U0001F194 0"));
    QCOMPARE(bgs.stacja_frakcja, u(u"\U0001F451  (0%)"));

    bgs.parse_BGS(journalLine("T", "Location", R"("StarSystem":"NoPop")"), QStringLiteral("system"));
    QCOMPARE(bgs.system_population, u(u"\U0001F465 0"));

    // Station faction's influence, rounded to two decimals in the general format.
    bgs.parse_BGS(locationWith({{"Owner", "0.234567", "None"}, {"Other", "0.2", "None"}},
                               R"("StationName":"S", "StationType":"Orbis", "MarketID":3228000000,
                                  "StationFaction":{ "Name":"Owner" })"),
                  QStringLiteral("system"));
    QCOMPARE(bgs.stacja_frakcja, u(u"\U0001F451 Owner (23.46%)"));
    QCOMPARE(bgs.stacja_name, u(u"\U0001F6F0\uFE0F S [ Orbis ]"));
    QCOMPARE(bgs.stacja_marketid, u(u"\U0001F194 3228000000"));

    // A parse error changes nothing.
    QVERIFY_THROWS_EXCEPTION(TessivarError, bgs.parse_BGS(journalLine("T", "FSDJump", R"("StarPos":[1])"),
                                                          QStringLiteral("system")));
    QCOMPARE(core->state.dane_systemu.StarSystem, QStringLiteral("Test"));
    QCOMPARE(bgs.sg_frakcje.rowCount(), 3);
}

void SystemInfoTest::dockedMode_realLines()
{
    REQUIRE_SHARED(path, QStringLiteral("Docked.jsonl"));
    SystemInfo& bgs = core->systemInfo();
    // Vukurbeh, whose factions include the station's owner, then docking in it.
    bgs.parse_BGS(fixtureLine(QStringLiteral("FSDJump.jsonl"), 3), QStringLiteral("system"));
    const TDaneSystemu before = core->state.dane_systemu;
    bgs.parse_BGS(fixtureLine(QStringLiteral("Docked.jsonl"), 3), QStringLiteral("docked"));

    QCOMPARE(core->state.dane_dokowania.StationName, QStringLiteral("Hadamard's Inheritance"));
    QCOMPARE(bgs.stacja_name, u(u"\U0001F6F0\uFE0F Hadamard's Inheritance [ CraterOutpost ]"));
    QCOMPARE(bgs.stacja_marketid, u(u"\U0001F194 3503454976"));
    QCOMPARE(bgs.stacja_frakcja, u(u"\U0001F451 Brazilian League of Pilots (41.69%)"));
    QCOMPARE(bgs.stacja_ekonomia, u(u"\U0001F4B0 Raffinerie"));
    QCOMPARE(bgs.stacja_rzad, u(u"\U0001F3DB Konföderation"));
    const TDaneSystemu& s = core->state.dane_systemu;
    QCOMPARE(s.StationName, QStringLiteral("Hadamard's Inheritance"));
    QCOMPARE(s.StationType, QStringLiteral("CraterOutpost"));
    QCOMPARE(s.MarketID, quint64(3503454976));
    QCOMPARE(s.StarSystem, before.StarSystem);
    QCOMPARE(s.Factions.size(), before.Factions.size());

    // Docking before any system event: only the three station fields are set.
    CoreFixture fresh;
    TessivarCore& c2 = fresh.start();
    c2.systemInfo().parse_BGS(fixtureLine(QStringLiteral("Docked.jsonl"), 1), QStringLiteral("docked"));
    QCOMPARE(c2.state.dane_systemu.StationType, QStringLiteral("FleetCarrier"));
    QCOMPARE(c2.state.dane_systemu.MarketID, quint64(3706609664));
    QVERIFY(c2.state.dane_systemu.StarSystem.isEmpty());
    QCOMPARE(c2.systemInfo().stacja_frakcja, u(u"\U0001F451 FleetCarrier (0%)"));

    // Undocked: name and type go, the rest of the docking stays.
    c2.state.dane_dokowania.StationName.clear();
    c2.state.dane_dokowania.StationType.clear();
    c2.systemInfo().undock();
    QCOMPARE(c2.state.dane_dokowania.MarketID, quint64(3706609664));
    QCOMPARE(c2.state.dane_systemu.StationName, QStringLiteral("W2W-2TZ"));
}

void SystemInfoTest::dockedMode_errorChangesNothing()
{
    SystemInfo& bgs = core->systemInfo();
    bgs.parse_BGS(locationWith({{"A", "1.0", "None"}}, R"("StationName":"Old", "StationType":"Orbis")"),
                  QStringLiteral("system"));
    const QString label = bgs.stacja_name;
    QVERIFY_THROWS_EXCEPTION(
        TessivarError,
        bgs.parse_BGS(journalLine("T", "Docked", R"("StationName":"New")"), QStringLiteral("docked")));
    QCOMPARE(bgs.stacja_name, label);
    QCOMPARE(core->state.dane_systemu.StationName, QStringLiteral("Old"));
    QVERIFY(core->state.dane_dokowania.StationName.isEmpty());
}

void SystemInfoTest::otherMode_changesNothing()
{
    SystemInfo& bgs = core->systemInfo();
    const QString before = bgs.system_name;
    bgs.parse_BGS(locationWith({{"A", "1.0", "None"}}), QStringLiteral("System"));
    bgs.parse_BGS("garbage", QStringLiteral("other"));
    QCOMPARE(bgs.system_name, before);
    QVERIFY(core->state.dane_systemu.StarSystem.isEmpty());
}

void SystemInfoTest::undock_emptiesStationLabels()
{
    SystemInfo& bgs = core->systemInfo();
    bgs.parse_BGS(locationWith({{"A", "1.0", "None"}}, R"("StationName":"S")"), QStringLiteral("system"));
    bgs.undock();
    QVERIFY(bgs.stacja_name.isEmpty() && bgs.stacja_marketid.isEmpty() && bgs.stacja_frakcja.isEmpty() &&
            bgs.stacja_ekonomia.isEmpty() && bgs.stacja_rzad.isEmpty());
    QCOMPARE(bgs.system_name, u(u"\U0001FA90 Test"));
    QCOMPARE(core->state.dane_systemu.StationName, QStringLiteral("S"));
}

void SystemInfoTest::commander()
{
    const QString ini = core->dataFile(QStringLiteral("settings.ini"));
    // The first commander of the run keeps the carrier settings.ini named; a
    // relog of the same one keeps it too; another commander forgets it.
    core->state.dane_carriera.CarrierID = 42;
    core->systemInfo().parse_CMDR(journalLine("T", "Commander", R"("FID":"F1", "Name":"Jake Larson")"));
    QCOMPARE(core->state.dane_CMDR.Name, QStringLiteral("Jake Larson"));
    QCOMPARE(core->state.dane_carriera.CarrierID, quint64(42));
    core->systemInfo().parse_CMDR(journalLine("T", "Commander", R"("FID":"F1", "Name":"Jake Larson")"));
    QCOMPARE(core->state.dane_carriera.CarrierID, quint64(42));
    core->systemInfo().parse_CMDR(journalLine("T", "Commander", R"("FID":"F2", "Name":"Other")"));
    QCOMPARE(core->state.dane_carriera.CarrierID, quint64(0));
    core->systemInfo().parse_CMDR(journalLine("T", "Commander", R"("FID":"F1", "Name":"Jake Larson")"));
    QCOMPARE(IniFile(ini).readString(QStringLiteral("CMDR"), QStringLiteral("Name")),
             QStringLiteral("Jake Larson"));

    // Without a name: emptied, no write.
    core->state.dane_carriera.CarrierID = 42;
    const QByteArray file = readFile(ini);
    core->systemInfo().parse_CMDR(journalLine("T", "Commander", R"("FID":"F1")"));
    QVERIFY(core->state.dane_CMDR.Name.isEmpty());
    QCOMPARE(core->state.dane_carriera.CarrierID, quint64(0));
    QCOMPARE(readFile(ini), file);

    // Not JSON: only the carrier number goes.
    core->state.dane_CMDR.Name = QStringLiteral("Kept");
    core->state.dane_carriera.CarrierID = 42;
    core->systemInfo().parse_CMDR("not json");
    QCOMPARE(core->state.dane_carriera.CarrierID, quint64(0));
    QCOMPARE(core->state.dane_CMDR.Name, QStringLiteral("Kept"));
}

void SystemInfoTest::carrier()
{
    REQUIRE_SHARED(path, QStringLiteral("CarrierStats.jsonl"));
    const QString ini = core->dataFile(QStringLiteral("settings.ini"));
    SystemInfo& bgs = core->systemInfo();
    bgs.parse_CarrierLocation(fixtureLine(QStringLiteral("CarrierLocation.jsonl"), 0));
    QCOMPARE(core->state.dane_carriera.StarSystem, QStringLiteral("Dewindji"));
    QCOMPARE(core->state.dane_carriera.Body, 3);
    bgs.parse_CarrierLocation(journalLine("T", "CarrierLocation", R"("StarSystem":"Other")"));
    QCOMPARE(core->state.dane_carriera.StarSystem, QStringLiteral("Other"));
    QCOMPARE(core->state.dane_carriera.Body, 3);
    bgs.parse_CarrierLocation("[]");
    QCOMPARE(core->state.dane_carriera.StarSystem, QStringLiteral("Other"));

    // A freshly bought carrier: negative balances.
    bgs.parse_Carrier(fixtureLine(QStringLiteral("CarrierStats.jsonl"), 2));
    const TCarrier& c = core->state.dane_carriera;
    QCOMPARE(c.CarrierID, quint64(3709427968));
    QCOMPARE(c.CarrierName, QStringLiteral("QRT"));
    QCOMPARE(c.CarrierBalance, qint64(-5000000));
    QCOMPARE(c.AvailableBalance, qint64(-5000000));
    QCOMPARE(core->mainWindow().carrierName.value_or(QStringLiteral("-/-")), QStringLiteral("QRT"));
    QCOMPARE(IniFile(ini).readString(QStringLiteral("Carrier"), QStringLiteral("Name")),
             QStringLiteral("QRT"));
    QVERIFY(!IniFile(ini).valueExists(QStringLiteral("Carrier"), QStringLiteral("CarrierID")));

    // Without a name: emptied, label and file untouched; missing keys keep values.
    const QByteArray file = readFile(ini);
    bgs.parse_Carrier(journalLine("T", "CarrierStats", R"("Finance":{ "CarrierBalance":7 })"));
    QVERIFY(c.CarrierName.isEmpty());
    QCOMPARE(c.CarrierID, quint64(3709427968));
    QCOMPARE(c.CarrierBalance, qint64(7));
    QCOMPARE(c.AvailableBalance, qint64(-5000000));
    QCOMPARE(core->mainWindow().carrierName.value_or(QStringLiteral("-/-")), QStringLiteral("QRT"));
    QCOMPARE(readFile(ini), file);
}

void SystemInfoTest::carrierLocation_ownCarrierOnly_data()
{
    QTest::addColumn<QByteArray>("lines");  // journal lines after a Commander line
    QTest::addColumn<QString>("system");
    QTest::addColumn<int>("body");
    QTest::addColumn<quint64>("carrierId");
    const QByteArray own =
        R"({ "timestamp":"2025-11-13T16:13:23Z", "event":"CarrierLocation", )"
        R"("CarrierType":"FleetCarrier", "CarrierID":3707956480, "StarSystem":"Dewindji", )"
        R"("SystemAddress":11667412952457, "BodyID":3 })"
        "\r\n";
    const QByteArray squadron =
        R"({ "timestamp":"2025-11-13T16:13:26Z", "event":"CarrierLocation", )"
        R"("CarrierType":"SquadronCarrier", "CarrierID":3713124352, "StarSystem":"LHS 5333", )"
        R"("SystemAddress":1183364158186, "BodyID":1 })"
        "\r\n";
    const QByteArray older =
        R"({ "timestamp":"2024-03-02T09:00:05Z", "event":"CarrierLocation", )"
        R"("CarrierID":3707956480, "StarSystem":"Dewindji", "SystemAddress":11667412952457, )"
        R"("BodyID":3 })"
        "\r\n";
    QTest::newRow("own, then squadron's") << own + squadron << "Dewindji" << 3 << quint64(3707956480);
    QTest::newRow("squadron's alone") << squadron << "" << 0 << quint64(0);
    QTest::newRow("before the carrier type") << older << "Dewindji" << 3 << quint64(3707956480);
}

void SystemInfoTest::carrierLocation_ownCarrierOnly()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, system);
    QFETCH(int, body);
    QFETCH(quint64, carrierId);
    fx->append(journalLine("2025-11-13T16:13:20Z", "Commander", R"("FID":"F123", "Name":"Jan")") + lines);
    fx->pass();
    const TCarrier& c = core->state.dane_carriera;
    QCOMPARE(c.StarSystem, system);
    QCOMPARE(c.Body, body);
    QCOMPARE(c.CarrierID, carrierId);
}

void SystemInfoTest::ship()
{
    ShipInfo& ship = core->ship();
    ship.Parse_Statek(
        journalLine("T", "Loadout", R"("Ship":"type9", "ShipName":"<b>Hauler</b>", "CargoCapacity":790)"));
    QCOMPARE(ship.statek_typ, u(u"\U0001F680 type9"));
    QCOMPARE(ship.statek_nazwa, u(u"\U0001F3F7\uFE0F <b>Hauler</b>"));
    QCOMPARE(ship.statek_cargo, u(u"\U0001F4E6 790"));
    QCOMPARE(core->state.DaneStatku.CargoCapacity, 790);

    QVERIFY_THROWS_EXCEPTION(TessivarError, ship.Parse_Statek("[]"));
    QCOMPARE(ship.statek_cargo, u(u"\U0001F4E6 790"));

    ship.Parse_Statek("not json");
    QCOMPARE(ship.statek_typ, u(u"\U0001F680 "));
    QCOMPARE(ship.statek_cargo, u(u"\U0001F4E6 0"));
    QCOMPARE(core->state.DaneStatku.CargoCapacity, 0);
}

void SystemInfoTest::replayedSession_fillsState()
{
    REQUIRE_SHARED(path, QStringLiteral("journals/rster2002__ed-journals/Journal.2025-06-20T213114.01.log"));
    fx->append(readFile(path), QStringLiteral("Journal.2025-06-20T213114.01.log"));
    fx->pass();
    const GameState& st = core->state;
    QVERIFY(!st.dane_CMDR.Name.isEmpty());
    QVERIFY(!st.dane_systemu.StarSystem.isEmpty());
    QVERIFY(st.DaneStatku.CargoCapacity > 0);
    QVERIFY(core->systemInfo().sg_frakcje.rowCount() > 1);
    QCOMPARE(core->systemInfo().system_name, u(u"\U0001FA90 ") + st.dane_systemu.StarSystem);
    QCOMPARE(core->ship().statek_cargo, u(u"\U0001F4E6 ") + QString::number(st.DaneStatku.CargoCapacity));
    const QJsonObject dump = core->dumpJson();
    QCOMPARE(dump.value(QStringLiteral("f_BGS")).toObject().value(QStringLiteral("system_name")).toString(),
             core->systemInfo().system_name);
    QVERIFY(dump.value(QStringLiteral("f_BGS")).toObject().value(QStringLiteral("pie")).toArray().size() > 1);
}

QTEST_GUILESS_MAIN(SystemInfoTest)
#include "system_info_test.moc"
