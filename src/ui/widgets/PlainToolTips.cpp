#include "widgets/PlainToolTips.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>

namespace {

// The tool tip that Qt would show for `w` at `pos`: a cell's for an item
// view's viewport, else the widget's own.
QString toolTipAt(QWidget* w, const QPoint& pos, QRect* area)
{
    auto* view = qobject_cast<QAbstractItemView*>(w->parentWidget());
    if (view && view->viewport() == w) {
        if (auto* header = qobject_cast<QHeaderView*>(view)) {
            const int section = header->logicalIndexAt(pos);
            if (section < 0 || !header->model())
                return {};
            return header->model()->headerData(section, header->orientation(), Qt::ToolTipRole).toString();
        }
        const QModelIndex index = view->indexAt(pos);
        *area = view->visualRect(index);
        return index.data(Qt::ToolTipRole).toString();
    }
    return w->toolTip();
}

}  // namespace

QString PlainToolTips::escaped(const QString& text)
{
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap);
}

bool PlainToolTips::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* w = static_cast<QWidget*>(watched);
    const auto* help = static_cast<QHelpEvent*>(event);
    QRect area;
    const QString text = toolTipAt(w, help->pos(), &area);
    // Widgets with tips of their own making (tab bars, charts) keep them.
    if (text.isEmpty())
        return QObject::eventFilter(watched, event);
    QToolTip::showText(help->globalPos(), escaped(text), w, area);
    return true;
}
