#include "HubTestSupport.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>
#include <memory>
#include <vector>

// tessivar-hub on PostgreSQL: a throwaway cluster made by pg_virtualenv for
// this test alone, and two hub processes serving one database.
class HubServerPostgresTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void twoHubs_concurrentSales_exactCounts();
    void twoHubs_shareOwnerCodesAndRelease();
    void twoHubs_reportsRecordedUndoneAndKeysBounded();
    void ownerHearsOthersSales_onceAndOnlyWithTheCode();

private:
    HttpReply post(quint16 port, const Fields& fields, const QString& from = {});
    // The listed orders as "CarrierID commodity count" lines.
    QString state(quint16 port);

    QProcess m_cluster;
    QString m_url;
    HubProcess m_a;
    HubProcess m_b;
};

void HubServerPostgresTest::initTestCase()
{
    const QString virtualenv = QStandardPaths::findExecutable(QStringLiteral("pg_virtualenv"));
    if (virtualenv.isEmpty())
        QSKIP("PostgreSQL tests skipped: pg_virtualenv was not found (Debian packages postgresql and "
              "postgresql-common)");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        QSKIP(
            "PostgreSQL tests skipped: the Qt PostgreSQL driver is missing (Debian package libqt6sql6-psql)");

    // The cluster lives while the shell's `cat` waits on our pipe; closing
    // the pipe (or this process dying) ends it and pg_virtualenv drops it.
    m_cluster.start(virtualenv, {QStringLiteral("sh"), QStringLiteral("-c"),
                                 QStringLiteral("env; echo CLUSTER-READY; exec cat >/dev/null")});
    QVERIFY(m_cluster.waitForStarted(10000));
    QMap<QString, QString> env;
    for (;;) {
        while (!m_cluster.canReadLine()) {
            QVERIFY2(m_cluster.waitForReadyRead(120000),
                     qPrintable(QStringLiteral("pg_virtualenv made no cluster: ") +
                                QString::fromUtf8(m_cluster.readAllStandardError())));
        }
        const QString line = QString::fromUtf8(m_cluster.readLine()).trimmed();
        if (line == QLatin1String("CLUSTER-READY"))
            break;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1String("PG")) && equals > 0)
            env.insert(line.left(equals), line.mid(equals + 1));
    }
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setHost(env.value(QStringLiteral("PGHOST"), QStringLiteral("localhost")));
    url.setPort(env.value(QStringLiteral("PGPORT"), QStringLiteral("5432")).toInt());
    url.setUserName(env.value(QStringLiteral("PGUSER")));
    url.setPassword(env.value(QStringLiteral("PGPASSWORD")));
    url.setPath(QLatin1Char('/') + env.value(QStringLiteral("PGDATABASE"), QStringLiteral("postgres")));
    m_url = url.toString(QUrl::FullyEncoded);

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("test"));
    db.setHostName(url.host());
    db.setPort(url.port());
    db.setUserName(url.userName());
    db.setPassword(url.password());
    db.setDatabaseName(url.path().mid(1));
    QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    QSqlQuery(db).exec(QStringLiteral("SET client_min_messages TO WARNING"));
}

void HubServerPostgresTest::init()
{
    m_a.stop();
    m_b.stop();
    QSqlQuery drop(QSqlDatabase::database(QStringLiteral("test")));
    QVERIFY2(drop.exec(QStringLiteral(
                 "DROP TABLE IF EXISTS orders, sales, sale_keys, changes, carriers, hub_meta")),
             qPrintable(drop.lastError().text()));
    // The clients here all come from one address.
    const QStringList options{QStringLiteral("--writes-per-minute"), QStringLiteral("100000")};
    QVERIFY(m_a.start(m_url, options));
    QVERIFY(m_b.start(m_url, options));
}

void HubServerPostgresTest::cleanupTestCase()
{
    m_a.stop();
    m_b.stop();
    if (QSqlDatabase::contains(QStringLiteral("test"))) {
        QSqlDatabase::database(QStringLiteral("test")).close();
        QSqlDatabase::removeDatabase(QStringLiteral("test"));
    }
    if (m_cluster.state() != QProcess::NotRunning) {
        m_cluster.closeWriteChannel();
        if (!m_cluster.waitForFinished(60000))
            m_cluster.kill();
    }
}

HttpReply HubServerPostgresTest::post(quint16 port, const Fields& fields, const QString& from)
{
    RawClient client(port, from);
    client.send(postRequest(encodeForm(fields), "Connection: close\r\n"));
    return client.next();
}

QString HubServerPostgresTest::state(quint16 port)
{
    QStringList lines;
    const HttpReply reply = post(port, {{QStringLiteral("act"), QStringLiteral("get_kvn")}});
    for (const QJsonValue& value : QJsonDocument::fromJson(reply.body).array()) {
        const QJsonObject o = value.toObject();
        lines << QStringList{o[QLatin1String("CarrierID")].toString(),
                             o[QLatin1String("commodity")].toString(), o[QLatin1String("count")].toString()}
                     .join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('|'));
}

void HubServerPostgresTest::twoHubs_concurrentSales_exactCounts()
{
    const QString carrier = QStringLiteral("3700000001");
    QVERIFY(post(m_a.port, order(carrier, QStringLiteral("Demand"), QStringLiteral("Steel"), 100000))
                .body.startsWith("Order added: "));
    QVERIFY(post(m_b.port, order(carrier, QStringLiteral("Demand"), QStringLiteral("Tea"), 50000))
                .body.startsWith("Order added: "));

    // Eight clients, four on each hub, all sending at once: 100 sales of 7
    // Steel each, and 50 sales of 3 Tea whose keys each client shares with
    // one client of the other hub (the same sale resent to the other hub).
    constexpr int kClients = 8;
    constexpr int kSteelSales = 100;
    constexpr int kTeaSales = 50;
    std::vector<std::unique_ptr<RawClient>> clients;
    for (int c = 0; c < kClients; ++c) {
        auto client = std::make_unique<RawClient>(c % 2 == 0 ? m_a.port : m_b.port);
        QVERIFY(client->connected());
        QByteArray requests;
        for (int i = 0; i < kSteelSales; ++i) {
            requests += postRequest(encodeForm({{QStringLiteral("MarketID"), carrier},
                                                {QStringLiteral("act"), QStringLiteral("update_kvn")},
                                                {QStringLiteral("Commodity"), QStringLiteral("steel")},
                                                {QStringLiteral("Count"), QStringLiteral("7")}}));
            if (i < kTeaSales) {
                requests += postRequest(encodeForm(
                    {{QStringLiteral("MarketID"), carrier},
                     {QStringLiteral("act"), QStringLiteral("update_kvn")},
                     {QStringLiteral("Commodity"), QStringLiteral("Tea")},
                     {QStringLiteral("Count"), QStringLiteral("3")},
                     {QStringLiteral("SaleKey"), QStringLiteral("sale-%1-%2").arg(c / 2).arg(i)}}));
            }
        }
        client->send(requests);
        clients.push_back(std::move(client));
    }
    int ok = 0;
    for (auto& client : clients) {
        for (int i = 0; i < kSteelSales + kTeaSales; ++i) {
            const HttpReply reply = client->next();
            QCOMPARE(reply.status, 200);
            ok += reply.body == "update_ok";
        }
    }
    QCOMPARE(ok, kClients * (kSteelSales + kTeaSales));
    const QString expected = QStringLiteral("3700000001 Steel %1|3700000001 Tea %2")
                                 .arg(100000 - kClients * kSteelSales * 7)
                                 .arg(50000 - kClients / 2 * kTeaSales * 3);
    QCOMPARE(state(m_a.port), expected);
    QCOMPARE(state(m_b.port), expected);
}

void HubServerPostgresTest::twoHubs_shareOwnerCodesAndRelease()
{
    const Fields mine =
        with(order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Steel"), 5),
             QStringLiteral("code"), QStringLiteral("Owner-1"));
    const Fields theirs = with(mine, QStringLiteral("code"), QStringLiteral("Owner-2"));
    QVERIFY(post(m_a.port, mine).body.startsWith("Order added: "));
    QCOMPARE(post(m_b.port, theirs).body,
             QByteArray("Order not added: the code does not match the one carrier 3700000001 is bound to."));
    QVERIFY(post(m_b.port, mine).body.startsWith("Order updated: "));

    QProcess release;
    release.start(
        QStringLiteral(TESSIVAR_HUB),
        {QStringLiteral("--release-carrier"), QStringLiteral("3700000001"), QStringLiteral("--db"), m_url});
    QVERIFY(release.waitForFinished(30000));
    QCOMPARE(release.readAllStandardOutput(), QByteArray("released carrier 3700000001\n"));
    // Released with its orders stored, it is open until the operator binds it.
    QVERIFY(post(m_a.port, theirs).body.startsWith("Order updated: "));
    QVERIFY(post(m_b.port, mine).body.startsWith("Order updated: "));
    QCOMPARE(bindCarrier(m_url, QStringLiteral("3700000001"), "Owner-2\n"),
             QStringLiteral("0 bound carrier 3700000001\n"));
    QVERIFY(post(m_a.port, theirs).body.startsWith("Order updated: "));
    QVERIFY(post(m_b.port, mine).body.startsWith("Order not added: "));

    // A hub killed outright loses nothing that it answered.
    m_a.killHard();
    QVERIFY(m_a.start(m_url));
    QCOMPARE(state(m_a.port), QStringLiteral("3700000001 Steel 5"));
}

void HubServerPostgresTest::twoHubs_reportsRecordedUndoneAndKeysBounded()
{
    m_a.stop();
    m_b.stop();
    const QStringList options{QStringLiteral("--writes-per-minute"),
                              QStringLiteral("100000"),
                              QStringLiteral("--max-sale-keys"),
                              QStringLiteral("50"),
                              QStringLiteral("--max-sale-keys-per-carrier"),
                              QStringLiteral("20")};
    QVERIFY(m_a.start(m_url, options));
    QVERIFY(m_b.start(m_url, options));
    const QString carrier = QStringLiteral("3700000001");
    const auto owners = [&](const QString& commodity, int count) {
        return with(order(carrier, QStringLiteral("Demand"), commodity, count), QStringLiteral("code"),
                    QStringLiteral("Owner-1"));
    };
    const auto report = [&](const QString& act, const QString& market, const QString& commodity,
                            qint64 count) {
        if (act == QLatin1String("verify_kvn"))
            return Fields{{QStringLiteral("act"), act},
                          {QStringLiteral("CMDR"), QStringLiteral("Thief")},
                          {QStringLiteral("Market"), market},
                          {QStringLiteral("Towar"), commodity},
                          {QStringLiteral("Ilosc"), QString::number(count)}};
        return Fields{{QStringLiteral("MarketID"), market},
                      {QStringLiteral("act"), act},
                      {QStringLiteral("Commodity"), commodity},
                      {QStringLiteral("Count"), QString::number(count)}};
    };
    QVERIFY(post(m_a.port, owners(QStringLiteral("Steel"), 5000)).body.startsWith("Order added: "));
    QVERIFY(post(m_b.port, owners(QStringLiteral("Tea"), 300)).body.startsWith("Order added: "));

    // A stranger on the other hub: raises nothing, takes at most a hold.
    const QString thief = QStringLiteral("127.0.0.3");
    const QString verify = QStringLiteral("verify_kvn");
    const QString update = QStringLiteral("update_kvn");
    QCOMPARE(post(m_b.port, report(verify, carrier, QStringLiteral("Steel"), 2147483647), thief).body,
             QByteArray("verify_none"));
    QCOMPARE(post(m_b.port, report(verify, carrier, QStringLiteral("Steel"), 0), thief).body,
             QByteArray("verify_ok"));
    QCOMPARE(post(m_b.port, report(update, carrier, QStringLiteral("Tea"), 2147483647), thief).body,
             QByteArray("update_none"));
    QCOMPARE(post(m_b.port, report(update, carrier, QStringLiteral("Tea"), 300), thief).body,
             QByteArray("update_ok"));
    QCOMPARE(
        post(m_b.port, report(verify, QStringLiteral("3700000099"), QStringLiteral("Steel"), 9), thief).body,
        QByteArray("verify_none"));
    QCOMPARE(state(m_a.port), QStringLiteral("3700000001 Steel 4200"));

    // The owner lists on one hub and undoes on the other.
    const Fields ask{{QStringLiteral("act"), QStringLiteral("changes_kvn")},
                     {QStringLiteral("CarrierID"), carrier},
                     {QStringLiteral("code"), QStringLiteral("Owner-1")}};
    const QJsonArray changes = QJsonDocument::fromJson(post(m_a.port, ask).body).array();
    QCOMPARE(changes.size(), 4);
    QCOMPARE(changes[0][QLatin1String("address")].toString(), thief);
    QCOMPARE(changes[0][QLatin1String("after")].toString(), QStringLiteral("0"));
    QCOMPARE(changes[1][QLatin1String("cmdr")].toString(), QStringLiteral("Thief"));
    QCOMPARE(post(m_b.port, with(ask, QStringLiteral("code"), QStringLiteral("Owner-2"))).status, 403);
    Fields undo = with(ask, QStringLiteral("act"), QStringLiteral("undo_kvn"));
    undo.append({QStringLiteral("Reporter"), thief});
    QCOMPARE(post(m_b.port, undo).body, QByteArray("Undone: 2 changes by 127.0.0.3 at carrier 3700000001."));
    QCOMPARE(state(m_a.port), QStringLiteral("3700000001 Steel 5000|3700000001 Tea 300"));

    // Sale keys, sent to both hubs: the carrier keeps its newest 20.
    const auto sale = [&](int i) {
        Fields fields = report(update, carrier, QStringLiteral("Steel"), 1);
        fields.append({QStringLiteral("SaleKey"), QStringLiteral("sale-%1").arg(i)});
        return fields;
    };
    for (int i = 0; i < 60; ++i)
        QCOMPARE(post(i % 2 ? m_a.port : m_b.port, sale(i)).body, QByteArray("update_ok"));
    QCOMPARE(post(m_a.port, sale(59)).body, QByteArray("update_ok"));
    QCOMPARE(state(m_b.port), QStringLiteral("3700000001 Steel 4940|3700000001 Tea 300"));
    QSqlQuery count(QSqlDatabase::database(QStringLiteral("test")));
    QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM sale_keys")) && count.next());
    QCOMPARE(count.value(0).toLongLong(), 20);
}

void HubServerPostgresTest::ownerHearsOthersSales_onceAndOnlyWithTheCode()
{
    const QString carrier = QStringLiteral("3700000001");
    const QString other = QStringLiteral("3700000002");
    const auto owned = [](const QString& id, const QString& code) {
        return with(order(id, QStringLiteral("Demand"), QStringLiteral("Steel"), 5000),
                    QStringLiteral("code"), code);
    };
    QVERIFY(post(m_a.port, owned(carrier, QStringLiteral("Owner-1"))).body.startsWith("Order added: "));
    QVERIFY(post(m_a.port, owned(other, QStringLiteral("Owner-2"))).body.startsWith("Order added: "));
    const auto sale = [](const QString& id, qint64 count, const QString& key) {
        return Fields{{QStringLiteral("act"), QStringLiteral("update_kvn")},
                      {QStringLiteral("MarketID"), id},
                      {QStringLiteral("CMDR"), QStringLiteral("Second Hauler")},
                      {QStringLiteral("Commodity"), QStringLiteral("steel")},
                      {QStringLiteral("Count"), QString::number(count)},
                      {QStringLiteral("SaleKey"), key}};
    };
    // A second hauler's sale, its resend through the other hub, and the owner's own sale.
    QCOMPARE(post(m_a.port, sale(carrier, 300, QStringLiteral("k1"))).body, QByteArray("update_ok"));
    QCOMPARE(post(m_b.port, sale(carrier, 300, QStringLiteral("k1"))).body, QByteArray("update_ok"));
    QCOMPARE(post(m_b.port, with(sale(carrier, 100, QStringLiteral("k2")), QStringLiteral("code"),
                                 QStringLiteral("Owner-1")))
                 .body,
             QByteArray("update_ok"));
    QCOMPARE(post(m_a.port, sale(other, 50, QStringLiteral("k3"))).body, QByteArray("update_ok"));

    const auto sales = [this](const QString& id, const QString& code, const QString& since = {}) {
        Fields f{{QStringLiteral("act"), QStringLiteral("sales_kvn")},
                 {QStringLiteral("CarrierID"), id},
                 {QStringLiteral("code"), code}};
        if (!since.isEmpty())
            f.append({QStringLiteral("since"), since});
        return post(m_b.port, f);
    };
    const HttpReply mine = sales(carrier, QStringLiteral("Owner-1"));
    QCOMPARE(mine.status, 200);
    const QJsonArray list = QJsonDocument::fromJson(mine.body).array();
    QCOMPARE(list.size(), 1);
    const QJsonObject one = list[0].toObject();
    QCOMPARE(one[QLatin1String("commodity")].toString(), QStringLiteral("Steel"));
    QCOMPARE(one[QLatin1String("count")].toString(), QStringLiteral("300"));
    QCOMPARE(one[QLatin1String("cmdr")].toString(), QStringLiteral("Second Hauler"));
    QVERIFY(one[QLatin1String("key")].toString().startsWith(QLatin1String("sale-")));
    // Asked again, the same sale has the same key.
    QCOMPARE(QJsonDocument::fromJson(sales(carrier, QStringLiteral("Owner-1")).body).array(), list);
    // Not for another carrier's owner, not without the owner's code, nothing after the sale.
    QCOMPARE(sales(carrier, QStringLiteral("Owner-2")).status, 403);
    QCOMPARE(sales(carrier, QString()).status, 403);
    QCOMPARE(QJsonDocument::fromJson(sales(other, QStringLiteral("Owner-2")).body).array().size(), 1);
    const QString later = QDateTime::currentDateTimeUtc().addSecs(60).toString(Qt::ISODate);
    QCOMPARE(sales(carrier, QStringLiteral("Owner-1"), later).body, QByteArray("[]"));
    QCOMPARE(sales(carrier, QStringLiteral("Owner-1"), QStringLiteral("yesterday")).status, 400);
}

QTEST_GUILESS_MAIN(HubServerPostgresTest)
#include "hubserver_postgres_test.moc"
