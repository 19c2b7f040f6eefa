// `cmake --install` of this build into a temporary prefix, and the installed
// programs run from there as a player's would.
#include "TestSupport.h"

#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString& program, const QStringList& args, const QProcessEnvironment& env)
{
    Run r;
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

}  // namespace

class InstallLayoutTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void icons_data();
    void icons();
    void desktopEntryIsValid();
    void hubServiceRunsAsItsOwnUser();
    void installedProgramKeepsDataPerUserAndFindsTheDemo();
    void installedReplayOfTheDemoEndsInTheDemoState();
    void installedProgramStartsOnTheDemo();

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_home;
    QProcessEnvironment m_env;
    QString path(const QString& relative) const { return m_prefix.filePath(relative); }
};

void InstallLayoutTest::initTestCase()
{
    const Run r = run(QStringLiteral(TESSIVAR_CMAKE),
                      {QStringLiteral("--install"), QStringLiteral(TESSIVAR_BUILD_DIR),
                       QStringLiteral("--prefix"), m_prefix.path()},
                      QProcessEnvironment::systemEnvironment());
    QVERIFY2(r.exitCode == 0, r.err.constData());

    // A player's session: a home of its own, no data folder overrides.
    m_env = QProcessEnvironment::systemEnvironment();
    m_env.insert(QStringLiteral("HOME"), m_home.path());
    m_env.remove(QStringLiteral("XDG_DATA_HOME"));
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // In a sanitizer build the programs run here would fail on the font library's
    // own leaks at exit; their exit codes are what this test checks.
    m_env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
}

void InstallLayoutTest::installedFiles_data()
{
    QTest::addColumn<QString>("file");
    for (const char* f :
         {"bin/tessivar", "bin/tessivar-cli", "bin/tessivar-hub", "share/applications/tessivar.desktop",
          "share/tessivar/demo/Journal.2025-06-20T213114.01.log", "share/tessivar/demo/SOURCES.md",
          "share/tessivar/demo/live/Journal.2025-07-05T180000.01.log", "share/tessivar/demo/live/Market.json",
          "share/tessivar/demo/live/zaladunek.ini", "share/tessivar/demo/live/settings.ini",
          "lib/systemd/system/tessivar-hub.service"})
        QTest::newRow(f) << QString::fromLatin1(f);
}

void InstallLayoutTest::installedFiles()
{
    QFETCH(QString, file);
    QVERIFY2(QFileInfo(path(file)).isFile(), qPrintable(file));
    if (file.startsWith(QLatin1String("bin/")))
        QVERIFY(QFileInfo(path(file)).isExecutable());
}

void InstallLayoutTest::icons_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void InstallLayoutTest::icons()
{
    QFETCH(int, size);
    const QImage icon(path(QStringLiteral("share/icons/hicolor/%1x%1/apps/tessivar.png").arg(size)));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    // The corners are clear; the logo's amber ring crosses the top of the middle column.
    QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
    int amber = 0;
    for (int y = 0; y < size / 4; ++y) {
        const QColor c = icon.pixelColor(size / 2, y);
        if (c.alpha() > 0 && c.red() - c.blue() > 80)
            ++amber;
    }
    QVERIFY(amber > 0);
}

void InstallLayoutTest::desktopEntryIsValid()
{
    const QByteArray entry = readFile(path(QStringLiteral("share/applications/tessivar.desktop")));
    QVERIFY(entry.contains("\nExec=tessivar\n"));
    QVERIFY(entry.contains("\nIcon=tessivar\n"));
    QVERIFY(entry.contains("\nExec=tessivar --demo\n"));
    const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validate.isEmpty())
        QSKIP("desktop-file-validate is not installed (desktop-file-utils)");
    const Run r = run(validate, {path(QStringLiteral("share/applications/tessivar.desktop"))}, m_env);
    QVERIFY2(r.exitCode == 0, r.out.constData());
}

void InstallLayoutTest::hubServiceRunsAsItsOwnUser()
{
    const QByteArray unit = readFile(path(QStringLiteral("lib/systemd/system/tessivar-hub.service")));
    for (const char* line :
         {"\nExecStart=/usr/bin/tessivar-hub --listen 127.0.0.1:8080 --db /var/lib/tessivar-hub/hub.sqlite\n",
          "\nUser=tessivar-hub\n", "\nStateDirectory=tessivar-hub\n", "\nWantedBy=multi-user.target\n"})
        QVERIFY2(unit.contains(line), line);
}

void InstallLayoutTest::installedProgramKeepsDataPerUserAndFindsTheDemo()
{
    // The prefix is writable here, as /usr is for root: the data still go to the user's folder.
    const Run r = run(path(QStringLiteral("bin/tessivar-cli")), {QStringLiteral("journal-dirs")}, m_env);
    QCOMPARE(r.exitCode, 0);
    const QString out = QString::fromUtf8(r.out);
    QVERIFY2(out.contains(QStringLiteral("Program data folder: ") + m_home.path() +
                          QStringLiteral("/.local/share/Tessivar/\n")),
             r.out.constData());
    QVERIFY2(out.contains(QStringLiteral("Demo journal: ") + path(QStringLiteral("share/tessivar/demo/\n"))),
             r.out.constData());
    QVERIFY(QDir(path(QStringLiteral("bin"))).entryList({QStringLiteral("*.ini")}).isEmpty());
}

void InstallLayoutTest::installedReplayOfTheDemoEndsInTheDemoState()
{
    QTemporaryDir data;
    const Run r =
        run(path(QStringLiteral("bin/tessivar-cli")),
            {QStringLiteral("replay"), QStringLiteral("--journal-dir"),
             path(QStringLiteral("share/tessivar/demo")), QStringLiteral("--data-dir"), data.path()},
            m_env);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const QJsonObject last = QJsonDocument::fromJson(r.out.trimmed().split('\n').last()).object();
    QCOMPARE(last.value("journal_file").toString(), QStringLiteral("Journal.2025-06-20T213114.01.log"));
    QCOMPARE(last.value("last_time").toString(), QStringLiteral("2025-06-20T21:26:27Z"));
    QCOMPARE(last.value("dane_systemu").toObject().value("StarSystem").toString(),
             QStringLiteral("Col 285 Sector PY-Y b14-3"));
    QCOMPARE(last.value("dane_CMDR").toObject().value("Name").toString(), QStringLiteral("VLADHC"));
    QCOMPARE(last.value("DaneStatku").toObject().value("CargoCapacity").toInt(), 224);
}

void InstallLayoutTest::installedProgramStartsOnTheDemo()
{
    const Run help = run(path(QStringLiteral("bin/tessivar")), {QStringLiteral("--help")}, m_env);
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("--demo"));
    // The installed program carries its translation.
    QProcessEnvironment polish = m_env;
    polish.insert(QStringLiteral("LANGUAGE"), QStringLiteral("pl"));
    const Run pomoc = run(path(QStringLiteral("bin/tessivar")), {QStringLiteral("--help")}, polish);
    QCOMPARE(pomoc.exitCode, 0);
    QVERIFY2(pomoc.out.contains("Folder dziennika do śledzenia."), pomoc.out.constData());

    // The demo shows the windows on the installed journal and writes nothing to the player's folder.
    QTemporaryDir pictures;
    const Run demo =
        run(path(QStringLiteral("bin/tessivar")),
            {QStringLiteral("--demo"), QStringLiteral("--screenshot-dir"), pictures.path()}, m_env);
    QVERIFY2(demo.exitCode == 0, demo.err.constData());
    QVERIFY(QFileInfo(pictures.filePath(QStringLiteral("f_ED.png"))).isFile());
    QVERIFY(!QFileInfo(m_home.filePath(QStringLiteral(".local/share/Tessivar/settings.ini"))).exists());
}

QTEST_GUILESS_MAIN(InstallLayoutTest)
#include "install_layout_test.moc"
