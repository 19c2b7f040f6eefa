#include "TestSupport.h"
#include "cargo/CargoModule.h"
#include "common/Error.h"
#include "construction/ConstructionModule.h"
#include "ini/IniFile.h"
#include "markets/MarketModule.h"
#include "markets/ShoppingDb.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using Pairs = QList<QPair<QString, QString>>;

namespace {

// The station of the purchase the store's sample record comes from.
void dockAtKawasato(TessivarCore& core, TLandingPads pads = {4, 2, 1})
{
    TDaneSystemu& s = core.state.dane_systemu;
    s.StarSystem = QStringLiteral("Capricorni Sector OS-U c2-13");
    s.SystemAddress = 3657198080754ULL;
    s.StationName = QStringLiteral("Kawasato's Pride");
    s.StationType = QStringLiteral("CraterOutpost");
    s.MarketID = 4241957379ULL;
    // Purchases take the station from the dock record.
    TDaneDokowania& d = core.state.dane_dokowania;
    d.StarSystem = s.StarSystem;
    d.SystemAddress = s.SystemAddress;
    d.StationName = s.StationName;
    d.StationType = s.StationType;
    d.MarketID = s.MarketID;
    d.DistFromStarLS = 540.377125;
    d.LandingPads = pads;
}

QList<QStringList> listRows(const QStringList& names)
{
    QList<QStringList> rows;
    for (const QString& n : names)
        rows.append({n, QStringLiteral("100"), QString()});
    return rows;
}

const QByteArray kLiquidOxygen = "[liquidoxygen]\r\n"
                                 "System_Name=Capricorni Sector OS-U c2-13\r\n"
                                 "System_Adres=3657198080754\r\n"
                                 "Station_Name=Kawasato's Pride\r\n"
                                 "Station_Distance=540,377125\r\n"
                                 "Station_Type=CraterOutpost [L]\r\n"
                                 "MarketID=4241957379\r\n"
                                 "Price=121\r\n"
                                 "Count=1\r\n";

const QStringList kLiquidOxygenLabels{QStringLiteral("🪐 Capricorni Sector OS-U c2-13"),
                                      QStringLiteral("🛰️ Kawasato's Pride"),
                                      QStringLiteral("🏭CraterOutpost [L]"),
                                      QStringLiteral("📍540Ls"),
                                      QStringLiteral("🆔 4241957379"),
                                      QStringLiteral("💰121CR (Buying: 1)"),
                                      QStringLiteral("✅ [FC] \r\n✅ [CON] ")};

const QStringList kNotFoundLabels{QStringLiteral("🪐 🚫 <Commodity not found> 🚫"),
                                  QStringLiteral("🛰️ "),
                                  QStringLiteral("🏭"),
                                  QStringLiteral("📍0Ls"),
                                  QStringLiteral("🆔 0"),
                                  QStringLiteral("💰0CR (Buying: 0)"),
                                  QString()};

QByteArray section(const char* name, const char* distance)
{
    return QByteArray("[") + name + "]\r\nSystem_Name=Sol\r\nStation_Distance=" + distance +
           "\r\nPrice=10\r\n";
}

}  // namespace

class ShoppingDbTest : public QObject
{
    Q_OBJECT
private slots:
    void addLastShopping_realLine_writesEightKeysInOrder_data();
    void addLastShopping_realLine_writesEightKeysInOrder();
    void addLastShopping_stationTypeCarriesLargestPad_data();
    void addLastShopping_stationTypeCarriesLargestPad();
    void addLastShopping_sameCommodityAgain_keepsOnlyNewest();
    void addLastShopping_badLine_writesNothing_data();
    void addLastShopping_badLine_writesNothing();
    void addLastShopping_storeFolderBlocked_throws();
    void szukaj_towaru_data();
    void szukaj_towaru();
    void szukaj_towaru_keepsTimestampAndTotalCost();
    void purchase_isFoundByTypedName_underCommaLocale();
    void findCommodity_searchesAndAsksToShow();
    void journalPass_recordsPurchasesOnlyAfterFirstPass();
};

void ShoppingDbTest::addLastShopping_realLine_writesEightKeysInOrder_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("marketId");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("count");
    QTest::newRow("bauxite, id above 2^31") << 0 << "bauxite"
                                            << "3228997120"
                                            << "9698"
                                            << "656";
    QTest::newRow("agronomic treatment") << 1 << "agronomictreatment"
                                         << "128666762"
                                         << "2377"
                                         << "420";
    QTest::newRow("tritium") << 2 << "tritium"
                             << "3231275776"
                             << "47569"
                             << "784";
    QTest::newRow("insulating membrane") << 3 << "insulatingmembrane"
                                         << "3708733696"
                                         << "10605"
                                         << "32";
    QTest::newRow("fruit and vegetables") << 4 << "fruitandvegetables"
                                          << "3709409280"
                                          << "483"
                                          << "195";
}

void ShoppingDbTest::addLastShopping_realLine_writesEightKeysInOrder()
{
    QFETCH(int, line);
    QFETCH(QString, type);
    REQUIRE_SHARED(fixture, QStringLiteral("MarketBuy.jsonl"));
    const QList<QByteArray> lines = fixtureLines(QStringLiteral("MarketBuy.jsonl"));
    QVERIFY(line < lines.size());

    CoreFixture f;
    TessivarCore& core = f.start();
    dockAtKawasato(core);
    core.lastShopping().add_last_shopping(lines[line]);

    const IniDocument ini =
        IniFile(f.dataDir.filePath(QStringLiteral("Markets/LastShopping.ini"))).document();
    QCOMPARE(ini.sections(), QStringList{type});
    QFETCH(QString, marketId);
    QFETCH(QString, price);
    QFETCH(QString, count);
    const Pairs want{{"System_Name", "Capricorni Sector OS-U c2-13"},
                     {"System_Adres", "3657198080754"},
                     {"Station_Name", "Kawasato's Pride"},
                     {"Station_Distance", "540.377125"},
                     {"Station_Type", "CraterOutpost [L]"},
                     {"MarketID", marketId},
                     {"Price", price},
                     {"Count", count}};
    QCOMPARE(ini.sectionValues(type), want);
}

void ShoppingDbTest::addLastShopping_stationTypeCarriesLargestPad_data()
{
    QTest::addColumn<int>("small");
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("large");
    QTest::addColumn<QString>("stationType");
    QTest::newRow("all three") << 4 << 4 << 2 << "CraterOutpost [L]";
    QTest::newRow("large and small, no medium") << 2 << 0 << 1 << "CraterOutpost [L]";
    QTest::newRow("medium and small") << 2 << 1 << 0 << "CraterOutpost [M]";
    QTest::newRow("small only") << 1 << 0 << 0 << "CraterOutpost [S]";
    QTest::newRow("no pads") << 0 << 0 << 0 << "CraterOutpost []";
}

void ShoppingDbTest::addLastShopping_stationTypeCarriesLargestPad()
{
    QFETCH(int, small);
    QFETCH(int, medium);
    QFETCH(int, large);
    QFETCH(QString, stationType);
    CoreFixture f;
    TessivarCore& core = f.start();
    dockAtKawasato(core, TLandingPads{small, medium, large});
    core.lastShopping().add_last_shopping(journalLine("2025-01-01T10:00:00Z", "MarketBuy",
                                                      R"("MarketID":4241957379, "Type":"steel", "Count":1, )"
                                                      R"("BuyPrice":121, "TotalCost":121)"));
    QCOMPARE(IniFile(core.lastShopping().storePath())
                 .readString(QStringLiteral("steel"), QStringLiteral("Station_Type")),
             stationType);
}

void ShoppingDbTest::addLastShopping_sameCommodityAgain_keepsOnlyNewest()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    dockAtKawasato(core);
    core.lastShopping().add_last_shopping(
        journalLine("2025-01-01T10:00:00Z", "MarketBuy",
                    R"("MarketID":1, "Type":"steel", "Count":5, "BuyPrice":100, "TotalCost":500)"));
    core.state.dane_dokowania.StarSystem = QStringLiteral("Sol");
    core.state.dane_dokowania.StationName = QStringLiteral("Abraham Lincoln");
    core.lastShopping().add_last_shopping(
        journalLine("2025-01-01T11:00:00Z", "MarketBuy",
                    R"("MarketID":2, "Type":"steel", "Count":7, "BuyPrice":90, "TotalCost":630)"));

    const IniDocument ini = IniFile(core.lastShopping().storePath()).document();
    QCOMPARE(ini.sections(), QStringList{QStringLiteral("steel")});
    const Pairs values = ini.sectionValues(QStringLiteral("steel"));
    QCOMPARE(values.size(), 8);
    QCOMPARE(values[0].second, QStringLiteral("Sol"));
    QCOMPARE(values[2].second, QStringLiteral("Abraham Lincoln"));
    QCOMPARE(values[5].second, QStringLiteral("2"));
    QCOMPARE(values[6].second, QStringLiteral("90"));
    QCOMPARE(values[7].second, QStringLiteral("7"));
}

void ShoppingDbTest::addLastShopping_badLine_writesNothing_data()
{
    QTest::addColumn<QByteArray>("line");
    const QByteArray good =
        R"({ "timestamp":"2025-01-01T10:00:00Z", "event":"MarketBuy", "MarketID":4241957379, )"
        R"("Type":"steel", "Count":1, "BuyPrice":121, "TotalCost":121 })";
    QTest::newRow("not JSON") << QByteArray("MarketBuy steel 1");
    QTest::newRow("half-written line") << good.left(good.size() / 2);
    QTest::newRow("array") << QByteArray(R"([{"event":"MarketBuy"}])");
    for (const char* key : {"timestamp", "MarketID", "Type", "Count", "BuyPrice", "TotalCost"}) {
        QByteArray line = good;
        line.replace(QByteArray("\"") + key + "\"", "\"x_" + QByteArray(key) + "\"");
        QTest::addRow("without %s", key) << line;
    }
    QTest::newRow("Count as text") << QByteArray(good).replace("\"Count\":1", "\"Count\":\"1\"");
    QTest::newRow("Count with a fraction") << QByteArray(good).replace("\"Count\":1", "\"Count\":1.5");
    QTest::newRow("negative MarketID") << QByteArray(good).replace("4241957379", "-5");
    QTest::newRow("Type a number") << QByteArray(good).replace("\"steel\"", "12");
    QTest::newRow("Type no section can hold") << QByteArray(good).replace("\"steel\"", "\"st]eel\"");
    QTest::newRow("empty Type") << QByteArray(good).replace("\"steel\"", "\"\"");
}

void ShoppingDbTest::addLastShopping_badLine_writesNothing()
{
    QFETCH(QByteArray, line);
    CoreFixture f;
    TessivarCore& core = f.start();
    dockAtKawasato(core);
    const QString store = core.lastShopping().storePath();
    writeFile(store, kLiquidOxygen);
    QVERIFY_THROWS_EXCEPTION(TessivarError, core.lastShopping().add_last_shopping(line));
    QCOMPARE(readFile(store), kLiquidOxygen);

    QFile::remove(store);
    QVERIFY_THROWS_EXCEPTION(TessivarError, core.lastShopping().add_last_shopping(line));
    QVERIFY(!QFile::exists(store));
}

void ShoppingDbTest::addLastShopping_storeFolderBlocked_throws()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    writeFile(f.dataDir.filePath(QStringLiteral("Markets")), "a file where the folder belongs");
    QVERIFY_THROWS_EXCEPTION(TessivarError,
                             core.lastShopping().add_last_shopping(journalLine(
                                 "2025-01-01T10:00:00Z", "MarketBuy",
                                 R"("MarketID":1, "Type":"steel", "Count":1, "BuyPrice":1, "TotalCost":1)")));
}

void ShoppingDbTest::szukaj_towaru_data()
{
    QTest::addColumn<QByteArray>("store");  // empty: no file at all
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("loading");
    QTest::addColumn<QStringList>("construction");
    QTest::addColumn<QString>("itemType");
    QTest::addColumn<QString>("alsoNeeded");
    QTest::addColumn<QStringList>("labels");

    const QStringList none;
    QTest::newRow("blank and capitals") << kLiquidOxygen << "Liquid Oxygen" << none << none << "liquidoxygen"
                                        << "[FC] [CON] " << kLiquidOxygenLabels;
    QTest::newRow("lower case with blank")
        << kLiquidOxygen << "liquid oxygen" << none << none << "liquidoxygen"
        << "[FC] [CON] " << kLiquidOxygenLabels;
    QTest::newRow("capitals, no blank") << kLiquidOxygen << "LiquidOxygen" << none << none << "liquidoxygen"
                                        << "[FC] [CON] " << kLiquidOxygenLabels;
    // Any spelling of the commodity finds the purchase stored under its type.
    QTest::newRow("hyphen") << kLiquidOxygen << "Liquid-Oxygen" << none << none << "liquidoxygen"
                            << "[FC] [CON] " << kLiquidOxygenLabels;
    QTest::newRow("tab") << kLiquidOxygen << "liquid\toxygen" << none << none << "liquidoxygen"
                         << "[FC] [CON] " << kLiquidOxygenLabels;
    QTest::newRow("section with capitals")
        << QByteArray("[Steel]\r\nPrice=5\r\n") << "Steel" << none << none << "Steel"
        << "[FC] [CON] "
        << QStringList{"🪐 ", "🛰️ ", "🏭", "📍0Ls", "🆔 0", "💰5CR (Buying: 0)", "✅ [FC] \r\n✅ [CON] "};
    const QStringList computerLabels{"🪐 Sol",
                                     "🛰️ ",
                                     "🏭",
                                     "📍12Ls",
                                     "🆔 0",
                                     "💰10CR (Buying: 0)",
                                     "✅ [FC] Computer; \r\n✅ [CON] Computer Components; "};
    QTest::newRow("pick list Computer finds computercomponents")
        << section("computercomponents", "12") << "Computer" << QStringList{"Computer"}
        << QStringList{"Computer Components"} << "computercomponents"
        << "[FC] Computer; [CON] Computer Components; " << computerLabels;
    QTest::newRow("hub's Components Computer")
        << section("computercomponents", "12") << "Components Computer" << QStringList{"Computer"}
        << QStringList{"Computer Components"} << "computercomponents"
        << "[FC] Computer; [CON] Computer Components; " << computerLabels;
    QTest::newRow("Agri-Medicines") << section("agriculturalmedicines", "541.5") << "Agri-Medicines" << none
                                    << none << "agriculturalmedicines"
                                    << "[FC] [CON] "
                                    << QStringList{
                                           "🪐 Sol",          "🛰️ ",           "🏭", "📍542Ls", "🆔 0",
                                           "💰10CR (Buying: 0)", "✅ [FC] \r\n✅ [CON] "};
    QTest::newRow("another commodity is not found")
        << section("waterpurifiers", "12") << "Water" << none << none << "Water"
        << "" << kNotFoundLabels;
    QTest::newRow("no store file") << QByteArray() << "Steel" << QStringList{"Steel"} << none << "Steel"
                                   << "" << kNotFoundLabels;

    const QByteArray twoSections = kLiquidOxygen + section("steel", "10");
    QStringList labels = kLiquidOxygenLabels;
    labels[6] = QStringLiteral("✅ [FC] Steel; \r\n✅ [CON] LIQUIDOXYGEN; steel; ");
    QTest::newRow("list names match in any case, from row 0")
        << twoSections << "liquid oxygen" << QStringList{"Steel", "TOTAL", ""}
        << QStringList{"LIQUIDOXYGEN", "steel", "Water"} << "liquidoxygen"
        << "[FC] Steel; [CON] LIQUIDOXYGEN; steel; " << labels;
    labels[6] = QStringLiteral("✅ [FC] Liquid Oxygen; STEEL; \r\n✅ [CON] ");
    QTest::newRow("list name with blanks is listed")
        << twoSections << "LIQUIDOXYGEN" << QStringList{"Liquid Oxygen", "STEEL"} << none << "liquidoxygen"
        << "[FC] Liquid Oxygen; STEEL; [CON] " << labels;

    QTest::newRow("malformed keys take their defaults")
        << QByteArray("[water]\r\nMarketID=4x\r\nPrice=cheap\r\nCount=\r\nStation_Distance=far\r\n")
        << "Water" << QStringList{"Water"} << none << "water"
        << "[FC] Water; [CON] "
        << QStringList{
               "🪐 ", "🛰️ ", "🏭", "📍0Ls", "🆔 0", "💰0CR (Buying: 0)", "✅ [FC] Water; \r\n✅ [CON] "};
    const QStringList also{"✅ [FC] \r\n✅ [CON] "};
    QTest::newRow("half below rounds to even, comma")
        << section("steel", "540,5") << "steel" << none << none << "steel"
        << "[FC] [CON] "
        << QStringList{"🪐 Sol", "🛰️ ", "🏭", "📍540Ls", "🆔 0", "💰10CR (Buying: 0)", also[0]};
    QTest::newRow("half above rounds to even, full stop")
        << section("steel", "541.5") << "steel" << none << none << "steel"
        << "[FC] [CON] "
        << QStringList{"🪐 Sol", "🛰️ ", "🏭", "📍542Ls", "🆔 0", "💰10CR (Buying: 0)", also[0]};
}

void ShoppingDbTest::szukaj_towaru()
{
    QFETCH(QByteArray, store);
    QFETCH(QString, typed);
    QFETCH(QStringList, loading);
    QFETCH(QStringList, construction);
    QFETCH(QString, itemType);
    QFETCH(QString, alsoNeeded);
    QFETCH(QStringList, labels);

    CoreFixture f;
    TessivarCore& core = f.start();
    if (!store.isEmpty())
        writeFile(core.lastShopping().storePath(), store);
    core.cargo().loadingList.setAll(listRows(loading));
    core.construct().lista_materialow.setAll(listRows(construction));

    ShoppingDb& db = core.lastShopping();
    QSignalSpy changed(&db, &ShoppingDb::changed);
    db.edit_find = typed;
    db.szukaj_towaru();

    QCOMPARE(db.Wynik_wyszukiwania.ItemType, itemType);
    QCOMPARE(db.Wynik_wyszukiwania.Also_needed, alsoNeeded);
    const QStringList shown{db.label_ww_system,     db.label_ww_station,  db.label_ww_station_type,
                            db.label_ww_distance,   db.label_ww_marketid, db.label_ww_price,
                            db.label_ww_also_needed};
    QCOMPARE(shown, labels);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(db.edit_find, typed);
}

void ShoppingDbTest::szukaj_towaru_keepsTimestampAndTotalCost()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    writeFile(core.lastShopping().storePath(), kLiquidOxygen);
    TMarketBuyData& w = core.lastShopping().Wynik_wyszukiwania;
    w.Timestamp = QStringLiteral("2025-01-01T10:00:00Z");
    w.TotalCost = 77;
    for (const char* typed : {"liquid oxygen", "nothing"}) {
        core.lastShopping().edit_find = QString::fromUtf8(typed);
        core.lastShopping().szukaj_towaru();
        QCOMPARE(w.Timestamp, QStringLiteral("2025-01-01T10:00:00Z"));
        QCOMPARE(w.TotalCost, 77);
    }
    QCOMPARE(w.System_Adres, 0u);
}

void ShoppingDbTest::purchase_isFoundByTypedName_underCommaLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    CoreFixture f;
    TessivarCore& core = f.start();
    dockAtKawasato(core);
    core.lastShopping().add_last_shopping(
        journalLine("2025-03-04T16:10:26Z", "MarketBuy",
                    R"("MarketID":3708733696, "Type":"insulatingmembrane", )"
                    R"("Type_Localised":"Insulating Membrane", "Count":32, )"
                    R"("BuyPrice":10605, "TotalCost":339360)"));
    QLocale::setDefault(before);
    QVERIFY(readFile(core.lastShopping().storePath()).contains("Station_Distance=540.377125\r\n"));

    core.lastShopping().edit_find = QStringLiteral("Insulating Membrane");
    core.lastShopping().szukaj_towaru();
    const TMarketBuyData& w = core.lastShopping().Wynik_wyszukiwania;
    QCOMPARE(w.ItemType, QStringLiteral("insulatingmembrane"));
    QCOMPARE(w.MarketID, 3708733696ULL);
    QCOMPARE(w.System_Adres, 3657198080754ULL);
    QCOMPARE(w.Station_Distance, 540.377125);
    QCOMPARE(w.BuyPrice, 10605);
    QCOMPARE(w.Count, 32);
    QCOMPARE(core.lastShopping().label_ww_price, QStringLiteral("💰10605CR (Buying: 32)"));
}

void ShoppingDbTest::findCommodity_searchesAndAsksToShow()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    writeFile(core.lastShopping().storePath(), kLiquidOxygen);
    QSignalSpy show(&core.lastShopping(), &ShoppingDb::showRequested);
    core.lastShopping().findCommodity(QStringLiteral("Liquid Oxygen"));
    QCOMPARE(show.count(), 1);
    QCOMPARE(core.lastShopping().edit_find, QStringLiteral("Liquid Oxygen"));
    QCOMPARE(core.lastShopping().label_ww_system, kLiquidOxygenLabels[0]);
}

void ShoppingDbTest::journalPass_recordsPurchasesOnlyAfterFirstPass()
{
    CoreFixture f;
    writeFile(
        f.journalDir.filePath(QStringLiteral("Cargo.json")),
        "{ \"timestamp\":\"2025-01-01T09:00:00Z\", \"event\":\"Cargo\", \"Vessel\":\"Ship\", \"Count\":0, "
        "\"Inventory\":[ ] }");
    f.append(journalLine("2025-01-01T09:00:00Z", "MarketBuy",
                         R"("MarketID":1, "Type":"gold", "Count":1, "BuyPrice":1, "TotalCost":1)"));
    TessivarCore& core = f.start();
    f.pass();
    QVERIFY(!QFile::exists(core.lastShopping().storePath()));

    writeFile(
        f.journalDir.filePath(QStringLiteral("Market.json")),
        R"({ "MarketID":1, "Items":[ { "Name_Localised":"Steel", "BuyPrice":300, "Demand":0, "Stock":250 } ] })");
    core.state.dane_systemu.StarSystem = QStringLiteral("Sol");
    f.append(journalLine("2025-01-01T10:00:00Z", "MarketBuy",
                         R"("MarketID":1, "Type":"steel", "Count":8, "BuyPrice":300, "TotalCost":2400)"));
    f.pass();
    QCOMPARE(IniFile(core.lastShopping().storePath()).document().sections(),
             QStringList{QStringLiteral("steel")});
    QCOMPARE(core.market().sg_Market.row(1), (QStringList{"Steel", "300", "0", "250", ""}));
    QVERIFY2(f.ui.messages().isEmpty(), qPrintable(f.ui.messages().join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(ShoppingDbTest)
#include "shopping_db_test.moc"
