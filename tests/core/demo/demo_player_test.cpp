#include "TestSupport.h"
#include "cargo/CargoModule.h"
#include "common/NoticeModel.h"
#include "construction/ConstructionModule.h"
#include "demo/DemoPlayer.h"
#include "markets/MarketModule.h"
#include "markets/ShoppingDb.h"
#include "missions/MissionModule.h"
#include "state/ShipInfo.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kDemo = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../data/demo/live");

QString quantityOf(const TextTableModel& list, const QString& name)
{
    for (int r = 0; r < list.rowCount(); ++r)
        if (list.cell(r, 0) == name)
            return list.cell(r, 1);
    return {};
}

}  // namespace

class DemoPlayerTest : public QObject
{
    Q_OBJECT
private slots:
    void playedFast_everyWindowHasContentAndNothingFails();
    void snapshotsAreWrittenBeforeTheirLines();
    void missingDemo_isToldOnTheStrip();
};

void DemoPlayerTest::playedFast_everyWindowHasContentAndNothingFails()
{
    CoreFixture fx;
    fx.demoDir = kDemo;
    TessivarCore& core = fx.start();
    DemoPlayer* demo = core.demo();
    QVERIFY(demo);
    // The session's start is there at once; the rest is still to come.
    QVERIFY(demo->linesWritten() > 3);
    QVERIFY(!demo->atEnd());
    fx.pass();
    QCOMPARE(quantityOf(core.cargo().loadingList, QStringLiteral("TOTAL")), QStringLiteral("1750"));
    QCOMPARE(core.state.dane_CMDR.Name, QStringLiteral("Kestrel Vane"));

    // The demo played as fast as it goes: one pass after every line, as the
    // main timer would read it.
    QStringList totals;
    bool more = true;
    while (more) {
        more = demo->step();
        fx.pass();
        const QString total = quantityOf(core.cargo().loadingList, QStringLiteral("TOTAL"));
        if (totals.isEmpty() || totals.last() != total)
            totals.append(total);
    }
    QVERIFY(demo->atEnd());

    QVERIFY2(core.notices().isEmpty(), qPrintable(NoticeModel::line(core.notices().notices().value(0))));
    QVERIFY2(fx.ui.messages().isEmpty(), qPrintable(fx.ui.messages().join(QLatin1Char('\n'))));
    // The loading list shrinks with each transfer to the carrier.
    QCOMPARE(totals, (QStringList{"1750", "1600", "1526"}));
    QCOMPARE(quantityOf(core.cargo().loadingList, QStringLiteral("Steel")), QStringLiteral("750"));
    // The construction site docked at, with its materials.
    QVERIFY(core.construct().siteStation.value_or(QString()).contains(QStringLiteral("Zhao Drilling Base")));
    QVERIFY(core.construct().lista_materialow.rowCount() > 10);
    QVERIFY(core.construct().ProgressBar1 > 0);
    // The missions' totals.
    QCOMPARE(core.mission().mission_commodites.units(QStringLiteral("Polymers")), std::optional<int>(96));
    QCOMPARE(core.mission().mission_commodites.units(QStringLiteral("Bertrandite")), std::optional<int>(40));
    // Last Shopping found what was bought, and where.
    QCOMPARE(core.lastShopping().Wynik_wyszukiwania.Station_Name, QStringLiteral("Mille Gateway"));
    QVERIFY(core.lastShopping().Wynik_wyszukiwania.Count > 0);
    // The market of the station the commander shopped at.
    QVERIFY(core.market().sg_Market.rowCount() > 10);
    // The ship: its hold emptied at the carrier.
    QCOMPARE(core.state.DaneStatku.CargoCapacity, 224);
    QCOMPARE(core.cargo().hold().table.rowCount(), 1);
}

void DemoPlayerTest::snapshotsAreWrittenBeforeTheirLines()
{
    QTemporaryDir live;
    DemoPlayer demo(kDemo, live.path());
    demo.load();
    demo.writeHead();
    const QDir dir(live.path());
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Cargo.json"))));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Market.json"))));
    QSignalSpy searches(&demo, &DemoPlayer::searchDue);
    while (!demo.atEnd() && !QFile::exists(dir.filePath(QStringLiteral("Market.json"))))
        demo.step();
    const QList<QByteArray> lines = readFile(demo.journalFile()).trimmed().split('\n');
    QVERIFY(lines.last().contains("\"event\":\"Market\""));
    QCOMPARE(readFile(dir.filePath(QStringLiteral("Market.json"))),
             readFile(QDir(kDemo).filePath(QStringLiteral("Market.json"))));
    // The hold's snapshot follows the newest Cargo line that lists the hold.
    while (!demo.atEnd() && searches.isEmpty())
        demo.step();
    QCOMPARE(searches.size(), 1);
    QCOMPARE(searches[0][0].toString(), QStringLiteral("Steel"));
    const QJsonObject hold =
        QJsonDocument::fromJson(readFile(dir.filePath(QStringLiteral("Cargo.json")))).object();
    QCOMPARE(hold.value(QStringLiteral("Count")).toInt(), 150);
    QVERIFY(demo.linesWritten() < demo.lineCount());
}

void DemoPlayerTest::missingDemo_isToldOnTheStrip()
{
    QTemporaryDir empty;
    CoreFixture fx;
    fx.demoDir = empty.path();
    TessivarCore& core = fx.start();
    QVERIFY(fx.ui.messages().isEmpty());
    QCOMPARE(core.notices().notices().size(), 1);
    QVERIFY(core.notices().notices()[0].text.contains(QStringLiteral("no journal")));
}

QTEST_GUILESS_MAIN(DemoPlayerTest)
#include "demo_player_test.moc"
