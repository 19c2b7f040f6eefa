#include "cli/Replay.h"

#include "Core.h"
#include "cargo/CargoModule.h"
#include "common/Error.h"
#include "common/UserInteraction.h"
#include "hub/HubClient.h"
#include "journal/JournalPass.h"
#include "journal/JournalReader.h"
#include "markets/ShoppingDb.h"
#include "mobile/MobileLink.h"
#include "mobile/ReplayMobileHook.h"

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
        "usage: tessivar-cli replay --journal-dir J --data-dir D [--mobile HOST:PORT] [STEP]...\n"
        "       tessivar-cli journal-dirs\n"
        "Runs the first journal pass over J, then the steps in order, and prints one JSON\n"
        "object per line on stdout, the last one after all steps.\n"
        "--mobile HOST:PORT ticks the mobile link's \"Active\" after the first dispatch, connected to\n"
        "a listener at HOST:PORT standing in for the phone, which then receives what it would.\n"
        "Steps:\n"
        "  --pass             run one more pass\n"
        "  --append FILE      append FILE's bytes to the journal being followed, then run one pass\n"
        "  --put FILE NAME    copy FILE into J as NAME, 2 s newer than every file there (no pass)\n"
        "  --select ENTRY     pick ENTRY in the loading list's selector (My Carrier, Trade Missions, a "
        "carrier id)\n"
        "  --search NAME      set the search field to NAME and search Last Shopping\n"
        "  --dump             print the state as one JSON line now\n"
        "--hub-url URL talks to the Kelvane hub at URL (and counts as the consent to do so); every\n"
        "step waits for the hub's replies before the next one. Without it nothing is sent.\n"
        "  --kvn-refresh      load the hub's order list\n"
        "  --take-contract N  take the N-th order of the list (from 0) onto the loading list\n");
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
    const QString demo = installedDemoJournalFolder();
    if (!demo.isEmpty())
        s += QStringLiteral("Demo journal: ") + demo + QLatin1Char('\n');
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
        {QStringLiteral("--kvn-refresh"),
         {0, [](ReplayContext& c,
                const QStringList&) { c.core.hubClient().requestOrders(HubClient::Origin::User); }}},
        {QStringLiteral("--take-contract"),
         {1,
          [](ReplayContext& c, const QStringList& p) {
              bool ok = false;
              const int n = p[0].toInt(&ok);
              try {
                  if (!ok || !c.core.hubClient().takeContract(n))
                      c.err << "--take-contract: there is no order " << p[0] << "\n";
              } catch (const std::exception& e) {
                  c.ui.showMessage(errorText(e));
              }
          }}},
        {QStringLiteral("--select"),
         {1, [](ReplayContext& c, const QStringList& p) { c.core.cargo().selectEntry(p[0]); }}},
        {QStringLiteral("--search"),
         {1,
          [](ReplayContext& c, const QStringList& p) {
              c.core.lastShopping().edit_find = p[0];
              c.core.lastShopping().szukaj_towaru();
          }}},
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
    std::optional<MobileTarget> mobile;
    QString hubUrl;
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
        if (a == QLatin1String("--hub-url")) {
            if (i + 1 >= args.size()) {
                err << "--hub-url needs an address\n" << replayUsage();
                return 2;
            }
            hubUrl = args[++i];
            continue;
        }
        if (a == QLatin1String("--mobile")) {
            mobile = i + 1 < args.size() ? parseMobileTarget(args[++i]) : std::nullopt;
            if (!mobile) {
                err << "--mobile needs HOST:PORT\n" << replayUsage();
                return 2;
            }
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
    StartupSettings startup = StartupSettings::read(paths.dataDir);
    // The network stays off unless the command line names the hub.
    startup.hubUrl = hubUrl;
    TessivarCore core(paths, startup, ui);
    core.hubClient().setConsentAssumed(!hubUrl.isEmpty());
    auto awaitHub = [&core, &err] {
        if (!core.hubClient().waitForIdle(120000))
            err << "the hub's replies are still outstanding\n";
    };
    core.pass().recordDispatches = true;

    auto dump = [&] {
        QJsonObject o = core.dumpJson();
        o.insert(QStringLiteral("errors"), QJsonArray::fromStringList(ui.messages()));
        out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) << '\n';
        out.flush();
    };

    ReplayContext ctx{core, ui, withTrailingSlash(QFileInfo(journalDir).absoluteFilePath()), out, err, dump};
    std::optional<ReplayMobileHook> mobileHook;
    if (mobile)
        mobileHook.emplace(core.mobile(), *mobile);
    core.pass().Timer1Timer();
    awaitHub();
    if (mobileHook)
        mobileHook->afterStep();
    for (const Step& s : steps) {
        stepTable().value(s.name).run(ctx, s.params);
        awaitHub();
        if (mobileHook)
            mobileHook->afterStep();
    }
    dump();
    return 0;
}
