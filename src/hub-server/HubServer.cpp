#include "HubServer.h"

#include "HubConnection.h"

#include <QTcpServer>
#include <QTcpSocket>

HubServer::HubServer(HubService& service, QObject* parent)
    : QObject(parent), m_service(service), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &HubServer::acceptConnections);
}

HubServer::~HubServer() = default;

bool HubServer::listen(const QHostAddress& address, quint16 port)
{
    return m_server->listen(address, port);
}

QHostAddress HubServer::address() const
{
    return m_server->serverAddress();
}

quint16 HubServer::port() const
{
    return m_server->serverPort();
}

QString HubServer::errorString() const
{
    return m_server->errorString();
}

void HubServer::acceptConnections()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        const QString peer = socket->peerAddress().toString();
        // Checked before anything is counted: a refused socket takes no slot.
        const auto own = m_open.constFind(peer);
        const qsizetype fromPeer = own == m_open.cend() ? 0 : own->size();
        if (fromPeer >= m_maxPerAddress)
            refuse(socket, "too many connections from your address");
        else if (m_connections >= m_maxConnections && !makeRoomFor(peer))
            refuse(socket, "too many connections");
        else
            admit(socket, peer);
    }
}

bool HubServer::makeRoomFor(const QString& peer)
{
    const qsizetype fromPeer = m_open.value(peer).size();
    const QList<HubConnection*>* busiest = nullptr;
    for (const QList<HubConnection*>& connections : std::as_const(m_open)) {
        if (!busiest || connections.size() > busiest->size())
            busiest = &connections;
    }
    if (!busiest || busiest->size() <= fromPeer)
        return false;
    HubConnection* idlest = nullptr;
    for (HubConnection* connection : *busiest) {
        if (connection->isIdle() && (!idlest || connection->idleMs() > idlest->idleMs()))
            idlest = connection;
    }
    if (!idlest)
        return false;
    // Its slot is free once it closes (closing() releases it at once).
    idlest->evict();
    return m_connections < m_maxConnections;
}

void HubServer::admit(QTcpSocket* socket, const QString& peer)
{
    // Lingering sockets only finish delivering an answer already sent; the
    // oldest gives way rather than a new client being turned away.
    while (m_lingering.size() >= kMaxLingering)
        m_lingering.takeFirst()->drop();
    auto* connection =
        new HubConnection(socket, m_service, m_writer, m_limits, m_times, m_budget.get(), this);
    m_open[peer].append(connection);
    ++m_connections;
    connect(connection, &HubConnection::closing, this, [this, connection, peer] {
        auto own = m_open.find(peer);
        if (own == m_open.end() || !own->removeOne(connection))
            return;
        --m_connections;
        if (own->isEmpty())
            m_open.erase(own);
        m_lingering.append(connection);
    });
    connect(connection, &HubConnection::finished, this, [this, connection, peer] {
        auto own = m_open.find(peer);
        if (own != m_open.end() && own->removeOne(connection)) {
            --m_connections;
            if (own->isEmpty())
                m_open.erase(own);
        }
        m_lingering.removeOne(connection);
        connection->deleteLater();
    });
}

void HubServer::refuse(QTcpSocket* socket, const QByteArray& reason)
{
    if (m_refusing >= kMaxRefusing) {
        // Even the refusals are too many: no answer at all.
        socket->abort();
        socket->deleteLater();
        return;
    }
    auto* connection = new HubConnection(socket, m_service, nullptr, m_limits, m_times, nullptr, this);
    ++m_refusing;
    connect(connection, &HubConnection::finished, this, [this, connection] {
        --m_refusing;
        connection->deleteLater();
    });
    connection->refuse(reason);
}
