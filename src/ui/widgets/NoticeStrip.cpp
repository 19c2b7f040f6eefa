#include "widgets/NoticeStrip.h"

#include "common/NoticeModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {

// A notice may hold several lines; the strip shows one.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

}  // namespace

NoticeStrip::NoticeStrip(NoticeModel& notices, QWidget* parent) : QWidget(parent), m_notices(notices)
{
    setObjectName(QStringLiteral("notice_strip"));
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    label_notice = new QLabel(this);
    label_notice->setObjectName(QStringLiteral("label_notice"));
    label_notice->setTextFormat(Qt::PlainText);
    label_notice->setMinimumWidth(1);
    label_notice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    l->addWidget(label_notice, 1);
    btn_dismiss = new QToolButton(this);
    btn_dismiss->setObjectName(QStringLiteral("btn_dismiss"));
    btn_dismiss->setText(tr("Dismiss"));
    btn_dismiss->setToolTip(tr("Clear these messages"));
    l->addWidget(btn_dismiss);
    connect(btn_dismiss, &QToolButton::clicked, &m_notices, &NoticeModel::clear);
    connect(&m_notices, &NoticeModel::changed, this, &NoticeStrip::refresh);
    refresh();
}

void NoticeStrip::refresh()
{
    const auto& all = m_notices.notices();
    setVisible(!all.isEmpty());
    if (all.isEmpty()) {
        m_line.clear();
        label_notice->clear();
        label_notice->setToolTip(QString());
        return;
    }
    m_line = oneLine(NoticeModel::line(all.last()));
    if (all.size() > 1)
        m_line = tr("%1  (%n more)", nullptr, int(all.size() - 1)).arg(m_line);
    QStringList tips;
    for (auto it = all.crbegin(); it != all.crend(); ++it)
        tips.append(NoticeModel::line(*it));
    label_notice->setToolTip(tips.join(QLatin1Char('\n')));
    elide();
}

void NoticeStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    elide();
}

void NoticeStrip::elide()
{
    label_notice->setText(
        label_notice->fontMetrics().elidedText(m_line, Qt::ElideRight, std::max(1, label_notice->width())));
}
