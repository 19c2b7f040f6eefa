#include "common/ReportSink.h"

#include "common/UserInteraction.h"

#include <utility>

void ReportSink::report(const QString& text)
{
    if (m_inPass)
        m_gathered.append(text);
    else
        m_ui.showMessage(text);
}

void ReportSink::beginPass()
{
    m_inPass = true;
    m_gathered.clear();
}

QStringList ReportSink::endPass()
{
    m_inPass = false;
    return std::exchange(m_gathered, {});
}

void ReportSink::showGathered(const QStringList& texts)
{
    if (!texts.isEmpty())
        m_ui.showReport(texts);
}
