#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTcpSocket>

// Helpers of the tests that run tessivar-hub as a real process and speak raw
// HTTP to it over loopback.
namespace {

using Fields = QList<std::pair<QString, QString>>;

inline QByteArray encodeForm(const Fields& fields)
{
    QByteArrayList parts;
    for (const auto& [name, value] : fields) {
        parts << name.toUtf8().toPercentEncoding().replace("%20", "+") + '=' +
                     value.toUtf8().toPercentEncoding().replace("%20", "+");
    }
    return parts.join('&');
}

struct HttpReply
{
    int status = 0;
    QByteArray head;
    QByteArray body;
};

// A raw HTTP client; keeps bytes of a following reply for the next read.
class RawClient
{
public:
    // `from` picks the local address (another loopback address looks like
    // another client to the hub).
    explicit RawClient(quint16 port, const QString& from = {})
    {
        if (!from.isEmpty() && !m_socket.bind(QHostAddress(from)))
            return;
        m_socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        m_connected = m_socket.waitForConnected(5000);
    }
    bool connected() const { return m_connected; }

    void send(const QByteArray& bytes)
    {
        m_socket.write(bytes);
        m_socket.waitForBytesWritten(5000);
    }

    HttpReply next()
    {
        HttpReply reply;
        qsizetype end = -1;
        while ((end = m_pending.indexOf("\r\n\r\n")) < 0) {
            if (!fill())
                return reply;
        }
        reply.head = m_pending.left(end);
        m_pending.remove(0, end + 4);
        reply.status = reply.head.mid(9, 3).toInt();
        static const QRegularExpression lengthRe(QStringLiteral("\r\ncontent-length: *(\\d+)"),
                                                 QRegularExpression::CaseInsensitiveOption);
        const auto match = lengthRe.match(QString::fromLatin1(reply.head));
        const qsizetype length = match.hasMatch() ? match.captured(1).toLongLong() : 0;
        while (m_pending.size() < length) {
            if (!fill())
                break;
        }
        reply.body = m_pending.left(length);
        m_pending.remove(0, length);
        return reply;
    }

    // True when the server closes the connection.
    bool closedByPeer()
    {
        while (fill()) {
        }
        return m_socket.state() == QAbstractSocket::UnconnectedState || !m_socket.isValid() ||
               m_socket.error() == QAbstractSocket::RemoteHostClosedError;
    }

private:
    bool fill()
    {
        if (m_socket.bytesAvailable() == 0 && !m_socket.waitForReadyRead(5000))
            return false;
        m_pending += m_socket.readAll();
        return true;
    }

    QTcpSocket m_socket;
    QByteArray m_pending;
    bool m_connected = false;
};

inline QByteArray postRequest(const QByteArray& body, const QByteArray& extraHeaders = {})
{
    return "POST /ED/KVN.php HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n" + extraHeaders + "\r\n" + body;
}

// The hub's process; stopped when destroyed.
class HubProcess
{
public:
    ~HubProcess() { stop(); }

    bool start(const QString& db, const QStringList& extra = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("tessivar.hub.*.info=false"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(TESSIVAR_HUB),
                        QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                                    QStringLiteral("--db"), db} +
                            extra);
        if (!m_process.waitForStarted(10000))
            return false;
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000))
                return false;
        }
        firstLine = m_process.readLine();
        const auto match = QRegularExpression(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)\n$"))
                               .match(QString::fromUtf8(firstLine));
        port = match.hasMatch() ? match.captured(1).toUShort() : 0;
        return port != 0;
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    bool running() const { return m_process.state() == QProcess::Running; }

    // Ends the process at once, as a crash or a power cut would (SIGKILL).
    void killHard()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    // The resident memory of the process in KiB, from /proc; -1 where there is none.
    qint64 residentKiB() const
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(m_process.processId()));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').first().toLongLong();
        }
        return -1;
    }

    QByteArray firstLine;
    quint16 port = 0;

private:
    QProcess m_process;
};

inline Fields order(const QString& carrier, const QString& typ, const QString& commodity, int count)
{
    return {{QStringLiteral("act"), QStringLiteral("add_kvn")},
            {QStringLiteral("cmdr"), QStringLiteral("CMDR Jan Kowalski")},
            {QStringLiteral("FC"), QStringLiteral("Golden Hind")},
            {QStringLiteral("CarrierID"), carrier},
            {QStringLiteral("location"), QStringLiteral("Sol / Body 5")},
            {QStringLiteral("typ"), typ},
            {QStringLiteral("commodity"), commodity},
            {QStringLiteral("count"), QString::number(count)},
            {QStringLiteral("price"), QStringLiteral("110")},
            {QStringLiteral("code"), QString()}};
}

// Runs `tessivar-hub --bind-carrier ID --db DB` with `code` on its standard
// input: "exit code, space, output".
inline QString bindCarrier(const QString& db, const QString& id, const QByteArray& code)
{
    QProcess process;
    process.start(QStringLiteral(TESSIVAR_HUB),
                  {QStringLiteral("--bind-carrier"), id, QStringLiteral("--db"), db});
    process.write(code);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return QString::number(process.exitCode()) + QLatin1Char(' ') +
           QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

inline Fields with(Fields fields, const QString& name, const QString& value)
{
    for (auto& field : fields) {
        if (field.first == name) {
            field.second = value;
            return fields;
        }
    }
    fields.append({name, value});
    return fields;
}

}  // namespace
