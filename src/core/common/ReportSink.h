#pragma once

#include <QString>
#include <QStringList>

class UserInteraction;

// Where a module puts a text the person must read. During a journal pass the
// texts are gathered and shown together once the pass has ended, so a pass
// over a long journal raises one box, not one per faulty line; outside a pass
// each text is shown at once.
class ReportSink
{
public:
    explicit ReportSink(UserInteraction& ui) : m_ui(ui) {}

    void report(const QString& text);

    void beginPass();
    // Ends the gathering and hands back what the pass reported.
    QStringList endPass();
    // Shows the texts of one pass together (nothing when there are none).
    void showGathered(const QStringList& texts);

private:
    UserInteraction& m_ui;
    bool m_inPass = false;
    QStringList m_gathered;
};
