#include "Core.h"
#include "Screenshots.h"
#include "TessivarApplication.h"
#include "WindowSet.h"
#include "common/Language.h"
#include "demo/DemoPlayer.h"
#include "journal/LogModel.h"
#include "widgets/Logo.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_about.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <memory>

namespace {

// Everything the command line can say, and what it was given.
struct CommandLine
{
    QCommandLineParser parser;
    QCommandLineOption journalOpt{QStringLiteral("journal-dir"),
                                  QCoreApplication::translate("main", "Journal folder to follow."),
                                  QStringLiteral("folder")};
    QCommandLineOption dataOpt{QStringLiteral("data-dir"),
                               QCoreApplication::translate("main", "Folder of the program's INI files."),
                               QStringLiteral("folder")};
    QCommandLineOption hubOpt{
        QStringLiteral("hub-url"),
        QCoreApplication::translate("main",
                                    "Address of the Kelvane hub (instead of [KVN] url in settings.ini)."),
        QStringLiteral("url")};
    QCommandLineOption demoOpt{QStringLiteral("demo")};
    QCommandLineOption demoFolderOpt{
        QStringLiteral("demo-folder"),
        QCoreApplication::translate("main", "Play the demo kept in this folder (as --demo does)."),
        QStringLiteral("folder")};
    QCommandLineOption demoSpeedOpt{
        QStringLiteral("demo-speed"),
        QCoreApplication::translate("main", "How many times faster the demo plays."),
        QStringLiteral("factor"), QStringLiteral("1")};
    QCommandLineOption screenshotOpt{
        QStringLiteral("screenshot-dir"),
        QCoreApplication::translate("main", "Save pictures of the windows after the first pass, then quit."),
        QStringLiteral("folder")};
    QCommandLineOption screenshotDelayOpt{
        QStringLiteral("screenshot-after"),
        QCoreApplication::translate("main",
                                    "With --screenshot-dir: seconds to run before the pictures are taken."),
        QStringLiteral("seconds"), QStringLiteral("0")};
    QStringList tried;
    QString foundJournal;
    QString demoSession;

    CommandLine()
    {
        foundJournal = findJournalFolder(&tried);
        QString help = QCoreApplication::translate(
            "main", "Elite Dangerous hauling companion.\nJournal folders looked at:\n");
        for (const QString& t : std::as_const(tried))
            help += QStringLiteral("  ") + QDir::toNativeSeparators(t) + QLatin1Char('\n');
        parser.setApplicationDescription(help);
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(journalOpt);
        parser.addOption(dataOpt);
        parser.addOption(hubOpt);
        const QString installedDemo = installedDemoJournalFolder();
        demoSession = installedDemo.isEmpty() ? QString() : installedDemo + QStringLiteral("live/");
        demoOpt.setDescription(
            demoSession.isEmpty()
                ? QCoreApplication::translate("main",
                                              "Play the demo of an installed program (none installed here).")
                : QCoreApplication::translate(
                      "main", "Play the demo in %1: a recorded session written over time into a "
                              "temporary journal folder, with program data in a temporary folder "
                              "unless --data-dir is given.")
                      .arg(QDir::toNativeSeparators(demoSession)));
        parser.addOption(demoOpt);
        parser.addOption(demoFolderOpt);
        demoSpeedOpt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(demoSpeedOpt);
        screenshotOpt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(screenshotOpt);
        screenshotDelayOpt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(screenshotDelayOpt);
    }
};

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tessivar"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSIVAR_VERSION_TEXT));
}

// --help and --version print and end without opening a window, so they work
// where there is no display (a terminal over ssh, a packaging check).
bool asksOnlyForText(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--help" || a == "-h" || a == "-?" || a == "--help-all" || a == "--version" || a == "-v")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (asksOnlyForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        nameApplication();
        Language::install(QString());
        CommandLine cli;
        cli.parser.process(app);  // prints and exits
        return 0;
    }
    TessivarApplication app(argc, argv);
    nameApplication();
    QApplication::setApplicationDisplayName(QStringLiteral("Tessivar"));
    QApplication::setDesktopFileName(QStringLiteral("tessivar"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(logoPixmap(size));
    QApplication::setWindowIcon(icon);
    applyGoldenGraphiteTheme(app);
    // The person's language until settings.ini, in the data folder the
    // command line names, says otherwise.
    Language::install(QString());

    CommandLine line;
    QCommandLineParser& cli = line.parser;
    cli.process(app);
    QStringList tried = line.tried;
    const QString& foundJournal = line.foundJournal;
    const QString& demoSession = line.demoSession;
    const QCommandLineOption& journalOpt = line.journalOpt;
    const QCommandLineOption& dataOpt = line.dataOpt;
    const QCommandLineOption& hubOpt = line.hubOpt;
    const QCommandLineOption& demoOpt = line.demoOpt;
    const QCommandLineOption& demoFolderOpt = line.demoFolderOpt;
    const QCommandLineOption& demoSpeedOpt = line.demoSpeedOpt;
    const QCommandLineOption& screenshotOpt = line.screenshotOpt;

    const bool demo = cli.isSet(demoOpt) || cli.isSet(demoFolderOpt);
    const QString demoDir =
        cli.isSet(demoFolderOpt) ? QFileInfo(cli.value(demoFolderOpt)).absoluteFilePath() : demoSession;
    if (demo && (demoDir.isEmpty() || !QFileInfo(demoDir).isDir())) {
        QTextStream(stderr) << "tessivar: "
                            << QCoreApplication::translate("main", "no demo is installed beside this program")
                            << '\n';
        return 2;
    }
    AppPaths paths;
    std::unique_ptr<QTemporaryDir> demoData;
    if (cli.isSet(dataOpt)) {
        paths.dataDir = withTrailingSlash(QFileInfo(cli.value(dataOpt)).absoluteFilePath());
    } else if (demo) {
        // The demo's lists and INI files must not mix with the player's own.
        demoData = std::make_unique<QTemporaryDir>();
        paths.dataDir = withTrailingSlash(demoData->path());
    } else {
        paths.dataDir = GetExePath();
    }
    QDir().mkpath(paths.dataDir);
    if (demo) {
        // The demo commander's settings (its open panels) must be in place
        // before the one read of settings.ini below.
        try {
            DemoPlayer(withTrailingSlash(demoDir), QString()).seedDataFolder(paths.dataDir);
        } catch (const std::exception& e) {
            QTextStream(stderr) << "tessivar: " << e.what() << '\n';
        }
    }
    StartupSettings startup = StartupSettings::read(paths.dataDir);
    Language::install(startup.language);
    if (cli.isSet(hubOpt))
        startup.hubUrl = cli.value(hubOpt);
    QString journal = cli.value(journalOpt);
    if (demo) {
        // The demo's "game" writes its journal here while the program follows it.
        if (!demoData)
            demoData = std::make_unique<QTemporaryDir>();
        journal = demoData->filePath(QStringLiteral("journal"));
        QDir().mkpath(journal);
        paths.demoDir = withTrailingSlash(demoDir);
    }
    if (journal.isEmpty())
        journal = startup.journalDir;
    if (journal.isEmpty())
        journal = foundJournal;
    else
        tried.prepend(journal);
    paths.journalDir =
        QFileInfo(journal).isDir() ? withTrailingSlash(QFileInfo(journal).absoluteFilePath()) : QString();
    paths.journalDirsTried = tried;

    WidgetInteraction ui;
    TessivarCore core(paths, startup, ui);
    WindowSet windows(core, ui);
    if (DemoPlayer* player = core.demo())
        player->start(std::max(0.1, cli.value(demoSpeedOpt).toDouble()));
    if (cli.isSet(screenshotOpt))
        takeScreenshotsAfterFirstPass(windows, ui, cli.value(screenshotOpt),
                                      std::max(0, cli.value(line.screenshotDelayOpt).toInt()) * 1000);
    core.log().appendNote(
        paths.journalDir.isEmpty()
            ? QCoreApplication::translate("main", "Tessivar: no journal folder found; looked at: %1")
                  .arg(tried.join(QStringLiteral("; ")))
            : QCoreApplication::translate("main", "Tessivar: following journals in %1")
                  .arg(QDir::toNativeSeparators(paths.journalDir)));
    windows.f_ED->show();
    if (!cli.isSet(screenshotOpt))
        windows.f_about->showSplash();  // closes itself after five seconds
    return app.exec();
}
