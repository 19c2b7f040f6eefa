// tessivar-cli: the program's core without windows, for diagnosis, scripting
// and acceptance tests.
#include "cli/Replay.h"
#include "common/Language.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tessivar"));
    // As the program does, so that a replay shows what changes with the language.
    Language::install(QString());
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        out << replayUsage();
        out << journalDiagnostics();
        return args.isEmpty() ? 2 : 0;
    }
    if (args.first() == QLatin1String("journal-dirs")) {
        out << journalDiagnostics();
        return 0;
    }
    if (args.first() != QLatin1String("replay")) {
        err << "unknown command: " << args.first() << "\n" << replayUsage();
        return 2;
    }
    args.removeFirst();
    return runReplay(args, out, err);
}
