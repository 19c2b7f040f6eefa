#include "Core.h"
#include "Screenshots.h"
#include "TessivarApplication.h"
#include "WindowSet.h"
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
#include <memory>

namespace {

// Everything the command line can say, and what it was given.
struct CommandLine
{
    QCommandLineParser parser;
    QCommandLineOption journalOpt{QStringLiteral("journal-dir"), QStringLiteral("Journal folder to follow."),
                                  QStringLiteral("folder")};
    QCommandLineOption dataOpt{QStringLiteral("data-dir"),
                               QStringLiteral("Folder of the program's INI files."),
                               QStringLiteral("folder")};
    QCommandLineOption hubOpt{
        QStringLiteral("hub-url"),
        QStringLiteral("Address of the Kelvane hub (instead of [KVN] url in settings.ini)."),
        QStringLiteral("url")};
    QCommandLineOption demoOpt{QStringLiteral("demo")};
    QCommandLineOption screenshotOpt{
        QStringLiteral("screenshot-dir"),
        QStringLiteral("Save pictures of the windows after the first pass, then quit."),
        QStringLiteral("folder")};
    QStringList tried;
    QString foundJournal;
    QString demoJournal;

    CommandLine()
    {
        foundJournal = findJournalFolder(&tried);
        QString help = QStringLiteral("Elite Dangerous hauling companion.\nJournal folders looked at:\n");
        for (const QString& t : std::as_const(tried))
            help += QStringLiteral("  ") + QDir::toNativeSeparators(t) + QLatin1Char('\n');
        parser.setApplicationDescription(help);
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(journalOpt);
        parser.addOption(dataOpt);
        parser.addOption(hubOpt);
        demoJournal = installedDemoJournalFolder();
        demoOpt.setDescription(
            demoJournal.isEmpty()
                ? QStringLiteral("Follow the demo journal of an installed program (none installed here).")
                : QStringLiteral(
                      "Follow the demo journal in %1, with program data in a temporary folder unless "
                      "--data-dir is given.")
                      .arg(QDir::toNativeSeparators(demoJournal)));
        parser.addOption(demoOpt);
        screenshotOpt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(screenshotOpt);
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

    CommandLine line;
    QCommandLineParser& cli = line.parser;
    cli.process(app);
    QStringList tried = line.tried;
    const QString& foundJournal = line.foundJournal;
    const QString& demoJournal = line.demoJournal;
    const QCommandLineOption& journalOpt = line.journalOpt;
    const QCommandLineOption& dataOpt = line.dataOpt;
    const QCommandLineOption& hubOpt = line.hubOpt;
    const QCommandLineOption& demoOpt = line.demoOpt;
    const QCommandLineOption& screenshotOpt = line.screenshotOpt;

    const bool demo = cli.isSet(demoOpt);
    if (demo && demoJournal.isEmpty()) {
        QTextStream(stderr) << "tessivar: no demo journal is installed beside this program\n";
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
    StartupSettings startup = StartupSettings::read(paths.dataDir + QStringLiteral("settings.ini"));
    if (cli.isSet(hubOpt))
        startup.hubUrl = cli.value(hubOpt);
    QString journal = cli.value(journalOpt);
    if (journal.isEmpty() && demo)
        journal = demoJournal;
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
    app.setInteraction(&ui);
    TessivarCore core(paths, startup, ui);
    WindowSet windows(core, ui);
    if (cli.isSet(screenshotOpt))
        takeScreenshotsAfterFirstPass(windows, ui, cli.value(screenshotOpt));
    core.log().appendNote(paths.journalDir.isEmpty()
                              ? QStringLiteral("Tessivar: no journal folder found; looked at: ") +
                                    tried.join(QStringLiteral("; "))
                              : QStringLiteral("Tessivar: following journals in ") +
                                    QDir::toNativeSeparators(paths.journalDir));
    windows.f_ED->show();
    if (!cli.isSet(screenshotOpt))
        windows.f_about->showSplash();  // closes itself after five seconds
    return app.exec();
}
