#include "HubTestSupport.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

// Hostile clients against a real tessivar-hub holding 200 order lines (a
// 32 KB order list): each attack comes from its own loopback address while
// an ordinary client at 127.0.0.2 still gets its order list, and the hub's
// memory stays small.
namespace {

constexpr qint64 kMaxResidentKiB = 64 * 1024;
constexpr int kPerAddress = 16;

const QByteArray kListRequest = postRequest("act=get_kvn");

}  // namespace

class HubServerAttackTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void keepAliveLockout_otherAddressesServed();
    void pipeliningWithoutReading_memoryStaysBounded();
    void slowClients_cutOffAndOthersServed();

private:
    // An ordinary client's order list, from another address.
    void otherClientGetsTheList();
    void memoryStaysBounded();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<HubProcess> m_hub;
    QByteArray m_list;
};

void HubServerAttackTest::initTestCase()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_hub = std::make_unique<HubProcess>();
    QVERIFY(m_hub->start(m_dir->filePath(QStringLiteral("hub.db")),
                         {QStringLiteral("--max-per-address"), QString::number(kPerAddress),
                          QStringLiteral("--idle-timeout"), QStringLiteral("2"),
                          QStringLiteral("--writes-per-minute"), QStringLiteral("100000")}));
    {
        QTcpSocket probe;
        if (!probe.bind(QHostAddress(QStringLiteral("127.0.0.2"))))
            QSKIP("this system cannot send from 127.0.0.2, so the attacks cannot come from another address");
    }
    RawClient filler(m_hub->port);
    QByteArray requests;
    for (int i = 1; i <= 200; ++i) {
        requests += postRequest(encodeForm(order(QString::number(3700000000LL + i), QStringLiteral("Demand"),
                                                 QStringLiteral("Steel"), 1000 + i)));
    }
    filler.send(requests);
    for (int i = 1; i <= 200; ++i)
        QCOMPARE(filler.next().status, 200);
    filler.send(kListRequest);
    m_list = filler.next().body;
    QVERIFY(m_list.size() > 30000);
}

void HubServerAttackTest::cleanupTestCase()
{
    m_hub.reset();
    m_dir.reset();
}

void HubServerAttackTest::otherClientGetsTheList()
{
    RawClient other(m_hub->port, QStringLiteral("127.0.0.2"));
    QVERIFY(other.connected());
    other.send(kListRequest);
    const HttpReply reply = other.next();
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.body, m_list);
}

void HubServerAttackTest::memoryStaysBounded()
{
#if defined(__SANITIZE_ADDRESS__)
    qInfo("memory not measured: the address sanitizer keeps freed memory in quarantine");
#else
    const qint64 resident = m_hub->residentKiB();
    if (resident < 0)
        qInfo("memory not measured: no /proc on this system");
    else
        qInfo("hub resident memory: %lld KiB", resident);
    if (resident >= 0)
        QVERIFY2(resident <= kMaxResidentKiB, qPrintable(QStringLiteral("hub uses %1 KiB").arg(resident)));
#endif
}

void HubServerAttackTest::keepAliveLockout_otherAddressesServed()
{
    // 128 keep-alive connections that each send a request now and then.
    std::vector<std::unique_ptr<RawClient>> held;
    int served = 0;
    int refused = 0;
    for (int i = 0; i < 128; ++i) {
        auto client = std::make_unique<RawClient>(m_hub->port, QStringLiteral("127.0.0.1"));
        QVERIFY(client->connected());
        client->send(postRequest("act=check_version"));
        const int status = client->next().status;
        served += status == 200;
        refused += status == 503;
        held.push_back(std::move(client));
    }
    QCOMPARE(served, kPerAddress);
    QCOMPARE(refused, 128 - kPerAddress);
    otherClientGetsTheList();
    memoryStaysBounded();
}

void HubServerAttackTest::pipeliningWithoutReading_memoryStaysBounded()
{
    // 5000 requests (550 KB) whose answers would come to 160 MB; none is read.
    RawClient flood(m_hub->port, QStringLiteral("127.0.0.3"));
    QVERIFY(flood.connected());
    flood.send(kListRequest.repeated(5000));
    otherClientGetsTheList();
    otherClientGetsTheList();
    memoryStaysBounded();
    // The flooding client is still answered, in order, as it reads.
    for (int i = 0; i < 3; ++i)
        QCOMPARE(flood.next().body, m_list);
}

void HubServerAttackTest::slowClients_cutOffAndOthersServed()
{
    // Clients that send a few bytes of a request and then nothing.
    std::vector<std::unique_ptr<RawClient>> slow;
    for (int i = 0; i < kPerAddress + 4; ++i) {
        auto client = std::make_unique<RawClient>(m_hub->port, QStringLiteral("127.0.0.4"));
        QVERIFY(client->connected());
        client->send(kListRequest.left(20));
        slow.push_back(std::move(client));
    }
    otherClientGetsTheList();
    memoryStaysBounded();
    // Beyond the per-address cap they are refused at once; the others are
    // cut off when the idle limit (2 s here) has passed.
    int refused = 0;
    for (auto& client : slow) {
        const HttpReply reply = client->next();
        refused += reply.status == 503;
        QVERIFY(reply.status == 503 || client->closedByPeer());
    }
    QCOMPARE(refused, 4);
    otherClientGetsTheList();
}

QTEST_GUILESS_MAIN(HubServerAttackTest)
#include "hubserver_attack_test.moc"
