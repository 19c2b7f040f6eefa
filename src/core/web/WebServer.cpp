#include "web/WebServer.h"

#include "web/WebPage.h"
#include "web/WebPageFeed.h"

#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>

Q_LOGGING_CATEGORY(lcWeb, "tessivar.web")

namespace {

HttpLimits limits()
{
    HttpLimits l;
    l.maxHeadBytes = 8 * 1024;
    l.maxHeaderLines = 48;
    l.maxBodyBytes = 4 * 1024;
    return l;
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 413:
        return "Content Too Large";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Error";
    }
}

// The page and its stream are never cached (the address is a secret) and
// the browser is told to run nothing from elsewhere.
constexpr const char* kCommonHeaders = "Cache-Control: no-store\r\n"
                                       "X-Content-Type-Options: nosniff\r\n"
                                       "Referrer-Policy: no-referrer\r\n";

QByteArray sseEvent(const QByteArray& json)
{
    return "data: " + json + "\n\n";
}

// Whom a connection counts against: an IPv4 peer by its address, an IPv6
// peer by its /64 network (one host can hold a whole one).
QHostAddress peerKey(const QTcpSocket* socket)
{
    const QHostAddress a = socket->peerAddress();
    bool v4 = false;
    const quint32 ip4 = a.toIPv4Address(&v4);
    if (v4)
        return QHostAddress(ip4);
    Q_IPV6ADDR ip6 = a.toIPv6Address();
    for (int i = 8; i < 16; ++i)
        ip6[i] = 0;
    return QHostAddress(ip6);
}

}  // namespace

WebServer::WebServer(const WebPageFeed& feed, std::function<void(const QString&)> find, QObject* parent)
    : QObject(parent), m_feed(feed), m_find(std::move(find)), m_server(new QTcpServer(this))
{
    m_server->setMaxPendingConnections(kMaxConnections);
    connect(m_server, &QTcpServer::newConnection, this, &WebServer::onNewConnection);
    connect(&feed, &WebPageFeed::snapshotChanged, this, &WebServer::publish);
    m_keepAlive.setInterval(kKeepAliveMs);
    connect(&m_keepAlive, &QTimer::timeout, this, [this] { sendToStreams(": keep-alive\n\n"); });
}

WebServer::~WebServer()
{
    close();
}

bool WebServer::listen(const QHostAddress& address, quint16 port, QString* error)
{
    close();
    if (m_server->listen(address, port))
        return true;
    if (error)
        *error = m_server->errorString();
    return false;
}

void WebServer::close()
{
    m_server->close();
    const QList<QTcpSocket*> sockets = m_connections.keys();
    for (QTcpSocket* s : sockets)
        drop(s);
}

bool WebServer::isListening() const
{
    return m_server->isListening();
}

quint16 WebServer::serverPort() const
{
    return m_server->serverPort();
}

void WebServer::setToken(const QString& token)
{
    const QByteArray t = token.toUtf8();
    if (t == m_token)
        return;
    m_token = t;
    const QList<QTcpSocket*> sockets = m_connections.keys();
    for (QTcpSocket* s : sockets)
        drop(s);
}

int WebServer::streamCount() const
{
    int n = 0;
    for (const Connection& c : m_connections)
        n += c.stream ? 1 : 0;
    return n;
}

void WebServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        const QHostAddress peer = peerKey(socket);
        if (unprovenFrom(peer) >= kMaxUnprovenPerAddress ||
            (m_connections.size() >= kMaxConnections && !makeRoomFor(peer))) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        Connection& c = m_connections[socket];
        c.parser = HttpRequestParser(limits());
        c.peer = peer;
        c.serial = ++m_arrivals;
        c.deadline = new QTimer(socket);
        c.deadline->setSingleShot(true);
        c.deadline->start(kProveTimeoutMs);
        connect(c.deadline, &QTimer::timeout, this, [this, socket] { drop(socket); });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { drop(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] {
            auto it = m_connections.find(socket);
            if (it != m_connections.end() && it->closing && socket->bytesToWrite() == 0)
                socket->disconnectFromHost();
        });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void WebServer::onReadyRead(QTcpSocket* socket)
{
    auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    Connection& c = *it;
    if (c.stream || c.closing) {
        // Nothing more is expected from this browser; what it sends is dropped.
        socket->readAll();
        return;
    }
    c.parser.feed(socket->readAll());
    HttpRequest request;
    switch (c.parser.next(request)) {
    case HttpRequestParser::Result::NeedMore:
        return;
    case HttpRequestParser::Result::Error:
        respond(socket, c, c.parser.errorStatus(), "text/plain; charset=utf-8",
                c.parser.errorReason() + "\n");
        return;
    case HttpRequestParser::Result::Complete:
        handle(socket, c, request);
        return;
    }
}

int WebServer::unprovenFrom(const QHostAddress& peer) const
{
    int n = 0;
    for (const Connection& c : m_connections)
        n += !c.proven && c.peer == peer ? 1 : 0;
    return n;
}

bool WebServer::makeRoomFor(const QHostAddress& peer)
{
    // The address holding the most connections without the token gives up
    // its oldest, unless the newcomer's own holds as many.
    QHash<QHostAddress, int> held;
    for (const Connection& c : std::as_const(m_connections))
        if (!c.proven)
            ++held[c.peer];
    const int own = held.value(peer);
    QHostAddress most;
    int mostHeld = own;
    for (auto it = held.cbegin(); it != held.cend(); ++it) {
        if (it.value() > mostHeld) {
            most = it.key();
            mostHeld = it.value();
        }
    }
    if (mostHeld <= own)
        return false;
    QTcpSocket* oldest = nullptr;
    quint64 oldestSerial = 0;
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it) {
        if (!it->proven && it->peer == most && (!oldest || it->serial < oldestSerial)) {
            oldest = it.key();
            oldestSerial = it->serial;
        }
    }
    drop(oldest);
    return true;
}

bool WebServer::tokenMatches(QByteArrayView segment) const
{
    if (m_token.isEmpty() || segment.size() != m_token.size())
        return false;
    // Compared in constant time so the answer's timing tells nothing about the token.
    unsigned char diff = 0;
    for (qsizetype i = 0; i < segment.size(); ++i)
        diff |= static_cast<unsigned char>(segment[i] ^ m_token[i]);
    return diff == 0;
}

void WebServer::handle(QTcpSocket* socket, Connection& c, const HttpRequest& request)
{
    const QByteArray& path = request.path;
    const qsizetype slash = path.indexOf('/', 1);
    const QByteArray segment = slash < 0 ? path.mid(1) : path.mid(1, slash - 1);
    if (!path.startsWith('/') || !tokenMatches(segment)) {
        respond(socket, c, 403, "text/plain; charset=utf-8", "Forbidden\n");
        return;
    }
    c.proven = true;
    const QByteArray rest = slash < 0 ? QByteArray() : path.mid(slash + 1);
    const bool get = request.method == "GET";
    if (slash < 0) {
        respond(socket, c, 301, "text/plain; charset=utf-8", {}, "Location: " + path + "/\r\n");
    } else if (rest.isEmpty()) {
        if (!get)
            respond(socket, c, 405, "text/plain; charset=utf-8", "Method Not Allowed\n", "Allow: GET\r\n");
        else
            respond(socket, c, 200, "text/html; charset=utf-8", webPageHtml(m_feed.snapshot()),
                    "Content-Security-Policy: default-src 'none'; script-src 'unsafe-inline'; "
                    "style-src 'unsafe-inline'; connect-src 'self'; img-src data:; base-uri 'none'; "
                    "form-action 'none'; frame-ancestors 'none'\r\n");
    } else if (rest == "events") {
        if (request.method != "GET")
            respond(socket, c, 405, "text/plain; charset=utf-8", "Method Not Allowed\n", "Allow: GET\r\n");
        else
            startStream(socket, c);
    } else if (rest == "find") {
        if (request.method != "POST") {
            respond(socket, c, 405, "text/plain; charset=utf-8", "Method Not Allowed\n", "Allow: POST\r\n");
            return;
        }
        // Another site's page that learnt the address must not search in
        // the program: a browser names the page a request comes from.
        if (request.hasHeader("origin") && request.header("origin") != "http://" + request.header("host")) {
            respond(socket, c, 403, "text/plain; charset=utf-8", "Forbidden\n");
            return;
        }
        const QString name = QString::fromUtf8(request.body).simplified();
        if (name.isEmpty() || name.size() > kMaxSearchText) {
            respond(socket, c, 400, "text/plain; charset=utf-8", "Bad Request\n");
            return;
        }
        try {
            m_find(name);
        } catch (const std::exception& e) {
            qCWarning(lcWeb) << "search from the page failed:" << e.what();
            respond(socket, c, 500, "text/plain; charset=utf-8", "Internal Server Error\n");
            return;
        }
        respond(socket, c, 204, {}, {});
    } else {
        respond(socket, c, 404, "text/plain; charset=utf-8", "Not Found\n");
    }
}

void WebServer::respond(QTcpSocket* socket, Connection& c, int status, const QByteArray& contentType,
                        const QByteArray& body, const QByteArray& extraHeaders)
{
    // One request per connection keeps the server simple; the page makes few.
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    head += kCommonHeaders;
    if (!contentType.isEmpty())
        head += "Content-Type: " + contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n";
    head += extraHeaders;
    head += "\r\n";
    c.closing = true;
    // A browser that never reads the answer is dropped; a stranger's soon.
    c.deadline->start(c.proven ? kRequestTimeoutMs : kProveTimeoutMs);
    socket->write(head + body);
}

void WebServer::startStream(QTcpSocket* socket, Connection& c)
{
    c.stream = true;
    c.deadline->stop();
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);  // each update out at once
    socket->write(QByteArray("HTTP/1.1 200 OK\r\n") + kCommonHeaders +
                  "Content-Type: text/event-stream; charset=utf-8\r\n"
                  "Connection: keep-alive\r\n\r\n"
                  "retry: 2000\n\n" +
                  sseEvent(m_feed.snapshot()));
    if (!m_keepAlive.isActive())
        m_keepAlive.start();
}

void WebServer::publish(const QByteArray& json)
{
    sendToStreams(sseEvent(json));
}

void WebServer::sendToStreams(const QByteArray& bytes)
{
    QList<QTcpSocket*> stalled;
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (!it->stream)
            continue;
        if (it.key()->bytesToWrite() > kMaxUnsent)
            stalled.append(it.key());
        else
            it.key()->write(bytes);
    }
    for (QTcpSocket* s : stalled)
        drop(s);
}

void WebServer::drop(QTcpSocket* socket)
{
    if (m_connections.remove(socket) == 0)
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    if (streamCount() == 0)
        m_keepAlive.stop();
}
