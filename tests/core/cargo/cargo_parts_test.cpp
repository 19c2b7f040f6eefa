#include "TestSupport.h"
#include "cargo/CargoModule.h"
#include "common/NoticeModel.h"
#include "common/ReportSink.h"
#include "common/UserInteraction.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The loading list, its reconciler and the hold reader, each built without a
// core: only the game state, the report sink and real files.
class CargoPartsTest : public QObject
{
    Q_OBJECT
private slots:
    void entries_skipHeadingTotalAndBlankRows();
    void reconciler_data();
    void reconciler();
    void sources_areNamesWithRows();
    void holdReader_showsTheShipsHold();
};

namespace {

constexpr quint64 kOwnCarrier = 3700000001;

struct Parts
{
    QTemporaryDir dataDir;
    QTemporaryDir journalDir;
    GameState state;
    ScriptedInteraction ui;
    NoticeModel notices;
    ReportSink reports{ui, notices};
    CommodityTally missions;
    CargoModule list{state,
                     dataDir.path() + QLatin1Char('/'),
                     [this] { return journalDir.path() + QLatin1Char('/'); },
                     reports,
                     ui,
                     missions,
                     {}};

    QString file() const { return dataDir.filePath(QStringLiteral("zaladunek.ini")); }
    void dockAt(quint64 market)
    {
        state.dane_carriera.CarrierID = kOwnCarrier;
        state.dane_dokowania.StationName = QStringLiteral("K7Q-BQL");
        state.dane_dokowania.StationType = QStringLiteral("FleetCarrier");
        state.dane_dokowania.MarketID = market;
    }
};

QStringList names(const QList<LoadingEntry>& entries)
{
    QStringList out;
    for (const LoadingEntry& e : entries)
        out.append(QString::number(e.row) + QLatin1Char(':') + e.name);
    return out;
}

}  // namespace

void CargoPartsTest::entries_skipHeadingTotalAndBlankRows()
{
    Parts p;
    QVERIFY(p.list.entries().isEmpty());  // the heading and the one blank row
    // The phone still hears of the emptied list, with no row.
    QVERIFY(p.list.mirroredRows().anyRow);
    QVERIFY(p.list.mirroredRows().rows.isEmpty());
    writeFile(p.file(), "[zaladunek]\r\nSteel=100\r\nTea=5\r\n");
    p.list.loadOwnList();
    QCOMPARE(p.list.loadingList.rowCount(), 4);
    QCOMPARE(names(p.list.entries()), (QStringList{"1:Steel", "2:Tea"}));
    // What the phone and the page send: the rows with their trips, TOTAL last.
    const QList<LoadingEntry> mirrored = p.list.mirroredRows().rows;
    QCOMPARE(names(mirrored), (QStringList{"1:Steel", "2:Tea", "3:TOTAL"}));
    QVERIFY(mirrored[2].total && !mirrored[0].total);
    QCOMPARE(mirrored[2].quantity, QStringLiteral("105"));
    QCOMPARE(mirrored[2].trips, p.list.loadingList.cell(3, 2));
    // A typed row whose name is still blank is an entry: saving names it as faulty.
    p.list.loadingList.appendRow({{}, QStringLiteral("7")});
    QCOMPARE(names(p.list.entries()), (QStringList{"1:Steel", "2:Tea", "4:"}));
}

void CargoPartsTest::reconciler_data()
{
    QTest::addColumn<bool>("sale");
    QTest::addColumn<quint64>("market");
    QTest::addColumn<QByteArray>("stored");  // after two lines of 30 t
    QTest::addColumn<int>("told");
    QTest::newRow("transfer at own carrier") << false << kOwnCarrier << QByteArray("Steel=40") << 0;
    QTest::newRow("sale at own carrier") << true << kOwnCarrier << QByteArray("Steel=40") << 0;
    QTest::newRow("transfer at another carrier")
        << false << quint64(3700000002) << QByteArray("Steel=100") << 1;
    QTest::newRow("sale at another carrier") << true << quint64(3700000002) << QByteArray("Steel=100") << 1;
}

void CargoPartsTest::reconciler()
{
    QFETCH(bool, sale);
    QFETCH(quint64, market);
    QFETCH(QByteArray, stored);
    QFETCH(int, told);
    Parts p;
    writeFile(p.file(), "[zaladunek]\r\nSteel=100\r\n");
    p.list.loadOwnList();
    p.dockAt(market);
    QSignalSpy sold(&p.list.reconciler(), &CargoReconciler::soldAtCarrier);
    const QByteArray line =
        sale ? journalLine("t", "MarketSell",
                           "\"MarketID\":" + QByteArray::number(market) +
                               ", \"Type\":\"steel\", \"Count\":30, \"SellPrice\":1, \"TotalSale\":30")
             : journalLine(
                   "t", "CargoTransfer",
                   "\"Transfers\":[ { \"Type\":\"steel\", \"Count\":30, \"Direction\":\"tocarrier\" }, "
                   "{ \"Type\":\"steel\", \"Count\":5, \"Direction\":\"toship\" } ]");
    for (int i = 0; i < 2; ++i) {  // twice: the reason is told once per carrier
        if (sale)
            p.list.reconciler().applySale(line);
        else
            p.list.reconciler().applyTransfer(line);
    }
    QCOMPARE(readFile(p.file()), "[zaladunek]\r\n" + stored + "\r\n");
    QCOMPARE(p.list.loadingList.cell(1, 1), QString::fromUtf8(stored.mid(6)));
    QCOMPARE(sold.count(), sale ? 2 : 0);
    QCOMPARE(p.notices.notices().size() + p.ui.messages().size(), told);
}

void CargoPartsTest::sources_areNamesWithRows()
{
    Parts p;
    p.state.DaneStatku.CargoCapacity = 100;
    p.list.addSource({QStringLiteral("Still to buy"), [] {
                          return QList<QPair<QString, qint64>>{{QStringLiteral("Gold"), 150}};
                      }});
    QCOMPARE(p.list.selectorEntries(), (QStringList{"My Carrier", "Trade Missions", "Still to buy"}));
    p.list.appendSelectorEntry(QStringLiteral("K7Q-12X"));
    p.list.selectEntry(QStringLiteral("Still to buy"));
    QCOMPARE(p.list.selectedIndex(), 2);
    QCOMPARE(p.list.loadingList.rows(),
             (QList<QStringList>{{"TOWAR", "ILOSC", ""}, {"Gold", "150", "1-50"}, {"TOTAL", "150", "1-50"}}));
    QCOMPARE(p.list.selectorEntryText(2), QStringLiteral("Still to buy"));
    QCOMPARE(p.list.selectorEntryText(3), QStringLiteral("K7Q-12X"));
    QVERIFY(!QFile::exists(p.file()));
}

void CargoPartsTest::holdReader_showsTheShipsHold()
{
    Parts p;
    HoldReader& hold = p.list.hold();
    const QString path = p.journalDir.filePath(QStringLiteral("Cargo.json"));
    writeFile(path,
              R"({"Vessel":"Ship","Inventory":[{"Name":"steel","Name_Localised":"Steel","Count":10}]})");
    hold.read();
    QCOMPARE(hold.table.rows(), (QList<QStringList>{{"TOWAR", "ILOSC"}, {"steel", "10"}}));
    QCOMPARE(hold.displayName(QStringLiteral("steel")), QStringLiteral("Steel"));
    // The SRV's hold leaves the ship's shown.
    writeFile(path, R"({"Vessel":"SRV","Inventory":[]})");
    hold.read();
    QCOMPARE(hold.entryLines, QStringList{"steel:10"});
    QCOMPARE(hold.table.rowCount(), 2);
}

QTEST_GUILESS_MAIN(CargoPartsTest)
#include "cargo_parts_test.moc"
