#include "common/ReportSink.h"

#include "common/NoticeModel.h"
#include "common/UserInteraction.h"

#include <utility>

void ReportSink::report(const QString& text)
{
    if (m_inPass) {
        m_gathered.append(text);
        m_notices.add(text);
    } else {
        m_ui.showMessage(text);
    }
}

void ReportSink::notice(const QString& text)
{
    m_notices.add(text);
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
