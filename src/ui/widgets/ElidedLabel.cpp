#include "widgets/ElidedLabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, sizePolicy().verticalPolicy());
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QSize whole = QLabel::minimumSizeHint();
    const int some = fontMetrics().horizontalAdvance(QStringLiteral("Wwww…"));
    return {std::min(whole.width(), some), whole.height()};
}

bool ElidedLabel::isElided() const
{
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    updateToolTip();
    if (!isElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    const QRect r = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
    style()->drawItemText(&p, r, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    updateToolTip();
}

bool ElidedLabel::event(QEvent* e)
{
    // The text may have changed since the last look (setText is no event).
    if (e->type() == QEvent::ToolTip)
        updateToolTip();
    return QLabel::event(e);
}

void ElidedLabel::updateToolTip()
{
    // A tooltip set by the window's own code stays; only the one telling the
    // whole text comes and goes with the cut.
    if (isElided()) {
        if (toolTip().isEmpty() || m_ownToolTip) {
            setToolTip(text());
            m_ownToolTip = true;
        }
    } else if (m_ownToolTip) {
        setToolTip(QString());
        m_ownToolTip = false;
    }
}
