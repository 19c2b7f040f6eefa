#include "CargoTestUtil.h"
#include "common/Error.h"
#include "journal/JournalPass.h"
#include "missions/MissionModule.h"
#include "mobile/MobileLink.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class ReconciliationTest : public QObject
{
    Q_OBJECT
private slots:
    void workedExample();
    void realJournalLines_data();
    void realJournalLines();
    void nameSpellings_data();
    void nameSpellings();
    void everyMatchingRowStopsAtZero();
    void surplusTransfer_leavesZeroAndTheRightTotal_data();
    void surplusTransfer_leavesZeroAndTheRightTotal();
    void badLines_data();
    void badLines();
    void ownListFollowsWhileAnotherSourceIsShown();
    void saleAtOwnCarrierKnownFromItsLocation();
    void replayedSession();
    void phoneGetsTheListAndItsLossStopsNothing();
};

namespace {

// A journal line of the kind the dispatch table hands on ("transfer" or "sell"; no other kind changes
// anything).
void apply(CargoReconciler& reconciler, const QString& typ, const QByteArray& line)
{
    if (typ == QLatin1String("sell"))
        reconciler.applySale(line);
    else if (typ == QLatin1String("transfer"))
        reconciler.applyTransfer(line);
}

constexpr quint64 kOwnCarrier = 3709000001;

void writeIni(CoreFixture& fx, const QByteArray& text)
{
    writeFile(fx.dataDir.filePath(QStringLiteral("zaladunek.ini")), text);
}

// Docked at a carrier: the own one unless another market id is given.
void dockAt(TessivarCore& core, quint64 market = kOwnCarrier)
{
    core.state.dane_carriera.CarrierID = kOwnCarrier;
    TDaneDokowania& d = core.state.dane_dokowania;
    d.StationName = market == kOwnCarrier ? QStringLiteral("H1V-L3B") : QStringLiteral("K7Q-BQL");
    d.StationType = QStringLiteral("FleetCarrier");
    d.MarketID = market;
}

QByteArray transfer(const char* ts, const QByteArray& type, int count, const QByteArray& localised = {},
                    const char* direction = "tocarrier")
{
    QByteArray t = "{ \"Type\":\"" + type + "\", ";
    if (!localised.isEmpty())
        t += "\"Type_Localised\":\"" + localised + "\", ";
    t += "\"Count\":" + QByteArray::number(count) + ", \"Direction\":\"" + direction + "\" }";
    return journalLine(ts, "CargoTransfer", "\"Transfers\":[ " + t + " ]");
}

QByteArray sell(const char* ts, const QByteArray& type, int count, quint64 market)
{
    return journalLine(ts, "MarketSell",
                       "\"MarketID\":" + QByteArray::number(market) + ", \"Type\":\"" + type +
                           "\", \"Count\":" + QByteArray::number(count) +
                           ", \"SellPrice\":100, \"TotalSale\":100, \"AvgPricePaid\":90");
}

QByteArray cargoJson(const QByteArray& inventory)
{
    return "{ \"timestamp\":\"x\", \"event\":\"Cargo\", \"Vessel\":\"Ship\", \"Inventory\":[ " + inventory +
           " ] }\r\n";
}

}  // namespace

void ReconciliationTest::workedExample()
{
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nCeramic Composites=1000\r\n");
    TessivarCore& core = fx.start();
    dockAt(core);
    core.state.DaneStatku.CargoCapacity = 256;
    core.cargo().reconciler().applyTransfer(transfer("t", "ceramiccomposites", 720));
    core.cargo().refreshTrips();
    QCOMPARE(gridText(core.cargo().loadingList),
             QStringLiteral("TOWAR,ILOSC|Ceramic Composites,280,1-24|TOTAL,280,1-24"));
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Ceramic Composites=280"));
}

void ReconciliationTest::realJournalLines_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("stored");
    QTest::newRow("German Type_Localised") << "CargoTransfer.jsonl" << 0 << "transfer"
                                           << QByteArray("Thargoid Heart=3\nThargoidenherz=5\nGold=1\n")
                                           << "Thargoid Heart=2|Thargoidenherz=4|Gold=1";
    QTest::newRow("no Type_Localised")
        << "CargoTransfer.jsonl" << 1 << "transfer" << QByteArray("Tritium=1000\n") << "Tritium=216";
    QTest::newRow("to the ship") << "CargoTransfer.jsonl" << 2 << "transfer"
                                 << QByteArray("Guardian Relic=10\nancientrelic=10\n")
                                 << "Guardian Relic=10|ancientrelic=10";
    QTest::newRow("colonisation commodity") << "CargoTransfer.jsonl" << 3 << "transfer"
                                            << QByteArray("CMM Composite=1000\n") << "CMM Composite=216";
    QTest::newRow("both ways in one event")
        << "reserialised/CargoTransfer.jsonl" << 0 << "transfer"
        << QByteArray("CMM Composite=1000\nPolymers=500\n") << "CMM Composite=224|Polymers=500";
    QTest::newRow("same type twice") << "reserialised/CargoTransfer.jsonl" << 1 << "transfer"
                                     << QByteArray("Limpet=100\nTritium=200\n") << "Limpet=50|Tritium=6";
    QTest::newRow("sold to a carrier")
        << "MarketSell.jsonl" << 2 << "sell" << QByteArray("Tritium=1000\n") << "Tritium=248";
    QTest::newRow("sold, localised name")
        << "MarketSell.jsonl" << 1 << "sell" << QByteArray("Agronomic Treatment=500\n")
        << "Agronomic Treatment=80";
}

void ReconciliationTest::realJournalLines()
{
    QFETCH(QString, fixture);
    QFETCH(int, line);
    QFETCH(QString, typ);
    QFETCH(QByteArray, file);
    QFETCH(QString, stored);
    const QList<QByteArray> lines = fixtureLines(fixture);
    if (lines.isEmpty())
        QSKIP("shared fixtures are not available");
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\n" + file);
    TessivarCore& core = fx.start();
    dockAt(core);
    apply(core.cargo().reconciler(), typ, lines.at(line));
    QCOMPARE(zaladunekText(core.cargo()), stored);
    // The list shows what the file holds (no hold known: trips "0"), with a fresh TOTAL row.
    QStringList rows{QStringLiteral("TOWAR,ILOSC")};
    qint64 total = 0;
    for (const QString& entry : stored.split(QLatin1Char('|'))) {
        rows.append(QString(entry).replace(QLatin1Char('='), QLatin1Char(',')) + QStringLiteral(",0"));
        total += entry.section(QLatin1Char('='), 1).toLongLong();
    }
    rows.append(QStringLiteral("TOTAL,%1,0").arg(total));
    QCOMPARE(gridText(core.cargo().loadingList), rows.join(QLatin1Char('|')));
}

void ReconciliationTest::nameSpellings_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("localised");
    QTest::addColumn<bool>("reduced");
    QTest::newRow("hyphen, localised") << QByteArray("Non-Lethal Weapons") << QByteArray("nonlethalweapons")
                                       << QByteArray("Non-Lethal Weapons") << true;
    QTest::newRow("hyphen, type only")
        << QByteArray("Non-Lethal Weapons") << QByteArray("nonlethalweapons") << QByteArray() << true;
    QTest::newRow("hyphen typed in the type")
        << QByteArray("Non-Lethal Weapons") << QByteArray("non-lethalweapons") << QByteArray() << true;
    QTest::newRow("full stops, localised")
        << QByteArray("H.E. Suits") << QByteArray("hesuits") << QByteArray("H.E. Suits") << true;
    QTest::newRow("other game language")
        << QByteArray("Keramikverbundstoffe") << QByteArray("ceramiccomposites")
        << QByteArray("Keramikverbundstoffe") << true;
    QTest::newRow("blanks and letter case")
        << QByteArray("Ceramic  Composites") << QByteArray("ceramiccomposites") << QByteArray() << true;
    // The pick lists' and the hub's names, against the type the game writes.
    QTest::newRow("pick list Computer")
        << QByteArray("Computer") << QByteArray("computercomponents") << QByteArray() << true;
    QTest::newRow("hub Components Computer")
        << QByteArray("Components Computer") << QByteArray("ComputerComponents") << QByteArray() << true;
    QTest::newRow("Combat Stabilizers")
        << QByteArray("Combat Stabilizers") << QByteArray("combatstabilisers") << QByteArray() << true;
    QTest::newRow("Agri-Medicines") << QByteArray("Agri-Medicines") << QByteArray("agriculturalmedicines")
                                    << QByteArray() << true;
    QTest::newRow("H.E. Suits, type only")
        << QByteArray("H.E. Suits") << QByteArray("hazardousenvironmentsuits") << QByteArray() << true;
    QTest::newRow("Land Enrichment Systems")
        << QByteArray("Land Enrichment Systems") << QByteArray("terrainenrichmentsystems") << QByteArray()
        << true;
    QTest::newRow("Microbial Furnaces")
        << QByteArray("Microbial Furnaces") << QByteArray("heliostaticfurnaces") << QByteArray() << true;
    QTest::newRow("Muon Imager") << QByteArray("Muon Imager") << QByteArray("mutomimager") << QByteArray()
                                 << true;
    QTest::newRow("site's Liquid oxygen")
        << QByteArray("Liquid oxygen") << QByteArray("liquidoxygen") << QByteArray() << true;
    QTest::newRow("water is not water purifiers")
        << QByteArray("Water") << QByteArray("waterpurifiers") << QByteArray("Water Purifiers") << false;
    QTest::newRow("other commodity") << QByteArray("Steel") << QByteArray("titanium")
                                     << QByteArray("Titanium") << false;
}

void ReconciliationTest::nameSpellings()
{
    QFETCH(QByteArray, row);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, localised);
    QFETCH(bool, reduced);
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\n" + row + "=100\r\n");
    TessivarCore& core = fx.start();
    dockAt(core);
    core.cargo().reconciler().applyTransfer(transfer("t", type, 30, localised));
    QCOMPARE(core.cargo().loadingList.cell(1, 1), reduced ? QStringLiteral("70") : QStringLiteral("100"));
    QCOMPARE(zaladunekText(core.cargo()), QString::fromUtf8(row + (reduced ? "=70" : "=100")));
}

void ReconciliationTest::everyMatchingRowStopsAtZero()
{
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=100\r\n");
    TessivarCore& core = fx.start();
    dockAt(core);
    core.state.DaneStatku.CargoCapacity = 256;
    core.cargo().loadingList.setAll({{"TOWAR", "ILOSC"}, {"Steel", "100"}, {"Tea", "50"}, {"Steel", "300"}});
    core.cargo().reconciler().applyTransfer(transfer("t", "steel", 250));
    core.cargo().refreshTrips();
    QCOMPARE(gridText(core.cargo().loadingList),
             QStringLiteral("TOWAR,ILOSC|Steel,0,0|Tea,50,0-50|Steel,50,0-50|TOTAL,100,0-100"));
    // Both rows write the same key; the last one written stays.
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Steel=50"));
}

void ReconciliationTest::surplusTransfer_leavesZeroAndTheRightTotal_data()
{
    QTest::addColumn<QString>("source");  // the list shown while the transfer is read
    QTest::newRow("own list shown") << QStringLiteral("My Carrier");
    QTest::newRow("mission totals shown") << QStringLiteral("Trade Missions");
}

void ReconciliationTest::surplusTransfer_leavesZeroAndTheRightTotal()
{
    QFETCH(QString, source);
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=384\r\nAluminium=1200\r\nTitanium=490\r\n");
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = 224;
    dockAt(core);
    core.cargo().selectEntry(source);
    // 768 t of steel where 384 were still to bring: the surplus is no debt.
    core.cargo().reconciler().applyTransfer(transfer("t", "steel", 768, "Steel"));
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Steel=0|Aluminium=1200|Titanium=490"));
    core.cargo().selectEntry(QStringLiteral("My Carrier"));
    QCOMPARE(gridText(core.cargo().loadingList),
             QStringLiteral("TOWAR,ILOSC|Steel,0,0|Aluminium,1200,5-80|Titanium,490,2-42|TOTAL,1690,7-122"));
    // A second delivery of the same finds nothing left to take off.
    core.cargo().reconciler().applyTransfer(transfer("t", "steel", 10, "Steel"));
    QCOMPARE(gridText(core.cargo().loadingList),
             QStringLiteral("TOWAR,ILOSC|Steel,0,0|Aluminium,1200,5-80|Titanium,490,2-42|TOTAL,1690,7-122"));
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Steel=0|Aluminium=1200|Titanium=490"));
    QVERIFY(fx.ui.messages().isEmpty());
}

void ReconciliationTest::badLines_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QString>("stored");
    const QString untouched = QStringLiteral("Steel=100|Tea=50");
    QTest::newRow("not JSON") << "transfer" << QByteArray("{ \"event\":\"CargoTransfer\", \"Transfers\":[")
                              << false << untouched;
    QTest::newRow("JSON, not an object") << "transfer" << QByteArray("[ 1 ]") << true << untouched;
    QTest::newRow("no Transfers") << "transfer" << journalLine("t", "CargoTransfer") << true << untouched;
    QTest::newRow("Transfers not an array")
        << "transfer" << journalLine("t", "CargoTransfer", "\"Transfers\":{}") << true << untouched;
    QTest::newRow("no Direction") << "transfer"
                                  << journalLine("t", "CargoTransfer",
                                                 "\"Transfers\":[ { \"Type\":\"steel\", \"Count\":1 } ]")
                                  << true << untouched;
    QTest::newRow("Count a text")
        << "transfer"
        << journalLine(
               "t", "CargoTransfer",
               "\"Transfers\":[ { \"Type\":\"steel\", \"Count\":\"1\", \"Direction\":\"tocarrier\" } ]")
        << true << untouched;
    QTest::newRow("to the ship needs no type")
        << "transfer" << journalLine("t", "CargoTransfer", "\"Transfers\":[ { \"Direction\":\"toship\" } ]")
        << false << untouched;
    QTest::newRow("second element faulty, first stays reduced")
        << "transfer"
        << journalLine("t", "CargoTransfer",
                       "\"Transfers\":[ { \"Type\":\"tea\", \"Count\":5, \"Direction\":\"tocarrier\" }, "
                       "{ \"Type\":\"steel\", \"Direction\":\"tocarrier\" } ]")
        << true << "Steel=100|Tea=45";
    QTest::newRow("sale without Type")
        << "sell" << journalLine("t", "MarketSell", "\"Count\":5") << true << untouched;
    QTest::newRow("sale, not JSON") << "sell" << QByteArray("garbage \"event\":\"MarketSell\"") << false
                                    << untouched;
    QTest::newRow("unknown kind") << "buy" << sell("t", "steel", 5, 1) << false << untouched;
}

void ReconciliationTest::badLines()
{
    QFETCH(QString, typ);
    QFETCH(QByteArray, line);
    QFETCH(bool, fails);
    QFETCH(QString, stored);
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=100\r\nTea=50\r\n");
    TessivarCore& core = fx.start();
    dockAt(core);
    if (fails)
        QVERIFY_THROWS_EXCEPTION(TessivarError, apply(core.cargo().reconciler(), typ, line));
    else
        apply(core.cargo().reconciler(), typ, line);
    QCOMPARE(zaladunekText(core.cargo()), stored);
}

void ReconciliationTest::ownListFollowsWhileAnotherSourceIsShown()
{
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=1000\r\nTea=50\r\n");
    TessivarCore& core = fx.start();
    CargoModule& cargo = core.cargo();
    dockAt(core);
    core.mission().mission_commodites = {{QStringLiteral("Gold"), 20}};
    cargo.selectEntry(QStringLiteral("Trade Missions"));
    const QString missions = QStringLiteral("TOWAR,ILOSC|Gold,20,0|TOTAL,20,0");
    QCOMPARE(gridText(cargo.loadingList), missions);

    cargo.reconciler().applyTransfer(transfer("t", "steel", 100));
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Steel=900|Tea=50"));
    QCOMPARE(gridText(cargo.loadingList), missions);

    cargo.reconciler().applySale(sell("t", "steel", 200, kOwnCarrier));
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Steel=700|Tea=50"));

    // Someone else's carrier, or an own carrier not known yet: the own list stays.
    dockAt(core, 3700000002);
    cargo.reconciler().applySale(sell("t", "steel", 200, 3700000002));
    core.state.dane_carriera.CarrierID = 0;
    cargo.reconciler().applySale(sell("t", "steel", 200, 3700000002));
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Steel=700|Tea=50"));
    QCOMPARE(gridText(cargo.loadingList), missions);
    // Another source shown: nothing to explain about the own list.
    QVERIFY(fx.ui.messages().isEmpty());

    // A hub carrier id shown: transfers still reach the own list.
    dockAt(core);
    cargo.appendSelectorEntry(QStringLiteral("K7Q-12X"));
    cargo.reconciler().applyTransfer(transfer("t", "tea", 50));
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Steel=700|Tea=0"));

    cargo.selectEntry(QStringLiteral("My Carrier"));
    QCOMPARE(gridText(cargo.loadingList), QStringLiteral("TOWAR,ILOSC|Steel,700,0|Tea,0,0|TOTAL,700,0"));
    QVERIFY(fx.ui.messages().isEmpty());
}

void ReconciliationTest::replayedSession()
{
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nCeramic Composites=1000\r\nSteel=600\r\n");
    const QString cargoFile = fx.journalDir.filePath(QStringLiteral("Cargo.json"));
    writeFile(cargoFile, cargoJson(""));
    // History of the current journal: read on the first pass, never reconciled.
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader") +
              journalLine("2025-01-01T10:00:01Z", "Loadout", "\"Ship\":\"type9\", \"CargoCapacity\":256") +
              transfer("2025-01-01T10:00:02Z", "steel", 500));
    TessivarCore& core = fx.start();
    CargoModule& cargo = core.cargo();
    // The loading list is there before the first pass, without any window.
    QCOMPARE(gridText(cargo.loadingList),
             QStringLiteral("TOWAR,ILOSC|Ceramic Composites,1000,0|Steel,600,0|TOTAL,1600,0"));
    core.state.DaneStatku.CargoCapacity = 256;
    dockAt(core);

    fx.pass();
    QCOMPARE(gridText(cargo.loadingList),
             QStringLiteral("TOWAR,ILOSC|Ceramic Composites,1000,3-232|Steel,600,2-88|TOTAL,1600,6-64"));
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Ceramic Composites=1000|Steel=600"));
    QCOMPARE(gridText(cargo.hold().table), QStringLiteral("TOWAR,ILOSC"));

    // Bought at a station: the hold fills, the list waits.
    writeFile(cargoFile,
              cargoJson("{ \"Name\":\"ceramiccomposites\", \"Name_Localised\":\"Ceramic Composites\", "
                        "\"Count\":256, \"Stolen\":0 }"));
    fx.append(
        journalLine("2025-01-01T10:05:00Z", "MarketBuy",
                    "\"MarketID\":128000000, \"Type\":\"ceramiccomposites\", \"Type_Localised\":\"Ceramic "
                    "Composites\", \"Count\":256, \"BuyPrice\":500, \"TotalCost\":128000"));
    fx.pass();
    QCOMPARE(gridText(cargo.hold().table), QStringLiteral("TOWAR,ILOSC|ceramiccomposites,256"));
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Ceramic Composites=1000|Steel=600"));

    // Moved to the carrier.
    writeFile(cargoFile, cargoJson(""));
    fx.append(transfer("2025-01-01T10:20:00Z", "ceramiccomposites", 256, "Ceramic Composites"));
    fx.pass();
    QCOMPARE(gridText(cargo.loadingList),
             QStringLiteral("TOWAR,ILOSC|Ceramic Composites,744,2-232|Steel,600,2-88|TOTAL,1344,5-64"));
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Ceramic Composites=744|Steel=600"));
    QCOMPARE(gridText(cargo.hold().table), QStringLiteral("TOWAR,ILOSC"));

    // Sold on the own carrier's market.
    fx.append(sell("2025-01-01T10:30:00Z", "steel", 200, kOwnCarrier));
    fx.pass();
    QCOMPARE(gridText(cargo.loadingList),
             QStringLiteral("TOWAR,ILOSC|Ceramic Composites,744,2-232|Steel,400,1-144|TOTAL,1144,4-120"));
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Ceramic Composites=744|Steel=400"));

    // Missions shown: the own file still follows transfers and own-carrier sales only.
    core.mission().mission_commodites = {{QStringLiteral("Gold"), 300}};
    cargo.selectEntry(QStringLiteral("Trade Missions"));
    fx.append(transfer("2025-01-01T10:40:00Z", "ceramiccomposites", 100));
    fx.pass();
    QCOMPARE(gridText(cargo.loadingList), QStringLiteral("TOWAR,ILOSC|Gold,300,1-44|TOTAL,300,1-44"));
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Ceramic Composites=644|Steel=400"));
    dockAt(core, 3700000002);
    fx.append(sell("2025-01-01T10:50:00Z", "steel", 50, 3700000002));
    fx.pass();
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Ceramic Composites=644|Steel=400"));

    cargo.selectEntry(QStringLiteral("My Carrier"));
    QCOMPARE(gridText(cargo.loadingList),
             QStringLiteral("TOWAR,ILOSC|Ceramic Composites,644,2-132|Steel,400,1-144|TOTAL,1044,4-20"));
    QCOMPARE(core.pass().lastReport, QStringList());
}

void ReconciliationTest::saleAtOwnCarrierKnownFromItsLocation()
{
    // A session of late 2025: no CarrierStats (the carrier screen was never
    // opened), the squadron's carrier placed after the own one.
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nComputer=1200\r\nCombat Stabilizers=500\r\n");
    TessivarCore& core = fx.start();
    fx.append(
        journalLine("2025-11-13T16:13:20Z", "Commander", R"("FID":"F123", "Name":"Jan")") +
        journalLine("2025-11-13T16:13:23Z", "CarrierLocation",
                    R"("CarrierType":"FleetCarrier", "CarrierID":3707956480, "StarSystem":"Dewindji", )"
                    R"("SystemAddress":11667412952457, "BodyID":3)") +
        journalLine("2025-11-13T16:13:26Z", "CarrierLocation",
                    R"("CarrierType":"SquadronCarrier", "CarrierID":3713124352, "StarSystem":"LHS 5333", )"
                    R"("SystemAddress":1183364158186, "BodyID":1)"));
    fx.pass();
    core.mission().mission_commodites = {{QStringLiteral("Gold"), 20}};
    core.cargo().selectEntry(QStringLiteral("Trade Missions"));
    core.state.dane_dokowania.StationName = QStringLiteral("VHJ-9KY");
    core.state.dane_dokowania.StationType = QStringLiteral("FleetCarrier");
    core.state.dane_dokowania.MarketID = 3707956480;
    fx.append(sell("2025-11-13T17:00:00Z", "computercomponents", 200, 3707956480) +
              sell("2025-11-13T17:01:00Z", "combatstabilisers", 50, 3707956480));
    fx.pass();
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Computer=1000|Combat Stabilizers=450"));
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC|Gold,20,0|TOTAL,20,0"));
}

void ReconciliationTest::phoneGetsTheListAndItsLossStopsNothing()
{
    QTcpServer phone;
    QVERIFY(phone.listen(QHostAddress::LocalHost));
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=1000\r\n");
    TessivarCore& core = fx.start();
    dockAt(core);
    MobileLink& link = core.mobile();
    link.setPort(phone.serverPort());
    link.set_udp_config(QStringLiteral("127.0.0.1"));
    QVERIFY(phone.waitForNewConnection(10000));
    QTcpSocket* socket = phone.nextPendingConnection();
    QVERIFY(link.waitUntilSettled(10000));
    QVERIFY(link.isConnected());

    core.cargo().reconciler().applyTransfer(transfer("t", "steel", 256));
    QVERIFY(link.waitUntilSettled(10000));
    QByteArray received;
    const QDeadlineTimer deadline(10000);
    for (;;) {
        received += socket->readAll();
        if (received.contains("Z:Steel:744") || deadline.hasExpired())
            break;
        socket->waitForReadyRead(100);
    }
    QVERIFY2(received.contains("Z:Steel:744"), received.constData());

    // The phone goes away; the list and its file go on following the journal.
    socket->abort();
    core.cargo().reconciler().applyTransfer(transfer("t", "steel", 44));
    core.cargo().reconciler().applyTransfer(transfer("t", "steel", 100));
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Steel=600"));
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC|Steel,600,0|TOTAL,600,0"));
}

QTEST_GUILESS_MAIN(ReconciliationTest)
#include "reconciliation_test.moc"
