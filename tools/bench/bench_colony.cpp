// What a live journal batch costs the colony view with many construction sites
// on disk.
//
//   bench_colony [SITES] [BATCHES]   SITES site files of the 20 basic materials (default 30),
//                                    BATCHES live batches per measure (default 300)
//
// Each measure starts a core on a fresh data folder holding the site files,
// reads a one-line history, then appends BATCHES batches one at a time and
// times the pass that reads each:
//   quiet   three lines the view does not count (music, a chat line, a scan);
//   depot   a ColonisationConstructionDepot at one of the sites, whose file is written;
// both as the view works now (it follows the change signals) and with the
// view re-reading every site file and sites.ini after each batch and each
// hold read, as it did while it was refreshed on every batch.
#include "Core.h"
#include "cargo/CargoModule.h"
#include "cargo/CommonMaterials.h"
#include "colony/ColonyCockpit.h"
#include "common/TextTableModel.h"
#include "common/UserInteraction.h"
#include "journal/JournalPass.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

QTextStream out(stdout);

// The basic materials construction sites ask for (the pick list's first group).
QStringList siteMaterials()
{
    QStringList out;
    for (const QString& name : commonMaterialNames()) {
        if (!isCommonMaterialHeading(name))
            out.append(name);
        else if (!out.isEmpty())
            break;
    }
    return out;
}

constexpr quint64 kFirstSite = 4256179700;

QByteArray line(const QDateTime& t, const char* event, const QByteArray& extra)
{
    return "{ \"timestamp\":\"" + t.toString(Qt::ISODate).toUtf8() + "\", \"event\":\"" + event + "\", " +
           extra + " }\r\n";
}

void append(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::Append))
        f.write(bytes);
}

QByteArray depot(int tick)
{
    QByteArray needs;
    for (const QString& m : siteMaterials())
        needs += QByteArray(needs.isEmpty() ? "" : ", ") + "{ \"Name_Localised\":\"" + m.toUtf8() +
                 "\", \"RequiredAmount\":5000, \"ProvidedAmount\":" + QByteArray::number(tick % 5000) + " }";
    return "\"MarketID\":" + QByteArray::number(kFirstSite) +
           ", \"ConstructionProgress\":0.25, \"ResourcesRequired\":[ " + needs + " ]";
}

// Mean milliseconds of one batch's pass.
double measure(int sites, int batches, bool depotBatches, bool rereadEveryBatch)
{
    QTemporaryDir journal;
    QTemporaryDir data;
    QDir(data.path()).mkpath(QStringLiteral("constructions"));
    for (int s = 0; s < sites; ++s) {
        QFile f(data.filePath(QStringLiteral("constructions/%1.ini").arg(kFirstSite + quint64(s))));
        if (!f.open(QIODevice::WriteOnly))
            return -1;
        f.write("[MATS]\r\n");
        for (const QString& m : siteMaterials())
            f.write(m.toUtf8() + '=' + QByteArray::number(100 + s) + "\r\n");
        f.write("[INFO]\r\nPostep=" + QByteArray::number(s % 100) + "\r\nStationName=Site " +
                QByteArray::number(s) +
                "\r\nStarSystem=Col 285\r\nStationType=PlanetaryConstructionDepot\r\n");
    }
    const QString log = QDir(journal.path()).filePath(QStringLiteral("Journal.2025-01-01T000000.01.log"));
    QDateTime t = QDateTime::fromSecsSinceEpoch(1735725600, Qt::UTC);
    // Docked at the first site, so its depot events write its file.
    append(
        log,
        line(t, "Location",
             "\"Docked\":true, \"StationName\":\"Site 0\", \"StationType\":\"PlanetaryConstructionDepot\", "
             "\"StarSystem\":\"Col 285\", \"MarketID\":" +
                 QByteArray::number(kFirstSite)));

    ScriptedInteraction ui;
    AppPaths paths;
    paths.dataDir = data.path();
    paths.journalDir = journal.path();
    TessivarCore core(paths, StartupSettings{}, ui);
    if (rereadEveryBatch) {
        ColonyCockpit* colony = &core.colony();
        QObject::connect(&core.pass(), &JournalPass::batchDispatched, colony, &ColonyCockpit::refresh);
        QObject::connect(&core.cargo().hold().table, &QAbstractItemModel::modelReset, colony,
                         &ColonyCockpit::refresh);
    }
    core.pass().Timer1Timer();
    if (core.colony().sites().size() != sites)
        return -1;

    std::vector<qint64> ns;
    QElapsedTimer timer;
    for (int b = 0; b < batches; ++b) {
        t = t.addSecs(10);
        if (depotBatches)
            append(log, line(t, "ColonisationConstructionDepot", depot(b)));
        else
            append(log,
                   line(t, "Music", "\"MusicTrack\":\"Exploration\"") +
                       line(t, "ReceiveText", "\"From\":\"\", \"Message\":\"hello\", \"Channel\":\"npc\"") +
                       line(t, "FSSSignalDiscovered", "\"SystemAddress\":1, \"SignalName\":\"Beacon\""));
        timer.start();
        core.pass().Timer1Timer();
        ns.push_back(timer.nsecsElapsed());
    }
    if (depotBatches && core.colony().stillToBuy().value(0).needed == 0)
        return -1;
    // The median: one slow disk moment says nothing of the usual batch.
    std::sort(ns.begin(), ns.end());
    return double(ns[ns.size() / 2]) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    const int sites = a.size() > 1 ? a[1].toInt() : 30;
    const int batches = a.size() > 2 ? a[2].toInt() : 300;
    if (sites < 1 || batches < 1) {
        out << "usage: bench_colony [SITES] [BATCHES]\n";
        return 2;
    }
    out << sites << " site files, " << batches << " batches each; median ms of one batch's pass\n";
    for (const bool depotBatches : {false, true}) {
        const double now = measure(sites, batches, depotBatches, false);
        const double reread = measure(sites, batches, depotBatches, true);
        if (now < 0 || reread < 0) {
            out << "the colony view did not take in the sites\n";
            return 1;
        }
        out << (depotBatches ? "depot batch: " : "quiet batch: ") << "following changes "
            << QString::number(now, 'f', 3) << " ms, re-reading every batch "
            << QString::number(reread, 'f', 3) << " ms\n";
    }
    return 0;
}
