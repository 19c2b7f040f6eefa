// tessivar-replayer: writes a recorded journal into a folder line by line over
// time, as the game would while it runs, so the program can be watched
// following a live journal.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QThread>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Writes a recorded journal into a folder over time."));
    p.addHelpOption();
    p.addPositionalArgument(QStringLiteral("journal"), QStringLiteral("Recorded Journal*.log file."));
    p.addPositionalArgument(QStringLiteral("folder"),
                            QStringLiteral("Folder to write the live journal into."));
    const QCommandLineOption interval(QStringLiteral("interval-ms"),
                                      QStringLiteral("Pause between steps (ms)."), QStringLiteral("ms"),
                                      QStringLiteral("1500"));
    const QCommandLineOption perStep(QStringLiteral("lines"), QStringLiteral("Lines written per step."),
                                     QStringLiteral("n"), QStringLiteral("3"));
    const QCommandLineOption head(QStringLiteral("head"), QStringLiteral("Lines written at once at start."),
                                  QStringLiteral("n"), QStringLiteral("40"));
    const QCommandLineOption loop(QStringLiteral("loop"), QStringLiteral("Start over at the end."));
    p.addOption(interval);
    p.addOption(perStep);
    p.addOption(head);
    p.addOption(loop);
    p.process(app);
    if (p.positionalArguments().size() != 2)
        p.showHelp(2);

    QFile src(p.positionalArguments().at(0));
    if (!src.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "cannot read " << src.fileName() << "\n";
        return 1;
    }
    const QByteArray all = src.readAll();
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype nl = all.indexOf('\n', start);
        if (nl < 0)
            nl = all.size() - 1;
        lines.append(all.mid(start, nl - start + 1));
        start = nl + 1;
    }
    const QString folder = p.positionalArguments().at(1);
    QDir().mkpath(folder);
    // The game writes the ship's hold snapshot beside the journal at start.
    QFile cargo(QDir(folder).filePath(QStringLiteral("Cargo.json")));
    if (!cargo.exists() && cargo.open(QIODevice::WriteOnly))
        cargo.write("{ \"timestamp\":\"2025-06-20T19:32:21Z\", \"event\":\"Cargo\", \"Vessel\":\"Ship\", "
                    "\"Count\":0, \"Inventory\":[  ] }\r\n");
    cargo.close();
    const QString name = QFileInfo(src.fileName()).fileName();
    const int step = std::max(1, p.value(perStep).toInt());
    const int pause = std::max(0, p.value(interval).toInt());
    int round = 0;
    do {
        // Each round is a new game session, so a new journal file, as the game
        // starts one per run (rewriting the old file would cut lines in half).
        QString fileName = name;
        if (round > 0)
            fileName = QFileInfo(name).completeBaseName() + QStringLiteral(".r%1.log").arg(round);
        ++round;
        const QString target = QDir(folder).filePath(fileName);
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QTextStream(stderr) << "cannot write " << target << "\n";
            return 1;
        }
        int i = 0;
        for (; i < std::min<int>(int(lines.size()), p.value(head).toInt()); ++i)
            out.write(lines[i]);
        out.flush();
        while (i < lines.size()) {
            QThread::msleep(ulong(pause));
            for (int k = 0; k < step && i < lines.size(); ++k, ++i)
                out.write(lines[i]);
            out.flush();
        }
    } while (p.isSet(loop));
    return 0;
}
