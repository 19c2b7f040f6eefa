#include "HeadlessBrowser.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QThread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

HeadlessBrowser::~HeadlessBrowser()
{
#ifdef Q_OS_UNIX
    if (m_toBrowser >= 0)
        ::close(m_toBrowser);
    if (m_fromBrowser >= 0)
        ::close(m_fromBrowser);
#endif
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
}

QString HeadlessBrowser::program()
{
#ifdef Q_OS_UNIX
    return QStandardPaths::findExecutable(QStringLiteral("chromium"));
#else
    return {};
#endif
}

bool HeadlessBrowser::open(const QString& url, QString* why)
{
#ifdef Q_OS_UNIX
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) {
        *why = QStringLiteral("no pipe");
        return false;
    }
    const int childIn = in[0];
    const int childOut = out[1];
    m_process.setChildProcessModifier([childIn, childOut] {
        // Out of the way first, so neither lands on the other's place.
        const int a = ::fcntl(childIn, F_DUPFD, 10);
        const int b = ::fcntl(childOut, F_DUPFD, 10);
        ::dup2(a, 3);
        ::dup2(b, 4);
    });
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    // chromium refuses its sandbox as root; nothing it loads here is untrusted.
    m_process.start(program(),
                    {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                     QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
                     QStringLiteral("--remote-debugging-pipe"),
                     QStringLiteral("--user-data-dir=") + m_profile.path(), QStringLiteral("about:blank")});
    ::close(childIn);
    ::close(childOut);
    m_toBrowser = in[1];
    m_fromBrowser = out[0];
    ::fcntl(m_fromBrowser, F_SETFL, ::fcntl(m_fromBrowser, F_GETFL) | O_NONBLOCK);
    if (!m_process.waitForStarted(10000)) {
        *why = QStringLiteral("chromium did not start: ") + m_process.errorString();
        return false;
    }
    const QJsonObject target = call(QStringLiteral("Target.createTarget"), {{"url", url}});
    const QString targetId = target.value("result").toObject().value("targetId").toString();
    const QJsonObject attached =
        call(QStringLiteral("Target.attachToTarget"), {{"targetId", targetId}, {"flatten", true}});
    m_session = attached.value("result").toObject().value("sessionId").toString();
    if (m_session.isEmpty()) {
        *why = QStringLiteral("no DevTools session: ") + QString::fromUtf8(QJsonDocument(attached).toJson());
        return false;
    }
    // A phone's screen (the window itself cannot be made that narrow).
    call(QStringLiteral("Emulation.setDeviceMetricsOverride"),
         {{"width", 360}, {"height", 780}, {"deviceScaleFactor", 1}, {"mobile", true}});
    const QString state = waitFor(
        QStringLiteral("document.readyState"),
        [](const QString& s) { return s == QLatin1String("complete"); }, 20000);
    if (state != QLatin1String("complete")) {
        *why = QStringLiteral("the page did not load");
        return false;
    }
    return true;
#else
    Q_UNUSED(url);
    *why = QStringLiteral("the DevTools pipe needs a Unix system");
    return false;
#endif
}

QJsonObject HeadlessBrowser::call(const QString& method, const QJsonObject& params, int timeoutMs)
{
#ifdef Q_OS_UNIX
    const int id = m_nextId++;
    QJsonObject message{{"id", id}, {"method", method}, {"params", params}};
    if (!m_session.isEmpty())
        message.insert(QStringLiteral("sessionId"), m_session);
    QByteArray bytes = QJsonDocument(message).toJson(QJsonDocument::Compact);
    bytes.append('\0');
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(m_toBrowser, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return {};
        done += n;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        qsizetype end;
        while ((end = m_received.indexOf('\0')) >= 0) {
            const QJsonObject reply = QJsonDocument::fromJson(m_received.left(end)).object();
            m_received.remove(0, end + 1);
            if (reply.value("id").toInt() == id)
                return reply;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd p{m_fromBrowser, POLLIN, 0};
        if (::poll(&p, 1, 2) > 0) {
            char chunk[65536];
            const ssize_t n = ::read(m_fromBrowser, chunk, sizeof chunk);
            if (n > 0)
                m_received.append(chunk, n);
            else if (n == 0)
                return {};
        }
    }
#else
    Q_UNUSED(method);
    Q_UNUSED(params);
    Q_UNUSED(timeoutMs);
#endif
    return {};
}

QJsonValue HeadlessBrowser::evaluate(const QString& expression)
{
    const QJsonObject reply =
        call(QStringLiteral("Runtime.evaluate"), {{"expression", expression}, {"returnByValue", true}});
    return reply.value("result").toObject().value("result").toObject().value("value");
}

QString HeadlessBrowser::waitFor(const QString& expression, const std::function<bool(const QString&)>& test,
                                 int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QString value;
    do {
        value = evaluate(expression).toString();
        if (test(value))
            return value;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    } while (clock.elapsed() < timeoutMs);
    return value;
}
