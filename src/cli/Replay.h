#pragma once

#include <QStringList>
#include <QTextStream>

QString replayUsage();
QString journalDiagnostics();
// Runs `tessivar-cli replay` with the arguments after "replay". Returns the exit code.
int runReplay(const QStringList& args, QTextStream& out, QTextStream& err);
