#pragma once

#include "Core.h"
#include "common/UserInteraction.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A core on temporary journal and data folders, with scripted dialogs.
struct CoreFixture
{
    QTemporaryDir journalDir;
    QTemporaryDir dataDir;
    ScriptedInteraction ui;
    std::unique_ptr<TessivarCore> core;
    QString demoDir;  // a demo to play into journalDir, when set before start()

    CoreFixture();
    // Creates the core (after any file set-up the test wants).
    TessivarCore& start();

    QString journalPath(const QString& name = QStringLiteral("Journal.2025-01-01T000000.01.log")) const;
    // Appends bytes to a journal file (created if missing).
    void append(const QByteArray& bytes,
                const QString& name = QStringLiteral("Journal.2025-01-01T000000.01.log"));
    void pass();
    // What the person was told: every box, then every failure that went to
    // the message strip, as often as it came.
    QStringList told() const;
    // The failures on the message strip, one per text.
    QStringList stripTexts() const;
};

// Gives the offscreen platform these screens, side by side from the left,
// with window frames (call before the application object is made; the
// config file must outlive it).
void useOffscreenScreens(const QString& configFile, const QList<QSize>& screens);

// A journal line of the given event with extra "key":value text.
QByteArray journalLine(const char* timestamp, const char* event, const QByteArray& extra = {});

// Path of a file in the shared fixtures, or empty text when they are absent.
QString sharedFixture(const QString& relative);
QString testData(const QString& relative);
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
// Lines of a .jsonl fixture file.
QList<QByteArray> fixtureLines(const QString& relative);

// One run of a command-line program that prints JSON objects one a line.
struct CliRun
{
    int exitCode = -1;  // -1 when it did not start or did not end within a minute
    QList<QJsonObject> objects;
    QByteArray err;
};

enum class CliWait
{
    Blocking,
    // Keeps this process's event loop turning meanwhile, for servers the
    // test runs here that the program talks to.
    ServeEvents
};

CliRun runCli(const QString& program, const QStringList& args, CliWait wait = CliWait::Blocking);

#ifdef TESSIVAR_CLI
// The command-line tool built beside the test.
inline CliRun runCli(const QStringList& args, CliWait wait = CliWait::Blocking)
{
    return runCli(QStringLiteral(TESSIVAR_CLI), args, wait);
}
#endif

// An http:// address on the loopback where nothing listens.
QString unusedLoopbackUrl();
// Starts a tessivar-hub (`program`) on a free loopback port with `args`
// added; its address "http://127.0.0.1:PORT", or empty text when it did not start.
QString startHub(QProcess& hub, const QString& program, const QStringList& args);

#define REQUIRE_SHARED(var, rel)                                                                             \
    const QString var = sharedFixture(rel);                                                                  \
    if (var.isEmpty())                                                                                       \
        QSKIP("shared fixtures are not available");
