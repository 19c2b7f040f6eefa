#include "HubServer.h"

#include "HubConnection.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

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
        if (m_sockets >= m_maxConnections + kMaxLingering) {
            // Even closing connections are too many: no answer at all.
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* connection = new HubConnection(socket, m_service, m_writer, m_limits, m_times, this);
        const QString peer = connection->peer();
        ++m_sockets;
        ++m_connections;
        const int fromPeer = ++m_perAddress[peer];
        // A connection that is closing (after its last answer or a refusal)
        // no longer holds a slot, so a client that reconnects at once after
        // being refused is not refused again for its own old connection.
        auto active = std::make_shared<bool>(true);
        const auto release = [this, peer, active] {
            if (!*active)
                return;
            *active = false;
            --m_connections;
            if (--m_perAddress[peer] <= 0)
                m_perAddress.remove(peer);
        };
        connect(connection, &HubConnection::closing, this, release);
        connect(connection, &HubConnection::finished, this, [this, connection, release] {
            release();
            --m_sockets;
            connection->deleteLater();
        });
        if (m_connections > m_maxConnections)
            connection->refuse("too many connections");
        else if (fromPeer > m_maxPerAddress)
            connection->refuse("too many connections from your address");
    }
}
