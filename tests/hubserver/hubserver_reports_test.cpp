#include "HubTestSupport.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

// Reports by others than a carrier's owner, the owner's list and undo, the
// sale keys' bounds and the connection slots, against a real tessivar-hub.
// Every stranger comes from its own loopback address.
namespace {

const QString kCarrier = QStringLiteral("3700000001");
const QString kOwnerCode = QStringLiteral("Owner-1");

Fields verify(const QString& market, const QString& towar, qint64 demand, const QString& code = {})
{
    Fields fields{{QStringLiteral("act"), QStringLiteral("verify_kvn")},
                  {QStringLiteral("CMDR"), QStringLiteral("Thief")},
                  {QStringLiteral("Market"), market},
                  {QStringLiteral("Towar"), towar},
                  {QStringLiteral("Ilosc"), QString::number(demand)}};
    if (!code.isEmpty())
        fields.append({QStringLiteral("code"), code});
    return fields;
}

Fields sale(const QString& market, const QString& commodity, qint64 count, const QString& key = {},
            const QString& code = {})
{
    Fields fields{{QStringLiteral("MarketID"), market},
                  {QStringLiteral("act"), QStringLiteral("update_kvn")},
                  {QStringLiteral("Commodity"), commodity},
                  {QStringLiteral("Count"), QString::number(count)}};
    if (!key.isEmpty())
        fields.append({QStringLiteral("SaleKey"), key});
    if (!code.isEmpty())
        fields.append({QStringLiteral("code"), code});
    return fields;
}

Fields ownerOrder(const QString& carrier, const QString& commodity, qint64 count,
                  const QString& code = kOwnerCode)
{
    return with(order(carrier, QStringLiteral("Demand"), commodity, static_cast<int>(count)),
                QStringLiteral("code"), code);
}

Fields ownerAsks(const QString& act, const QString& code, const QString& reporter = {})
{
    Fields fields{{QStringLiteral("act"), act},
                  {QStringLiteral("CarrierID"), kCarrier},
                  {QStringLiteral("code"), code}};
    if (!reporter.isEmpty())
        fields.append({QStringLiteral("Reporter"), reporter});
    return fields;
}

}  // namespace

class HubServerReportsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void reports_onlyLowerByAtMostAHold_data();
    void reports_onlyLowerByAtMostAHold();
    void owner_listsAndUndoesOneReporter();
    void writes_limitedPerAddress();
    void junkSaleKeys_tableStaysBounded();
    void churnFromOneAddress_resetsNoOtherClient();
    void fullHub_newAddressGetsAnIdleSlot();

private:
    bool startHub(const QStringList& extra = {});
    HttpReply post(const Fields& fields, const QString& from = QStringLiteral("127.0.0.1"));
    // "commodity count" of the carrier's listed lines, joined by "|".
    QString lines(const QString& carrier = kCarrier);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<HubProcess> m_hub;
};

void HubServerReportsTest::initTestCase()
{
    QTcpSocket probe;
    if (!probe.bind(QHostAddress(QStringLiteral("127.0.0.2"))))
        QSKIP("this system cannot send from 127.0.0.2, so strangers cannot come from their own addresses");
}

void HubServerReportsTest::cleanup()
{
    m_hub.reset();
    m_dir.reset();
}

bool HubServerReportsTest::startHub(const QStringList& extra)
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_hub = std::make_unique<HubProcess>();
    return m_hub->start(m_dir->filePath(QStringLiteral("hub.db")), extra);
}

HttpReply HubServerReportsTest::post(const Fields& fields, const QString& from)
{
    RawClient client(m_hub->port, from);
    if (!client.connected())
        return {};
    client.send(postRequest(encodeForm(fields), "Connection: close\r\n"));
    return client.next();
}

QString HubServerReportsTest::lines(const QString& carrier)
{
    QStringList out;
    const HttpReply reply = post({{QStringLiteral("act"), QStringLiteral("get_kvn")}});
    for (const QJsonValue& value : QJsonDocument::fromJson(reply.body).array()) {
        const QJsonObject o = value.toObject();
        if (o[QLatin1String("CarrierID")].toString() == carrier)
            out << o[QLatin1String("commodity")].toString() + QLatin1Char(' ') +
                       o[QLatin1String("count")].toString();
    }
    return out.join(QLatin1Char('|'));
}

void HubServerReportsTest::reports_onlyLowerByAtMostAHold_data()
{
    QTest::addColumn<Fields>("report");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("expected");  // the carrier's lines after it
    const QString steel = QStringLiteral("Steel");
    const QString wrong = QStringLiteral("Owner-2");
    QTest::newRow("check: demand raised to the top")
        << verify(kCarrier, steel, 2147483647) << QByteArray("verify_none") << "Steel 5000|Tea 300";
    QTest::newRow("check: no demand takes one hold")
        << verify(kCarrier, steel, 0) << QByteArray("verify_ok") << "Steel 4200|Tea 300";
    QTest::newRow("check: less demand")
        << verify(kCarrier, steel, 4900) << QByteArray("verify_ok") << "Steel 4900|Tea 300";
    QTest::newRow("check: small line gone")
        << verify(kCarrier, QStringLiteral("Tea"), 0) << QByteArray("verify_ok") << "Steel 5000";
    QTest::newRow("check: another's code counts for nothing")
        << verify(kCarrier, steel, 9000, wrong) << QByteArray("verify_none") << "Steel 5000|Tea 300";
    QTest::newRow("check: carrier without orders") << verify(QStringLiteral("3700000099"), steel, 5)
                                                   << QByteArray("verify_none") << "Steel 5000|Tea 300";
    QTest::newRow("sale: everything")
        << sale(kCarrier, steel, 2147483647) << QByteArray("update_none") << "Steel 5000|Tea 300";
    QTest::newRow("sale: more than a hold")
        << sale(kCarrier, steel, 801) << QByteArray("update_none") << "Steel 5000|Tea 300";
    QTest::newRow("sale: a hold") << sale(kCarrier, steel, 800) << QByteArray("update_ok")
                                  << "Steel 4200|Tea 300";
    QTest::newRow("sale: negative") << sale(kCarrier, steel, -5) << QByteArray("update_none")
                                    << "Steel 5000|Tea 300";
    QTest::newRow("owner's check raises")
        << verify(kCarrier, steel, 9000, kOwnerCode) << QByteArray("verify_ok") << "Steel 9000|Tea 300";
    QTest::newRow("owner's check removes")
        << verify(kCarrier, steel, 0, kOwnerCode) << QByteArray("verify_ok") << "Tea 300";
    QTest::newRow("owner's sale of any size")
        << sale(kCarrier, steel, 4999, {}, kOwnerCode) << QByteArray("update_ok") << "Steel 1|Tea 300";
}

void HubServerReportsTest::reports_onlyLowerByAtMostAHold()
{
    QFETCH(Fields, report);
    QFETCH(QByteArray, answer);
    QFETCH(QString, expected);
    QVERIFY(startHub());
    QVERIFY(post(ownerOrder(kCarrier, QStringLiteral("Steel"), 5000)).body.startsWith("Order added: "));
    QVERIFY(post(ownerOrder(kCarrier, QStringLiteral("Tea"), 300)).body.startsWith("Order added: "));
    const HttpReply reply = post(report, QStringLiteral("127.0.0.3"));
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.body, answer);
    QCOMPARE(lines(), expected);
    QCOMPARE(lines(QStringLiteral("3700000099")), QString());
}

void HubServerReportsTest::owner_listsAndUndoesOneReporter()
{
    QVERIFY(startHub());
    QVERIFY(post(ownerOrder(kCarrier, QStringLiteral("Steel"), 5000)).body.startsWith("Order added: "));
    QVERIFY(post(ownerOrder(kCarrier, QStringLiteral("Tea"), 500)).body.startsWith("Order added: "));
    const QString thief = QStringLiteral("127.0.0.3");
    QCOMPARE(post(verify(kCarrier, QStringLiteral("Steel"), 0), thief).body, QByteArray("verify_ok"));
    QCOMPARE(post(verify(kCarrier, QStringLiteral("Steel"), 0), thief).body, QByteArray("verify_ok"));
    QCOMPARE(post(sale(kCarrier, QStringLiteral("Tea"), 700), thief).body, QByteArray("update_ok"));
    QCOMPARE(post(with(sale(kCarrier, QStringLiteral("Steel"), 100), QStringLiteral("CMDR"),
                       QStringLiteral("Hauler")),
                  QStringLiteral("127.0.0.4"))
                 .body,
             QByteArray("update_ok"));
    QCOMPARE(lines(), QStringLiteral("Steel 3300"));

    // Only the owner lists and undoes.
    for (const QString& code : {QString(), QStringLiteral("Owner-2")}) {
        for (const QString& act : {QStringLiteral("changes_kvn"), QStringLiteral("undo_kvn")}) {
            const HttpReply refused = post(ownerAsks(act, code, thief), thief);
            QCOMPARE(refused.status, 403);
            QCOMPARE(refused.body,
                     QByteArray("the code does not match the one carrier 3700000001 is bound to."));
        }
    }
    QCOMPARE(post(with(ownerAsks(QStringLiteral("changes_kvn"), kOwnerCode), QStringLiteral("CarrierID"),
                       QStringLiteral("3700000002")))
                 .status,
             403);

    const HttpReply list = post(ownerAsks(QStringLiteral("changes_kvn"), kOwnerCode));
    QCOMPARE(list.status, 200);
    QStringList changes;
    for (const QJsonValue& value : QJsonDocument::fromJson(list.body).array()) {
        const QJsonObject o = value.toObject();
        QVERIFY(o[QLatin1String("time")].toString().endsWith(QLatin1Char('Z')));
        changes
            << QStringList{o[QLatin1String("address")].toString(), o[QLatin1String("cmdr")].toString(),
                           o[QLatin1String("act")].toString(),     o[QLatin1String("commodity")].toString(),
                           o[QLatin1String("before")].toString(),  o[QLatin1String("after")].toString(),
                           o[QLatin1String("owner")].toString(),   o[QLatin1String("undone")].toString()}
                   .join(QLatin1Char(' '));
    }
    QCOMPARE(changes,
             (QStringList{QStringLiteral("127.0.0.4 Hauler update_kvn Steel 3400 3300 no no"),
                          QStringLiteral("127.0.0.3  update_kvn Tea 500 0 no no"),
                          QStringLiteral("127.0.0.3 Thief verify_kvn Steel 4200 3400 no no"),
                          QStringLiteral("127.0.0.3 Thief verify_kvn Steel 5000 4200 no no"),
                          QStringLiteral("127.0.0.1 CMDR Jan Kowalski add_kvn Tea 0 500 yes no"),
                          QStringLiteral("127.0.0.1 CMDR Jan Kowalski add_kvn Steel 0 5000 yes no")}));

    QCOMPARE(post(ownerAsks(QStringLiteral("undo_kvn"), kOwnerCode, thief)).body,
             QByteArray("Undone: 3 changes by 127.0.0.3 at carrier 3700000001."));
    QCOMPARE(lines(), QStringLiteral("Steel 4900|Tea 500"));
    QCOMPARE(post(ownerAsks(QStringLiteral("undo_kvn"), kOwnerCode, thief)).body,
             QByteArray("Undone: 0 changes by 127.0.0.3 at carrier 3700000001."));
    QCOMPARE(lines(), QStringLiteral("Steel 4900|Tea 500"));

    // What the owner states later stands: reports before it are not undone.
    QCOMPARE(post(sale(kCarrier, QStringLiteral("Steel"), 800), thief).body, QByteArray("update_ok"));
    QVERIFY(post(ownerOrder(kCarrier, QStringLiteral("Steel"), 2000)).body.startsWith("Order updated: "));
    QCOMPARE(post(ownerAsks(QStringLiteral("undo_kvn"), kOwnerCode, thief)).body,
             QByteArray("Undone: 0 changes by 127.0.0.3 at carrier 3700000001."));
    QCOMPARE(lines(), QStringLiteral("Steel 2000|Tea 500"));
}

void HubServerReportsTest::writes_limitedPerAddress()
{
    QVERIFY(startHub({QStringLiteral("--writes-per-minute"), QStringLiteral("5")}));
    QVERIFY(post(ownerOrder(kCarrier, QStringLiteral("Steel"), 5000)).body.startsWith("Order added: "));
    QStringList statuses;
    for (int i = 0; i < 8; ++i)
        statuses << QString::number(
            post(sale(kCarrier, QStringLiteral("Steel"), 1), QStringLiteral("127.0.0.6")).status);
    QCOMPARE(statuses.join(QLatin1Char(' ')), QStringLiteral("200 200 200 200 200 429 429 429"));
    QCOMPARE(post(sale(kCarrier, QStringLiteral("Steel"), 1), QStringLiteral("127.0.0.6")).body,
             QByteArray("too many changes from your address; try again in a minute"));
    // Reading stays open to it; other addresses keep their own budget.
    QCOMPARE(post({{QStringLiteral("act"), QStringLiteral("get_kvn")}}, QStringLiteral("127.0.0.6")).status,
             200);
    QCOMPARE(post(sale(kCarrier, QStringLiteral("Steel"), 1), QStringLiteral("127.0.0.7")).body,
             QByteArray("update_ok"));
    QCOMPARE(lines(), QStringLiteral("Steel 4994"));
}

void HubServerReportsTest::junkSaleKeys_tableStaysBounded()
{
    constexpr int kTotal = 300;
    constexpr int kPerCarrier = 120;
    QVERIFY(startHub({QStringLiteral("--writes-per-minute"), QStringLiteral("1000"),
                      QStringLiteral("--max-sale-keys"), QString::number(kTotal),
                      QStringLiteral("--max-sale-keys-per-carrier"), QString::number(kPerCarrier)}));
    const QStringList carriers{kCarrier, QStringLiteral("3700000002"), QStringLiteral("3700000003")};
    for (const QString& carrier : carriers)
        QVERIFY(
            post(ownerOrder(carrier, QStringLiteral("Steel"), 2000000000)).body.startsWith("Order added: "));

    // 100,000 sales, each with a new key, from four addresses: no carrier id,
    // no orders there, a commodity not ordered, a count out of range, and
    // one unit sold. Each address spends its budget; only the sales that
    // lower the order keep a key.
    constexpr int kJunk = 100000;
    constexpr int kConnections = 8;
    QElapsedTimer flooding;
    flooding.start();
    std::vector<std::unique_ptr<RawClient>> clients;
    for (int c = 0; c < kConnections; ++c) {
        auto client = std::make_unique<RawClient>(m_hub->port, QStringLiteral("127.0.0.%1").arg(10 + c % 4));
        QVERIFY(client->connected());
        QByteArray requests;
        for (int i = c; i < kJunk; i += kConnections) {
            const Fields junk[] = {sale(QStringLiteral("0"), QStringLiteral("Steel"), 5),
                                   sale(QStringLiteral("3700000099"), QStringLiteral("Steel"), 5),
                                   sale(kCarrier, QStringLiteral("Gold"), 5),
                                   sale(kCarrier, QStringLiteral("Steel"), -5),
                                   sale(kCarrier, QStringLiteral("Steel"), 801),
                                   sale(kCarrier, QStringLiteral("Steel"), 1)};
            requests += postRequest(
                encodeForm(with(junk[i % 6], QStringLiteral("SaleKey"), QStringLiteral("junk-%1").arg(i))));
        }
        client->send(requests);
        clients.push_back(std::move(client));
    }
    int ok = 0;
    int none = 0;
    int spent = 0;
    for (int c = 0; c < kConnections; ++c) {
        for (int i = c; i < kJunk; i += kConnections) {
            const HttpReply reply = clients[c]->next();
            ok += reply.body == "update_ok";
            none += reply.body == "update_none";
            spent += reply.status == 429;
        }
    }
    clients.clear();
    QCOMPARE(ok + none + spent, kJunk);
    // Four budgets of 1000, and what they filled up again meanwhile.
    const qint64 budget = 4 * (1000 + (flooding.elapsed() / 1000 + 1) * 1000 / 60);
    QVERIFY2(ok + none <= budget && ok > kPerCarrier,
             qPrintable(QStringLiteral("%1 %2 %3").arg(ok).arg(none).arg(budget)));
    QCOMPARE(lines(), QStringLiteral("Steel %1").arg(2000000000 - ok));

    const auto countKeys = [&](const QString& where) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(m_dir->filePath(QStringLiteral("hub.db")));
        qint64 count = -1;
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT COUNT(*) FROM sale_keys") + where) && query.next())
                count = query.value(0).toLongLong();
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("peek"));
        return count;
    };
    QCOMPARE(countKeys({}), kPerCarrier);

    // Real sales (the owner's, so any count passes): a carrier keeps its
    // newest keys up to its bound, the hub its newest up to the total.
    const auto sell = [&](const QStringList& where) {
        RawClient owner(m_hub->port);
        QByteArray requests;
        for (int i = 0; i < 200; ++i) {
            for (const QString& carrier : where)
                requests += postRequest(encodeForm(
                    sale(carrier, QStringLiteral("Steel"), 1, QStringLiteral("sale-%1").arg(i), kOwnerCode)));
        }
        owner.send(requests);
        int ok = 0;
        for (int i = 0; i < 200 * where.size(); ++i)
            ok += owner.next().body == "update_ok";
        return ok;
    };
    QCOMPARE(sell(carriers.mid(1)), 400);
    QCOMPARE(countKeys({}), kTotal);
    for (const QString& carrier : carriers)
        QVERIFY(countKeys(QStringLiteral(" WHERE carrier_id = '%1'").arg(carrier)) <= kPerCarrier);

    // A key is the carrier's own: the same key elsewhere is another sale, a
    // resend of a kept one counts once.
    QCOMPARE(
        post(sale(QStringLiteral("3700000004"), QStringLiteral("Steel"), 7, QStringLiteral("sale-199"))).body,
        QByteArray("update_none"));
    QVERIFY(post(ownerOrder(QStringLiteral("3700000004"), QStringLiteral("Steel"), 100,
                            QStringLiteral("Owner-4")))
                .body.startsWith("Order added: "));
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(
            post(sale(QStringLiteral("3700000004"), QStringLiteral("Steel"), 7, QStringLiteral("sale-199")))
                .body,
            QByteArray("update_ok"));
    }
    QCOMPARE(lines(QStringLiteral("3700000004")), QStringLiteral("Steel 93"));
    QCOMPARE(lines(QStringLiteral("3700000003")), QStringLiteral("Steel 1999999800"));
}

void HubServerReportsTest::churnFromOneAddress_resetsNoOtherClient()
{
    QVERIFY(startHub({QStringLiteral("--max-connections"), QStringLiteral("32"),
                      QStringLiteral("--max-per-address"), QStringLiteral("8")}));
    const QByteArray version = postRequest("act=check_version");
    RawClient kept(m_hub->port);
    QVERIFY(kept.connected());
    int served = 0;
    int refused = 0;
    int asked = 0;
    for (int round = 0; round < 2; ++round) {
        // 600 connections from 127.0.0.2, each asking, none reading or closing.
        std::vector<std::unique_ptr<RawClient>> churn;
        for (int i = 0; i < 600; ++i) {
            auto client = std::make_unique<RawClient>(m_hub->port, QStringLiteral("127.0.0.2"));
            if (client->connected())
                client->send(version);
            churn.push_back(std::move(client));
        }
        // Meanwhile 127.0.0.1 asks on its kept connection and on new ones.
        for (int i = 0; i < 20; ++i) {
            kept.send(version);
            served += kept.next().status == 200;
            RawClient fresh(m_hub->port);
            if (fresh.connected()) {
                fresh.send(version);
                served += fresh.next().status == 200;
            }
            asked += 2;
        }
        for (auto& client : churn)
            refused += client->next().status == 503;
    }
    qInfo("127.0.0.1 served %d of %d while 127.0.0.2 churned; 127.0.0.2 refused %d times", served, asked,
          refused);
    QCOMPARE(served, asked);
    // The churning address got its share and, up to the hub's bound, plain refusals.
    QVERIFY2(refused >= 2 * 200, qPrintable(QString::number(refused)));
}

void HubServerReportsTest::fullHub_newAddressGetsAnIdleSlot()
{
    QVERIFY(startHub({QStringLiteral("--max-connections"), QStringLiteral("32"),
                      QStringLiteral("--max-per-address"), QStringLiteral("8")}));
    const QByteArray version = postRequest("act=check_version");
    // Four addresses hold eight idle keep-alive connections each.
    std::vector<std::unique_ptr<RawClient>> held;
    for (int a = 0; a < 4; ++a) {
        for (int i = 0; i < 8; ++i) {
            auto client = std::make_unique<RawClient>(m_hub->port, QStringLiteral("127.0.0.%1").arg(20 + a));
            QVERIFY(client->connected());
            client->send(version);
            QCOMPARE(client->next().status, 200);
            held.push_back(std::move(client));
        }
    }
    // Each new address is served, and each time one idle connection of a
    // busiest address gives way.
    std::vector<std::unique_ptr<RawClient>> newcomers;
    for (int a = 0; a < 3; ++a) {
        auto newcomer = std::make_unique<RawClient>(m_hub->port, QStringLiteral("127.0.0.%1").arg(30 + a));
        QVERIFY(newcomer->connected());
        newcomer->send(version);
        QCOMPARE(newcomer->next().status, 200);
        newcomers.push_back(std::move(newcomer));
    }
    int closed = 0;
    for (auto& client : held) {
        client->send(version);
        const HttpReply reply = client->next();
        closed += reply.status == 0;
    }
    qInfo("3 new addresses served; %d idle connections gave way", closed);
    QCOMPARE(closed, 3);
}

QTEST_GUILESS_MAIN(HubServerReportsTest)
#include "hubserver_reports_test.moc"
