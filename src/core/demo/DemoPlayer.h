#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

// Plays a recorded session into a journal folder over time, as the game would
// write it while a commander flies: the journal's lines one after another,
// Cargo.json beside it when a Cargo line carries the hold's inventory, and the
// demo's Market.json when a Market line is written. The program follows that
// folder as it follows the game's.
//
// The demo folder holds the session (`Journal.*.log`), the `Market.json` of its
// market and the stored files the demo commander starts with (`settings.ini`,
// `zaladunek.ini`). The lines of the session's first minute are there at once,
// as when the program is started during a game; the rest follow one by one,
// paced by their timestamps (kept between kMinGapMs and kMaxGapMs, divided by
// the speed factor).
class DemoPlayer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMinGapMs = 700;
    static constexpr int kMaxGapMs = 3000;

    DemoPlayer(QString demoFolder, QString journalFolder, QObject* parent = nullptr);

    // Reads the session; throws TessivarError when the demo folder has none.
    void load();
    // Copies the demo commander's stored files into dataFolder, keeping any already there.
    void seedDataFolder(const QString& dataFolder) const;
    // Writes the session's start at once.
    void writeHead();
    // Writes the next line (and its snapshot); false when the session has ended.
    bool step();
    // Writes the remaining lines over time (speed > 1 plays faster).
    void start(double speed = 1.0);

    bool atEnd() const { return m_next >= m_lines.size(); }
    qsizetype linesWritten() const { return m_next; }
    qsizetype lineCount() const { return m_lines.size(); }
    QString journalFile() const;

signals:
    // A commodity was bought: the demo looks it up in Last Shopping, as a player would.
    void searchDue(const QString& commodity);
    void finished();
    // Writing the next line failed; the demo stops.
    void failed(const QString& text);

private:
    void writeLine(const QByteArray& line);
    void writeFile(const QString& name, const QByteArray& bytes) const;
    void scheduleNext();

    QString m_demoFolder;
    QString m_journalFolder;
    QString m_journalName;
    QList<QByteArray> m_lines;
    qsizetype m_next = 0;
    QString m_pendingSearch;
    double m_speed = 1.0;
    QTimer m_timer;
};
