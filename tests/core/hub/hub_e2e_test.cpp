// Two commanders against a running tessivar-hub: one posts an order for his
// carrier, the other takes it, sells at the carrier and opens its market.
#include "TestSupport.h"

#include "Core.h"
#include "cargo/CargoModule.h"
#include "cargo/ContractRows.h"
#include "colony/CarrierLedger.h"
#include "hub/HubClient.h"
#include "hub/HubSales.h"
#include "markets/MarketModule.h"
#include "settings/SettingsStore.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

constexpr int kWait = 10000;

QByteArray j(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

QStringList commodityLines(const OrderTree& tree)
{
    QStringList out;
    for (const Order& order : tree.orders())
        for (const QString& line : OrderTree::detailLines(order))
            if (line.startsWith(QStringLiteral("📦")))
                out.append(line);
    return out;
}

struct Commander : CoreFixture
{
    Commander(const QString& url, const QString& name)
    {
        writeFile(dataDir.filePath(QStringLiteral("settings.ini")), "[KVN]\r\nurl=" + url.toUtf8() + "\r\n");
        start();
        core->settings().kvn_consent = true;
        core->state.dane_CMDR.Name = name;
    }
    HubClient& hubClient() { return core->hubClient(); }
};

}  // namespace

class HubE2eTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
#ifndef TESSIVAR_HUB
        QSKIP("tessivar-hub is not built");
#else
        if (!QFileInfo::exists(QStringLiteral(TESSIVAR_HUB)))
            QSKIP("tessivar-hub is not built");
        m_url = startHub(m_hub, QStringLiteral(TESSIVAR_HUB),
                         {QStringLiteral("--db"), m_dir.filePath(QStringLiteral("hub.sqlite"))});
        QVERIFY(!m_url.isEmpty());
#endif
    }

    void cleanupTestCase()
    {
        if (m_hub.state() != QProcess::NotRunning) {
            m_hub.kill();
            m_hub.waitForFinished(kWait);
        }
    }

    void postTakeSellVerify()
    {
        // The carrier owner posts an order.
        Commander owner(m_url, QStringLiteral("Owner"));
        owner.core->state.dane_carriera.CarrierID = 3702668288ULL;
        HubClient::NewOrder order;
        order.cmdr = QStringLiteral("CMDR Owner");
        order.FC = QStringLiteral("Ironclad");
        order.location = QStringLiteral("Deciat / Body 5");
        order.typ = QStringLiteral("Demand");
        order.commodity = QStringLiteral("Liquid Oxygen");
        order.count = 1000;
        order.price = 105;
        QVERIFY(owner.hubClient().addOrder(order));
        QVERIFY(owner.hubClient().waitForIdle(kWait));
        QCOMPARE(owner.ui.messages().size(), 1);
        QVERIFY2(owner.ui.messages()[0].startsWith(QStringLiteral("Order added")),
                 qPrintable(owner.ui.messages()[0]));
        QCOMPARE(commodityLines(owner.hubClient().marketOrders),
                 QStringList{QStringLiteral("📦 Commodity: [Liquid Oxygen] 🔢 1000 / 💰 105% AVG;")});

        // A hauler takes it onto his loading list.
        Commander hauler(m_url, QStringLiteral("Hauler"));
        hauler.hubClient().windowShown();
        QVERIFY(hauler.hubClient().waitForIdle(kWait));
        QVERIFY(hauler.hubClient().takeContract(0));
        QCOMPARE(hauler.core->cargo().selectorEntries().last(), QStringLiteral("3702668288"));
        QCOMPARE(contractRows(hauler.hubClient().acceptedOrders.orders(), 3702668288ULL)
                     .value_or(QList<ContractRow>{}),
                 (QList<ContractRow>{{QStringLiteral("Liquid Oxygen"), 1000}}));

        // He sells 400 t at the carrier: the hub lowers the order, both trees follow.
        hauler.core->state.dane_dokowania.MarketID = 3702668288ULL;
        hauler.core->cargo().reconciler().applySale(
            j("{ 'timestamp':'2025-06-01T10:00:00Z', 'event':'MarketSell', 'MarketID':3702668288, "
              "'Type':'liquidoxygen', 'Count':400, 'SellPrice':2000, 'TotalSale':800000, 'AvgPricePaid':900 "
              "}"));
        QVERIFY(hauler.hubClient().waitForIdle(kWait));
        const QStringList after{QStringLiteral("📦 Commodity: [Liquid Oxygen] 🔢 600 / 💰 105% AVG;")};
        QCOMPARE(commodityLines(hauler.hubClient().marketOrders), after);
        QCOMPARE(commodityLines(hauler.hubClient().acceptedOrders), after);

        // Opening the carrier's market tells the hub its real demand ("Liquid oxygen" there).
        writeFile(hauler.journalDir.filePath(QStringLiteral("Market.json")),
                  j("{ 'timestamp':'2025-06-01T10:01:00Z', 'event':'Market', 'MarketID':3702668288, "
                    "'StationName':'T9L-95Z', 'StationType':'FleetCarrier', 'StarSystem':'Deciat', 'Items':[ "
                    "{ 'id':128049154, 'Name':'$liquidoxygen_name;', 'Name_Localised':'Liquid oxygen', "
                    "'BuyPrice':0, 'SellPrice':2000, 'MeanPrice':0, 'Stock':0, 'Demand':550 } ] }"));
        hauler.core->state.dane_systemu.MarketID = 3702668288ULL;
        hauler.core->market().przeszukaj_market(hauler.journalDir.path());
        QVERIFY(hauler.hubClient().waitForIdle(kWait));
        QVERIFY(hauler.core->market().Need_veryfi);
        QCOMPARE(hauler.hubClient().verifyLog, QStringList{QStringLiteral("verify_ok")});
        QCOMPARE(commodityLines(hauler.hubClient().marketOrders),
                 QStringList{QStringLiteral("📦 Commodity: [Liquid Oxygen] 🔢 550 / 💰 105% AVG;")});
        QCOMPARE(hauler.ui.messages(), QStringList());

        // The owner sees it too; his program is the hub's version, so nothing is announced.
        owner.hubClient().refreshOrders();
        owner.hubClient().versionCheck().check();
        QVERIFY(owner.hubClient().waitForIdle(kWait));
        QCOMPARE(commodityLines(owner.hubClient().marketOrders),
                 QStringList{QStringLiteral("📦 Commodity: [Liquid Oxygen] 🔢 550 / 💰 105% AVG;")});
        QCOMPARE(owner.hubClient().versionCheck().newVersionCaption(), QString());

        // A market that wants more: the hauler's check cannot raise the
        // order, the owner's check at his own carrier (with his code) can.
        const QByteArray more =
            j("{ 'timestamp':'2025-06-01T10:05:00Z', 'event':'Market', 'MarketID':3702668288, "
              "'StationName':'T9L-95Z', 'StationType':'FleetCarrier', 'StarSystem':'Deciat', 'Items':[ "
              "{ 'id':128049154, 'Name':'$liquidoxygen_name;', 'Name_Localised':'Liquid oxygen', "
              "'BuyPrice':0, 'SellPrice':2000, 'MeanPrice':0, 'Stock':0, 'Demand':2000 } ] }");
        for (Commander* commander : {&hauler, &owner}) {
            writeFile(commander->journalDir.filePath(QStringLiteral("Market.json")), more);
            commander->core->state.dane_systemu.MarketID = 3702668288ULL;
            commander->core->market().przeszukaj_market(commander->journalDir.path());
            QVERIFY(commander->hubClient().waitForIdle(kWait));
        }
        QCOMPARE(hauler.hubClient().verifyLog.last(), QStringLiteral("verify_none"));
        QCOMPARE(owner.hubClient().verifyLog, QStringList{QStringLiteral("verify_ok")});
        QCOMPARE(commodityLines(owner.hubClient().marketOrders),
                 QStringList{QStringLiteral("📦 Commodity: [Liquid Oxygen] 🔢 2000 / 💰 105% AVG;")});
    }

    void ownersLedgerHearsASecondHaulersSaleOnce()
    {
        // The owner's carrier is known and his order binds his code to it.
        Commander owner(m_url, QStringLiteral("Owner"));
        const quint64 carrier = 3702668290ULL;
        owner.core->state.dane_carriera.CarrierID = carrier;
        owner.core->ledger().parse_CarrierStats(
            j("{ 'timestamp':'2025-06-01T09:00:00Z', 'event':'CarrierStats', 'CarrierID':3702668290, "
              "'Name':'IRONCLAD', 'SpaceUsage':{ 'TotalCapacity':25000, 'Cargo':0, 'FreeSpace':25000 } }"));
        HubClient::NewOrder order;
        order.cmdr = QStringLiteral("CMDR Owner");
        order.FC = QStringLiteral("Ironclad");
        order.typ = QStringLiteral("Demand");
        order.commodity = QStringLiteral("Steel");
        order.count = 1000;
        order.price = 100;
        QVERIFY(owner.hubClient().addOrder(order));
        QVERIFY(owner.hubClient().waitForIdle(kWait));

        // A second hauler sells 400 t there; his program reports it to the hub.
        Commander hauler(m_url, QStringLiteral("Hauler"));
        hauler.core->state.dane_dokowania.MarketID = carrier;
        hauler.core->cargo().reconciler().applySale(
            j("{ 'timestamp':'2025-06-01T10:00:00Z', 'event':'MarketSell', 'MarketID':3702668290, "
              "'Type':'steel', 'Count':400, 'SellPrice':2000, 'TotalSale':800000, 'AvgPricePaid':900 }"));
        QVERIFY(hauler.hubClient().waitForIdle(kWait));

        // The owner's program asks twice: the sale is in his ledger once, marked as the hub's.
        for (int i = 0; i < 2; ++i) {
            owner.core->hubSales().poll();
            QVERIFY(owner.core->hubSales().waitForIdle(kWait));
        }
        QCOMPARE(owner.core->ledger().onBoard(QStringLiteral("steel")), 400);
        QCOMPARE(owner.core->ledger().carriers().value(carrier).hubTonnes, 400);
        QCOMPARE(owner.told().size(), 1);  // "Order added: ..." and nothing about the sales

        // Another owner with his own code learns nothing of it; without a code nothing is asked.
        Commander stranger(m_url, QStringLiteral("Stranger"));
        stranger.core->state.dane_carriera.CarrierID = carrier;
        stranger.core->hubSales().poll();
        QVERIFY(stranger.core->hubSales().waitForIdle(kWait));
        QCOMPARE(stranger.core->ledger().onBoard(QStringLiteral("steel")), 0);
        stranger.core->settings().setKvnCode(QStringLiteral("not-the-owners-code"));
        stranger.core->hubSales().poll();
        QVERIFY(stranger.core->hubSales().waitForIdle(kWait));
        QCOMPARE(stranger.core->ledger().onBoard(QStringLiteral("steel")), 0);
        QVERIFY(stranger.told().join(QLatin1Char(' ')).contains(QLatin1String("403")));
    }

private:
    QTemporaryDir m_dir;
    QProcess m_hub;
    QString m_url;
};

QTEST_GUILESS_MAIN(HubE2eTest)
#include "hub_e2e_test.moc"
