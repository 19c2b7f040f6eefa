#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <vector>

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
    std::function<void(const QByteArray& line)> call;
};

struct DispatchRow
{
    int number;
    QByteArrayView event;  // the event name of the row's "event":"Name" pattern
    DispatchGate gate;
    // Extra test on the raw line and the state at that moment of the walk.
    std::function<bool(QByteArrayView line)> condition;
    std::vector<DispatchCall> calls;
    const char* mobileAfter;  // kind pushed to the phone after the row's handlers, or nullptr
};

// The rows in evaluation order (the core builds them: EventRoutes.h).
using DispatchTable = std::vector<DispatchRow>;
