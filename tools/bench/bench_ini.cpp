// INI file benchmarks: the program's own files at sizes far beyond normal play.
//
//   bench_ini zaladunek N    a zaladunek.ini of N rows: time to load it into the loading list
//   bench_ini missions N     a missions.ini of N sections: cost of the first pass that reads it
//   bench_ini settings MB    a settings.ini of about MB megabytes: time of the replay's state dump
//
// Every file is built in a temporary folder; figures are wall-clock times of one run.
#include "Core.h"
#include "cargo/CargoModule.h"
#include "common/UserInteraction.h"
#include "journal/JournalPass.h"
#include "missions/MissionModule.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>

namespace {

QTextStream out(stdout);

const char* const kCommodities[] = {"Steel",
                                    "Aluminium",
                                    "Titanium",
                                    "Copper",
                                    "Polymers",
                                    "Gold",
                                    "Silver",
                                    "Bertrandite",
                                    "Water",
                                    "Liquid oxygen",
                                    "Ceramic Composites",
                                    "CMM Composite",
                                    "Insulating Membrane",
                                    "Semiconductors",
                                    "Superconductors",
                                    "Computer Components"};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

std::unique_ptr<TessivarCore> makeCore(const QTemporaryDir& data, const QTemporaryDir& journal,
                                       ScriptedInteraction& ui)
{
    AppPaths paths;
    paths.dataDir = data.path();
    paths.journalDir = journal.path();
    return std::make_unique<TessivarCore>(paths, StartupSettings{}, ui);
}

// Wall-clock and processor time of a stretch of work: on a busy machine the
// processor time is the steadier figure.
struct Span
{
    qint64 wallNs = 0;
    std::clock_t cpu = 0;
    Span operator-(const Span& o) const { return {wallNs - o.wallNs, cpu - o.cpu}; }
};

class Stopwatch
{
public:
    void start()
    {
        m_cpu = std::clock();
        m_wall.start();
    }
    Span elapsed() const { return {m_wall.nsecsElapsed(), std::clock() - m_cpu}; }

private:
    QElapsedTimer m_wall;
    std::clock_t m_cpu = 0;
};

QString ms(const Span& s)
{
    return QString::number(double(s.wallNs) / 1e6, 'f', 1) + QStringLiteral(" ms (cpu ") +
           QString::number(1000.0 * double(s.cpu) / CLOCKS_PER_SEC, 'f', 1) + QStringLiteral(" ms)");
}

int zaladunek(int rows)
{
    QTemporaryDir data;
    QTemporaryDir journal;
    QByteArray text = "[zaladunek]\r\n";
    for (int i = 0; i < rows; ++i)
        text += kCommodities[i % 16] + QByteArray(" ") + QByteArray::number(i) + '=' +
                QByteArray::number(720 + i) + "\r\n";
    writeFile(data.filePath(QStringLiteral("zaladunek.ini")), text);
    ScriptedInteraction ui;
    Stopwatch t;
    t.start();
    // The core loads the list when it is created, before the windows are shown.
    auto core = makeCore(data, journal, ui);
    const Span startNs = t.elapsed();
    t.start();
    core->cargo().loadOwnList();  // as every showing of the cargo window does
    const Span reloadNs = t.elapsed();
    out << rows << " rows (" << text.size() << " bytes): start-up load " << ms(startNs) << ", reload "
        << ms(reloadNs) << ", list rows " << core->cargo().loadingList.rowCount() << " (limit 100 ms)\n";
    return 0;
}

int missions(int sections)
{
    QTemporaryDir data;
    QTemporaryDir journal;
    QByteArray text;
    for (int i = 0; i < sections; ++i)
        text += "[" + QByteArray::number(1000000000LL + i) + "]\r\nCommodity=" + kCommodities[i % 16] +
                QByteArray(" ") + QByteArray::number(i % 500) +
                "\r\nCount=" + QByteArray::number(1 + i % 90) + "\r\n";
    writeFile(journal.filePath(QStringLiteral("Cargo.json")), R"({ "Inventory":[ ] })");
    writeFile(
        journal.filePath(QStringLiteral("Journal.2025-01-01T000000.01.log")),
        R"({ "timestamp":"2025-01-01T00:00:00Z", "event":"Fileheader" })"
        "\r\n"
        R"({ "timestamp":"2025-01-01T00:00:01Z", "event":"Missions", "Active":[ ], "Failed":[ ], "Complete":[ ] })"
        "\r\n");
    ScriptedInteraction ui;
    // The same first pass without the file, then with it: the difference is
    // what the file costs at start-up.
    auto bare = makeCore(data, journal, ui);
    Stopwatch t;
    t.start();
    bare->pass().Timer1Timer();
    const Span bareNs = t.elapsed();
    writeFile(data.filePath(QStringLiteral("missions.ini")), text);
    auto core = makeCore(data, journal, ui);
    t.start();
    core->pass().Timer1Timer();
    const Span withNs = t.elapsed();
    out << sections << " sections (" << text.size() << " bytes): first pass " << ms(withNs)
        << ", without the file " << ms(bareNs) << ", start-up cost " << ms(withNs - bareNs) << ", totals "
        << core->mission().mission_commodites.size() << " (limit 200 ms)\n";
    return 0;
}

int settings(int megabytes)
{
    QTemporaryDir data;
    QTemporaryDir journal;
    QByteArray text = "[windows]\r\nch_bgs=0\r\n[Carrier]\r\nName=X\r\n";
    for (int s = 0; text.size() < qint64(megabytes) * 1000 * 1000; ++s) {
        text += "[section " + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 20; ++k)
            text += "key" + QByteArray::number(k) + "=value " + QByteArray::number(s * 20 + k) + "\r\n";
    }
    writeFile(data.filePath(QStringLiteral("settings.ini")), text);
    ScriptedInteraction ui;
    auto core = makeCore(data, journal, ui);
    Stopwatch t;
    t.start();
    const QByteArray dump = QJsonDocument(core->dumpJson()).toJson(QJsonDocument::Compact);
    const Span ns = t.elapsed();
    out << text.size() << " bytes: replay dump " << ms(ns) << " (" << dump.size()
        << " bytes of JSON; limit 1 s)\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 3) {
        out << "usage: bench_ini zaladunek|missions|settings N\n";
        return 2;
    }
    const int n = a[2].toInt();
    if (a[1] == QLatin1String("zaladunek"))
        return zaladunek(n);
    if (a[1] == QLatin1String("missions"))
        return missions(n);
    if (a[1] == QLatin1String("settings"))
        return settings(n);
    return 2;
}
