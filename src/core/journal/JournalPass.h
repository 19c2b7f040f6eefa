#pragma once

#include "journal/DispatchRow.h"
#include "journal/JournalReader.h"
#include "state/Records.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <optional>
#include <vector>

class LogModel;
class MainWindowModel;
class ReportSink;

// One pass of the main timer: refresh the labels, apply the settings once,
// read what the game appended to its newest journal, hand each new line to
// the handlers of the rows it matches and show where the player is docked.
class JournalPass : public QObject
{
    Q_OBJECT
public:
    JournalPass(DispatchTable routes, JournalReader& journal, LogModel& log, MainWindowModel& mainWindow,
                const GameState& state, ReportSink& reports);

    QString last_time;  // timestamp of the newest line of the last dispatched batch
    bool Settings_Loaded = false;
    int passes = 0;
    // A read longer than this reports its progress (MainWindowModel::passProgress).
    qint64 progressBytes = qint64(16) << 20;

    struct Dispatched
    {
        int pass;
        QString handler;
        QString event;
    };
    // Every handler call in order (kept only when enabled, for the replay tool).
    bool recordDispatches = false;
    std::vector<Dispatched> dispatched;
    // Texts the last pass reported.
    QStringList lastReport;

    // One whole pass at once. sameNewest: no journal file has come or gone in
    // the folder since the last look (the follower knows it from the watch),
    // so the followed file is still the newest and the folder is not listed
    // again.
    void Timer1Timer(bool sameNewest = false);
    // A pass in slices, so the event loop runs between the pieces of a long
    // read (a big journal at start) without anything turning it from inside
    // the pass: starts a pass, or dispatches the next piece of the one under
    // way (sameNewest is then ignored). True while the pass has more to read:
    // the next slice is due. A read of one piece is a whole pass in one slice.
    bool runSlice(bool sameNewest = false);
    bool isPassUnderWay() const { return m_walk.has_value(); }
    bool isFirstPass() const { return last_time.isEmpty(); }

    // Where the newest line of each NewestOfHistory event of the history
    // stands in the journal file (-1: none).
    using NewestOfHistory = QVarLengthArray<std::pair<QByteArrayView, qint64>, 4>;
    // Dispatches the lines of a batch, or of one piece of a long read (step 12 of a pass).
    void dispatchLines(const class JournalBatch& batch, const NewestOfHistory& newest = {});

signals:
    // Each receiver catches its own failures and reports them (a failure
    // never travels back through the signal into the pass).
    //
    // The first pass, before any line is read: the stored settings are due.
    void settingsDue();
    // A batch has been read and the dock labels show the dock record.
    void dockInfoRead();
    // A row asks for the phone to be told of one kind of change.
    void phoneUpdateDue(const QString& kind);
    // The lines of a new batch have been dispatched: the hold snapshot is due.
    void holdSnapshotDue();
    // ... and after it, the end of the dispatch.
    void batchDispatched();

private:
    // The commander and carrier labels, from the game state.
    void refreshLabels();
    NewestOfHistory newestOfHistory(JournalReader& journal) const;
    // The start of a pass, up to the read; true when its lines are to be dispatched.
    bool beginPass(bool sameNewest);
    // Dispatches the next piece of the read; true when more are left.
    bool dispatchNextPiece();
    // The end of a pass: the hold, the dock and the labels.
    void endPass(bool dispatched);
    // False when a handler of the row failed (the failure has been reported).
    bool runRow(const DispatchRow& row, QByteArrayView line, QByteArrayView matchedEvent);

    DispatchTable m_routes;
    JournalReader& m_journal;
    LogModel& m_log;
    MainWindowModel& m_mainWindow;
    const GameState& m_state;
    ReportSink& m_reports;

    // The pass under way between slices: the walk over its read and what the
    // pass has gathered for its end.
    std::optional<JournalReader::InOrderWalk> m_walk;
    NewestOfHistory m_newest;
    QString m_readTime;  // timestamp of the newest line of the read
    qint64 m_readTotal = 0;
    qint64 m_readDone = 0;
    bool m_showProgress = false;
};
