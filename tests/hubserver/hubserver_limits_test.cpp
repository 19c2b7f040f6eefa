#include "HubServer.h"
#include "HubService.h"
#include "OrderStore.h"

#include <QSemaphore>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>

// The connection limits, on a server running in its own thread so the test
// can use blocking sockets against it.
namespace {

class ServerThread : public QThread
{
public:
    ServerThread(QString db, int idleMs, int maxConnections)
        : m_db(std::move(db)), m_idleMs(idleMs), m_maxConnections(maxConnections)
    {}
    ~ServerThread() override
    {
        quit();
        wait();
    }

    quint16 startAndWait()
    {
        start();
        m_ready.acquire();
        return m_port;
    }

protected:
    void run() override
    {
        OrderStore store(m_db);
        try {
            store.open();
        } catch (const StoreError&) {
            m_ready.release();
            return;
        }
        HubService service(store, QStringLiteral("9.9.9.9"));
        HubServer server(service);
        server.setIdleTimeoutMs(m_idleMs);
        server.setMaxConnections(m_maxConnections);
        m_port = server.listen(QHostAddress(QHostAddress::LocalHost), 0) ? server.port() : 0;
        m_ready.release();
        exec();
    }

private:
    QString m_db;
    int m_idleMs;
    int m_maxConnections;
    QSemaphore m_ready;
    std::atomic<quint16> m_port{0};
};

const QByteArray kVersionRequest = "POST /ED/KVN.php HTTP/1.1\r\nHost: hub\r\n"
                                   "Content-Type: application/x-www-form-urlencoded\r\n"
                                   "Content-Length: 17\r\n\r\nact=check_version";

QByteArray readUntilClosed(QTcpSocket& socket)
{
    QByteArray all;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000))
        all += socket.readAll();
    return all + socket.readAll();
}

}  // namespace

class HubServerLimitsTest : public QObject
{
    Q_OBJECT
private slots:
    void tricklingRequest_isCutOff();
    void connectionsBeyondLimit_get503();

private:
    QTemporaryDir m_dir;
};

void HubServerLimitsTest::tricklingRequest_isCutOff()
{
    ServerThread server(m_dir.filePath(QStringLiteral("trickle.db")), 300, 8);
    const quint16 port = server.startAndWait();
    QVERIFY(port != 0);
    QTcpSocket socket;
    socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    QVERIFY(socket.waitForConnected(5000));
    socket.write(kVersionRequest.left(20));
    QVERIFY(socket.waitForBytesWritten(5000));
    // The rest never comes; the server must drop the connection on its own.
    QVERIFY(socket.waitForDisconnected(10000));
}

void HubServerLimitsTest::connectionsBeyondLimit_get503()
{
    ServerThread server(m_dir.filePath(QStringLiteral("limit.db")), 30000, 1);
    const quint16 port = server.startAndWait();
    QVERIFY(port != 0);
    QTcpSocket first;
    first.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    QVERIFY(first.waitForConnected(5000));
    first.write(kVersionRequest);
    QVERIFY(first.waitForReadyRead(5000));
    QVERIFY(first.readAll().startsWith("HTTP/1.1 200 OK"));

    QTcpSocket second;
    second.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    QVERIFY(second.waitForConnected(5000));
    second.write(kVersionRequest);
    QVERIFY(readUntilClosed(second).startsWith("HTTP/1.1 503 Service Unavailable"));

    // The first connection is still served.
    first.write(kVersionRequest);
    QVERIFY(first.waitForReadyRead(5000));
    QVERIFY(first.readAll().endsWith("9.9.9.9"));
}

QTEST_GUILESS_MAIN(HubServerLimitsTest)
#include "hubserver_limits_test.moc"
