#include "HubConnection.h"

#include "AddressBudget.h"
#include "FormData.h"
#include "HubProtocol.h"
#include "HubService.h"
#include "HubWriter.h"

#include <QLoggingCategory>
#include <QTcpSocket>

#if defined(Q_OS_WIN)
#include <winsock2.h>
#else
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif
#include <algorithm>

Q_LOGGING_CATEGORY(lcHubHttp, "tessivar.hub.http")

namespace {

const QByteArray kHubPath(HubProtocol::kDefaultPath.data(), HubProtocol::kDefaultPath.size());

// How long a closing connection keeps swallowing what the peer still sends
// (so the answer is not destroyed by a reset); a refused one has only a
// short answer to deliver.
constexpr int kLingerMs = 2000;
constexpr int kRefusedLingerMs = 250;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 100:
        return "Continue";
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 403:
        return "Forbidden";
    case 415:
        return "Unsupported Media Type";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 503:
        return "Service Unavailable";
    case 505:
        return "HTTP Version Not Supported";
    default:
        return "Error";
    }
}

}  // namespace

HubConnection::HubConnection(QTcpSocket* socket, HubService& service, HubWriter* writer,
                             const HttpLimits& limits, const ConnectionTimes& times, AddressBudget* budget,
                             QObject* parent)
    : QObject(parent), m_socket(socket), m_service(service), m_writer(writer), m_budget(budget),
      m_limits(limits), m_parser(limits), m_times(times), m_peer(socket->peerAddress().toString()),
      m_lingerMs(kLingerMs)
{
    m_socket->setParent(this);
    m_socket->setReadBufferSize(limits.maxHeadBytes + limits.maxBodyBytes);
    // Answers go out at once instead of waiting for the peer's acknowledgement.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_age.start();
    m_lastActivity.start();
    m_idle.setSingleShot(true);
    m_idle.setInterval(times.idleTimeoutMs);
    connect(&m_idle, &QTimer::timeout, m_socket, &QTcpSocket::abort);
    connect(m_socket, &QTcpSocket::readyRead, this, &HubConnection::readRequests);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &HubConnection::wroteBytes);
    connect(m_socket, &QTcpSocket::disconnected, this, &HubConnection::markFinished);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_socket->state() == QAbstractSocket::UnconnectedState)
            markFinished();
    });
    m_idle.start();
}

void HubConnection::refuse(const QByteArray& reason)
{
    qCInfo(lcHubHttp).noquote() << m_peer << "refused:" << reason;
    m_lingerMs = kRefusedLingerMs;
    sendError(503, reason);
}

void HubConnection::evict()
{
    qCInfo(lcHubHttp).noquote() << m_peer << "closed an idle connection to make room for another address";
    closeAfterWrite();
}

void HubConnection::drop()
{
    m_socket->abort();
    markFinished();
}

bool HubConnection::isIdle() const
{
    return !m_closing && !m_waiting && m_parser.buffered() == 0 && m_socket->bytesAvailable() == 0 &&
           m_socket->bytesToWrite() == 0;
}

void HubConnection::readRequests()
{
    if (m_closing) {
        m_socket->readAll();
        return;
    }
    while (!m_closing && !m_waiting) {
        // Back-pressure: the peer's further requests wait (in its own socket
        // buffers) until it has taken most of what it asked for.
        if (m_socket->bytesToWrite() > kMaxUnsentBytes) {
            m_paused = true;
            return;
        }
        HttpRequest request;
        switch (m_parser.next(request)) {
        case HttpRequestParser::Result::NeedMore: {
            // The parser never holds more than one request's worth.
            const qint64 room = m_limits.maxHeadBytes + m_limits.maxBodyBytes + 4 - m_parser.buffered();
            const QByteArray more = m_socket->read(std::max<qint64>(room, 1));
            if (!more.isEmpty()) {
                m_parser.feed(more);
                continue;
            }
            if (m_parser.awaitsContinue() && !m_continueSent) {
                m_continueSent = true;
                m_socket->write("HTTP/1.1 100 Continue\r\n\r\n");
            }
            if (m_parser.inRequest())
                acknowledgeNow();
            return;
        }
        case HttpRequestParser::Result::Error:
            qCInfo(lcHubHttp).noquote()
                << m_peer << "rejected:" << m_parser.errorStatus() << m_parser.errorReason();
            sendError(m_parser.errorStatus(), m_parser.errorReason());
            return;
        case HttpRequestParser::Result::Complete:
            // The clock restarts per request, not per packet, so a peer that
            // trickles bytes cannot hold a connection open.
            m_idle.start();
            m_lastActivity.start();
            m_continueSent = false;
            answer(request);
            break;
        }
    }
}

void HubConnection::wroteBytes()
{
    if (m_closing) {
        shutDownWhenWritten();
        return;
    }
    if (m_paused && m_socket->bytesToWrite() <= kMaxUnsentBytes / 2) {
        m_paused = false;
        readRequests();
    }
}

void HubConnection::acknowledgeNow()
{
    // A client that writes the head and the body of a request separately
    // holds the body back until the head is acknowledged; Linux would delay
    // that acknowledgement by up to 40 ms.
#if defined(Q_OS_LINUX)
    const int on = 1;
    ::setsockopt(static_cast<int>(m_socket->socketDescriptor()), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
#endif
}

void HubConnection::answer(const HttpRequest& request)
{
    QElapsedTimer taken;
    taken.start();
    bool keepAlive = request.keepAlive() && m_age.elapsed() < m_times.maxLifetimeMs;
    const bool head = request.method == "HEAD";
    if (request.path != kHubPath) {
        send(404, "text/plain; charset=utf-8", "not found", keepAlive, {}, head);
        return;
    }
    if (request.method != "POST") {
        send(405, "text/plain; charset=utf-8", "only POST is served here", keepAlive, {{"Allow", "POST"}},
             head);
        return;
    }
    const QByteArray type = request.header("content-type").split(';').first().trimmed().toLower();
    if (type != "application/x-www-form-urlencoded") {
        send(415, "text/plain; charset=utf-8", "the body must be application/x-www-form-urlencoded",
             keepAlive);
        return;
    }
    QString error;
    const auto form = FormData::decode(request.body, &error);
    if (!form) {
        qCInfo(lcHubHttp).noquote() << m_peer << "rejected form:" << error;
        send(400, "text/plain; charset=utf-8", error.toUtf8(), false);
        return;
    }
    QString act = form->value(QString(HubProtocol::Field::kAct)).left(32);
    for (QChar& c : act) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_'))
            c = QLatin1Char('?');
    }
    const auto finish = [this, keepAlive, act, taken](const HubReply& reply) {
        if (m_finished)
            return;
        // A refusal of the owner's code or of a spent budget keeps the connection.
        const bool keep = reply.status < 400 || reply.status == 403 || reply.status == 429;
        send(reply.status, reply.contentType, reply.body, keepAlive && keep);
        qCInfo(lcHubHttp).noquote() << m_peer << act << reply.status
                                    << QString::number(static_cast<double>(taken.nsecsElapsed()) / 1e6, 'f',
                                                       2)
                                    << "ms";
    };
    if (m_budget && HubService::isCostly(*form) && !m_budget->take(m_peer)) {
        finish(HubReply{429, QByteArrayLiteral("text/plain; charset=utf-8"),
                        QByteArrayLiteral("too many changes from your address; try again in a minute")});
        return;
    }
    if (m_writer && HubService::changesOrders(*form)) {
        // Later requests of this connection wait for this answer.
        m_waiting = true;
        m_writer->submit(*form, m_peer, this, [this, finish](const HubReply& reply) {
            m_waiting = false;
            finish(reply);
            readRequests();
        });
        return;
    }
    finish(m_service.handle(*form, m_peer));
}

void HubConnection::send(int status, const QByteArray& contentType, const QByteArray& body, bool keepAlive,
                         const QList<std::pair<QByteArray, QByteArray>>& extraHeaders, bool headOnly)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    out += "Cache-Control: no-store\r\n";
    out += keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
    for (const auto& [name, value] : extraHeaders)
        out += name + ": " + value + "\r\n";
    out += "\r\n";
    // One write: a separate body would leave as a second segment.
    if (!headOnly)
        out += body;
    m_socket->write(out);
    m_lastActivity.start();
    if (!keepAlive)
        closeAfterWrite();
}

void HubConnection::sendError(int status, const QByteArray& reason)
{
    send(status, "text/plain; charset=utf-8", reason, false);
}

void HubConnection::closeAfterWrite()
{
    if (!m_closing)
        emit closing();
    m_closing = true;
    m_idle.stop();
    QTimer::singleShot(m_lingerMs, m_socket, &QTcpSocket::abort);
    m_socket->flush();
    shutDownWhenWritten();
}

void HubConnection::shutDownWhenWritten()
{
    if (m_shutDown || m_socket->bytesToWrite() > 0)
        return;
    m_shutDown = true;
    // Only the sending side is shut: the socket keeps reading (and dropping)
    // what the peer still sends until it closes or the linger time ends.
    // Closing with unread input would reset the connection and could destroy
    // the answer before the peer has read it.
#if defined(Q_OS_WIN)
    ::shutdown(static_cast<SOCKET>(m_socket->socketDescriptor()), SD_SEND);
#else
    ::shutdown(static_cast<int>(m_socket->socketDescriptor()), SHUT_WR);
#endif
}

void HubConnection::markFinished()
{
    if (m_finished)
        return;
    m_finished = true;
    emit finished();
}
