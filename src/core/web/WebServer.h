#pragma once

#include "HttpRequestParser.h"

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class QTcpServer;
class QTcpSocket;
class WebPageFeed;

// The small web server of "Share to browser": under /TOKEN/ it serves the
// page, its stream of updates (server-sent events) and the page's one
// request, searching a commodity. Any other address gets 403, without the
// token, or 404.
//
// Everything runs on the caller's thread and never waits: sockets are read
// when data arrives, every request is bounded in size, a peer that does not
// finish its request in time is dropped, and so is a stream whose browser
// stops reading. While nothing changes the only wake-up is the stream's
// keep-alive comment, and only while a browser is connected.
//
// The server may face a whole network, so no stranger can crowd the owner
// out: a connection must send a request with the token within
// kProveTimeoutMs, an address may hold only kMaxUnprovenPerAddress
// connections that have not done so, and when every place is taken a
// newcomer gets the place of the oldest such connection of the address that
// holds the most. Connections that showed the token are never pushed out.
class WebServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxConnections = 64;
    static constexpr int kMaxUnprovenPerAddress = 8;
    static constexpr int kProveTimeoutMs = 2000;
    static constexpr int kRequestTimeoutMs = 10000;
    static constexpr int kKeepAliveMs = 20000;
    static constexpr qint64 kMaxUnsent = 1024 * 1024;
    static constexpr qsizetype kMaxSearchText = 200;

    // find runs the page's commodity search; it may throw.
    WebServer(const WebPageFeed& feed, std::function<void(const QString&)> find, QObject* parent = nullptr);
    ~WebServer() override;

    // Starts listening; on failure returns false with the reason in error.
    bool listen(const QHostAddress& address, quint16 port, QString* error);
    void close();
    bool isListening() const;
    quint16 serverPort() const;

    // Requests must carry this token as the first path segment. A new token
    // drops every connection made with the old one.
    void setToken(const QString& token);

    int connectionCount() const { return int(m_connections.size()); }
    int streamCount() const;

private:
    struct Connection
    {
        HttpRequestParser parser;
        QTimer* deadline = nullptr;
        QHostAddress peer;    // IPv6 peers by their /64 network
        quint64 serial = 0;   // order of arrival
        bool proven = false;  // sent a request with the token
        bool stream = false;
        bool closing = false;
    };

    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void handle(QTcpSocket* socket, Connection& c, const HttpRequest& request);
    void respond(QTcpSocket* socket, Connection& c, int status, const QByteArray& contentType,
                 const QByteArray& body, const QByteArray& extraHeaders = {});
    void startStream(QTcpSocket* socket, Connection& c);
    void publish(const QByteArray& json);
    void sendToStreams(const QByteArray& bytes);
    void drop(QTcpSocket* socket);
    bool tokenMatches(QByteArrayView segment) const;
    int unprovenFrom(const QHostAddress& peer) const;
    bool makeRoomFor(const QHostAddress& peer);

    const WebPageFeed& m_feed;
    std::function<void(const QString&)> m_find;
    QTcpServer* m_server;
    QByteArray m_token;
    QHash<QTcpSocket*, Connection> m_connections;
    QTimer m_keepAlive;
    quint64 m_arrivals = 0;
};
