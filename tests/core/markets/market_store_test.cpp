#include "TestSupport.h"
#include "cargo/CargoModule.h"
#include "common/Error.h"
#include "common/NoticeModel.h"
#include "common/ReportSink.h"
#include "construction/ConstructionModule.h"
#include "markets/MarketModule.h"
#include "markets/MarketSnapshot.h"
#include "markets/MarketStore.h"
#include "markets/ShoppingDb.h"
#include "mobile/MobileMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray item(const char* internal, const char* shown, int buyPrice, int stock, int demand = 0)
{
    return QByteArray("{ \"Name\":\"$") + internal + "_name;\", \"Name_Localised\":\"" + shown +
           "\", \"Category_Localised\":\"Metals\", \"BuyPrice\":" + QByteArray::number(buyPrice) +
           ", \"SellPrice\":" + QByteArray::number(buyPrice - 10) +
           ", \"Stock\":" + QByteArray::number(stock) + ", \"Demand\":" + QByteArray::number(demand) + " }";
}

QByteArray marketFile(quint64 id, const char* when, const char* station, const QByteArray& items)
{
    return "{ \"timestamp\":\"" + QByteArray(when) +
           "\", \"event\":\"Market\", \"MarketID\":" + QByteArray::number(id) + ", \"StationName\":\"" +
           station + "\", \"StationType\":\"Coriolis\", \"StarSystem\":\"Sol\", \"Items\":[ " + items +
           " ] }";
}

MarketSnapshot snapshot(quint64 id, const char* when, const char* station, const QByteArray& items)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Market.json"));
    writeFile(path, marketFile(id, when, station, items));
    MarketSnapshot s;
    MarketFile::read(path, s);
    return s;
}

// "station price stock" of each offer, in the store's order.
QStringList offerTexts(const QList<MarketOffer>& offers)
{
    QStringList out;
    for (const MarketOffer& o : offers)
        out.append(QStringLiteral("%1 %2 %3").arg(o.station).arg(o.price).arg(o.stock));
    return out;
}

struct Reports
{
    ScriptedInteraction ui;
    NoticeModel notices;
    ReportSink sink{ui, notices};
};

}  // namespace

class MarketStoreTest : public QObject
{
    Q_OBJECT
private slots:
    void reader_data();
    void reader();
    void store_recordsReplacesSkipsAndFinds();
    void search_purchaseWinsElseNewestMarketSeenAnswers();
};

void MarketStoreTest::reader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");  // empty: a whole market
    QTest::addColumn<QStringList>(
        "items");  // "localised internal buy sell stock demand category", read so far
    const QByteArray steel = item("steel", "Steel", 300, 250);
    const QString steelText = QStringLiteral("Steel $steel_name; 300 290 250 0 Metals");
    QTest::newRow("whole, only what is traded")
        << marketFile(7, "2025-06-20T20:00:00Z", "Depot",
                      steel + ", " + item("gold", "Gold", 9, 0) + ", " + item("water", "Water", 0, 0, 40))
        << QString() << QStringList{steelText, QStringLiteral("Water $water_name; 0 -10 0 40 Metals")};
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF") + marketFile(7, "", "Depot", steel)
                                     << QString() << QStringList{steelText};
    QTest::newRow("without a price")
        << QByteArray(
               "{ \"MarketID\":7, \"Items\":[ { \"Name_Localised\":\"A\", \"Demand\":1, \"Stock\":0 } ] }")
        << QString() << QStringList{QStringLiteral("A  -1 -1 0 1 ")};
    QTest::newRow("not JSON") << QByteArray("{ \"MarketID\":7, \"Items\":[ ") + steel
                              << "Market.json: " << QStringList{};
    QTest::newRow("not an object") << QByteArray("[ 1 ]") << "does not hold a JSON object" << QStringList{};
    QTest::newRow("without MarketID") << QByteArray("{ \"Items\":[ ] }") << "MarketID" << QStringList{};
    QTest::newRow("Items not a list")
        << QByteArray("{ \"MarketID\":7, \"Items\":3 }") << "\"Items\" is not a list" << QStringList{};
    QTest::newRow("fault mid-file keeps the items before it")
        << QByteArray("{ \"MarketID\":7, \"Items\":[ ") + steel + ", { \"Demand\":1, \"Stock\":0 } ] }"
        << "item 2" << QStringList{steelText};
}

void MarketStoreTest::reader()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QFETCH(QStringList, items);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Market.json"));
    writeFile(path, bytes);
    MarketSnapshot s;
    QString thrown;
    try {
        MarketFile::read(path, s);
    } catch (const TessivarError& e) {
        thrown = errorText(e);
    }
    if (error.isEmpty()) {
        QCOMPARE(thrown, QString());
        QCOMPARE(s.marketId, 7u);
    } else {
        QVERIFY2(thrown.contains(error), qPrintable(thrown));
    }
    QStringList got;
    for (const MarketItem& i : s.items)
        got.append(QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                       .arg(i.localised, i.name)
                       .arg(i.buyPrice)
                       .arg(i.sellPrice)
                       .arg(i.stock)
                       .arg(i.demand)
                       .arg(i.category));
    QCOMPARE(got, items);
}

void MarketStoreTest::store_recordsReplacesSkipsAndFinds()
{
    QTemporaryDir data;
    const QString dataDir = data.path() + QLatin1Char('/');
    Reports r;
    {
        MarketStore store(dataDir, r.sink);
        store.record(snapshot(128000001, "2025-06-20T20:00:00Z", "Alpha",
                              item("steel", "Steel", 4100, 900) + ", " +
                                  item("liquidoxygen", "Liquid oxygen", 700, 50)));
        store.record(snapshot(128000002, "2025-06-20T21:00:00Z", "Beta", item("steel", "Steel", 3900, 20)));
        // Alpha again, later: its steel is gone, so it no longer sells it.
        store.record(snapshot(128000001, "2025-06-20T22:00:00Z", "Alpha",
                              item("steel", "Steel", 4100, 0, 5) + ", " +
                                  item("liquidoxygen", "Liquid oxygen", 650, 80)));
        // An older snapshot read again changes nothing.
        store.record(snapshot(128000002, "2025-06-20T19:00:00Z", "Beta", item("steel", "Steel", 1, 1)));
        QCOMPARE(offerTexts(store.sellers(QStringLiteral("Steel"))), QStringList{"Beta 3900 20"});
        QCOMPARE(store.markets().size(), 2);
    }
    // A broken file and a huge one beside the good ones: each skipped and told once, the rest read.
    writeFile(dataDir + QStringLiteral("Markets/128000003.json"), "{ \"MarketID\":\"128000003\", \"seen\":");
    writeFile(dataDir + QStringLiteral("Markets/128000004.json"),
              QByteArray(MarketStore::kMaxFileBytes + 1, ' '));
    MarketStore again(dataDir, r.sink);
    QCOMPARE(r.notices.notices().size(), 2);
    QVERIFY(r.notices.notices().first().text.contains(QStringLiteral("128000003.json")));
    // One commodity by any spelling: the journal's, the shown name, a typed one; newest first.
    for (const QString& spelling : {QStringLiteral("$liquidoxygen_name;"), QStringLiteral("Liquid Oxygen"),
                                    QStringLiteral("liquidoxygen")})
        QCOMPARE(offerTexts(again.sellers(spelling)), QStringList{"Alpha 650 80"});
    QCOMPARE(offerTexts(again.sellers(QStringLiteral("steel"))), QStringList{"Beta 3900 20"});
    QCOMPARE(again.markets().first().station, QStringLiteral("Alpha"));
}

void MarketStoreTest::search_purchaseWinsElseNewestMarketSeenAnswers()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    writeFile(core.lastShopping().storePath(),
              "[steel]\r\nSystem_Name=Achenar\r\nStation_Name=Dawes Hub\r\nPrice=5\r\n");
    core.cargo().loadingList.setAll({{"TOWAR", "ILOSC", ""}, {"Gold", "10", ""}, {"Silver", "5", ""}});
    // Two markets opened in the game, the newer one last.
    for (const auto& [when, station, price] : {std::tuple{"2025-06-20T20:00:00Z", "Alpha", 700},
                                               std::tuple{"2025-06-20T21:00:00Z", "Beta", 650}}) {
        writeFile(f.journalDir.filePath(QStringLiteral("Market.json")),
                  marketFile(station[0] == 'A' ? 128000001 : 128000002, when, station,
                             item("steel", "Steel", 4000, 9) + ", " +
                                 item("liquidoxygen", "Liquid oxygen", price, 80) + ", " +
                                 item("gold", "Gold", 40000, 3)));
        core.market().przeszukaj_market(f.journalDir.path());
    }
    ShoppingDb& db = core.lastShopping();
    const MobileSources phone{core.state, core.construct().lista_materialow, core.construct().ProgressBar1,
                              [&core] { return core.cargo().mirroredRows(); }, db.Wynik_wyszukiwania};

    // Bought before: the purchase answers, the markets seen are listed below it.
    db.updateSearch(QStringLiteral("Steel"));
    QVERIFY(db.resultFound());
    QCOMPARE(db.Wynik_wyszukiwania.Station_Name, QStringLiteral("Dawes Hub"));
    QCOMPARE(db.offers.rowCount(), 2);

    // Never bought: the newest market selling it answers, on the phone too.
    db.updateSearch(QStringLiteral("Liquid Oxygen"));
    QVERIFY(!db.resultFound());
    QVERIFY(db.resultFromSeenMarket());
    QCOMPARE(db.offers.rowTexts(0).mid(0, 2), (QStringList{"Sol", "Beta"}));
    QCOMPARE(db.offers.rows().value(1).value(3).key.toLongLong(), 700);
    QCOMPARE(mobileMessageLines(phone, QStringLiteral("find_result")),
             (QStringList{"F:clear:clear", "F:Commidity:liquidoxygen", "F:System:Sol", "F:Station:Beta",
                          "F:Type:Coriolis", "F:Distance:0Ls", "F:MarketID:128000002", "F:Price:650",
                          "F:Also_needed:[FC] Gold; [CON] "}));

    // Sold nowhere seen: not found, as before.
    db.updateSearch(QStringLiteral("Tritium"));
    QVERIFY(!db.resultFromSeenMarket());
    QCOMPARE(db.Wynik_wyszukiwania.System_Name, QStringLiteral("🚫 <Commodity not found> 🚫"));
    QCOMPARE(db.offers.rowCount(), 0);
    QCOMPARE(db.seenMarkets.rowTexts(0).mid(0, 4), (QStringList{"Sol", "Beta", "Coriolis", "3"}));
}

QTEST_GUILESS_MAIN(MarketStoreTest)
#include "market_store_test.moc"
