#pragma once

#include "AddressBudget.h"
#include "HttpRequestParser.h"
#include "HubConnection.h"

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class HubService;
class HubWriter;
class QTcpServer;
class QTcpSocket;

// The hub's HTTP listener. Requests are served one at a time on the thread
// that owns the server, so the service and its store need no locking.
//
// Besides the global cap on connections, one address may hold only a few, so
// one peer cannot take every slot; and when every slot is taken, an address
// holding fewer than the busiest one gets a slot by closing that one's
// longest idle connection. A connection refused is answered and dropped
// without ever counting against anyone's slots, so a peer that churns
// connections cannot disturb the others.
class HubServer : public QObject
{
    Q_OBJECT
public:
    // Closing connections linger a moment to deliver their last answer;
    // at most this many do so (beyond, the oldest is dropped), and at most
    // this many refused ones (beyond, new refusals are reset unanswered).
    static constexpr int kMaxLingering = 256;
    static constexpr int kMaxRefusing = 256;

    explicit HubServer(HubService& service, QObject* parent = nullptr);
    ~HubServer() override;

    void setLimits(const HttpLimits& limits) { m_limits = limits; }
    // Requests that change the orders go to `writer` (not owned) when set.
    void setWriter(HubWriter* writer) { m_writer = writer; }
    void setIdleTimeoutMs(int ms) { m_times.idleTimeoutMs = ms; }
    void setMaxLifetimeMs(int ms) { m_times.maxLifetimeMs = ms; }
    void setMaxConnections(int count) { m_maxConnections = count; }
    void setMaxConnectionsPerAddress(int count) { m_maxPerAddress = count; }
    // Costly requests (changes, owner's code checks) one address may make per minute.
    void setWritesPerMinute(int count) { m_budget = std::make_unique<AddressBudget>(count); }

    // Port 0 picks a free port; errorString() says why listening failed.
    bool listen(const QHostAddress& address, quint16 port);
    QHostAddress address() const;
    quint16 port() const;
    QString errorString() const;

private:
    void acceptConnections();
    void admit(QTcpSocket* socket, const QString& peer);
    void refuse(QTcpSocket* socket, const QByteArray& reason);
    // Closes the longest idle connection of the address holding the most,
    // when that address holds more than `peer`; false when none could go.
    bool makeRoomFor(const QString& peer);

    HubService& m_service;
    HubWriter* m_writer = nullptr;
    QTcpServer* m_server;
    HttpLimits m_limits;
    ConnectionTimes m_times;
    std::unique_ptr<AddressBudget> m_budget;
    int m_maxConnections = 256;
    int m_maxPerAddress = 16;
    // Connections still answering, by address; those closing, oldest first;
    // and the number of refused ones still delivering their answer.
    QHash<QString, QList<HubConnection*>> m_open;
    int m_connections = 0;
    QList<HubConnection*> m_lingering;
    int m_refusing = 0;
};
