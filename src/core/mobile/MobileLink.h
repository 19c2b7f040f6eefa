#pragma once

#include "mobile/RequestReader.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class QTcpSocket;
class ReportSink;
class UserInteraction;

// The link to the companion phone app: one TCP connection to the app's server
// on the phone, state pushed to it as text lines, and its requests (copy a
// text, search a commodity) read back one per 100 ms tick.
//
// Nothing here ever waits on the network: the connection is made in the
// background with a time-out, lines go to the socket's buffer and are flushed
// without blocking, and a request line is handled only once it is complete.
// A phone that stops reading cannot make the buffer grow without end: past
// kMaxUnsent the link is dropped and the person is told once.
class MobileLink : public QObject
{
    Q_OBJECT
public:
    enum class LinkState
    {
        Unavailable,    // "Active" disabled until the first journal dispatch
        Off,            // unticked, no connection
        Connecting,     // an attempt is under way
        On,             // ticked and connected: pushes and requests
        ListeningOnly,  // unticked but connected: requests handled, nothing pushed
        Broken,         // ticked, not connected: nothing pushed, nothing read
    };
    Q_ENUM(LinkState)

    static constexpr quint16 kPort = 1889;
    static constexpr int kConnectTimeoutMs = 5000;
    static constexpr qint64 kMaxUnsent = 1024 * 1024;
    static constexpr qsizetype kMaxWaitingRequests = 64 * 1024;
    static constexpr int kRememberedLines = 50;

    MobileLink(ReportSink& reports, UserInteraction& ui);
    ~MobileLink() override;

    // The lines of one message kind ("all", "zaladunek", ...); the feed that
    // knows the lists sets it.
    using MessageSource = std::function<QStringList(const QString& typ)>;
    void setMessageSource(MessageSource source) { m_messages = std::move(source); }

    // Pushes one kind of state to the phone; does nothing unless "Active" is
    // ticked and the connection is up. Never throws: a failed write marks the
    // link broken instead of ending the caller's action.
    void send_to_host(const QString& typ);

    // The address field of the main window (the phone's address).
    QString address() const { return m_address; }
    void setAddress(const QString& address);
    // The "Active" box can be ticked once the first journal lines were dispatched.
    bool activeBoxEnabled() const { return m_activeBoxEnabled; }
    void enableActiveBox();

    // The "Active" check box was ticked or unticked by the person.
    void ch_wysylajClick(bool ticked);
    // Points the connection at ipadres and starts connecting unless already
    // connected; ticks "Active" and shows the address in the field.
    void set_udp_config(const QString& ipadres);
    // A connection has just been established: remember its address.
    void IdTCPClient1Connected();
    // The 100 ms request poll: handles at most one complete request line.
    void Listen_serverTimer();
    // Handles one request line from the phone.
    void zapytania_servera(const QString& txt);

    bool isActive() const { return m_active; }
    bool isConnected() const;
    LinkState state() const;
    static QString stateName(LinkState s);
    QString host() const { return m_host; }
    quint16 port() const { return m_port; }
    qint64 linesSent() const { return m_linesSent; }
    // Bytes written but not yet taken by the network.
    qint64 unsentBytes() const;
    // Bytes from the phone received but not yet handled.
    qint64 waitingRequestBytes() const;

    // For tests and the replay tool, which run against a listener of their own.
    void setPort(quint16 port) { m_port = port; }
    void setConnectTimeout(int msecs) { m_connectTimeoutMs = msecs; }
    // Runs a local event loop until no attempt is under way and everything
    // written has gone out (or the link is down), at most msecs. For the
    // replay tool, which has no event loop of its own.
    bool waitUntilSettled(int msecs);

    // The request poll's timer, running from creation (tests stop it and call
    // Listen_serverTimer themselves).
    QTimer Listen_server;

    QJsonObject dumpJson() const;

signals:
    void changed();
    // A connection to host is up (its address is worth remembering).
    void connectedTo(const QString& host);
    // The phone asked for a commodity to be looked up.
    void searchRequested(const QString& name);

private:
    void onConnected();
    void onDisconnected();
    void onError();
    void onConnectTimeout();
    void writeLine(const QString& line);
    void pullRequests();
    void markBroken(const QString& text, bool dropConnection);
    void setActive(bool on);

    ReportSink& m_reports;
    UserInteraction& m_ui;
    MessageSource m_messages;
    QTcpSocket* m_socket;
    // Empty until the person types the phone's address: a made-up default
    // would send the lists to whatever device has it.
    QString m_address;
    bool m_activeBoxEnabled = false;
    QTimer m_connectTimer;
    RequestReader m_reader;
    QString m_host;
    quint16 m_port = kPort;
    int m_connectTimeoutMs = kConnectTimeoutMs;
    bool m_active = false;
    bool m_attempting = false;
    bool m_writing = false;
    bool m_breakReported = false;
    qint64 m_linesSent = 0;
    QStringList m_lastLines;
    qint64 m_requestsHandled = 0;
    QStringList m_lastRequests;
};
