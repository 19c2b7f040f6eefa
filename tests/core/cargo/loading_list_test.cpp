#include "CargoTestUtil.h"
#include "common/Error.h"
#include "construction/ConstructionModule.h"
#include "markets/ShoppingDb.h"
#include "missions/MissionModule.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

class LoadingListTest : public QObject
{
    Q_OBJECT
private slots:
    void loadedWhenTheCoreStarts_data();
    void loadedWhenTheCoreStarts();
    void missingFile_keepsTheRows();
    void tripsText_data();
    void tripsText();
    void addLines_data();
    void addLines();
    void addWithoutKeeping_leavesTheFile();
    void addRefusesNamesTheFileCannotHold();
    void promptedAdds_data();
    void promptedAdds();
    void removeRow_dropsEverySpellingFromTheFile();
    void undo_restoresTheListAndTheFile_data();
    void undo_restoresTheListAndTheFile();
    void undo_endsAtADelivery();
    void emptyThenAdd_thenSave_skipsTheBlankRow();
    void save_writesEditsAndStopsAtABadRow_data();
    void save_writesEditsAndStopsAtABadRow();
    void totalRows();
    void tripsColumn_onlyForQuantities();
    void contractsFillTheList();
    void sources();
    void otherSourceShown_ownFileUntouched_data();
    void otherSourceShown_ownFileUntouched();
    void totalRowOfASite_isNeverAdded();
    void commonMaterials();
    void searchTakesTheRowsName();
    void dumpHoldsListsAndFile();
};

namespace {

void writeIni(CoreFixture& fx, const QByteArray& text)
{
    writeFile(fx.dataDir.filePath(QStringLiteral("zaladunek.ini")), text);
}

}  // namespace

void LoadingListTest::loadedWhenTheCoreStarts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("message");  // a text the one message holds, or empty for none
    QTest::addColumn<bool>("stops");
    QTest::newRow("two entries")
        << QByteArray("[zaladunek]\r\nSteel=100\r\nCeramic Composites=1000\r\n")
        << "TOWAR,ILOSC|Steel,100,0-100|Ceramic Composites,1000,3-232|TOTAL,1100,4-76" << QString() << false;
    QTest::newRow("empty section") << QByteArray("[zaladunek]\r\n") << "TOWAR,ILOSC" << QString() << false;
    QTest::newRow("other section only")
        << QByteArray("[other]\r\nSteel=1\r\n") << "TOWAR,ILOSC" << QString() << false;
    QTest::newRow("not a whole number")
        << QByteArray("[zaladunek]\nSteel=100\nWater=abc\nTea=5\n") << "TOWAR,ILOSC|Steel,100,0-100"
        << "\"Water\"" << true;
    // The file reads only the first of two keys that differ in letter case:
    // the person is told which line is not used.
    QTest::newRow("same key in other letter case")
        << QByteArray("[zaladunek]\r\nSteel=100\r\nTea=5\r\nsteel=50\r\n")
        << "TOWAR,ILOSC|Steel,100,0-100|Tea,5,0-5|TOTAL,105,0-105"
        << "\"steel=50\" repeats \"Steel=100\"" << false;
    QTest::newRow("value holding =") << QByteArray("[zaladunek]\r\nA=B=5\r\nTea=5\r\n")
                                     << "TOWAR,ILOSC|Tea,5,0-5|TOTAL,5,0-5" << QString() << false;
    // Left by an older version: nothing to bring, and the TOTAL does not subtract it.
    QTest::newRow("negative") << QByteArray("[zaladunek]\r\nTea=-8\r\nWine=5\r\n")
                              << "TOWAR,ILOSC|Tea,-8,0|Wine,5,0-5|TOTAL,5,0-5" << QString() << false;
}

void LoadingListTest::loadedWhenTheCoreStarts()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, rows);
    QFETCH(QString, message);
    QFETCH(bool, stops);
    CoreFixture fx;
    writeIni(fx, file);
    TessivarCore& core = fx.start();
    // Found at start, when nobody clicked: on the message strip, not in a box.
    QVERIFY(fx.ui.messages().isEmpty());
    QCOMPARE(fx.told().size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(fx.told()[0].contains(message), qPrintable(fx.told()[0]));
    // Load again with a known hold to check the trips texts too; a lasting
    // fault of the file is not told twice.
    core.state.DaneStatku.CargoCapacity = 256;
    if (stops)
        QVERIFY_THROWS_EXCEPTION(TessivarError, core.cargo().loadOwnList());
    else
        core.cargo().loadOwnList();
    QCOMPARE(fx.told().size(), message.isEmpty() ? 0 : 1);
    QCOMPARE(gridText(core.cargo().loadingList), rows);
    QCOMPARE(readFile(core.cargo().loadingFilePath()), file);
}

void LoadingListTest::missingFile_keepsTheRows()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    QAbstractItemModelTester tester(&core.cargo().loadingList);
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC|"));
    core.cargo().loadingList.setCell(1, 0, QStringLiteral("typed"));
    core.cargo().loadOwnList();
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC|typed"));
    QVERIFY(!QFile::exists(core.cargo().loadingFilePath()));
}

void LoadingListTest::tripsText_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("trips");
    QTest::newRow("three holds and a rest") << qint64(1000) << 256 << "3-232";
    QTest::newRow("exact holds") << qint64(512) << 256 << "2-0";
    QTest::newRow("less than a hold") << qint64(100) << 256 << "0-100";
    QTest::newRow("zero") << qint64(0) << 256 << "0";
    QTest::newRow("negative") << qint64(-8) << 256 << "0";
    QTest::newRow("no capacity yet") << qint64(500) << 0 << "0";
    QTest::newRow("beyond 32 bits") << qint64(5000000000) << 1000 << "5000000-0";
}

void LoadingListTest::tripsText()
{
    QFETCH(qint64, count);
    QFETCH(int, capacity);
    QFETCH(QString, trips);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = capacity;
    QCOMPARE(core.cargo().tripsText(count), trips);
}

void LoadingListTest::addLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("stored");
    QTest::newRow("same line twice") << QByteArray() << QStringList{"Steel:100", "Steel:100"}
                                     << "TOWAR,ILOSC||Steel,200,0-200|TOTAL,200,0-200"
                                     << "Steel=200";
    // The same cargo under another spelling adds to the listed row, which
    // keeps its name: one row, one key, nothing overwritten.
    QTest::newRow("other letter case joins the row")
        << QByteArray("[zaladunek]\r\nSteel=50\r\n") << QStringList{"steel:100"}
        << "TOWAR,ILOSC|Steel,150,0-150|TOTAL,150,0-150"
        << "Steel=150";
    QTest::newRow("site's name joins the pick list's")
        << QByteArray("[zaladunek]\r\nComputer=60\r\nLiquid Oxygen=10\r\n")
        << QStringList{"Computer Components:40", "Liquid oxygen:5"}
        << "TOWAR,ILOSC|Computer,100,0-100|Liquid Oxygen,15,0-15|TOTAL,115,0-115"
        << "Computer=100|Liquid Oxygen=15";
    QTest::newRow("TOTAL is never a commodity")
        << QByteArray("[zaladunek]\r\nSteel=50\r\n") << QStringList{"TOTAL:50", "Tea:5"}
        << "TOWAR,ILOSC|Steel,50,0-50|Tea,5,0-5|TOTAL,55,0-55"
        << "Steel=50|Tea=5";
    QTest::newRow("lines without one colon are skipped")
        << QByteArray() << QStringList{"a:b:1", "Tea", "Tea:x", "Wine:5"}
        << "TOWAR,ILOSC||Tea,0,0|Wine,5,0-5|TOTAL,5,0-5"
        << "Tea=0|Wine=5";
    QTest::newRow("adds to a loaded row")
        << QByteArray("[zaladunek]\r\nWater=10\r\nTea=1\r\n") << QStringList{"Water:5"}
        << "TOWAR,ILOSC|Water,15,0-15|Tea,1,0-1|TOTAL,16,0-16"
        << "Water=15|Tea=1";
}

void LoadingListTest::addLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, lines);
    QFETCH(QString, rows);
    QFETCH(QString, stored);
    CoreFixture fx;
    if (!file.isEmpty())
        writeIni(fx, file);
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = 256;
    core.cargo().loadOwnList();
    try {
        core.cargo().addLines(true, lines);
    } catch (const TessivarError& e) {
        // Refused names are told at the end; the other lines are added.
        QVERIFY2(lines.contains(QStringLiteral("TOTAL:50")), e.what());
    }
    QCOMPARE(gridText(core.cargo().loadingList), rows);
    QCOMPARE(zaladunekText(core.cargo()), stored);
}

void LoadingListTest::addWithoutKeeping_leavesTheFile()
{
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=100\r\nTea=7\r\n");
    TessivarCore& core = fx.start();
    core.cargo().addLines(false, {QStringLiteral("Steel:5")});
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC||Steel,5,0|TOTAL,5,0"));
    core.cargo().loadOwnList();
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC|Steel,5,0|Tea,7,0|TOTAL,12,0"));
}

void LoadingListTest::addRefusesNamesTheFileCannotHold()
{
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nTea=7\r\n");
    TessivarCore& core = fx.start();
    try {
        core.cargo().addLines(true,
                              {QStringLiteral("A=B:5"), QStringLiteral("[x:1"), QStringLiteral("Wine:2")});
        QFAIL("no error");
    } catch (const TessivarError& e) {
        QVERIFY(e.message().contains(QStringLiteral("A=B")));
    }
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Tea=7|Wine=2"));
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC|Tea,7,0|Wine,2,0|TOTAL,9,0"));

    // Typed by hand: a clear message, nothing changed.
    fx.ui.setNextAnswer(QStringLiteral("Nitro=Glycerine"));
    fx.ui.setNextAnswer(QStringLiteral("10"));
    QVERIFY_THROWS_EXCEPTION(TessivarError, core.cargo().askAndAddCommodity());
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Tea=7|Wine=2"));
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC|Tea,7,0|Wine,2,0|TOTAL,9,0"));
}

void LoadingListTest::promptedAdds_data()
{
    QTest::addColumn<bool>("fromMaterials");
    QTest::addColumn<QStringList>("answers");  // "<cancel>" cancels
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QStringList>("prompts");
    const QString name = QStringLiteral("Commodity name | Commodity name: | ");
    const QString qty = QStringLiteral("Commodity amount | Amount in tonnes: | 792");
    const QString pick = QStringLiteral("Amount | Amount in tonnes: | 792");
    QTest::newRow("by hand") << false << QStringList{" Gold ", "792"}
                             << "TOWAR,ILOSC||Gold,792,3-24|TOTAL,792,3-24" << QStringList{name, qty};
    QTest::newRow("cancel the name") << false << QStringList{"<cancel>"} << "TOWAR,ILOSC|"
                                     << QStringList{name};
    QTest::newRow("cancel the quantity")
        << false << QStringList{"Gold", "<cancel>"} << "TOWAR,ILOSC|" << QStringList{name, qty};
    QTest::newRow("empty quantity") << false << QStringList{"Gold", ""} << "TOWAR,ILOSC|"
                                    << QStringList{name, qty};
    QTest::newRow("quantity not a number counts 0")
        << false << QStringList{"Gold", "lots"} << "TOWAR,ILOSC||Gold,0,0|TOTAL,0,0"
        << QStringList{name, qty};
    QTest::newRow("material") << true << QStringList{"100"} << "TOWAR,ILOSC||Steel,100,0-100|TOTAL,100,0-100"
                              << QStringList{pick};
    QTest::newRow("material, cancelled")
        << true << QStringList{"<cancel>"} << "TOWAR,ILOSC|" << QStringList{pick};
}

void LoadingListTest::promptedAdds()
{
    QFETCH(bool, fromMaterials);
    QFETCH(QStringList, answers);
    QFETCH(QString, rows);
    QFETCH(QStringList, prompts);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = 256;
    for (const QString& a : answers)
        fx.ui.setNextAnswer(a == QLatin1String("<cancel>") ? std::nullopt : std::optional<QString>(a));
    if (fromMaterials)
        core.cargo().addCommonMaterial(16);  // "Steel"
    else
        core.cargo().askAndAddCommodity();
    QCOMPARE(gridText(core.cargo().loadingList), rows);
    QCOMPARE(fx.ui.prompts(), prompts);
    QCOMPARE(QFile::exists(core.cargo().loadingFilePath()), rows.contains(QStringLiteral("TOTAL")));
}

void LoadingListTest::removeRow_dropsEverySpellingFromTheFile()
{
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=100\r\nTea=7\r\nsteel=3\r\nWine=1\r\n");
    TessivarCore& core = fx.start();
    core.cargo().removeRow(1);
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC|Tea,7,0|Wine,1,0|TOTAL,8,0"));
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Tea=7|Wine=1"));
    core.cargo().removeRow(99);
    core.cargo().removeRow(-1);
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC|Tea,7,0|Wine,1,0|TOTAL,8,0"));
}

void LoadingListTest::undo_restoresTheListAndTheFile_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("clear") << QStringLiteral("clear");
    QTest::newRow("remove") << QStringLiteral("remove");
    QTest::newRow("add") << QStringLiteral("add");
    QTest::newRow("lines from a site") << QStringLiteral("site");
    QTest::newRow("save of an edit") << QStringLiteral("save");
    QTest::newRow("clear while missions are shown") << QStringLiteral("clear missions");
}

void LoadingListTest::undo_restoresTheListAndTheFile()
{
    QFETCH(QString, change);
    CoreFixture fx;
    const QByteArray file("; kept\r\n[zaladunek]\r\nSteel=100\r\nTea=7\r\n[other]\r\nx=1\r\n");
    writeIni(fx, file);
    TessivarCore& core = fx.start();
    CargoModule& cargo = core.cargo();
    QVERIFY(!cargo.canUndo());
    if (change == QLatin1String("clear missions"))
        cargo.selectEntry(QStringLiteral("Trade Missions"));
    const QString before = gridText(cargo.loadingList);
    const int source = cargo.selectedIndex();
    QSignalSpy phone(&cargo, &CargoModule::rowsChanged);
    if (change.startsWith(QLatin1String("clear"))) {
        cargo.clearList();
    } else if (change == QLatin1String("remove")) {
        cargo.removeRow(1);
    } else if (change == QLatin1String("add")) {
        fx.ui.setNextAnswer(QStringLiteral("Gold"));
        fx.ui.setNextAnswer(QStringLiteral("12"));
        cargo.askAndAddCommodity();
    } else if (change == QLatin1String("site")) {
        cargo.addLines(false, {QStringLiteral("Water:40")});
    } else {
        cargo.loadingList.setCell(1, 1, QStringLiteral("60"));
        cargo.saveEdits();
    }
    QVERIFY(gridText(cargo.loadingList) != before);
    QVERIFY(cargo.canUndo());
    phone.clear();
    cargo.undoLastChange();
    QCOMPARE(gridText(cargo.loadingList), before);
    QCOMPARE(readFile(cargo.loadingFilePath()), file);
    QCOMPARE(cargo.selectedIndex(), source);
    QVERIFY(!phone.isEmpty());
    QVERIFY(!cargo.canUndo());
    cargo.undoLastChange();  // nothing more to take back
    QCOMPARE(readFile(cargo.loadingFilePath()), file);
}

void LoadingListTest::undo_endsAtADelivery()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    CargoModule& cargo = core.cargo();
    // A list made from nothing: undone, there is no file again.
    cargo.clearList();
    cargo.addLines(true, {QStringLiteral("Water:40"), QStringLiteral("Tea:5")});
    cargo.removeRow(2);
    cargo.undoLastChange();
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Water=40|Tea=5"));
    cargo.undoLastChange();
    QVERIFY(!gridText(cargo.loadingList).contains(QStringLiteral("Water")));
    QVERIFY(cargo.canUndo());
    cargo.undoLastChange();
    QVERIFY(!QFile::exists(cargo.loadingFilePath()));
    // A delivery read from the journal cannot be undone, nor what came before it.
    cargo.addLines(true, {QStringLiteral("Water:40")});
    QVERIFY(cargo.canUndo());
    cargo.reduceShownList(QStringLiteral("Tea"), 3);  // not on the list: nothing changes
    QVERIFY(cargo.canUndo());
    cargo.reduceShownList(QStringLiteral("Water"), 15);
    QVERIFY(!cargo.canUndo());
    QCOMPARE(zaladunekText(cargo), QStringLiteral("Water=25"));
}

void LoadingListTest::emptyThenAdd_thenSave_skipsTheBlankRow()
{
    CoreFixture fx;
    writeIni(fx, "; notes\r\n[zaladunek]\r\nSteel=100\r\n[other]\r\nx=1\r\n");
    TessivarCore& core = fx.start();
    core.cargo().clearList();
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC||TOTAL,0,0"));
    QCOMPARE(readFile(core.cargo().loadingFilePath()), QByteArray("; notes\r\n[other]\r\nx=1\r\n"));
    core.cargo().addLines(true, {QStringLiteral("Water:40")});
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC||Water,40,0|TOTAL,40,0"));
    core.state.DaneStatku.CargoCapacity = 16;
    core.cargo().loadingList.setCell(2, 1, QStringLiteral("48"));
    core.cargo().saveEdits();
    QVERIFY(fx.ui.messages().isEmpty());
    QCOMPARE(readFile(core.cargo().loadingFilePath()),
             QByteArray("; notes\r\n[other]\r\nx=1\r\n[zaladunek]\r\nWater=48\r\n"));
    // Trips follow the saved quantities; the TOTAL row's quantity is not recomputed.
    QCOMPARE(gridText(core.cargo().loadingList), QStringLiteral("TOWAR,ILOSC||Water,48,3-0|TOTAL,40,2-8"));
}

void LoadingListTest::save_writesEditsAndStopsAtABadRow_data()
{
    QTest::addColumn<QString>("badName");
    QTest::addColumn<QString>("badQuantity");
    QTest::addColumn<QString>("message");
    QTest::newRow("quantity not a number") << "Wine"
                                           << "a lot"
                                           << "\"a lot\"";
    QTest::newRow("name the file cannot hold") << "Wine=Red"
                                               << "4"
                                               << "\"Wine=Red\"";
    QTest::newRow("quantity without a name") << ""
                                             << "4"
                                             << "needs a name";
}

void LoadingListTest::save_writesEditsAndStopsAtABadRow()
{
    QFETCH(QString, badName);
    QFETCH(QString, badQuantity);
    QFETCH(QString, message);
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=100\r\nTea=7\r\nGold=1\r\n");
    TessivarCore& core = fx.start();
    TextTableModel& list = core.cargo().loadingList;
    list.setCell(1, 0, QStringLiteral("Steel Plates"));  // renamed by typing
    list.setCell(2, 1, QStringLiteral("9"));
    list.setRow(3, {badName, badQuantity});
    try {
        core.cargo().saveEdits();
        QFAIL("no error");
    } catch (const TessivarError& e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
    // The rows above the bad one are saved; a renamed row's old key stays.
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Steel=100|Tea=9|Gold=1|Steel Plates=100"));
}

void LoadingListTest::totalRows()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = 100;
    TextTableModel& list = core.cargo().loadingList;
    list.setAll(
        {{"TOWAR", "ILOSC"}, {"Steel", "150"}, {"TOTAL", "1"}, {"TOTAL", "2"}, {"Tea", "-20"}, {"x", "y"}});
    core.cargo().removeTotal();
    core.cargo().appendTotal();
    // A quantity below 0 is nothing to bring: the TOTAL does not subtract it.
    QCOMPARE(gridText(list), QStringLiteral("TOWAR,ILOSC|Steel,150|Tea,-20|x,y|TOTAL,150,1-50"));
    // A grid keeps at least one row.
    list.setAll({{"TOTAL", "5"}});
    core.cargo().removeTotal();
    QCOMPARE(list.rowCount(), 1);
}

void LoadingListTest::tripsColumn_onlyForQuantities()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = 256;
    TextTableModel& list = core.cargo().loadingList;
    list.setAll(
        {{"TOWAR", "ILOSC", "keep"}, {"Steel", "1000", "old"}, {"TOTAL", "7", "x"}, {"Tea", "", "kept"}});
    core.cargo().refreshTrips();
    QCOMPARE(gridText(list), QStringLiteral("TOWAR,ILOSC,keep|Steel,1000,3-232|TOTAL,7,0-7|Tea,,kept"));
}

void LoadingListTest::contractsFillTheList()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = 100;
    const auto order = [](quint64 id, QList<OrderLine> lines) {
        Order o;
        o.carrierId = id;
        o.lines = std::move(lines);
        return o;
    };
    const QList<Order> accepted{
        order(123, {{QStringLiteral("Steel"), 250, 95}, {QStringLiteral("Tea"), 5, 95}}),
        order(999, {{QStringLiteral("Gold"), 1, 95}}),
        order(12, {{QStringLiteral("Water"), 40, 95}}),
        order(12, {{QStringLiteral("Beer"), 7, 95}}),
    };
    TextTableModel& list = core.cargo().loadingList;
    core.cargo().ZnajdzZlecenie(accepted, 999);
    QCOMPARE(gridText(list), QStringLiteral("TOWAR,ILOSC|Gold,1,0-1"));
    // Ids compare as numbers (12 is not 123); of two orders of one carrier the last taken wins.
    core.cargo().ZnajdzZlecenie(accepted, 12);
    QCOMPARE(gridText(list), QStringLiteral("TOWAR,ILOSC|Beer,7,0-7"));
    core.cargo().ZnajdzZlecenie(accepted, 123);
    QCOMPARE(gridText(list), QStringLiteral("TOWAR,ILOSC|Steel,250,2-50|Tea,5,0-5"));
    core.cargo().ZnajdzZlecenie(accepted, 555);
    QCOMPARE(gridText(list), QStringLiteral("TOWAR,ILOSC|Steel,250,2-50|Tea,5,0-5"));
}

void LoadingListTest::sources()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = 100;
    CargoModule& cargo = core.cargo();
    QSignalSpy changed(&cargo, &CargoModule::selectionChanged);
    core.mission().mission_commodites = {{QStringLiteral("Gold"), 150}, {QStringLiteral("Tea"), 20}};
    cargo.selectEntry(QStringLiteral("Trade Missions"));
    QCOMPARE(cargo.selectedIndex(), 1);
    QCOMPARE(gridText(cargo.loadingList),
             QStringLiteral("TOWAR,ILOSC|Gold,150,1-50|Tea,20,0-20|TOTAL,170,1-70"));
    // The missions change and tell the list.
    core.mission().mission_commodites.append({QStringLiteral("Wine"), 1});
    cargo.refreshFromSources();
    QCOMPARE(gridText(cargo.loadingList),
             QStringLiteral("TOWAR,ILOSC|Gold,150,1-50|Tea,20,0-20|Wine,1,0-1|TOTAL,171,1-71"));
    // A carrier id without an accepted contract keeps the rows and refreshes TOTAL.
    cargo.appendSelectorEntry(QStringLiteral("K7Q-12X"));
    QCOMPARE(cargo.selectorEntries(),
             (QStringList{"My Carrier", "Trade Missions", "Still to buy", "K7Q-12X"}));
    QCOMPARE(cargo.selectedIndex(), 3);
    QCOMPARE(gridText(cargo.loadingList),
             QStringLiteral("TOWAR,ILOSC|Gold,150,1-50|Tea,20,0-20|Wine,1,0-1|TOTAL,171,1-71"));
    // Back to the own list: without a file it is empty, not the rows of another source.
    cargo.selectSource(0);
    QCOMPARE(gridText(cargo.loadingList), QStringLiteral("TOWAR,ILOSC|"));
    QCOMPARE(changed.count(), 3);
    cargo.selectSource(7);
    QCOMPARE(cargo.selectedIndex(), 0);
    QVERIFY(!QFile::exists(cargo.loadingFilePath()));
}

void LoadingListTest::otherSourceShown_ownFileUntouched_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("rows");  // the shown list afterwards
    QTest::addColumn<QString>("stored");
    const QString missions = QStringLiteral("TOWAR,ILOSC|Gold,20,0|Tea,3,0|TOTAL,23,0");
    QTest::newRow("remove a row") << "remove"
                                  << "TOWAR,ILOSC|Tea,3,0|TOTAL,3,0"
                                  << "Steel=100|Tea=5";
    QTest::newRow("empty the list") << "clear"
                                    << "TOWAR,ILOSC||TOTAL,0,0"
                                    << "Steel=100|Tea=5";
    QTest::newRow("save") << "save" << missions << "Steel=100|Tea=5";
    // What is added belongs to the own list, which is shown to take it.
    QTest::newRow("add from a site") << "add"
                                     << "TOWAR,ILOSC|Steel,100,0|Tea,5,0|Wine,7,0|TOTAL,112,0"
                                     << "Steel=100|Tea=5|Wine=7";
}

void LoadingListTest::otherSourceShown_ownFileUntouched()
{
    QFETCH(QString, action);
    QFETCH(QString, rows);
    QFETCH(QString, stored);
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=100\r\nTea=5\r\n");
    TessivarCore& core = fx.start();
    CargoModule& cargo = core.cargo();
    core.mission().mission_commodites = {{QStringLiteral("Gold"), 20}, {QStringLiteral("Tea"), 3}};
    cargo.selectEntry(QStringLiteral("Trade Missions"));
    if (action == QLatin1String("remove"))
        cargo.removeRow(1);
    else if (action == QLatin1String("clear"))
        cargo.clearList();
    else if (action == QLatin1String("save"))
        cargo.saveEdits();
    else
        cargo.addLines(true, {QStringLiteral("Wine:7")});
    QCOMPARE(gridText(cargo.loadingList), rows);
    QCOMPARE(zaladunekText(cargo), stored);
    // The own list is whole when shown again.
    cargo.selectEntry(QStringLiteral("My Carrier"));
    QVERIFY(gridText(cargo.loadingList).startsWith(QStringLiteral("TOWAR,ILOSC|Steel,100,0|Tea,5,0|")));
}

void LoadingListTest::totalRowOfASite_isNeverAdded()
{
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=100\r\n");
    TessivarCore& core = fx.start();
    ConstructionModule& site = core.construct();
    site.lista_materialow.setAll({{QStringLiteral("-/-  [1.ini]"), QStringLiteral("-/-")},
                                  {QStringLiteral("Aluminium"), QStringLiteral("40")},
                                  {QStringLiteral("TOTAL"), QStringLiteral("40")},
                                  {}});
    site.m_Dodajdozaadunku1Click(2);
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Steel=100"));
    site.btn_Nowy_ZaladunekClick(true);
    QCOMPARE(gridText(core.cargo().loadingList),
             QStringLiteral("TOWAR,ILOSC|Steel,100,0|Aluminium,40,0|TOTAL,140,0"));
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Steel=100|Aluminium=40"));
    // Typed by hand, it is refused with a reason.
    fx.ui.setNextAnswer(QStringLiteral("TOTAL"));
    fx.ui.setNextAnswer(QStringLiteral("5"));
    QVERIFY_THROWS_EXCEPTION(TessivarError, core.cargo().askAndAddCommodity());
    QCOMPARE(zaladunekText(core.cargo()), QStringLiteral("Steel=100|Aluminium=40"));
}

void LoadingListTest::commonMaterials()
{
    CoreFixture fx;
    const TextTableModel& m = fx.start().cargo().commonMaterials;
    QCOMPARE(m.rowCount(), 57);
    QCOMPARE(m.cell(0, 0), QStringLiteral("PODSTAWOWE:"));
    QCOMPARE(m.cell(1, 0), QStringLiteral("Aluminium"));
    QCOMPARE(m.cell(20, 0), QStringLiteral("Water Purifiers"));
    QCOMPARE(m.cell(21, 0), QStringLiteral("DODATKOWE:"));
    QCOMPARE(m.cell(39, 0), QStringLiteral("H.E. Suits"));
    QCOMPARE(m.cell(56, 0), QStringLiteral("Wine"));
    for (int r = 2; r < 57; ++r)
        if (r != 21 && r != 22)  // each group in alphabetical order
            QVERIFY2(m.cell(r - 1, 0).compare(m.cell(r, 0), Qt::CaseInsensitive) < 0,
                     qPrintable(m.cell(r, 0)));
    QVERIFY(m.isEditable());
}

void LoadingListTest::searchTakesTheRowsName()
{
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=100\r\n");
    TessivarCore& core = fx.start();
    QSignalSpy shown(&core.lastShopping(), &ShoppingDb::showRequested);
    core.cargo().searchCommonMaterial(1);
    QCOMPARE(core.lastShopping().edit_find, QStringLiteral("Aluminium"));
    core.cargo().searchLoadingRow(2);
    QCOMPARE(core.lastShopping().edit_find, QStringLiteral("TOTAL"));
    core.cargo().searchLoadingRow(1);
    QCOMPARE(core.lastShopping().edit_find, QStringLiteral("Steel"));
    QCOMPARE(shown.count(), 3);
    // Captions are no commodity: the list's heading row and the pick list's headings.
    core.cargo().searchLoadingRow(0);
    core.cargo().searchCommonMaterial(0);
    core.cargo().searchCommonMaterial(21);
    QCOMPARE(shown.count(), 3);
    core.cargo().clearList();
    core.cargo().searchLoadingRow(1);  // the blank row
    QCOMPARE(shown.count(), 3);
    QCOMPARE(core.lastShopping().edit_find, QStringLiteral("Steel"));
}

void LoadingListTest::dumpHoldsListsAndFile()
{
    CoreFixture fx;
    writeIni(fx, "[zaladunek]\r\nSteel=100\r\n");
    const QJsonObject o = fx.start().cargo().dumpJson();
    QCOMPARE(o.value("zaladunek.ini").toArray(), (QJsonArray{QJsonArray{"Steel", "100"}}));
    QCOMPARE(o.value("zaladunek_list").toArray().size(), 3);
    QCOMPARE(o.value("cargo_list").toArray(), (QJsonArray{QJsonArray{"TOWAR", "ILOSC"}}));
    QCOMPARE(o.value("materialy_nazwy").toArray().size(), 57);
    QCOMPARE(o.value("Carrier_loading_select").toArray().size(), 3);  // with "Still to buy"
    QCOMPARE(o.value("Carrier_loading_select_index").toInt(), 0);
    QVERIFY(o.value("CargoLog").isArray());
}

QTEST_GUILESS_MAIN(LoadingListTest)
#include "loading_list_test.moc"
