// The hub client against a loopback HTTP server: what it sends, what it does
// with each reply, and how it copes with a hub that is down, slow or broken.
#include "HttpStub.h"
#include "TestSupport.h"

#include "MainWindowModel.h"
#include "cargo/CargoModule.h"
#include "hub/HubClient.h"
#include "markets/MarketModule.h"
#include "settings/SettingsStore.h"

#include <QRegularExpression>
#include <QTest>

namespace {

constexpr int kWait = 10000;

// JSON written with single quotes, to keep the test data readable.
QByteArray j(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

// A core whose settings name the given hub address.
struct HubFixture : CoreFixture
{
    explicit HubFixture(const QString& url, bool consent = true)
    {
        writeFile(dataDir.filePath(QStringLiteral("settings.ini")), "[KVN]\r\nurl=" + url.toUtf8() + "\r\n");
        start();
        core->settings().kvn_consent = consent;
        core->state.dane_CMDR.Name = QStringLiteral("Jan");
    }
    HubClient& hubClient() { return core->hubClient(); }
};

QStringList topLevelTexts(const OrderTree& t)
{
    QStringList out;
    for (int i = 0; i < t.rowCount(); ++i)
        out.append(t.index(i, 0).data().toString());
    return out;
}

// Whether the contracts window must wait before asking again (after a
// refresh it got through), and no longer than the pause.
bool refreshPaused(const HubClient& kvn)
{
    const QDateTime at = kvn.nextRefreshAllowedAt();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return at.isValid() && at > now && now.secsTo(at) <= HubClient::kRefreshPauseSeconds;
}

const char* const kOrders =
    "[{'FC':'Ironclad','cmdr':'Jan','CarrierID':'3702668288','action':'Demand',"
    "'location':'Deciat / Body 5','commodity':'Steel','count':'720','price':'105'},"
    "{'FC':'Ironclad','cmdr':'Jan','commodity':'Liquid Oxygen','count':'55','price':'90'}]";

// Serves `orders` to get_kvn and "verify_ok" to everything else, and loads
// the orders into the client; the requests so far are forgotten.
void loadOrders(HttpStub& hub, HubFixture& f, const QByteArray& orders)
{
    hub.handler = [orders](const StubRequest& r) {
        return StubResponse::text(
            r.field(QStringLiteral("act")) == QLatin1String("get_kvn") ? orders : QByteArray("verify_ok"));
    };
    f.hubClient().requestOrders();
    QVERIFY(f.hubClient().waitForIdle(kWait));
    hub.requests.clear();
}

}  // namespace

class HubProtocolTest : public QObject
{
    Q_OBJECT

private slots:
    void endpoint_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("url");
        QTest::newRow("path added") << QStringLiteral("http://127.0.0.1:8080")
                                    << QStringLiteral("http://127.0.0.1:8080/ED/KVN.php");
        QTest::newRow("root path") << QStringLiteral(" https://hub.example/ ")
                                   << QStringLiteral("https://hub.example/ED/KVN.php");
        QTest::newRow("own path kept")
            << QStringLiteral("http://h:1/x/hub.php") << QStringLiteral("http://h:1/x/hub.php");
        QTest::newRow("none") << QString() << QString();
        QTest::newRow("not http") << QStringLiteral("ftp://h/") << QString();
        QTest::newRow("no host") << QStringLiteral("KVN.php") << QString();
    }

    void endpoint()
    {
        QFETCH(QString, configured);
        QFETCH(QString, url);
        HubFixture f(configured);
        QCOMPARE(f.hubClient().endpointUrl(), url);
        QCOMPARE(f.hubClient().endpointNote().isEmpty(), !url.isEmpty());
    }

    void noEndpoint_sendsNothingAndReportsNothing()
    {
        HubFixture f{QString()};
        f.hubClient().windowShown();
        f.hubClient().versionCheck().check();
        f.hubClient().reportSale(QStringLiteral("steel"), 1);
        f.core->market().KVN_aktualizuj_zlecenia(42);
        QVERIFY(f.hubClient().isIdle());
        QCOMPARE(f.ui.messages(), QStringList());
        QVERIFY(!refreshPaused(f.hubClient()));
    }

    void getKVN_sendsTheHubHeadersAndFillsBothTrees()
    {
        HttpStub hub;
        hub.handler = [](const StubRequest&) { return StubResponse::text(j(kOrders)); };
        HubFixture f(hub.url());
        // A taken order whose header differs only in letter case is refreshed.
        Order taken;
        taken.carrierName = QStringLiteral("IRONCLAD");
        taken.cmdr = QStringLiteral("jan");
        taken.lines = {{QStringLiteral("Old"), 1, 1}};
        f.hubClient().acceptedOrders.appendOrder(taken);

        f.hubClient().windowShown();
        QVERIFY(f.hubClient().waitForIdle(kWait));

        QCOMPARE(hub.requests.size(), 1);
        const StubRequest& r = hub.requests[0];
        QCOMPARE(r.method, QByteArray("POST"));
        QCOMPARE(r.path, QByteArray("/ED/KVN.php"));
        QCOMPARE(r.header("Accept"),
                 QByteArray("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
        QCOMPARE(r.header("User-Agent"), QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
        QCOMPARE(r.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        QCOMPARE(r.body, QByteArray("act=get_kvn"));

        QCOMPARE(f.hubClient().marketOrders.orderCount(), 1);
        QCOMPARE(f.hubClient().marketOrders.rowCount(f.hubClient().marketOrders.index(0, 0)), 5);
        const OrderTree& accepted = f.hubClient().acceptedOrders;
        QCOMPARE(accepted.rowCount(accepted.index(0, 0)), 5);
        QCOMPARE(topLevelTexts(accepted),
                 QStringList{QStringLiteral("🚀 IRONCLAD - \U0001F9D1\u200D\U0001F680 jan")});
        QCOMPARE(accepted.index(0, 0, accepted.index(0, 0)).data().toString(),
                 QStringLiteral("🆔 Carrier ID: 3702668288"));
        QVERIFY(refreshPaused(f.hubClient()));

        // While the countdown runs, showing the window again does not ask the hub.
        f.hubClient().windowShown();
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QCOMPARE(hub.requests.size(), 1);
    }

    void failure_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("down") << QStringLiteral("down") << QStringLiteral("Connection refused");
        QTest::newRow("slow") << QStringLiteral("slow") << QStringLiteral("no reply within 0.3 s");
        QTest::newRow("500") << QStringLiteral("500") << QStringLiteral("HTTP 500 Internal Server Error");
        QTest::newRow("redirect")
            << QStringLiteral("redirect")
            << QStringLiteral("redirect (HTTP 302) to \"http://elsewhere/\", which is not followed");
        QTest::newRow("too large, declared")
            << QStringLiteral("large")
            << QStringLiteral("the reply of 5000 bytes is larger than the limit of 1000 bytes");
        QTest::newRow("too large, streamed")
            << QStringLiteral("stream")
            << QStringLiteral("larger than the limit of 1000 bytes; it was cut off");
        // Status 200 with a body that is not an order list.
        QTest::newRow("cut JSON") << QStringLiteral("cut")
                                  << QStringLiteral("the reply is not an order list");
        QTest::newRow("an object") << QStringLiteral("object")
                                   << QStringLiteral("the reply is not an order list");
        QTest::newRow("random bytes")
            << QStringLiteral("bytes") << QStringLiteral("the reply is not an order list");
    }

    void failure()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        HttpStub hub;
        hub.handler = [kind](const StubRequest&) {
            if (kind == QLatin1String("slow"))
                return StubResponse::silent();
            if (kind == QLatin1String("500"))
                return StubResponse::text("oops", 500, "Internal Server Error");
            if (kind == QLatin1String("cut"))
                return StubResponse::text("[{\"FC\":\"Ironclad\",\"cmdr\":\"Ja");
            if (kind == QLatin1String("object"))
                return StubResponse::text("{\"error\":\"database is locked\"}");
            if (kind == QLatin1String("bytes"))
                return StubResponse::text(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
            if (kind == QLatin1String("redirect")) {
                StubResponse r = StubResponse::text({}, 302, "Found");
                r.headers.append({QByteArray("Location"), QByteArray("http://elsewhere/")});
                return r;
            }
            StubResponse r = StubResponse::text('[' + QByteArray(4998, ' ') + ']');
            r.contentLength = kind != QLatin1String("stream");
            return r;
        };
        HubFixture f(kind == QLatin1String("down") ? unusedLoopbackUrl() : hub.url());
        f.hubClient().http().setTimeoutMs(300);
        f.hubClient().http().setReplyLimit(1000);
        f.hubClient().loadOrderList(QString::fromUtf8(j(kOrders)));

        f.hubClient().refreshOrders();
        QVERIFY(f.hubClient().waitForIdle(kWait));

        // The person is told once; the list and the countdown stay as they were.
        QCOMPARE(f.ui.messages().size(), 1);
        QVERIFY2(f.ui.messages()[0].startsWith(QStringLiteral("Kelvane hub (get_kvn): ")),
                 qPrintable(f.ui.messages()[0]));
        QVERIFY2(f.ui.messages()[0].contains(message), qPrintable(f.ui.messages()[0]));
        QCOMPARE(topLevelTexts(f.hubClient().marketOrders).size(), 1);
        QVERIFY(!refreshPaused(f.hubClient()));
    }

    void automaticFailures_reportedOnceUntilTheHubAnswers()
    {
        HttpStub hub;
        bool up = false;
        hub.handler = [&up](const StubRequest&) {
            return up ? StubResponse::text("update_none")
                      : StubResponse::text("down", 503, "Service Unavailable");
        };
        HubFixture f(hub.url());
        for (int i = 0; i < 3; ++i)
            f.hubClient().reportSale(QStringLiteral("steel"), 1);
        f.hubClient().versionCheck().check();
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QCOMPARE(hub.requests.size(), 4);
        // Nobody clicked for these: the strip, not a box.
        QVERIFY(f.ui.messages().isEmpty());
        QCOMPARE(f.told().size(), 1);

        up = true;
        f.hubClient().reportSale(QStringLiteral("steel"), 1);
        QVERIFY(f.hubClient().waitForIdle(kWait));
        up = false;
        f.hubClient().reportSale(QStringLiteral("steel"), 1);
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QCOMPARE(f.told().size(), 2);
    }

    void orderListNotAList_automaticReportedOnce()
    {
        HttpStub hub;
        bool list = false;
        hub.handler = [&list](const StubRequest&) {
            return StubResponse::text(list ? j(kOrders) : QByteArray("<html>Maintenance</html>"));
        };
        HubFixture f(hub.url());
        f.hubClient().loadOrderList(QString::fromUtf8(j(kOrders)));
        for (int i = 0; i < 3; ++i)
            f.hubClient().requestOrders();
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QCOMPARE(hub.requests.size(), 3);
        QVERIFY(f.ui.messages().isEmpty());
        QCOMPARE(f.told().size(), 1);
        QVERIFY2(f.told()[0].contains(QStringLiteral("<html>Maintenance</html>")), qPrintable(f.told()[0]));
        QCOMPARE(topLevelTexts(f.hubClient().marketOrders).size(), 1);
        // A good list gets through, and the next bad one is told again.
        list = true;
        f.hubClient().requestOrders();
        QVERIFY(f.hubClient().waitForIdle(kWait));
        list = false;
        f.hubClient().requestOrders();
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QCOMPARE(f.told().size(), 2);
        QCOMPARE(topLevelTexts(f.hubClient().marketOrders).size(), 1);
    }

    void checkUpdate_data()
    {
        QTest::addColumn<bool>("consent");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("bodies");
        const QString update =
            QStringLiteral("MarketID=3702668288&act=update_kvn&Commodity=liquidoxygen&Count=720&CMDR=Jan");
        QTest::newRow("accepted: list reloaded")
            << true << QByteArray("update_ok") << QStringList{update, QStringLiteral("act=get_kvn")};
        QTest::newRow("other reply ignored") << true << QByteArray("update_none") << QStringList{update};
        QTest::newRow("exact text only") << true << QByteArray("update_ok\n") << QStringList{update};
        QTest::newRow("no consent: nothing sent") << false << QByteArray("update_ok") << QStringList();
    }

    void checkUpdate()
    {
        QFETCH(bool, consent);
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, bodies);
        HttpStub hub;
        hub.handler = [reply](const StubRequest& r) {
            return StubResponse::text(r.field(QStringLiteral("act")) == QLatin1String("get_kvn") ? j(kOrders)
                                                                                                 : reply);
        };
        HubFixture f(hub.url(), consent);
        f.core->state.dane_dokowania.MarketID = 3702668288ULL;
        f.hubClient().reportSale(QStringLiteral("liquidoxygen"), 720);
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QCOMPARE(hub.bodies(), bodies);
        QCOMPARE(f.hubClient().marketOrders.orderCount(), bodies.size() == 2 ? 1 : 0);
        QCOMPARE(f.ui.messages(), QStringList());
    }

    void sale_reducesTheLoadingListWhileTheHubIsSlow()
    {
        HttpStub hub;
        hub.handler = [](const StubRequest&) { return StubResponse::silent(); };
        CoreFixture f;
        writeFile(f.dataDir.filePath(QStringLiteral("settings.ini")),
                  "[KVN]\r\nurl=" + hub.url().toUtf8() + "\r\n");
        writeFile(f.dataDir.filePath(QStringLiteral("zaladunek.ini")), "[zaladunek]\r\nSteel=1000\r\n");
        TessivarCore& core = f.start();
        core.settings().kvn_consent = true;
        core.hubClient().http().setTimeoutMs(300);
        // Docked at the own carrier.
        core.state.dane_carriera.CarrierID = 3708733696;
        core.state.dane_dokowania.StationName = QStringLiteral("K7Q-BQL");
        core.state.dane_dokowania.StationType = QStringLiteral("FleetCarrier");
        core.state.dane_dokowania.MarketID = 3708733696;

        core.cargo().reconciler().applySale(
            j("{ 'timestamp':'2025-03-06T20:58:16Z', 'event':'MarketSell', 'MarketID':3708733696, "
              "'Type':'steel', "
              "'Count':720, 'SellPrice':2540, 'TotalSale':5080, 'AvgPricePaid':2604 }"));
        // Reduced before the hub has answered anything.
        QCOMPARE(hub.requests.size(), 0);
        QVERIFY(!core.hubClient().isIdle());
        QCOMPARE(core.cargo().loadingList.cell(1, 0), QStringLiteral("Steel"));
        QCOMPARE(core.cargo().loadingList.cell(1, 1), QStringLiteral("280"));
        QVERIFY(core.hubClient().waitForIdle(kWait));
        QCOMPARE(hub.requests.size(), 1);
        // The sale was read from the journal: its hub failure goes to the strip.
        QVERIFY(f.ui.messages().isEmpty());
        QCOMPARE(f.told().size(), 1);
    }

    void addKvn_sendsTheFieldsInOrderThenReloads()
    {
        HttpStub hub;
        hub.handler = [](const StubRequest& r) {
            return StubResponse::text(r.field(QStringLiteral("act")) == QLatin1String("add_kvn")
                                          ? QByteArray("Order <b>added</b>")
                                          : j(kOrders));
        };
        HubFixture f(hub.url());
        f.core->state.dane_carriera.CarrierID = 3702668288ULL;
        f.core->settings().setKvnCode(QStringLiteral(" Owner-Code_1 "));
        HubClient::NewOrder o;
        o.cmdr = QStringLiteral("CMDR Jan Kowalski");
        o.FC = QStringLiteral("Ironclad");
        o.location = QStringLiteral("Deciat / Body 5");
        o.typ = QStringLiteral("Demand");
        o.commodity = QStringLiteral("Liquid Oxygen");
        o.count = 720;
        o.price = 105;
        QVERIFY(f.hubClient().addOrder(o));
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QCOMPARE(hub.bodies(),
                 (QStringList{
                     QStringLiteral("act=add_kvn&cmdr=CMDR+Jan+Kowalski&FC=Ironclad&CarrierID=3702668288&"
                                    "location=Deciat+%2F+Body+5&typ=Demand&commodity=Liquid+Oxygen&count=720&"
                                    "price=105&code=Owner-Code_1"),
                     QStringLiteral("act=get_kvn")}));
        QCOMPARE(f.ui.messages(), QStringList{QStringLiteral("Order <b>added</b>")});
        QCOMPARE(f.hubClient().marketOrders.orderCount(), 1);
        QVERIFY(refreshPaused(f.hubClient()));
    }

    void addKvn_makesTheOwnerCodeOnceAndKeepsIt()
    {
        HttpStub hub;
        hub.handler = [](const StubRequest&) { return StubResponse::text("[]"); };
        HubFixture f(hub.url());
        f.core->state.dane_carriera.CarrierID = 3702668288ULL;
        QCOMPARE(f.core->settings().storedKvnCode(), QString());
        HubClient::NewOrder o;
        o.commodity = QStringLiteral("Steel");
        QVERIFY(f.hubClient().addOrder(o));
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QVERIFY(f.hubClient().addOrder(o));
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QStringList codes;
        for (const StubRequest& r : hub.requests) {
            if (r.field(QStringLiteral("act")) == QLatin1String("add_kvn"))
                codes << r.field(QStringLiteral("code"));
        }
        QCOMPARE(codes.size(), 2);
        QCOMPARE(codes[0].size(), 32);
        QCOMPARE(codes[1], codes[0]);
        QVERIFY(readFile(f.core->settings().path()).contains("code=" + codes[0].toLatin1() + "\r\n"));
    }

    void sale_sendsOneKeyPerJournalLine()
    {
        HttpStub hub;
        hub.handler = [](const StubRequest&) { return StubResponse::text("update_none"); };
        HubFixture f(hub.url());
        const QByteArray sale = j("{ 'timestamp':'2025-03-06T20:58:16Z', 'event':'MarketSell', "
                                  "'MarketID':3708733696, 'Type':'steel', 'Count':720 }");
        QByteArray later = sale;
        later.replace("20:58:16", "20:58:17");
        for (const QByteArray& line : {sale, sale + "\r\n", later}) {
            f.core->cargo().reconciler().applySale(line);
            QVERIFY(f.hubClient().waitForIdle(kWait));
        }
        QStringList keys;
        for (const StubRequest& r : hub.requests)
            keys << r.field(QStringLiteral("SaleKey"));
        QCOMPARE(keys.size(), 3);
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{64}$")).match(keys[0]).hasMatch());
        QCOMPARE(keys[1], keys[0]);
        QVERIFY(keys[2] != keys[0]);
        QVERIFY(hub.bodies().at(0).startsWith(
            QStringLiteral("MarketID=0&act=update_kvn&Commodity=steel&Count=720&SaleKey=")));
    }

    void addKvn_separatorEntriesSendNothing_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("BASE:") << QStringLiteral("BASE:");
        QTest::newRow("OTHER:") << QStringLiteral("OTHER:");
        QTest::newRow("line") << QStringLiteral("-----------------------------");
        QTest::newRow("empty") << QString();
    }

    void addKvn_separatorEntriesSendNothing()
    {
        QFETCH(QString, entry);
        HttpStub hub;
        HubFixture f(hub.url());
        HubClient::NewOrder o;
        o.commodity = entry;
        QVERIFY(!f.hubClient().addOrder(o));
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QCOMPARE(hub.requests.size(), 0);
        QCOMPARE(f.ui.messages(), QStringList());
    }

    void verification_data()
    {
        QTest::addColumn<quint64>("marketId");
        QTest::addColumn<bool>("consent");
        QTest::addColumn<QStringList>("bodies");
        const QString v = QStringLiteral("act=verify_kvn&CMDR=Jan&Market=128791778&");
        QTest::newRow("orders of this market")
            << quint64(128791778) << true
            << QStringList{v + QStringLiteral("Towar=water&Ilosc=66632"),
                           v + QStringLiteral("Towar=Gold&Ilosc=1"),
                           v + QStringLiteral("Towar=Painite&Ilosc=0"), QStringLiteral("act=get_kvn")};
        QTest::newRow("market id 0 after a jump") << quint64(0) << true << QStringList();
        QTest::newRow("no consent") << quint64(128791778) << false << QStringList();
        QTest::newRow("no order of this market") << quint64(555) << true << QStringList();
    }

    void verification()
    {
        QFETCH(quint64, marketId);
        QFETCH(bool, consent);
        QFETCH(QStringList, bodies);
        REQUIRE_SHARED(market, QStringLiteral("companion/AlanMorrisWright__jj/Market.json"));
        HttpStub hub;
        const QByteArray orders =
            j("[{'FC':'Mine','cmdr':'Jan','CarrierID':'128791778','action':'Demand','location':'X',"
              "'commodity':'Bertrandite','count':'270657','price':'100'},"
              "{'FC':'Mine','cmdr':'Jan','commodity':'water','count':'1000','price':'100'},"
              "{'FC':'Mine','cmdr':'Jan','commodity':'Gold','count':'5','price':'100'},"
              "{'FC':'Mine','cmdr':'Jan','commodity':'Painite','count':'10','price':'100'},"
              "{'FC':'Other','cmdr':'Ann','CarrierID':'999','commodity':'Water','count':'5','price':'100'}]");
        HubFixture f(hub.url(), consent);
        loadOrders(hub, f, orders);

        QFile::copy(market, f.journalDir.filePath(QStringLiteral("Market.json")));
        f.core->state.dane_systemu.MarketID = marketId;
        f.core->market().przeszukaj_market(f.journalDir.path());
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QCOMPARE(hub.bodies(), bodies);
        QCOMPARE(f.core->market().Need_veryfi, !bodies.isEmpty());
        QCOMPARE(f.hubClient().verifyLog.size(), qsizetype(qMax(0, int(bodies.size()) - 1)));
        QCOMPARE(f.ui.messages(), QStringList());
    }

    void verification_otherSpellingIsNotAbsent()
    {
        // The own carrier's market lists the game's names; the order the
        // names of the order form. Only a real difference in demand is told.
        HttpStub hub;
        const QByteArray orders =
            j("[{'FC':'Mine','cmdr':'Jan','CarrierID':'3707956480','action':'Demand','location':'Dewindji / "
              "Body 3',"
              "'commodity':'Components Computer','count':'1200','price':'100'},"
              "{'FC':'Mine','cmdr':'Jan','commodity':'Combat Stabilizers','count':'500','price':'100'},"
              "{'FC':'Mine','cmdr':'Jan','commodity':'H.E. Suits','count':'80','price':'100'},"
              "{'FC':'Mine','cmdr':'Jan','commodity':'Steel','count':'900','price':'100'}]");
        HubFixture f(hub.url());
        loadOrders(hub, f, orders);

        const auto item = [](const char* name, const char* localised, int demand) {
            return QByteArray("{ \"id\":128049202, \"Name\":\"$") + name + "_name;\", \"Name_Localised\":\"" +
                   localised +
                   "\", \"Category\":\"$MARKET_category_technology;\", "
                   "\"Category_Localised\":\"Technology\", "
                   "\"BuyPrice\":0, \"SellPrice\":1200, \"MeanPrice\":1100, \"StockBracket\":0, "
                   "\"DemandBracket\":3, \"Stock\":0, \"Demand\":" +
                   QByteArray::number(demand) + ", \"Consumer\":true, \"Producer\":false, \"Rare\":false }";
        };
        writeFile(f.journalDir.filePath(QStringLiteral("Market.json")),
                  "{ \"timestamp\":\"2025-11-13T16:20:00Z\", \"event\":\"Market\", \"MarketID\":3707956480, "
                  "\"StationName\":\"VHJ-9KY\", \"StationType\":\"FleetCarrier\", "
                  "\"CarrierDockingAccess\":\"all\", "
                  "\"StarSystem\":\"Dewindji\", \"Items\":[ " +
                      item("computercomponents", "Computer Components", 1200) + ", " +
                      item("combatstabilisers", "Combat Stabilisers", 450) + ", " +
                      item("hazardousenvironmentsuits", "H.E. Suits", 80) + " ] }");
        f.core->state.dane_systemu.MarketID = 3707956480;
        f.core->market().przeszukaj_market(f.journalDir.path());
        QVERIFY(f.hubClient().waitForIdle(kWait));
        const QString v = QStringLiteral("act=verify_kvn&CMDR=Jan&Market=3707956480&");
        QCOMPARE(hub.bodies(),
                 (QStringList{v + QStringLiteral("Towar=Combat+Stabilizers&Ilosc=450"),
                              v + QStringLiteral("Towar=Steel&Ilosc=0"), QStringLiteral("act=get_kvn")}));
    }

    void versionCheck_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("caption");
        QTest::newRow("same version") << QByteArray("1.3.0.0") << QString();
        QTest::newRow("older version")
            << QByteArray("1.2.0.0") << QStringLiteral("New version available: 1.2.0.0");
        QTest::newRow("trailing line break")
            << QByteArray("1.3.0.0\r\n") << QStringLiteral("New version available: 1.3.0.0\r\n");
        QTest::newRow("empty answer") << QByteArray() << QStringLiteral("New version available: ");
    }

    void versionCheck()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, caption);
        QCOMPARE(VersionCheck::appVersion(), QStringLiteral("1.3.0.0"));
        HttpStub hub;
        hub.handler = [answer](const StubRequest&) { return StubResponse::text(answer); };
        HubFixture f(hub.url(), false);
        f.hubClient().versionCheck().check();
        QVERIFY(f.hubClient().waitForIdle(kWait));
        QCOMPARE(hub.bodies(), QStringList{QStringLiteral("act=check_version")});
        QCOMPARE(f.hubClient().versionCheck().newVersionCaption(), caption);
        QCOMPARE(f.core->mainWindow().btn_new_version_caption, caption);
    }

    void getContract_fillsTheLoadingListThroughTheSelector()
    {
        CoreFixture f;
        TessivarCore& core = f.start();
        HubClient& kvn = core.hubClient();
        kvn.loadOrderList(QString::fromUtf8(j(kOrders)));
        // Any line of an order takes the whole order.
        const QModelIndex commodityLine = kvn.marketOrders.index(4, 0, kvn.marketOrders.index(0, 0));
        QVERIFY(kvn.takeContractAt(commodityLine));

        QCOMPARE(kvn.acceptedOrders.orderCount(), 1);
        QCOMPARE(kvn.acceptedOrders.orders(), kvn.marketOrders.orders());
        CargoModule& cargo = core.cargo();
        QCOMPARE(cargo.selectorEntries().last(), QStringLiteral("3702668288"));
        QCOMPARE(cargo.selectedIndex(), int(cargo.selectorEntries().size()) - 1);
        // Taken twice: copied twice, the id appended twice; nothing selected: nothing happens.
        QVERIFY(kvn.takeContract(0));
        QCOMPARE(kvn.acceptedOrders.orderCount(), 2);
        QCOMPARE(cargo.selectorEntries().count(QStringLiteral("3702668288")), 2);
        QCOMPARE(cargo.selectedIndex(), int(cargo.selectorEntries().size()) - 1);
        QVERIFY(!kvn.takeContractAt(QModelIndex()));
        QVERIFY(!kvn.takeContract(5));
        QCOMPARE(kvn.acceptedOrders.orderCount(), 2);

        // The cargo list rebuilds the selected contract from the accepted ones.
        QCOMPARE(cargo.loadingList.row(1).mid(0, 2),
                 (QStringList{QStringLiteral("Steel"), QStringLiteral("720")}));
        QCOMPARE(cargo.loadingList.row(2).mid(0, 2),
                 (QStringList{QStringLiteral("Liquid Oxygen"), QStringLiteral("55")}));
    }
};

QTEST_GUILESS_MAIN(HubProtocolTest)
#include "hub_protocol_test.moc"
