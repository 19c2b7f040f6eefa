#pragma once

#include "HttpRequestParser.h"
#include "HubConnection.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>

class HubService;
class HubWriter;
class QTcpServer;

// The hub's HTTP listener. Requests are served one at a time on the thread
// that owns the server, so the service and its store need no locking.
// Besides the global cap on connections, one address may hold only a few, so
// one peer cannot take every slot.
class HubServer : public QObject
{
    Q_OBJECT
public:
    // Closing connections linger a moment to deliver their last answer; at
    // most this many beyond the cap may do so.
    static constexpr int kMaxLingering = 256;

    explicit HubServer(HubService& service, QObject* parent = nullptr);
    ~HubServer() override;

    void setLimits(const HttpLimits& limits) { m_limits = limits; }
    // Requests that change the orders go to `writer` (not owned) when set.
    void setWriter(HubWriter* writer) { m_writer = writer; }
    void setIdleTimeoutMs(int ms) { m_times.idleTimeoutMs = ms; }
    void setMaxLifetimeMs(int ms) { m_times.maxLifetimeMs = ms; }
    void setMaxConnections(int count) { m_maxConnections = count; }
    void setMaxConnectionsPerAddress(int count) { m_maxPerAddress = count; }

    // Port 0 picks a free port; errorString() says why listening failed.
    bool listen(const QHostAddress& address, quint16 port);
    QHostAddress address() const;
    quint16 port() const;
    QString errorString() const;

private:
    void acceptConnections();

    HubService& m_service;
    HubWriter* m_writer = nullptr;
    QTcpServer* m_server;
    HttpLimits m_limits;
    ConnectionTimes m_times;
    int m_maxConnections = 256;
    int m_maxPerAddress = 16;
    // Connections still answering, and all sockets including those closing.
    int m_connections = 0;
    int m_sockets = 0;
    QHash<QString, int> m_perAddress;
};
