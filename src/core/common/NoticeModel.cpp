#include "common/NoticeModel.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcNotices, "tessivar.notices")

}  // namespace

void NoticeModel::add(const QString& text, const QDateTime& when)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return;
    for (qsizetype i = 0; i < m_notices.size(); ++i) {
        if (m_notices[i].text != t)
            continue;
        Notice n = m_notices.takeAt(i);
        ++n.count;
        n.last = when;
        qCDebug(lcNotices).noquote() << "again (" << n.count << "):" << t;
        m_notices.append(n);
        emit changed();
        return;
    }
    qCWarning(lcNotices).noquote() << t;
    m_notices.append({t, 1, when});
    while (m_notices.size() > kMaxNotices)
        m_notices.removeFirst();
    emit changed();
}

void NoticeModel::clear()
{
    if (m_notices.isEmpty())
        return;
    m_notices.clear();
    emit changed();
}

QString NoticeModel::line(const Notice& n)
{
    const QString time = n.last.toString(QStringLiteral("HH:mm:ss"));
    if (n.count == 1)
        return tr("%1: %2").arg(time, n.text);
    return tr("%1: %2 (%n times)", nullptr, n.count).arg(time, n.text);
}
