#include "mobile/MobileLink.h"

#include "common/Error.h"
#include "common/ReportSink.h"
#include "common/UserInteraction.h"
#include "mobile/MobileMessages.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QLoggingCategory>
#include <QTcpSocket>

namespace {

Q_LOGGING_CATEGORY(lcMobile, "tessivar.mobile")

// Buffered output is handed to the network in chunks of this size while a
// long message is being written, so only what the network refuses piles up.
constexpr qint64 kFlushChunk = 64 * 1024;

void remember(QStringList& list, const QString& text, int limit)
{
    list.append(text);
    while (list.size() > limit)
        list.removeFirst();
}

}  // namespace

MobileLink::MobileLink(ReportSink& reports, UserInteraction& ui)
    : m_reports(reports), m_ui(ui), m_socket(new QTcpSocket(this))
{
    // What the phone sends waits in the socket (and behind it in the network)
    // rather than in memory when it sends faster than one request per tick.
    m_socket->setReadBufferSize(kMaxWaitingRequests);
    connect(m_socket, &QAbstractSocket::connected, this, &MobileLink::onConnected);
    connect(m_socket, &QAbstractSocket::disconnected, this, &MobileLink::onDisconnected);
    connect(m_socket, &QAbstractSocket::errorOccurred, this, &MobileLink::onError);

    m_connectTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, &MobileLink::onConnectTimeout);

    Listen_server.setInterval(100);
    connect(&Listen_server, &QTimer::timeout, this, &MobileLink::Listen_serverTimer);
    Listen_server.start();
}

MobileLink::~MobileLink()
{
    m_socket->disconnect(this);
    m_socket->abort();
}

bool MobileLink::isConnected() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

qint64 MobileLink::unsentBytes() const
{
    return m_socket->bytesToWrite();
}

qint64 MobileLink::waitingRequestBytes() const
{
    return m_socket->bytesAvailable() + m_reader.queuedBytes();
}

MobileLink::LinkState MobileLink::state() const
{
    if (m_attempting)
        return LinkState::Connecting;
    if (isConnected())
        return m_active ? LinkState::On : LinkState::ListeningOnly;
    if (m_active)
        return LinkState::Broken;
    return m_activeBoxEnabled ? LinkState::Off : LinkState::Unavailable;
}

void MobileLink::setAddress(const QString& address)
{
    if (m_address == address)
        return;
    m_address = address;
    emit changed();
}

void MobileLink::enableActiveBox()
{
    if (m_activeBoxEnabled)
        return;
    m_activeBoxEnabled = true;
    emit changed();
}

QString MobileLink::stateName(LinkState s)
{
    switch (s) {
    case LinkState::Unavailable:
        return QStringLiteral("Unavailable");
    case LinkState::Off:
        return QStringLiteral("Off");
    case LinkState::Connecting:
        return QStringLiteral("Connecting");
    case LinkState::On:
        return QStringLiteral("On");
    case LinkState::ListeningOnly:
        return QStringLiteral("Listening only");
    case LinkState::Broken:
        return QStringLiteral("Broken");
    }
    return {};
}

void MobileLink::setActive(bool on)
{
    if (m_active == on)
        return;
    m_active = on;
    emit changed();
}

void MobileLink::ch_wysylajClick(bool ticked)
{
    if (!ticked) {
        // Only the pushing stops: the connection stays and requests are still handled.
        setActive(false);
        return;
    }
    const QString ip = m_address;
    if (ip.isEmpty()) {
        setActive(false);
        emit changed();  // the box was ticked on screen; untick it again
        return;
    }
    // A new connection pushes "all" itself once it is up (storing its address
    // first); an existing one pushes at once.
    const bool wasConnected = isConnected();
    set_udp_config(ip);
    if (wasConnected)
        send_to_host(QStringLiteral("all"));
}

void MobileLink::set_udp_config(const QString& ipadres)
{
    setAddress(ipadres);
    setActive(true);

    if (isConnected())
        return;  // stays on the connection it has, wherever the field now points
    if (m_attempting && ipadres == m_host)
        return;
    m_host = ipadres;
    m_socket->abort();
    m_reader.clear();
    m_breakReported = false;
    m_attempting = true;
    emit changed();
    m_connectTimer.start(m_connectTimeoutMs);
    m_socket->connectToHost(m_host, m_port);
}

void MobileLink::IdTCPClient1Connected()
{
    // The address actually connected to: the field may have been edited while
    // the attempt was under way.
    emit connectedTo(m_host);
}

void MobileLink::onConnected()
{
    m_attempting = false;
    m_connectTimer.stop();
    // Each change goes out as a few short lines: send them as they come
    // rather than waiting for the phone to acknowledge the previous ones.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // Remembering the address reports its own failure: the link works without it.
    IdTCPClient1Connected();
    emit changed();
    send_to_host(QStringLiteral("all"));
}

void MobileLink::onDisconnected()
{
    m_reader.clear();
    emit changed();
}

void MobileLink::onError()
{
    if (m_attempting) {
        m_attempting = false;
        m_connectTimer.stop();
        m_reports.report(m_socket->errorString());
        emit changed();
        return;
    }
    // The phone closing its side (or the network dropping it) while nothing
    // was on its way is silent; lines it was still to receive are a failure.
    if (!m_writing && m_socket->bytesToWrite() == 0)
        return;
    markBroken(MobileLink::tr("Sending to the mobile app failed: %1").arg(m_socket->errorString()), false);
}

void MobileLink::onConnectTimeout()
{
    if (!m_attempting)
        return;
    m_attempting = false;
    m_socket->abort();
    m_reports.report(MobileLink::tr("Connection timed out"));
    emit changed();
}

void MobileLink::markBroken(const QString& text, bool dropConnection)
{
    if (dropConnection)
        m_socket->abort();
    if (!m_breakReported) {
        m_breakReported = true;
        // Sending runs on its own after every change: the strip, not a box.
        m_reports.notice(text + MobileLink::tr("\nUntick and tick \"Active\" to connect again."));
    }
    emit changed();
}

void MobileLink::send_to_host(const QString& typ)
{
    if (!m_active || !isConnected())
        return;
    const QStringList lines = m_messages ? m_messages(typ) : QStringList();
    m_writing = true;
    for (const QString& line : lines) {
        if (!isConnected())
            break;
        writeLine(line);
    }
    if (isConnected())
        m_socket->flush();
    m_writing = false;
}

void MobileLink::writeLine(const QString& line)
{
    const QByteArray wire = toMobileWire(line);
    if (m_socket->write(wire) != wire.size()) {
        markBroken(MobileLink::tr("Sending to the mobile app failed: %1").arg(m_socket->errorString()), true);
        return;
    }
    ++m_linesSent;
    remember(m_lastLines, QString::fromLatin1(wire.chopped(2)), kRememberedLines);  // as the phone gets it
    if (m_socket->bytesToWrite() >= kFlushChunk)
        m_socket->flush();
    if (isConnected() && m_socket->bytesToWrite() > kMaxUnsent)
        markBroken(MobileLink::tr("The mobile app stopped taking data (more than 1 MiB is waiting to be "
                                  "sent), so sending to it has stopped."),
                   true);
}

void MobileLink::Listen_serverTimer()
{
    // Whatever goes wrong with one request must not stop the poll.
    try {
        if (!isConnected())
            return;
        pullRequests();
        if (const auto line = m_reader.takeLine())
            zapytania_servera(*line);
    } catch (const std::exception& e) {
        qCWarning(lcMobile) << "request from the phone failed:" << e.what();
    } catch (...) {
        qCWarning(lcMobile) << "request from the phone failed";
    }
}

void MobileLink::pullRequests()
{
    char chunk[4096];
    while (m_reader.queuedBytes() < kMaxWaitingRequests && m_socket->bytesAvailable() > 0) {
        const qint64 n = m_socket->read(chunk, sizeof chunk);
        if (n <= 0)
            return;
        m_reader.feed(QByteArrayView(chunk, n));
    }
}

void MobileLink::zapytania_servera(const QString& txt)
{
    ++m_requestsHandled;
    remember(m_lastRequests, txt, kRememberedLines);
    const qsizetype colon = txt.indexOf(QLatin1Char(':'));
    const QString value = colon < 0 ? QString() : txt.mid(colon + 1);
    if (txt.contains(QLatin1String("copy:")))
        m_ui.setClipboardText(value);
    if (txt.contains(QLatin1String("find:")))
        emit searchRequested(value);
}

bool MobileLink::waitUntilSettled(int msecs)
{
    const auto settled = [this] {
        return !m_attempting && (!isConnected() || m_socket->bytesToWrite() == 0);
    };
    const QDeadlineTimer deadline(msecs);
    while (!settled() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer tick;
        tick.setSingleShot(true);
        connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(m_socket, &QAbstractSocket::stateChanged, &loop, &QEventLoop::quit);
        connect(m_socket, &QAbstractSocket::bytesWritten, &loop, &QEventLoop::quit);
        connect(m_socket, &QAbstractSocket::errorOccurred, &loop, &QEventLoop::quit);
        connect(this, &MobileLink::changed, &loop, &QEventLoop::quit);
        tick.start(std::min<qint64>(deadline.remainingTime(), 50));
        loop.exec();
    }
    return settled();
}

QJsonObject MobileLink::dumpJson() const
{
    QJsonObject o{{"state", stateName(state())},
                  {"Active", m_active},
                  {"host", m_host},
                  {"port", m_port},
                  {"lines_sent", m_linesSent},
                  {"last_lines", QJsonArray::fromStringList(m_lastLines)},
                  {"unsent_bytes", unsentBytes()},
                  {"requests_handled", m_requestsHandled},
                  {"last_requests", QJsonArray::fromStringList(m_lastRequests)},
                  {"dropped_requests", m_reader.droppedLines()}};
    return {{QStringLiteral("f_send_to_mobile"), o}};
}
