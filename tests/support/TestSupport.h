#pragma once

#include "Core.h"
#include "common/UserInteraction.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A core on temporary journal and data folders, with scripted dialogs.
struct CoreFixture
{
    QTemporaryDir journalDir;
    QTemporaryDir dataDir;
    ScriptedInteraction ui;
    std::unique_ptr<TessivarCore> core;

    CoreFixture();
    // Creates the core (after any file set-up the test wants).
    TessivarCore& start();

    QString journalPath(const QString& name = QStringLiteral("Journal.2025-01-01T000000.01.log")) const;
    // Appends bytes to a journal file (created if missing).
    void append(const QByteArray& bytes,
                const QString& name = QStringLiteral("Journal.2025-01-01T000000.01.log"));
    void pass();
};

// A journal line of the given event with extra "key":value text.
QByteArray journalLine(const char* timestamp, const char* event, const QByteArray& extra = {});

// Path of a file in the shared fixtures, or empty text when they are absent.
QString sharedFixture(const QString& relative);
QString testData(const QString& relative);
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
// Lines of a .jsonl fixture file.
QList<QByteArray> fixtureLines(const QString& relative);

#define REQUIRE_SHARED(var, rel)                                                                             \
    const QString var = sharedFixture(rel);                                                                  \
    if (var.isEmpty())                                                                                       \
        QSKIP("shared fixtures are not available");
