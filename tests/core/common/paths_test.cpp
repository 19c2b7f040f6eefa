#include "TestSupport.h"
#include "common/Paths.h"

#include <QDir>
#include <QFile>
#include <QTest>

class PathsTest : public QObject
{
    Q_OBJECT
private slots:
    void journalFolderInSavedGames_data();
    void journalFolderInSavedGames();
    void savedGamesJournalFolderIsFoundOnlyWhenItExists();
    void dataFolder_data();
    void dataFolder();
    void demoJournalIsFoundInTheInstalledLayout();
};

// The text SHGetKnownFolderPath hands back, and the journal folder built from it.
void PathsTest::journalFolderInSavedGames_data()
{
    QTest::addColumn<QString>("knownFolder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("usual") << "C:\\Users\\Cmdr\\Saved Games"
                           << "C:/Users/Cmdr/Saved Games/Frontier Developments/Elite Dangerous/";
    QTest::newRow("trailing backslash") << "D:\\Games\\Saved Games\\"
                                        << "D:/Games/Saved Games/Frontier Developments/Elite Dangerous/";
    QTest::newRow("moved to a share") << "\\\\nas\\cmdr\\Saved Games"
                                      << "//nas/cmdr/Saved Games/Frontier Developments/Elite Dangerous/";
    QTest::newRow("non-ASCII user")
        << QStringLiteral("C:\\Users\\Zoë Ł\\Saved Games")
        << QStringLiteral("C:/Users/Zoë Ł/Saved Games/Frontier Developments/Elite Dangerous/");
    QTest::newRow("known folder unknown") << ""
                                          << "";
}

void PathsTest::journalFolderInSavedGames()
{
    QFETCH(QString, knownFolder);
    QFETCH(QString, expected);
    QCOMPARE(::journalFolderInSavedGames(knownFolder), expected);
}

void PathsTest::savedGamesJournalFolderIsFoundOnlyWhenItExists()
{
    QTemporaryDir savedGames;
    const QString folder = ::journalFolderInSavedGames(QDir::toNativeSeparators(savedGames.path()));
    QStringList tried;
    QCOMPARE(firstExistingFolder({folder}, &tried), QString());
    QCOMPARE(tried, QStringList{folder});

    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(firstExistingFolder({QString(), folder}), folder);
}

void PathsTest::dataFolder_data()
{
    QTest::addColumn<QString>("appDir");       // relative to a temporary root
    QTest::addColumn<QStringList>("folders");  // made under the root first
    QTest::addColumn<bool>("perUser");
    QTest::newRow("clone build folder") << "build/src/app" << QStringList{} << false;
    QTest::newRow("portable folder named bin") << "Tessivar/bin" << QStringList{} << false;
    QTest::newRow("installed under a prefix") << "usr/bin" << QStringList{"usr/share/tessivar"} << true;
    QTest::newRow("share of another program") << "opt/bin" << QStringList{"opt/share/other"} << false;
}

void PathsTest::dataFolder()
{
    QFETCH(QString, appDir);
    QFETCH(QStringList, folders);
    QFETCH(bool, perUser);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(appDir));
    for (const QString& f : folders)
        QVERIFY(QDir(root.path()).mkpath(f));
    const QString app = root.filePath(appDir);
    const QString user = root.filePath(QStringLiteral("home/.local/share/Tessivar"));

    const QString chosen = dataFolderFor(app, user);
    QCOMPARE(chosen, (perUser ? user : app) + QLatin1Char('/'));
    QVERIFY(QFileInfo(chosen).isDir());
}

void PathsTest::demoJournalIsFoundInTheInstalledLayout()
{
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    QCOMPARE(installedDemoJournalFolder(bin), QString());

    const QString demo = prefix.filePath(QStringLiteral("share/tessivar/demo"));
    QVERIFY(QDir().mkpath(demo));
    QCOMPARE(installedDemoJournalFolder(bin), QString());  // a folder without a journal is no demo

    writeFile(demo + QStringLiteral("/Journal.2025-06-20T213114.01.log"),
              journalLine("2025-06-20T21:31:14Z", "Fileheader"));
    QCOMPARE(installedDemoJournalFolder(bin), demo + QLatin1Char('/'));
    QCOMPARE(installedDemoJournalFolder(prefix.filePath(QStringLiteral("share"))), QString());
}

QTEST_GUILESS_MAIN(PathsTest)
#include "paths_test.moc"
