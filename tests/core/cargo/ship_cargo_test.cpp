#include "CargoTestUtil.h"
#include "common/Error.h"
#include "common/NoticeModel.h"

#include <QDir>
#include <QTest>

class ShipCargoTest : public QObject
{
    Q_OBJECT
private slots:
    void realSnapshotsAreListed_data();
    void realSnapshotsAreListed();
    void snapshotShapes_data();
    void snapshotShapes();
    void missingFile_reportedOnceAndEmptiesTheList();
};

namespace {

const QByteArray kSteel =
    R"({ "event":"Cargo", "Inventory":[ { "Name":"steel", "Count":10, "Stolen":0 } ] })";

}  // namespace

void ShipCargoTest::realSnapshotsAreListed_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("rows");
    QTest::newRow("one entry, LF") << "companion/drstrangelug__colonisation_tracker/Cargo.json"
                                   << "TOWAR,ILOSC|drones,3";
    QTest::newRow("empty Inventory") << "companion/rster2002__ed-journals__sandbox/Cargo.json"
                                     << "TOWAR,ILOSC";
    QTest::newRow("two entries, CRLF") << "companion/rster2002__ed-journals__test-files/Cargo.json"
                                       << "TOWAR,ILOSC|scrap,1|biowaste,3";
}

void ShipCargoTest::realSnapshotsAreListed()
{
    QFETCH(QString, fixture);
    QFETCH(QString, rows);
    REQUIRE_SHARED(path, fixture);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    QVERIFY(QFile::copy(path, fx.journalDir.filePath(QStringLiteral("Cargo.json"))));
    core.cargo().hold().read();
    QCOMPARE(gridText(core.cargo().hold().table), rows);
    QVERIFY(fx.ui.messages().isEmpty());
    // Between passes the log holds one "name:count" line per entry.
    QCOMPARE(core.cargo().hold().entryLines.size(), core.cargo().hold().table.rowCount() - 1);
}

void ShipCargoTest::snapshotShapes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QString>("rows");
    const QString kept = QStringLiteral("TOWAR,ILOSC|steel,10");
    QTest::newRow("half-written") << QByteArray("{ \"event\":\"Cargo\", \"Inventory\":[ { \"Name\":\"ste")
                                  << false << "TOWAR,ILOSC";
    QTest::newRow("empty file") << QByteArray() << false << "TOWAR,ILOSC";
    QTest::newRow("array, not an object") << QByteArray("[1,2]") << true << kept;
    QTest::newRow("number, not an object") << QByteArray("42") << true << kept;
    QTest::newRow("no Inventory") << QByteArray(R"({ "event":"Cargo", "Count":4 })") << true << kept;
    QTest::newRow("Inventory an object") << QByteArray(R"({ "Inventory":{ "Name":"x" } })") << true << kept;
    QTest::newRow("Inventory of numbers") << QByteArray(R"({ "Inventory":[ 1 ] })") << true << kept;
    QTest::newRow("Count a text") << QByteArray(R"({ "Inventory":[ { "Name":"gold", "Count":"x" } ] })")
                                  << true << kept;
    QTest::newRow("name with colon skipped")
        << QByteArray(R"({ "Inventory":[ { "Name":"a:b", "Count":1 }, { "Name":"gold", "Count":2 } ] })")
        << false << "TOWAR,ILOSC|gold,2";
    QTest::newRow("missing Name and Count")
        << QByteArray(R"({ "Inventory":[ { "Stolen":0 } ] })") << false << "TOWAR,ILOSC|UNKNOWN,0";
    QTest::newRow("same name twice, zero count")
        << QByteArray(R"({ "Inventory":[ { "Name":"gold", "Count":0 }, { "Name":"gold", "Count":5 } ] })")
        << false << "TOWAR,ILOSC|gold,0|gold,5";
    QTest::newRow("byte-order mark and CR LF")
        << QByteArray("\xEF\xBB\xBF{ \"Inventory\":[\r\n{ \"Name\":\"gold\", \"Count\":7 }\r\n] }\r\n")
        << false << "TOWAR,ILOSC|gold,7";
    // Driving the SRV the game writes the SRV's hold; the ship's cargo is still aboard the ship.
    QTest::newRow("SRV snapshot keeps the ship's hold")
        << QByteArray(R"({ "timestamp":"2025-11-13T16:28:00Z", "event":"Cargo", "Vessel":"SRV", "Count":0, )"
                      R"("Inventory":[ ] })")
        << false << kept;
    QTest::newRow("SRV snapshot without Inventory")
        << QByteArray(R"({ "timestamp":"2025-11-13T16:28:00Z", "event":"Cargo", "Vessel":"SRV", "Count":0 })")
        << false << kept;
    QTest::newRow("ship snapshot replaces")
        << QByteArray(R"({ "timestamp":"2025-11-13T16:31:50Z", "event":"Cargo", "Vessel":"Ship", "Count":2, )"
                      R"("Inventory":[ { "Name":"gold", "Count":2, "Stolen":0 } ] })")
        << false << "TOWAR,ILOSC|gold,2";
    QTest::newRow("name and count kept as given")
        << QByteArray(R"({ "Inventory":[ { "Name":"Żywność", "Name_Localised":"x", "Count":3000000000 } ] })")
        << false << QString::fromUtf8("TOWAR,ILOSC|Żywność,3000000000");
}

void ShipCargoTest::snapshotShapes()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, fails);
    QFETCH(QString, rows);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    const QString path = fx.journalDir.filePath(QStringLiteral("Cargo.json"));
    writeFile(path, kSteel);
    core.cargo().hold().read();
    writeFile(path, content);
    if (fails)
        QVERIFY_THROWS_EXCEPTION(TessivarError, core.cargo().hold().read());
    else
        core.cargo().hold().read();
    QCOMPARE(gridText(core.cargo().hold().table), rows);
    QVERIFY(fx.ui.messages().isEmpty());
    // The next pass shows the same hold again.
    if (!fails && rows == QLatin1String("TOWAR,ILOSC|steel,10")) {
        core.cargo().hold().showEntries();
        QCOMPARE(gridText(core.cargo().hold().table), rows);
    }
}

void ShipCargoTest::missingFile_reportedOnceAndEmptiesTheList()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    const QString path = fx.journalDir.filePath(QStringLiteral("Cargo.json"));
    writeFile(path, kSteel);
    core.cargo().hold().read();
    // The game writes the file when it has something to say: its absence is no fault.
    QVERIFY(QFile::remove(path));
    core.cargo().hold().read();
    QCOMPARE(gridText(core.cargo().hold().table), QStringLiteral("TOWAR,ILOSC"));
    QVERIFY(fx.ui.messages().isEmpty());
    QVERIFY(core.notices().isEmpty());
    // A file that is there but cannot be read is, once while it lasts, on the strip.
    QVERIFY(QDir().mkdir(path));
    core.cargo().hold().read();
    QCOMPARE(core.notices().notices().size(), 1);
    QVERIFY(core.notices().notices()[0].text.startsWith(QStringLiteral("Cannot read the ship's cargo: ")));
    QVERIFY(core.notices().notices()[0].text.contains(QStringLiteral("Cargo.json")));
    QCOMPARE(gridText(core.cargo().hold().table), QStringLiteral("TOWAR,ILOSC"));
    core.cargo().hold().read();
    QCOMPARE(core.notices().notices()[0].count, 1);
    QVERIFY(QDir().rmdir(path));
    writeFile(path, kSteel);
    core.cargo().hold().read();
    QCOMPARE(gridText(core.cargo().hold().table), QStringLiteral("TOWAR,ILOSC|steel,10"));
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    core.cargo().hold().read();
    QCOMPARE(core.notices().notices()[0].count, 2);
    QVERIFY(fx.ui.messages().isEmpty());
}

QTEST_GUILESS_MAIN(ShipCargoTest)
#include "ship_cargo_test.moc"
