#include "TestSupport.h"
#include "common/Error.h"
#include "markets/MarketModule.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTest>

namespace {

const QStringList kHeading{"COMMODITY", "PRICE", "DEMAND", "STOCK", ""};

void dockAt(TessivarCore& core)
{
    core.state.dane_systemu.StarSystem = QStringLiteral("Luchtaine");
    core.state.dane_systemu.MarketID = 128791778;
    core.state.dane_dokowania.StationName = QStringLiteral("Neugebauer Mines");
}

const QString kInfo = QStringLiteral("🪐 Luchtaine\r\n🛰️ Neugebauer Mines\r\n🆔 128791778");

}  // namespace

class MarketModuleTest : public QObject
{
    Q_OBJECT
private slots:
    void przeszukaj_market_realFile_data();
    void przeszukaj_market_realFile();
    void przeszukaj_market_listsItemsWithDemandOrStock();
    void loadText_honoursByteOrderMark_data();
    void loadText_honoursByteOrderMark();
    void przeszukaj_market_badFile_data();
    void przeszukaj_market_badFile();
    void przeszukaj_market_withoutJournalFolder_throws();
};

void MarketModuleTest::przeszukaj_market_realFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("last");
    QTest::newRow("fleet carrier") << "companion/rster2002__ed-journals__sandbox/Market.json" << 2
                                   << QStringList{"Meta-Alloys", "9998677", "0", "448", ""}
                                   << QStringList{"Meta-Alloys", "9998677", "0", "448", ""};
    QTest::newRow("outpost, 83 items")
        << "companion/AlanMorrisWright__jj/Market.json" << 80 << QStringList{"Gold", "44431", "1", "7231", ""}
        << QStringList{"Onionhead Gamma Strain", "0", "2569", "0", ""};
    QTest::newRow("market of 354 items")
        << "companion/Roescoe__elite-colonisation/Market.json" << 58
        << QStringList{"Water", "30", "1", "189742", ""} << QStringList{"Steel", "3887", "1", "723396", ""};
}

void MarketModuleTest::przeszukaj_market_realFile()
{
    QFETCH(QString, file);
    QFETCH(int, rows);
    QFETCH(QStringList, first);
    QFETCH(QStringList, last);
    REQUIRE_SHARED(path, file);

    CoreFixture f;
    TessivarCore& core = f.start();
    dockAt(core);
    QVERIFY(QFile::copy(path, f.journalDir.filePath(QStringLiteral("Market.json"))));
    MarketModule& m = core.market();
    m.sg_Market.appendRow({"stale", "1", "1", "1"});
    QSignalSpy changed(&m, &MarketModule::changed);
    m.przeszukaj_market(f.journalDir.path());

    QCOMPARE(m.sg_Market.rowCount(), rows);
    QCOMPARE(m.sg_Market.row(0), kHeading);
    QCOMPARE(m.sg_Market.row(1), first);
    QCOMPARE(m.sg_Market.row(rows - 1), last);
    QCOMPARE(m.label_market_info, kInfo);
    QVERIFY(changed.count() >= 1);
}

void MarketModuleTest::przeszukaj_market_listsItemsWithDemandOrStock()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    // Only listed items need a name, and the price may be missing.
    writeFile(f.journalDir.filePath(QStringLiteral("Market.json")),
              "{ \"MarketID\":1, \"Items\":[ "
              "{ \"Name_Localised\":\"Steel\", \"BuyPrice\":300, \"Demand\":0, \"Stock\":250 }, "
              "{ \"Demand\":0, \"Stock\":0 }, "
              "{ \"Name_Localised\":\"Water\", \"Demand\":-1, \"Stock\":-1 }, "
              "{ \"Name_Localised\":\"Żywność\", \"Demand\":12, \"Stock\":0 } ] }");
    core.market().przeszukaj_market(f.journalDir.path() + QLatin1Char('/'));
    QCOMPARE(
        core.market().sg_Market.rows(),
        (QList<QStringList>{kHeading, {"Steel", "300", "0", "250", ""}, {"Żywność", "", "12", "0", ""}}));

    writeFile(f.journalDir.filePath(QStringLiteral("Market.json")), "{ \"MarketID\":1, \"Items\":[ ] }");
    core.market().przeszukaj_market(f.journalDir.path());
    QCOMPARE(core.market().sg_Market.rows(), QList<QStringList>{kHeading});
}

void MarketModuleTest::loadText_honoursByteOrderMark_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("{\"Name\":\"Żywność\"}");
    QTest::newRow("UTF-8") << text.toUtf8();
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QTest::newRow("UTF-16 with BOM") << QByteArray(utf16(text));
}

void MarketModuleTest::loadText_honoursByteOrderMark()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("Market.json")), bytes);
    QCOMPARE(MarketFile::loadText(dir.filePath(QStringLiteral("Market.json"))),
             QStringLiteral("{\"Name\":\"Żywność\"}"));
}

void MarketModuleTest::przeszukaj_market_badFile_data()
{
    QTest::addColumn<QByteArray>("bytes");  // empty: no file
    QTest::addColumn<int>("rowsKept");
    const QByteArray steel = "{ \"Name_Localised\":\"Steel\", \"BuyPrice\":300, \"Demand\":5, \"Stock\":0 }";
    QTest::newRow("missing") << QByteArray() << 1;
    QTest::newRow("half-written") << QByteArray("{ \"MarketID\":1, \"Items\":[ ") + steel + ", { \"Na" << 1;
    QTest::newRow("not an object") << QByteArray("[ 1, 2 ]") << 1;
    QTest::newRow("without MarketID") << QByteArray("{ \"Items\":[ ] }") << 1;
    QTest::newRow("without Items") << QByteArray("{ \"MarketID\":1 }") << 1;
    QTest::newRow("Items not a list") << QByteArray("{ \"MarketID\":1, \"Items\":{ } }") << 1;
    QTest::newRow("item not an object")
        << QByteArray("{ \"MarketID\":1, \"Items\":[ ") + steel + ", 7 ] }" << 2;
    QTest::newRow("item without Demand") << QByteArray("{ \"MarketID\":1, \"Items\":[ ") + steel +
                                                ", { \"Name_Localised\":\"A\", \"Stock\":1 } ] }"
                                         << 2;
    QTest::newRow("item without Stock") << QByteArray("{ \"MarketID\":1, \"Items\":[ ") + steel +
                                               ", { \"Name_Localised\":\"A\", \"Demand\":1 } ] }"
                                        << 2;
    QTest::newRow("listed item without name")
        << QByteArray("{ \"MarketID\":1, \"Items\":[ ") + steel + ", { \"Demand\":1, \"Stock\":0 } ] }" << 2;
    QTest::newRow("Demand as text") << QByteArray("{ \"MarketID\":1, \"Items\":[ { \"Name_Localised\":\"A\", "
                                                  "\"Demand\":\"1\", \"Stock\":0 } ] }")
                                    << 1;
}

void MarketModuleTest::przeszukaj_market_badFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, rowsKept);
    CoreFixture f;
    TessivarCore& core = f.start();
    dockAt(core);
    MarketModule& m = core.market();
    m.label_market_info = QStringLiteral("previous market");
    m.sg_Market.appendRow({"stale", "1", "1", "1"});
    if (!bytes.isEmpty())
        writeFile(f.journalDir.filePath(QStringLiteral("Market.json")), bytes);

    // No file yet is no fault (the game writes it at its first market screen):
    // nothing to show, and nothing to tell.
    if (bytes.isEmpty())
        m.przeszukaj_market(f.journalDir.path());
    else
        QVERIFY_THROWS_EXCEPTION(TessivarError, m.przeszukaj_market(f.journalDir.path()));
    QCOMPARE(m.sg_Market.rowCount(), rowsKept);
    QCOMPARE(m.sg_Market.row(0), kHeading);
    QCOMPARE(m.label_market_info, QStringLiteral("previous market"));
}

void MarketModuleTest::przeszukaj_market_withoutJournalFolder_throws()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    QDir::setCurrent(f.journalDir.path());
    writeFile(f.journalDir.filePath(QStringLiteral("Market.json")), "{ \"MarketID\":1, \"Items\":[ ] }");
    QVERIFY_THROWS_EXCEPTION(TessivarError, core.market().przeszukaj_market(QString()));
    QCOMPARE(core.market().label_market_info, QString());
}

QTEST_GUILESS_MAIN(MarketModuleTest)
#include "market_module_test.moc"
