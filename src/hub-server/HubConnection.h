#pragma once

#include "HttpRequestParser.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class AddressBudget;
class HubService;
class HubWriter;
class QTcpSocket;
struct HubReply;

// How long a connection may wait and live.
struct ConnectionTimes
{
    // A request must arrive whole within this time of the previous answer
    // (or of connecting), so a peer trickling bytes cannot hold a slot.
    int idleTimeoutMs = 15000;
    // After this age the next answer closes the connection: nobody keeps a
    // slot forever by sending a request now and then.
    int maxLifetimeMs = 300000;
};

// One client connection: reads requests, answers each in turn, and closes
// after an unreadable request, on "Connection: close", or when a request does
// not arrive whole within the idle time. While more than a small amount of
// answers is unsent it reads no further request, so a peer that sends without
// reading cannot make the hub buffer without bound.
// Emits finished() once, when the socket is gone.
class HubConnection : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kMaxUnsentBytes = 64 * 1024;

    // `writer`, when given, commits the requests that change the orders;
    // without one `service` answers every request at once.
    // `budget`, when given, is spent by the requests that change something
    // or try an owner's code (429 when it is spent).
    HubConnection(QTcpSocket* socket, HubService& service, HubWriter* writer, const HttpLimits& limits,
                  const ConnectionTimes& times, AddressBudget* budget = nullptr, QObject* parent = nullptr);

    // Answers 503 with `reason` and closes, lingering only briefly.
    void refuse(const QByteArray& reason);
    // Closes a connection that waits between requests (its client may
    // connect again), as a keep-alive server may.
    void evict();
    // Ends the connection at once.
    void drop();
    // Between requests: nothing read, unanswered or unsent.
    bool isIdle() const;
    // Milliseconds since the last request or answer.
    qint64 idleMs() const { return m_lastActivity.elapsed(); }
    // The peer's address as text (kept after the socket is gone).
    const QString& peer() const { return m_peer; }

signals:
    // The connection answers no more requests (it may still be sending).
    void closing();
    void finished();

private:
    void readRequests();
    void answer(const HttpRequest& request);
    void send(int status, const QByteArray& contentType, const QByteArray& body, bool keepAlive,
              const QList<std::pair<QByteArray, QByteArray>>& extraHeaders = {}, bool headOnly = false);
    void sendError(int status, const QByteArray& reason);
    void wroteBytes();
    void acknowledgeNow();
    void closeAfterWrite();
    void shutDownWhenWritten();
    void markFinished();

    QTcpSocket* m_socket;
    HubService& m_service;
    HubWriter* m_writer;
    AddressBudget* m_budget;
    HttpLimits m_limits;
    HttpRequestParser m_parser;
    ConnectionTimes m_times;
    QString m_peer;
    QTimer m_idle;
    QElapsedTimer m_age;
    QElapsedTimer m_lastActivity;
    int m_lingerMs;
    bool m_paused = false;
    bool m_waiting = false;  // for the writer's answer
    bool m_closing = false;
    bool m_continueSent = false;
    bool m_shutDown = false;
    bool m_finished = false;
};
