#pragma once

#include "common/Error.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <utility>

class UserInteraction;
class NoticeModel;

// Where a module puts a text the person must read. What the person started
// (a button, a form) answers with a message box at once; what happened on its
// own (a journal pass, a file read, the network in the background) goes to the
// main window's message strip, where a repeat is counted rather than shown
// again, so a fault on every pass never grows into a storm of boxes.
class ReportSink
{
public:
    ReportSink(UserInteraction& ui, NoticeModel& notices) : m_ui(ui), m_notices(notices) {}

    // A box at once, or a notice while a journal pass runs (nobody clicked for it).
    void report(const QString& text);
    // A failure nobody asked for: to the strip (and the log), whenever it comes.
    void notice(const QString& text);

    // Runs f and reports whatever it throws: the edge of a slot, so that a
    // failure never travels back through a signal into whoever emitted it.
    template <typename F> void guard(F&& f) noexcept;
    // A slot for connect() that runs f at such an edge.
    template <typename F> auto edge(F f)
    {
        return [this, f = std::move(f)](auto&&... args) {
            guard([&] { f(std::forward<decltype(args)>(args)...); });
        };
    }

    void beginPass();
    // Between the slices of a pass, what is reported is no longer the pass's
    // (a click then gets its box); resuming gathers into the same pass again.
    void pausePass() { m_inPass = false; }
    void resumePass() { m_inPass = true; }
    // Ends the pass and hands back what it reported (already on the strip).
    QStringList endPass();

private:
    UserInteraction& m_ui;
    NoticeModel& m_notices;
    bool m_inPass = false;
    QStringList m_gathered;
};

template <typename F> void ReportSink::guard(F&& f) noexcept
{
    try {
        try {
            std::forward<F>(f)();
        } catch (const std::exception& e) {
            report(errorText(e));
        } catch (...) {
            report(QCoreApplication::translate("ReportSink", "Unknown error"));
        }
    } catch (...) {
        // Showing the report failed in turn (no memory left): nothing more can be told.
    }
}
