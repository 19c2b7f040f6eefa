#pragma once

#include "HttpRequestParser.h"

#include <QObject>
#include <QTimer>

class HubService;
class QTcpSocket;
struct HubReply;

// One client connection: reads requests, answers each in turn, and closes
// after an unreadable request, on "Connection: close", or when a request does
// not arrive whole within the idle time.
// Emits finished() once, when the socket is gone.
class HubConnection : public QObject
{
    Q_OBJECT
public:
    HubConnection(QTcpSocket* socket, HubService& service, const HttpLimits& limits, int idleTimeoutMs,
                  QObject* parent = nullptr);

    // Answers 503 and closes, for a server that has too many connections.
    void refuse();

signals:
    void finished();

private:
    void readRequests();
    void answer(const HttpRequest& request);
    void send(int status, const QByteArray& contentType, const QByteArray& body, bool keepAlive,
              const QList<std::pair<QByteArray, QByteArray>>& extraHeaders = {}, bool headOnly = false);
    void sendError(int status, const QByteArray& reason);
    void closeAfterWrite();
    void shutDownWhenWritten();
    void markFinished();

    QTcpSocket* m_socket;
    HubService& m_service;
    HttpRequestParser m_parser;
    QTimer m_idle;
    bool m_closing = false;
    bool m_continueSent = false;
    bool m_shutDown = false;
    bool m_finished = false;
};
