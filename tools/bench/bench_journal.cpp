// Journal follower benchmarks.
//
//   bench_journal make DIR [MB]    build a journal of about MB megabytes (default 50) in DIR by
//                                  concatenating the fixture journals, timestamps kept increasing
//   bench_journal firstpass DIR    time the first pass of the core over DIR; report peak memory, then
//                                  time a plain line split of the same file in the same run
//   bench_journal split DIR        reference alone: plain line split of the same file
//   bench_journal idle DIR [N]     N journal files (default 5000): idle pass vs plain directory listing
//
// Run each mode in its own process so the peak memory is that of the mode alone.
#include "Core.h"
#include "common/UserInteraction.h"
#include "journal/JournalBatch.h"
#include "journal/JournalPass.h"
#include "journal/JournalReader.h"
#include "journal/LogModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace {

QTextStream out(stdout);

qint64 peakKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:"))
            return l.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

QString journalIn(const QString& dir)
{
    return JournalReader::GetNewestJournalFile(dir);
}

int make(const QString& dir, int megabytes)
{
    const QString src = QStringLiteral(TESSIVAR_FIXTURE_JOURNALS);
    QList<QByteArray> lines;
    QDirIterator it(src, {QStringLiteral("Journal*.log")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    for (const QString& f : files) {
        QFile file(f);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (QByteArray l : file.readAll().split('\n')) {
            while (l.endsWith('\r'))
                l.chop(1);
            while (l.startsWith('\0'))
                l.remove(0, 1);
            if (l.startsWith('{'))
                lines.append(l);
        }
    }
    if (lines.isEmpty()) {
        out << "no fixture journals in " << src << "\n";
        return 1;
    }
    static const QRegularExpression ts(QStringLiteral("\"timestamp\":\"[^\"]*\""));
    QDir().mkpath(dir);
    QFile target(QDir(dir).filePath(QStringLiteral("Journal.2030-01-01T000000.01.log")));
    if (!target.open(QIODevice::WriteOnly))
        return 1;
    const qint64 limit = qint64(megabytes) * 1000 * 1000;
    QDateTime t = QDateTime::fromSecsSinceEpoch(1893456000, Qt::UTC);
    qint64 written = 0;
    for (qsizetype i = 0; written < limit; ++i) {
        QString l = QString::fromUtf8(lines[i % lines.size()]);
        t = t.addSecs(1);
        l.replace(ts, QStringLiteral("\"timestamp\":\"") + t.toString(Qt::ISODate) + QLatin1Char('"'));
        const QByteArray b = l.toUtf8() + "\r\n";
        target.write(b);
        written += b.size();
    }
    out << "wrote " << written << " bytes to " << target.fileName() << "\n";
    return 0;
}

double plainSplit(const QString& dir);

int firstPass(const QString& dir)
{
    const qint64 size = QFileInfo(journalIn(dir)).size();
    const qint64 before = peakKiB();
    QTemporaryDir data;
    ScriptedInteraction ui;
    AppPaths paths;
    paths.dataDir = data.path();
    paths.journalDir = dir;
    TessivarCore core(paths, StartupSettings{}, ui);
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpu0 = std::clock();
    core.pass().Timer1Timer();
    const double cpuSecs = double(std::clock() - cpu0) / CLOCKS_PER_SEC;
    const qint64 ns = timer.nsecsElapsed();
    const double mbps = double(size) / 1e6 / (double(ns) / 1e9);
    const qint64 peak = peakKiB();
    out << "first pass: " << size << " bytes, " << core.journal().JournalLogCount << " lines, "
        << core.log().count() << " log lines, " << (ns / 1000000) << " ms, " << QString::number(mbps, 'f', 0)
        << " MB/s wall, " << QString::number(double(size) / 1e6 / cpuSecs, 'f', 0) << " MB/s of CPU time\n";
    out << "peak memory: " << peak / 1024 << " MiB (before the pass " << before / 1024
        << " MiB; limit 64 MiB); reports: " << ui.messages().size() << "\n";
    // The reference in the same run, after the peak was taken (it holds the whole file).
    const double splitMbps = plainSplit(dir);
    out << "first pass / line split: " << QString::number(mbps / splitMbps, 'f', 2) << " (at least 0.33)\n";
    return 0;
}

// Read the whole file and split it into lines; MB/s, or 0 when it cannot be read.
double plainSplit(const QString& dir)
{
    QFile f(journalIn(dir));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    QElapsedTimer timer;
    timer.start();
    const QByteArray data = f.readAll();
    std::vector<JournalBatch::Span> spans;
    splitCompleteLines(data, 0, spans);
    const qint64 ns = timer.nsecsElapsed();
    const double mbps = double(data.size()) / 1e6 / (double(ns) / 1e9);
    out << "read + line split: " << spans.size() << " lines, " << (ns / 1000000) << " ms, "
        << QString::number(mbps, 'f', 0) << " MB/s\n";
    return mbps;
}

int split(const QString& dir)
{
    return plainSplit(dir) > 0 ? 0 : 1;
}

int idle(const QString& dir, int count)
{
    QDir().mkpath(dir);
    for (int i = 0; i < count; ++i) {
        QFile f(QDir(dir).filePath(
            QStringLiteral("Journal.2025-01-01T%1.01.log").arg(i, 6, 10, QLatin1Char('0'))));
        if (!f.exists() && f.open(QIODevice::WriteOnly))
            f.write("{ \"timestamp\":\"2025-01-01T00:00:00Z\", \"event\":\"Fileheader\" }\r\n");
    }
    QTemporaryDir data;
    ScriptedInteraction ui;
    AppPaths paths;
    paths.dataDir = data.path();
    paths.journalDir = dir;
    TessivarCore core(paths, StartupSettings{}, ui);
    core.pass().Timer1Timer();  // the first pass reads the newest file

    const int rounds = 20;
    QElapsedTimer timer;
    qint64 listing = 0;
    qint64 passes = 0;
    for (int r = 0; r < rounds; ++r) {
        timer.start();
        qint64 newest = std::numeric_limits<qint64>::min();
        int seen = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir.toStdString())) {
            newest = std::max<qint64>(newest, e.last_write_time().time_since_epoch().count());
            ++seen;
        }
        listing += timer.nsecsElapsed();
        if (seen < count)
            return 1;
        timer.start();
        core.pass().Timer1Timer();
        passes += timer.nsecsElapsed();
    }
    out << count << " files: directory listing with times "
        << QString::number(double(listing) / rounds / 1e6, 'f', 2) << " ms, idle pass "
        << QString::number(double(passes) / rounds / 1e6, 'f', 2) << " ms, ratio "
        << QString::number(double(passes) / double(listing), 'f', 2) << " (limit 3)\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 3) {
        out << "usage: bench_journal make|firstpass|split|idle DIR [N]\n";
        return 2;
    }
    const QString mode = a[1];
    const QString dir = a[2];
    if (mode == QLatin1String("make"))
        return make(dir, a.size() > 3 ? a[3].toInt() : 50);
    if (mode == QLatin1String("firstpass"))
        return firstPass(dir);
    if (mode == QLatin1String("split"))
        return split(dir);
    if (mode == QLatin1String("idle"))
        return idle(dir, a.size() > 3 ? a[3].toInt() : 5000);
    return 2;
}
