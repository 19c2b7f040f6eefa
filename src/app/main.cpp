#include "Core.h"
#include "TessivarApplication.h"
#include "Screenshots.h"
#include "WindowSet.h"
#include "journal/LogModel.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_about.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

int main(int argc, char** argv)
{
    TessivarApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessivar"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessivar"));
    QApplication::setApplicationVersion(QStringLiteral(TESSIVAR_VERSION_TEXT));
    applyGoldenGraphiteTheme(app);

    QStringList tried;
    const QString foundJournal = findJournalFolder(&tried);
    QCommandLineParser cli;
    QString help = QStringLiteral("Elite Dangerous hauling companion.\nJournal folders looked at:\n");
    for (const QString& t : tried)
        help += QStringLiteral("  ") + QDir::toNativeSeparators(t) + QLatin1Char('\n');
    cli.setApplicationDescription(help);
    cli.addHelpOption();
    cli.addVersionOption();
    const QCommandLineOption journalOpt(
        QStringLiteral("journal-dir"), QStringLiteral("Journal folder to follow."), QStringLiteral("folder"));
    const QCommandLineOption dataOpt(QStringLiteral("data-dir"),
                                     QStringLiteral("Folder of the program's INI files."),
                                     QStringLiteral("folder"));
    cli.addOption(journalOpt);
    cli.addOption(dataOpt);
    const QCommandLineOption hubOpt(
        QStringLiteral("hub-url"),
        QStringLiteral("Address of the Kelvane hub (instead of [KVN] url in settings.ini)."),
        QStringLiteral("url"));
    cli.addOption(hubOpt);
    QCommandLineOption screenshotOpt(QStringLiteral("screenshot-dir"),
                                     QStringLiteral("Save pictures of the windows after the first pass, then quit."),
                                     QStringLiteral("folder"));
    screenshotOpt.setFlags(QCommandLineOption::HiddenFromHelp);
    cli.addOption(screenshotOpt);
    cli.process(app);

    AppPaths paths;
    paths.dataDir = cli.isSet(dataOpt) ? withTrailingSlash(QFileInfo(cli.value(dataOpt)).absoluteFilePath())
                                       : GetExePath();
    QDir().mkpath(paths.dataDir);
    StartupSettings startup = StartupSettings::read(paths.dataDir + QStringLiteral("settings.ini"));
    if (cli.isSet(hubOpt))
        startup.hubUrl = cli.value(hubOpt);
    QString journal = cli.value(journalOpt);
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
        windows.f_about->showSplash(); // closes itself after five seconds
    return app.exec();
}
