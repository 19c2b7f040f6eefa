#include "HubConnection.h"

#include "FormData.h"
#include "HubService.h"

#include <QLoggingCategory>
#include <QTcpSocket>

#if defined(Q_OS_WIN)
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

Q_LOGGING_CATEGORY(lcHubHttp, "tessivar.hub.http")

namespace {

const QByteArray kHubPath = QByteArrayLiteral("/ED/KVN.php");

// How long a closing connection keeps swallowing what the peer still sends.
constexpr int kLingerMs = 2000;

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
    case 415:
        return "Unsupported Media Type";
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

HubConnection::HubConnection(QTcpSocket* socket, HubService& service, const HttpLimits& limits,
                             int idleTimeoutMs, QObject* parent)
    : QObject(parent), m_socket(socket), m_service(service), m_parser(limits)
{
    m_socket->setParent(this);
    m_socket->setReadBufferSize(limits.maxHeadBytes + limits.maxBodyBytes);
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleTimeoutMs);
    connect(&m_idle, &QTimer::timeout, m_socket, &QTcpSocket::abort);
    connect(m_socket, &QTcpSocket::readyRead, this, &HubConnection::readRequests);
    connect(m_socket, &QTcpSocket::disconnected, this, &HubConnection::markFinished);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_socket->state() == QAbstractSocket::UnconnectedState)
            markFinished();
    });
    m_idle.start();
}

void HubConnection::refuse()
{
    sendError(503, "too many connections");
}

void HubConnection::readRequests()
{
    if (m_closing) {
        m_socket->readAll();
        return;
    }
    m_parser.feed(m_socket->readAll());
    while (!m_closing) {
        HttpRequest request;
        switch (m_parser.next(request)) {
        case HttpRequestParser::Result::NeedMore:
            if (m_parser.awaitsContinue() && !m_continueSent) {
                m_continueSent = true;
                m_socket->write("HTTP/1.1 100 Continue\r\n\r\n");
            }
            return;
        case HttpRequestParser::Result::Error:
            qCInfo(lcHubHttp) << "rejected:" << m_parser.errorStatus() << m_parser.errorReason();
            sendError(m_parser.errorStatus(), m_parser.errorReason());
            return;
        case HttpRequestParser::Result::Complete:
            // The clock restarts per request, not per packet, so a peer that
            // trickles bytes cannot hold a connection open.
            m_idle.start();
            m_continueSent = false;
            answer(request);
            break;
        }
    }
}

void HubConnection::answer(const HttpRequest& request)
{
    const bool keepAlive = request.keepAlive();
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
        qCInfo(lcHubHttp) << "rejected form:" << error;
        send(400, "text/plain; charset=utf-8", error.toUtf8(), false);
        return;
    }
    const HubReply reply = m_service.handle(*form);
    QString act = form->value(QStringLiteral("act")).left(32);
    for (QChar& c : act) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_'))
            c = QLatin1Char('?');
    }
    qCInfo(lcHubHttp).noquote() << m_socket->peerAddress().toString() << act << reply.status;
    send(reply.status, reply.contentType, reply.body, keepAlive && reply.status < 400);
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
    if (!headOnly)
        out += body;
    m_socket->write(out);
    if (!keepAlive)
        closeAfterWrite();
}

void HubConnection::sendError(int status, const QByteArray& reason)
{
    send(status, "text/plain; charset=utf-8", reason, false);
}

void HubConnection::closeAfterWrite()
{
    m_closing = true;
    m_idle.stop();
    connect(m_socket, &QTcpSocket::bytesWritten, this, &HubConnection::shutDownWhenWritten);
    QTimer::singleShot(kLingerMs, m_socket, &QTcpSocket::abort);
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
