#include "HubTestSupport.h"

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

private:
    HttpReply post(quint16 port, const Fields& fields);
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
    QVERIFY2(drop.exec(QStringLiteral("DROP TABLE IF EXISTS orders, sales, carriers, hub_meta")),
             qPrintable(drop.lastError().text()));
    QVERIFY(m_a.start(m_url));
    QVERIFY(m_b.start(m_url));
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

HttpReply HubServerPostgresTest::post(quint16 port, const Fields& fields)
{
    RawClient client(port);
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
    QVERIFY(post(m_a.port, theirs).body.startsWith("Order updated: "));
    QVERIFY(post(m_b.port, mine).body.startsWith("Order not added: "));

    // A hub killed outright loses nothing that it answered.
    m_a.killHard();
    QVERIFY(m_a.start(m_url));
    QCOMPARE(state(m_a.port), QStringLiteral("3700000001 Steel 5"));
}

QTEST_GUILESS_MAIN(HubServerPostgresTest)
#include "hubserver_postgres_test.moc"
