#pragma once

#include <QString>
#include <QStringList>

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

    void beginPass();
    // Ends the pass and hands back what it reported (already on the strip).
    QStringList endPass();

private:
    UserInteraction& m_ui;
    NoticeModel& m_notices;
    bool m_inPass = false;
    QStringList m_gathered;
};
