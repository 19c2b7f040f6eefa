#include "TestSupport.h"

#include "MainWindowModel.h"
#include "construction/ConstructionModule.h"
#include "journal/JournalBatch.h"
#include "journal/JournalPass.h"
#include "journal/JournalReader.h"
#include "journal/LogModel.h"
#include "state/RecordsJson.h"
#include "state/ShipInfo.h"

#include <QTest>

namespace {

QStringList calls(const TessivarCore& core, int pass)
{
    QStringList out;
    for (const auto& d : const_cast<TessivarCore&>(core).pass().dispatched)
        if (d.pass == pass)
            out.append(d.handler + QLatin1Char(':') + d.event);
    return out;
}

}  // namespace

class DispatchTest : public QObject
{
    Q_OBJECT
private slots:
    void gating_data();
    void gating();
    void matchRuleIsTheQuotedPair();
    void twoPatternsInOneLineRunInTableOrder();
    void sellCountsOnlyAtFleetCarrier();
    void repeatedTimestampStillDispatchesNewLines();
    void historyKeepsOnlyTheNewestLoadout();
    void historyLoadout_sameAsParsingEveryOne_data();
    void historyLoadout_sameAsParsingEveryOne();
    void logViewLosesOneLinePerPass();
    void newJournalFileIsReadFromItsStart();
    void dockInfo_data();
    void dockInfo();
    void nonUtf8Bytes_decodedWithReplacement_data();
    void nonUtf8Bytes_decodedWithReplacement();
};

void DispatchTest::gating_data()
{
    QTest::addColumn<QByteArray>("event");
    QTest::addColumn<QByteArray>("extra");
    QTest::addColumn<QStringList>("firstPass");
    QTest::addColumn<QStringList>("laterPass");
    const QStringList none;
    QTest::newRow("Location") << QByteArray("Location") << QByteArray()
                              << QStringList{"parse_BGS:Location", "send_to_host:Location"}
                              << QStringList{"parse_BGS:Location", "send_to_host:Location"};
    QTest::newRow("FSDJump") << QByteArray("FSDJump") << QByteArray() << none
                             << QStringList{"parse_BGS:FSDJump", "send_to_host:FSDJump"};
    // Written at every login; the totals are rebuilt from each one.
    QTest::newRow("Missions") << QByteArray("Missions") << QByteArray()
                              << QStringList{"parse_mission_list:Missions"}
                              << QStringList{"parse_mission_list:Missions"};
    QTest::newRow("MarketBuy")
        << QByteArray("MarketBuy")
        << QByteArray(R"("MarketID":1, "Type":"steel", "Count":1, "BuyPrice":1, "TotalCost":1)") << none
        << QStringList{"add_last_shopping:MarketBuy", "przeszukaj_market:MarketBuy"};
    QTest::newRow("CargoTransfer toship")
        << QByteArray("CargoTransfer")
        << QByteArray(R"("Transfers":[{"Type":"steel","Count":1,"Direction":"toship"}])") << none << none;
    QTest::newRow("CargoTransfer tocarrier")
        << QByteArray("CargoTransfer")
        << QByteArray(R"("Transfers":[{"Type":"steel","Count":1,"Direction":"tocarrier"}])") << none
        << QStringList{"sprawdz_zaladunek:CargoTransfer", "add_zaladunek_ilosc_kursow:CargoTransfer"};
    QTest::newRow("Loadout") << QByteArray("Loadout") << QByteArray()
                             << QStringList{"Parse_Statek:Loadout", "add_zaladunek_ilosc_kursow:Loadout"}
                             << QStringList{"Parse_Statek:Loadout", "add_zaladunek_ilosc_kursow:Loadout"};
    QTest::newRow("depot")
        << QByteArray("ColonisationConstructionDepot")
        << QByteArray(R"("MarketID":1, "ConstructionProgress":0.5, "ConstructionComplete":false, )"
                      R"("ConstructionFailed":false, "ResourcesRequired":[ ])")
        << none
        << QStringList{"czytaj_budowe_z_logu:ColonisationConstructionDepot",
                       "send_to_host:ColonisationConstructionDepot"};
    QTest::newRow("unknown") << QByteArray("Music") << QByteArray() << none << none;
}

void DispatchTest::gating()
{
    QFETCH(QByteArray, event);
    QFETCH(QByteArray, extra);
    QFETCH(QStringList, firstPass);
    QFETCH(QStringList, laterPass);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fx.append(journalLine("2025-01-01T10:00:00Z", event.constData(), extra));
    fx.pass();
    QCOMPARE(calls(core, 1), firstPass);
    fx.append(journalLine("2025-01-01T10:00:05Z", event.constData(), extra));
    fx.pass();
    QCOMPARE(calls(core, 2), laterPass);
}

void DispatchTest::matchRuleIsTheQuotedPair()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    fx.pass();
    // "Market" must not match MarketSell/MarketBuy, nor "CarrierJump" CarrierJumpRequest;
    // a line that is not valid JSON can still match.
    fx.append(journalLine("2025-01-01T10:00:01Z", "MarketSell") +
              journalLine("2025-01-01T10:00:02Z", "CarrierJumpRequest") +
              "{ \"timestamp\":\"2025-01-01T10:00:03Z\", \"event\":\"Market\", broken\r\n");
    fx.pass();
    QCOMPARE(calls(core, 2), (QStringList{"przeszukaj_market:Market"}));
}

void DispatchTest::twoPatternsInOneLineRunInTableOrder()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fx.append(journalLine("2025-01-01T10:00:00Z", "Docked", R"("x":{ "event":"Commander" })"));
    fx.pass();
    QCOMPARE(calls(core, 1), (QStringList{"parse_CMDR:Commander", "parse_BGS:Docked"}));
}

void DispatchTest::sellCountsOnlyAtFleetCarrier()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    fx.pass();
    const QByteArray sale = R"("MarketID":1, "Type":"steel", "Count":1, "SellPrice":1, "TotalSale":1)";
    fx.append(journalLine("2025-01-01T10:00:01Z", "MarketSell", sale));
    fx.pass();
    QVERIFY(calls(core, 2).isEmpty());
    core.state.dane_dokowania.StationType = QStringLiteral("FleetCarrier");
    fx.append(journalLine("2025-01-01T10:00:02Z", "MarketSell", sale));
    fx.pass();
    QCOMPARE(calls(core, 3),
             (QStringList{"sprawdz_zaladunek:MarketSell", "add_zaladunek_ilosc_kursow:MarketSell"}));
    // Undocked empties the station type at that point of the walk: a later sale in the batch is not counted.
    fx.append(journalLine("2025-01-01T10:00:03Z", "Undocked") +
              journalLine("2025-01-01T10:00:04Z", "MarketSell"));
    fx.pass();
    QCOMPARE(calls(core, 4), (QStringList{"undock:Undocked"}));
    QCOMPARE(core.state.dane_dokowania.StationType, QString());
}

void DispatchTest::repeatedTimestampStillDispatchesNewLines()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    fx.pass();
    // Same second as the previous batch's newest line: still new lines, dispatched once each.
    fx.append(journalLine("2025-01-01T10:00:00Z", "Commander", "\"Name\":\"A\""));
    fx.pass();
    QCOMPARE(calls(core, 2), QStringList{"parse_CMDR:Commander"});
    fx.pass();
    QVERIFY(calls(core, 3).isEmpty());
    QCOMPARE(core.pass().last_time, QStringLiteral("2025-01-01T10:00:00Z"));
}

void DispatchTest::historyKeepsOnlyTheNewestLoadout()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fx.append(journalLine("2025-01-01T10:00:00Z", "Loadout", R"("Ship":"sidewinder", "CargoCapacity":4)") +
              journalLine("2025-01-01T10:00:01Z", "Loadout", R"("Ship":"type9", "CargoCapacity":784)") +
              journalLine("2025-01-01T10:00:02Z", "Music"));
    fx.pass();
    // The history's older loadout would only be overwritten: the newest is the one parsed.
    QCOMPARE(calls(core, 1), (QStringList{"Parse_Statek:Loadout", "add_zaladunek_ilosc_kursow:Loadout"}));
    QCOMPARE(core.state.DaneStatku.Ship, QStringLiteral("type9"));
    QCOMPARE(core.state.DaneStatku.CargoCapacity, 784);
    // Later batches handle every loadout, in order.
    fx.append(journalLine("2025-01-01T10:00:03Z", "Loadout", R"("Ship":"python", "CargoCapacity":288)") +
              journalLine("2025-01-01T10:00:04Z", "Loadout", R"("Ship":"cutter", "CargoCapacity":720)"));
    fx.pass();
    QCOMPARE(calls(core, 2).size(), 4);
    QCOMPARE(core.state.DaneStatku.Ship, QStringLiteral("cutter"));
}

void DispatchTest::historyLoadout_sameAsParsingEveryOne_data()
{
    QTest::addColumn<QList<QByteArray>>("loadouts");
    QTest::addColumn<QString>("ship");
    const auto loadout = [](const char* ts, const char* ship, int capacity, const char* modules = "") {
        return journalLine(ts, "Loadout",
                           QByteArray("\"Ship\":\"") + ship + "\", \"ShipID\":12, \"ShipName\":\"HAULER\", " +
                               "\"CargoCapacity\":" + QByteArray::number(capacity) + ", \"Modules\":[ " +
                               modules + " ]");
    };
    const QByteArray sidewinder =
        loadout("2025-01-01T10:00:00Z", "sidewinder", 4,
                R"({ "Slot":"CargoHatch", "Item":"modularcargobaydoor", "On":true })");
    const QByteArray type9 = loadout("2025-01-01T10:00:01Z", "type9", 784);
    // A module the game wrote as something other than an object stops the parse.
    const QByteArray broken = loadout("2025-01-01T10:00:02Z", "cutter", 720, "5");
    const QByteArray cut =
        "{ \"timestamp\":\"2025-01-01T10:00:03Z\", \"event\":\"Loadout\", \"Ship\":\"pyth\r\n";
    using L = QList<QByteArray>;
    QTest::newRow("newest sound") << L{sidewinder, type9} << "type9";
    QTest::newRow("newest fails") << L{sidewinder, type9, broken} << "type9";
    QTest::newRow("two newest fail") << L{sidewinder, broken, broken} << "sidewinder";
    QTest::newRow("every one fails") << L{broken, broken} << "";
    QTest::newRow("newest not JSON") << L{sidewinder, cut} << "";
}

void DispatchTest::historyLoadout_sameAsParsingEveryOne()
{
    QFETCH(QList<QByteArray>, loadouts);
    QFETCH(QString, ship);
    CoreFixture everyOne;
    TessivarCore& reference = everyOne.start();
    for (const QByteArray& line : loadouts) {
        try {
            reference.ship().Parse_Statek(line);
        } catch (const std::exception&) {
            // the record keeps what it held
        }
    }

    CoreFixture fx;
    TessivarCore& core = fx.start();
    QByteArray history;
    for (const QByteArray& line : loadouts)
        history += line + journalLine("2025-01-01T10:00:05Z", "Music");
    fx.append(history);
    fx.pass();
    QCOMPARE(toJson(core.state.DaneStatku), toJson(reference.state.DaneStatku));
    QCOMPARE(core.state.DaneStatku.Ship, ship);
    QCOMPARE(core.ship().statek_cargo, reference.ship().statek_cargo);
}

void DispatchTest::logViewLosesOneLinePerPass()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    QByteArray lines;
    for (int i = 0; i < 250; ++i)
        lines += journalLine("2025-01-01T10:00:00Z", "Music");
    fx.append(lines);
    fx.pass();
    QCOMPARE(core.log().count(), 249);  // trimmed once right after the read
    fx.pass();
    fx.pass();
    QCOMPARE(core.log().count(), 247);
}

void DispatchTest::newJournalFileIsReadFromItsStart()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fx.append(journalLine("2025-01-01T10:00:00Z", "Location"));
    fx.pass();
    const QString second = QStringLiteral("Journal.2025-01-02T000000.01.log");
    fx.append(journalLine("2025-01-02T10:00:00Z", "Fileheader") +
                  journalLine("2025-01-02T10:00:01Z", "FSDJump"),
              second);
    QFile f(fx.journalPath(second));
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(10), QFileDevice::FileModificationTime));
    f.close();
    fx.pass();
    QCOMPARE(core.journal().LastJournalFile, fx.journalPath(second));
    QCOMPARE(core.journal().JournalLog->size(), 2);
    // Not the first pass any more: the jump is acted on, the Missions row would not be.
    QCOMPARE(calls(core, 2), (QStringList{"parse_BGS:FSDJump", "send_to_host:FSDJump"}));
}

void DispatchTest::dockInfo_data()
{
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QString>("station");
    const QByteArray docked = R"({ "timestamp":"t", "event":"Docked", "StationName":"Dock A", )"
                              R"("StationType":"Coriolis", "StarSystem":"Sol", "SystemAddress":1, )"
                              R"("MarketID":3700000001, "StationFaction":{ "Name":"F" }, )"
                              R"("StationGovernment":"g", "StationGovernment_Localised":"G", )"
                              R"("StationServices":[ ], "StationEconomy":"e", )"
                              R"("StationEconomy_Localised":"E", "StationEconomies":[ ], )"
                              R"("DistFromStarLS":5.0, "LandingPads":{ "Small":1, "Medium":1, "Large":1 } })";
    const QByteArray undocked = R"({ "timestamp":"t", "event":"Undocked", "StationName":"Dock A" })";
    const QByteArray location =
        R"({ "timestamp":"t", "event":"Location", "Docked":true, "StationName":"Loc B", "MarketID":3700000002 })";
    const QByteArray onFoot = R"({ "timestamp":"t", "event":"Location", "Docked":false, "OnFoot":true })";
    const QByteArray other = R"({ "timestamp":"t", "event":"Music" })";
    using L = QList<QByteArray>;
    QTest::newRow("docked then undocked") << L{docked, undocked} << QString();
    QTest::newRow("undocked then docked") << L{undocked, docked} << QStringLiteral("Dock A");
    QTest::newRow("location docked newest") << L{docked, location} << QStringLiteral("Loc B");
    QTest::newRow("location then docked then other")
        << L{location, docked, other} << QStringLiteral("Dock A");
    QTest::newRow("location only") << L{location, other} << QStringLiteral("Loc B");
    QTest::newRow("relog on foot") << L{docked, onFoot} << QString();
    QTest::newRow("nothing leaves it unchanged") << L{other, "not json"} << QStringLiteral("previous");
}

// The dock follows the events in order, so one batch and one pass per line agree.
void DispatchTest::dockInfo()
{
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QString, station);
    for (const bool oneBatch : {true, false}) {
        CoreFixture fx;
        TessivarCore& core = fx.start();
        fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader"));
        fx.pass();
        core.state.dane_dokowania.StationName = QStringLiteral("previous");
        for (const QByteArray& line : lines) {
            fx.append(line + "\r\n");
            if (!oneBatch)
                fx.pass();
        }
        fx.pass();
        QCOMPARE(core.mainWindow().dockStation.value_or(QStringLiteral("-/-")), station);
        QCOMPARE(core.dumpJson().value("Info_Docked").toObject().value("StationName").toString(), station);
        if (station == QLatin1String("Dock A"))
            QCOMPARE(core.construct().Info_Docked.MarketID, QStringLiteral("3700000001"));
    }
}

void DispatchTest::nonUtf8Bytes_decodedWithReplacement_data()
{
    // A name with a Latin-1 byte (E9) or a cut UTF-8 sequence (C5 alone).
    QTest::addColumn<QByteArray>("extra");
    QTest::addColumn<QString>("name");
    QTest::newRow("Latin-1 byte") << QByteArray("Jos\xE9") << QString::fromUtf8("Jos\uFFFD");
    QTest::newRow("cut sequence") << QByteArray("\xC5 Port") << QString::fromUtf8("\uFFFD Port");
}

void DispatchTest::nonUtf8Bytes_decodedWithReplacement()
{
    QFETCH(QByteArray, extra);
    QFETCH(QString, name);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    writeFile(fx.journalDir.filePath(QStringLiteral("Cargo.json")), R"({ "Inventory":[ ] })");
    // A real Docked line with the station's name spoiled.
    QByteArray docked =
        readFile(testData(QStringLiteral("journal-samples/Docked.jsonl"))).split('\n').first();
    QVERIFY(docked.contains("\"Ray Gateway\""));
    docked.replace("\"Ray Gateway\"", '"' + extra + '"');
    fx.append(journalLine("2025-01-01T10:00:00Z", "Commander", "\"FID\":\"F1\", \"Name\":\"" + extra + '"') +
              docked + "\r\n");
    fx.pass();
    QCOMPARE(core.state.dane_CMDR.Name, name);
    QCOMPARE(core.state.dane_dokowania.StationName, name);
    QCOMPARE(core.mainWindow().dockStation.value_or(QStringLiteral("-/-")), name);
    QVERIFY(core.log().lineText(core.log().count() - 1).contains(name));
    QVERIFY2(fx.ui.messages().isEmpty(), qPrintable(fx.ui.messages().join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(DispatchTest)
#include "dispatch_test.moc"
