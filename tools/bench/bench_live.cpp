// How soon a journal line reaches every screen, with the watch on the game's
// files on and off (the timer alone), and what the following costs while
// nothing is written.
//
//   bench_live [--lines N] [--min-ms A] [--max-ms B] [--idle-seconds S] [--files F] [--no-watch]
//
// Latency: N lines (default 200), one at a time at random intervals of A..B ms
// (default 50..500), each a CargoTransfer of one unit of steel to the carrier,
// appended to the journal of a core that shares its page on a loopback port and
// is linked to a phone. Measured from the end of each write to
//   (a) the page's stream message with the lowered quantity (an HTTP client on
//       the page's event stream),
//   (b) the phone's line with it (a loopback TCP server standing in for the phone),
//   (c) the core's CargoModule::rowsChanged signal.
// The writer and both listeners run on a thread of their own, the core on the
// main thread, as in the program.
//
// Idle: S seconds (default 60) with F journal files (default 5000) in the
// folder and nothing written; CPU time of the process as a share of one core.
//
// The folder holds F journals of earlier sessions besides the followed one,
// in both measures. Both measures run for both modes in the same run, the same random intervals
// for each; --no-watch runs the timer-only mode alone.
#include "Core.h"
#include "cargo/CargoModule.h"
#include "common/TextTableModel.h"
#include "common/UserInteraction.h"
#include "journal/JournalFollower.h"
#include "mobile/MobileLink.h"
#include "web/WebShare.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <random>
#include <vector>

namespace {

QTextStream out(stdout);

using Clock = std::chrono::steady_clock;

constexpr qint64 kStartQuantity = 1000000;
const QByteArray kToken = "0123456789abcdef0123456789abcdef";

struct Options
{
    int lines = 200;
    int minMs = 50;
    int maxMs = 500;
    int idleSeconds = 60;
    int files = 5000;
    bool watchToo = true;
};

// When each line's effect was first seen: a message showing the quantity
// after line k (or after a later line: a pass that reads several lines sends
// the page their sum) is its arrival.
struct Arrivals
{
    std::map<int, Clock::time_point> at;
    void seen(int line)
    {
        const auto now = Clock::now();
        for (int k = line; k >= 0 && !at.count(k); --k)
            at.emplace(k, now);
    }
};

int lineOfQuantity(qint64 quantity)
{
    return int(kStartQuantity - 1 - quantity);
}

void pump(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool pumpUntil(const std::function<bool()>& done, int ms)
{
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (Clock::now() > end)
            return false;
        pump(5);
    }
    return true;
}

// The game's side and the two listeners, on their own thread: writes the lines
// and notes when each arrives at the page's stream and at the phone.
class Probe : public QObject
{
public:
    Probe(QString journal, const Options& o) : m_journal(std::move(journal)), m_options(o) {}

    quint16 listenAsPhone()
    {
        m_phoneServer = new QTcpServer(this);
        m_phoneServer->listen(QHostAddress::LocalHost, 0);
        connect(m_phoneServer, &QTcpServer::newConnection, this, [this] {
            m_phone = m_phoneServer->nextPendingConnection();
            connect(m_phone, &QTcpSocket::readyRead, this, [this] { readPhone(); });
        });
        return m_phoneServer->serverPort();
    }

    void openStream(quint16 port)
    {
        m_stream = new QTcpSocket(this);
        connect(m_stream, &QTcpSocket::readyRead, this, [this] { readStream(); });
        connect(m_stream, &QTcpSocket::connected, this, [this] {
            m_stream->write("GET /" + kToken + "/events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        });
        m_stream->connectToHost(QHostAddress::LocalHost, port);
    }

    bool ready() const { return m_phone && m_streamOpen; }

    void startWriting()
    {
        m_random.seed(25);
        scheduleNext();
    }

    bool doneWriting() const { return int(m_written.size()) == m_options.lines; }

    std::vector<Clock::time_point> m_written;
    Arrivals page;
    Arrivals phone;

private:
    void scheduleNext()
    {
        std::uniform_int_distribution<int> gap(m_options.minMs, m_options.maxMs);
        QTimer::singleShot(gap(m_random), Qt::PreciseTimer, this, [this] { writeLine(); });
    }

    void writeLine()
    {
        const QByteArray ts = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1();
        const QByteArray line = "{ \"timestamp\":\"" + ts +
                                "\", \"event\":\"CargoTransfer\", \"Transfers\":[ { \"Type\":\"steel\", "
                                "\"Count\":1, \"Direction\":\"tocarrier\" } ] }\r\n";
        QFile f(m_journal);
        if (f.open(QIODevice::Append)) {
            f.write(line);
            f.close();
        }
        m_written.push_back(Clock::now());
        if (!doneWriting())
            scheduleNext();
    }

    void readStream()
    {
        m_streamBuffer += m_stream->readAll();
        if (!m_streamOpen) {
            const qsizetype end = m_streamBuffer.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            m_streamOpen = true;
            m_streamBuffer.remove(0, end + 4);
        }
        for (qsizetype end; (end = m_streamBuffer.indexOf("\n\n")) >= 0;) {
            const QByteArray event = m_streamBuffer.left(end);
            m_streamBuffer.remove(0, end + 2);
            if (!event.startsWith("data: "))
                continue;
            const QJsonObject o = QJsonDocument::fromJson(event.mid(6)).object();
            for (const QJsonValue& row :
                 o.value(QStringLiteral("loading")).toObject().value(QStringLiteral("rows")).toArray())
                if (row.toArray().at(0).toString() == QLatin1String("Steel"))
                    page.seen(lineOfQuantity(row.toArray().at(1).toString().toLongLong()));
        }
    }

    void readPhone()
    {
        static const QRegularExpression steel(QStringLiteral("Z:Steel:(\\d+)"));
        m_phoneBuffer += m_phone->readAll();
        const qsizetype end = m_phoneBuffer.lastIndexOf('\n');
        if (end < 0)
            return;
        const QString lines = QString::fromLatin1(m_phoneBuffer.left(end));
        m_phoneBuffer.remove(0, end + 1);
        for (auto it = steel.globalMatch(lines); it.hasNext();)
            phone.seen(lineOfQuantity(it.next().captured(1).toLongLong()));
    }

    QString m_journal;
    Options m_options;
    std::mt19937 m_random;
    QTcpServer* m_phoneServer = nullptr;
    QTcpSocket* m_phone = nullptr;
    QTcpSocket* m_stream = nullptr;
    bool m_streamOpen = false;
    QByteArray m_streamBuffer;
    QByteArray m_phoneBuffer;
};

template <typename F> auto onThread(QObject* o, F&& f)
{
    decltype(f()) r;
    QMetaObject::invokeMethod(
        o, [&] { r = f(); }, Qt::BlockingQueuedConnection);
    return r;
}

struct Figures
{
    double p50 = 0, p99 = 0, max = 0;
    int lost = 0;
};

Figures figures(const std::vector<Clock::time_point>& written, const Arrivals& arrivals)
{
    std::vector<double> ms;
    Figures f;
    for (std::size_t k = 0; k < written.size(); ++k) {
        const auto it = arrivals.at.find(int(k));
        if (it == arrivals.at.end()) {
            ++f.lost;
            continue;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(it->second - written[k]).count());
    }
    if (ms.empty())
        return f;
    std::sort(ms.begin(), ms.end());
    // Nearest rank.
    auto rank = [&](double p) {
        return ms[std::min(ms.size() - 1, std::size_t(std::ceil(p * double(ms.size()))) - 1)];
    };
    f.p50 = rank(0.50);
    f.p99 = rank(0.99);
    f.max = ms.back();
    return f;
}

void addOldJournals(const QString& folder, int count);

struct LatencyRun
{
    Figures page, phone, core;
    int passes = 0;
};

LatencyRun latency(const Options& o, bool watch)
{
    QTemporaryDir journalDir;
    QTemporaryDir dataDir;
    QTcpServer probePort;
    probePort.listen(QHostAddress::LocalHost, 0);
    const quint16 webPort = probePort.serverPort();
    probePort.close();
    QFile settings(QDir(dataDir.path()).filePath(QStringLiteral("settings.ini")));
    if (settings.open(QIODevice::WriteOnly))
        settings.write("[web]\r\nshare=1\r\nlocal_only=1\r\nport=" + QByteArray::number(webPort) +
                       "\r\ntoken=" + kToken + "\r\n");
    settings.close();
    QFile list(QDir(dataDir.path()).filePath(QStringLiteral("zaladunek.ini")));
    if (list.open(QIODevice::WriteOnly))
        list.write("[zaladunek]\r\nSteel=" + QByteArray::number(kStartQuantity) + "\r\n");
    list.close();
    const QString journal =
        QDir(journalDir.path()).filePath(QStringLiteral("Journal.2030-01-01T000000.01.log"));
    QFile j(journal);
    if (j.open(QIODevice::WriteOnly))
        j.write("{ \"timestamp\":\"2030-01-01T00:00:00Z\", \"event\":\"Fileheader\", \"part\":1 }\r\n");
    j.close();
    addOldJournals(journalDir.path(), o.files);
    QFile cargo(QDir(journalDir.path()).filePath(QStringLiteral("Cargo.json")));
    if (cargo.open(QIODevice::WriteOnly))
        cargo.write(
            R"({ "timestamp":"2030-01-01T00:00:00Z", "event":"Cargo", "Vessel":"Ship", "Inventory":[] })");
    cargo.close();

    QThread thread;
    auto* probe = new Probe(journal, o);
    probe->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, probe, &QObject::deleteLater);
    thread.start();

    ScriptedInteraction ui;
    AppPaths paths;
    paths.dataDir = dataDir.path();
    paths.journalDir = journalDir.path();
    LatencyRun run;
    {
        TessivarCore core(paths, StartupSettings::read(dataDir.path()), ui);
        Arrivals signalled;
        CargoModule& cargoModule = core.cargo();
        QObject::connect(&cargoModule, &CargoModule::rowsChanged, &cargoModule, [&] {
            const TextTableModel& grid = cargoModule.loadingList;
            for (int r = 1; r < grid.rowCount(); ++r)
                if (grid.cell(r, 0) == QLatin1String("Steel"))
                    signalled.seen(lineOfQuantity(grid.cell(r, 1).toLongLong()));
        });
        JournalFollower& follower = core.follower();
        QObject::connect(&follower, &JournalFollower::passEnded, &follower, [&] { ++run.passes; });
        follower.setWatching(watch);
        follower.start();

        const quint16 phonePort = onThread(probe, [&] { return probe->listenAsPhone(); });
        core.mobile().setPort(phonePort);
        core.mobile().set_udp_config(QStringLiteral("127.0.0.1"));
        QMetaObject::invokeMethod(probe, [&] { probe->openStream(webPort); });
        const bool ready = pumpUntil(
            [&] {
                return core.mobile().isConnected() && onThread(probe, [&] { return probe->ready(); }) &&
                       run.passes > 0;
            },
            10000);
        if (!ready || !core.web().isListening()) {
            out << "could not set up the phone, the page or the first pass\n";
            run.page.lost = run.phone.lost = run.core.lost = o.lines;
        } else {
            run.passes = 0;
            QMetaObject::invokeMethod(probe, [&] { probe->startWriting(); });
            pumpUntil([&] { return onThread(probe, [&] { return probe->doneWriting(); }); },
                      o.lines * o.maxMs + 10000);
            // The last line may wait for the timer's next pass.
            pump(JournalFollower::kPassMs + 1000);
            onThread(probe, [&] {
                run.page = figures(probe->m_written, probe->page);
                run.phone = figures(probe->m_written, probe->phone);
                run.core = figures(probe->m_written, signalled);
                return 0;
            });
        }
        thread.quit();
        thread.wait();
    }
    return run;
}

struct IdleRun
{
    double percent = 0;
    int passes = 0;
};

IdleRun idle(const Options& o, const QString& folder, bool watch)
{
    QTemporaryDir dataDir;
    ScriptedInteraction ui;
    AppPaths paths;
    paths.dataDir = dataDir.path();
    paths.journalDir = folder;
    TessivarCore core(paths, StartupSettings{}, ui);
    JournalFollower& follower = core.follower();
    IdleRun run;
    QObject::connect(&follower, &JournalFollower::passEnded, &follower, [&] { ++run.passes; });
    follower.setWatching(watch);
    follower.start();
    pumpUntil([&] { return run.passes > 0; }, 10000);
    pump(500);  // the look that follows arming the watch
    run.passes = 0;
    const std::clock_t cpu0 = std::clock();
    const auto wall0 = Clock::now();
    pump(o.idleSeconds * 1000);
    const double cpu = double(std::clock() - cpu0) / CLOCKS_PER_SEC;
    const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
    run.percent = 100.0 * cpu / wall;
    return run;
}

// Journals of earlier sessions, written a while ago.
void addOldJournals(const QString& folder, int count)
{
    const QDateTime before = QDateTime::currentDateTimeUtc().addDays(-1);
    for (int i = 0; i < count; ++i) {
        QFile f(QDir(folder).filePath(
            QStringLiteral("Journal.2025-01-01T%1.01.log").arg(i, 6, 10, QLatin1Char('0'))));
        if (f.open(QIODevice::WriteOnly)) {
            f.write("{ \"timestamp\":\"2025-01-01T00:00:00Z\", \"event\":\"Fileheader\" }\r\n");
            f.flush();  // a later write would move the time again
            f.setFileTime(before, QFileDevice::FileModificationTime);
        }
    }
}

QString load()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (f.open(QIODevice::ReadOnly))
        return QString::fromLatin1(f.readAll().trimmed());
    return QStringLiteral("unknown");
}

QString ms(double v)
{
    return QString::number(v, 'f', 1).rightJustified(8);
}

void printRow(const char* what, const std::vector<Figures>& f)
{
    out << QString::fromLatin1(what).leftJustified(36);
    for (const Figures& x : f)
        out << ms(x.p50) << ms(x.p99) << ms(x.max) << QString::number(x.lost).rightJustified(6) << "   ";
    out << "\n";
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options o;
    const QStringList a = app.arguments();
    for (int i = 1; i < a.size(); ++i) {
        const QString& k = a[i];
        auto next = [&] { return i + 1 < a.size() ? a[++i].toInt() : 0; };
        if (k == QLatin1String("--lines"))
            o.lines = next();
        else if (k == QLatin1String("--min-ms"))
            o.minMs = next();
        else if (k == QLatin1String("--max-ms"))
            o.maxMs = next();
        else if (k == QLatin1String("--idle-seconds"))
            o.idleSeconds = next();
        else if (k == QLatin1String("--files"))
            o.files = next();
        else if (k == QLatin1String("--no-watch"))
            o.watchToo = false;
        else {
            out << "usage: bench_live [--lines N] [--min-ms A] [--max-ms B] [--idle-seconds S] [--files F] "
                   "[--no-watch]\n";
            return 2;
        }
    }
    if (o.lines <= 0 || o.minMs < 0 || o.maxMs < o.minMs) {
        out << "bad options\n";
        return 2;
    }
    std::vector<bool> modes;
    if (o.watchToo)
        modes.push_back(true);
    modes.push_back(false);

    out << "load at start: " << load() << "\n";
    std::vector<LatencyRun> runs;
    for (bool watch : modes) {
        runs.push_back(latency(o, watch));
        out.flush();
    }
    out << "latency from the write, ms: " << o.lines << " lines at " << o.minMs << ".." << o.maxMs
        << " ms intervals; columns p50 p99 max lost, per mode\n";
    out << QString().leftJustified(36);
    for (bool watch : modes)
        out << (watch ? QStringLiteral("watch on") : QStringLiteral("watch off (timer only)"))
                   .leftJustified(41);
    out << "\n";
    auto column = [&](auto member) {
        std::vector<Figures> f;
        for (const LatencyRun& r : runs)
            f.push_back(r.*member);
        return f;
    };
    printRow("(a) page stream message", column(&LatencyRun::page));
    printRow("(b) phone message", column(&LatencyRun::phone));
    printRow("(c) core loadingListChanged", column(&LatencyRun::core));
    out << QString("passes during the writing").leftJustified(36);
    for (const LatencyRun& r : runs)
        out << QString::number(r.passes).rightJustified(8) << QString().leftJustified(33);
    out << "\n";
    out.flush();

    if (o.idleSeconds > 0) {
        QTemporaryDir folder;
        addOldJournals(folder.path(), o.files);
        out << "idle, " << o.idleSeconds << " s with " << o.files
            << " journal files, CPU time as a share of one core:\n";
        for (bool watch : modes) {
            const IdleRun r = idle(o, folder.path(), watch);
            out << "  " << (watch ? "watch on " : "watch off") << "  " << QString::number(r.percent, 'f', 3)
                << " %  (" << r.passes << " passes)\n";
            out.flush();
        }
    }
    out << "load at end: " << load() << "\n";
    return 0;
}
