#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <vector>

class TessivarCore;

// Who runs a dispatch row: on every dispatched batch, or only once the
// history of the journal has been read (counting events must not count the
// history again), or only on the first dispatch (the game's start-up
// snapshots). NewestOfHistory rows run on every later batch, but of the
// history only the newest line: their event replaces its record as a whole,
// so older lines of the history would be parsed only to be overwritten (a
// long journal holds hundreds of ship loadouts of 10-25 kB each). When the
// newest one fails, the ones before it are tried, newest first, so the record
// is the one a walk over every line would have left.
enum class DispatchGate
{
    Always,
    NotFirstPass,
    FirstPassOnly,
    NewestOfHistory
};

struct DispatchCall
{
    const char* handler;  // name shown in diagnostics
    void (*call)(TessivarCore& core, const QByteArray& line);
};

struct DispatchRow
{
    int number;
    QByteArrayView event;  // the event name of the row's "event":"Name" pattern
    DispatchGate gate;
    // Extra test on the raw line and the state at that moment of the walk.
    bool (*condition)(TessivarCore& core, QByteArrayView line);
    std::vector<DispatchCall> calls;
    const char* mobileAfter;  // kind pushed to the phone after the row's handlers, or nullptr
};

// The rows, in evaluation order.
const std::vector<DispatchRow>& dispatchTable();

// One pass of the main timer: refresh the labels, apply the settings once,
// read what the game appended to its newest journal, derive the dock
// information and hand each new line to the handlers of the rows it matches.
class JournalPass
{
public:
    explicit JournalPass(TessivarCore& core) : m_core(core) {}

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

    void Timer1Timer();
    bool isFirstPass() const { return last_time.isEmpty(); }

    // Where the newest line of each NewestOfHistory event of the history
    // stands in the journal file (-1: none).
    using NewestOfHistory = QVarLengthArray<std::pair<QByteArrayView, qint64>, 4>;
    // Dispatches the lines of a batch, or of one piece of a long read (step 12 of a pass).
    void dispatchLines(const class JournalBatch& batch, const NewestOfHistory& newest = {});

private:
    NewestOfHistory newestOfHistory(class JournalReader& journal) const;
    void dispatchRead(class JournalReader& journal);
    template <typename F> void guarded(F&& f);
    // False when a handler of the row failed (the failure has been reported).
    bool runRow(const DispatchRow& row, QByteArrayView line, QByteArrayView matchedEvent);

    TessivarCore& m_core;
};
