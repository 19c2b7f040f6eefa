#include "cli/Replay.h"

#include "Core.h"
#include "common/UserInteraction.h"
#include "journal/JournalPass.h"
#include "journal/JournalReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

QString replayUsage()
{
    return QStringLiteral(
        "usage: tessivar-cli replay --journal-dir J --data-dir D [STEP]...\n"
        "       tessivar-cli journal-dirs\n"
        "Runs the first journal pass over J, then the steps in order, and prints one JSON\n"
        "object per line on stdout, the last one after all steps.\n"
        "Steps:\n"
        "  --pass             run one more pass\n"
        "  --append FILE      append FILE's bytes to the journal being followed, then run one pass\n"
        "  --put FILE NAME    copy FILE into J as NAME, 2 s newer than every file there (no pass)\n"
        "  --dump             print the state as one JSON line now\n");
}

QString journalDiagnostics()
{
    QStringList tried;
    const QString found = findJournalFolder(&tried);
    QString s = QStringLiteral("Journal folders tried:\n");
    for (const QString& t : tried)
        s += QStringLiteral("  ") + QDir::toNativeSeparators(t) + QLatin1Char('\n');
    s += QStringLiteral("Journal folder: ") + (found.isEmpty() ? QStringLiteral("(none found)") : found) +
         QLatin1Char('\n');
    s += QStringLiteral("Program data folder: ") + GetExePath() + QLatin1Char('\n');
    return s;
}

namespace {

struct ReplayContext
{
    TessivarCore& core;
    ScriptedInteraction& ui;
    QString journalDir;  // as given, with a trailing '/'
    QTextStream& out;
    QTextStream& err;
    std::function<void()> dump;
};

bool appendToJournal(ReplayContext& ctx, const QString& file)
{
    QString target = ctx.core.journal().LastJournalFile;
    if (target.isEmpty())
        target = JournalReader::GetNewestJournalFile(ctx.core.journal().JournalFolder);
    QFile src(file);
    QFile dst(target);
    if (target.isEmpty() || !src.open(QIODevice::ReadOnly) || !dst.open(QIODevice::Append)) {
        ctx.err << "cannot append " << file << " to the journal " << target << "\n";
        return false;
    }
    dst.write(src.readAll());
    return true;
}

bool putFile(ReplayContext& ctx, const QString& file, const QString& name)
{
    QDateTime newest = QDateTime::currentDateTimeUtc();
    const auto entries = QDir(ctx.journalDir).entryInfoList(QDir::Files);
    for (const QFileInfo& fi : entries)
        newest = std::max(newest, fi.lastModified().toUTC());
    const QString target = ctx.journalDir + name;
    QFile::remove(target);
    QFile f(target);
    QFile src(file);
    if (!src.open(QIODevice::ReadOnly) || !f.open(QIODevice::WriteOnly) || f.write(src.readAll()) < 0) {
        ctx.err << "cannot copy " << file << " to " << target << "\n";
        return false;
    }
    f.flush();  // buffered bytes written later would move the time again
    if (!f.setFileTime(newest.addSecs(2), QFileDevice::FileModificationTime)) {
        ctx.err << "cannot set the time of " << target << "\n";
        return false;
    }
    return true;
}

struct StepDef
{
    int params;
    std::function<void(ReplayContext&, const QStringList&)> run;
};

// The replay steps: name, number of parameters, action.
const QHash<QString, StepDef>& stepTable()
{
    static const QHash<QString, StepDef> steps = {
        {QStringLiteral("--pass"),
         {0, [](ReplayContext& c, const QStringList&) { c.core.pass().Timer1Timer(); }}},
        {QStringLiteral("--dump"), {0, [](ReplayContext& c, const QStringList&) { c.dump(); }}},
        {QStringLiteral("--append"),
         {1,
          [](ReplayContext& c, const QStringList& p) {
              appendToJournal(c, p[0]);
              c.core.pass().Timer1Timer();
          }}},
        {QStringLiteral("--put"),
         {2, [](ReplayContext& c, const QStringList& p) { putFile(c, p[0], p[1]); }}},
    };
    return steps;
}

struct Step
{
    QString name;
    QStringList params;
};

}  // namespace

int runReplay(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString journalDir;
    QString dataDir;
    std::vector<Step> steps;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--journal-dir") || a == QLatin1String("--data-dir")) {
            if (i + 1 >= args.size()) {
                err << a << " needs a folder\n" << replayUsage();
                return 2;
            }
            (a == QLatin1String("--journal-dir") ? journalDir : dataDir) = args[++i];
            continue;
        }
        const auto def = stepTable().constFind(a);
        const int n = def == stepTable().constEnd() ? -1 : def->params;
        if (n < 0 || i + n >= args.size()) {
            err << "unknown or incomplete step: " << a << "\n" << replayUsage();
            return 2;
        }
        steps.push_back({a, args.mid(i + 1, n)});
        i += n;
    }
    if (journalDir.isEmpty() || dataDir.isEmpty()) {
        err << "--journal-dir and --data-dir are required\n" << replayUsage();
        return 2;
    }
    QDir().mkpath(dataDir);

    ScriptedInteraction ui;
    AppPaths paths;
    paths.dataDir = withTrailingSlash(QFileInfo(dataDir).absoluteFilePath());
    paths.journalDir = QFileInfo(journalDir).isDir()
                           ? withTrailingSlash(QFileInfo(journalDir).absoluteFilePath())
                           : QString();
    paths.journalDirsTried = {journalDir};
    TessivarCore core(paths, StartupSettings::read(paths.dataDir + QStringLiteral("settings.ini")), ui);
    core.pass().recordDispatches = true;

    auto dump = [&] {
        QJsonObject o = core.dumpJson();
        o.insert(QStringLiteral("errors"), QJsonArray::fromStringList(ui.messages()));
        out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) << '\n';
        out.flush();
    };

    ReplayContext ctx{core, ui, withTrailingSlash(QFileInfo(journalDir).absoluteFilePath()), out, err, dump};
    core.pass().Timer1Timer();
    for (const Step& s : steps)
        stepTable().value(s.name).run(ctx, s.params);
    dump();
    return 0;
}
