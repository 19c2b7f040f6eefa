#include "journal/LogModel.h"

#include <algorithm>

int LogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant LogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_lines.size()))
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return lineText(index.row());
    return {};
}

QString LogModel::lineText(qsizetype i) const
{
    const Entry& e = m_lines[size_t(i)];
    return e.batch->lineText(e.index);
}

void LogModel::append(const JournalBatchPtr& batch)
{
    if (batch->isEmpty())
        return;
    const qsizetype from = std::max<qsizetype>(0, batch->size() - maxLines);
    const qsizetype adding = batch->size() - from;
    const qsizetype overflow = std::min<qsizetype>(count(), count() + adding - maxLines);
    if (overflow > 0) {
        beginRemoveRows({}, 0, int(overflow) - 1);
        m_lines.erase(m_lines.begin(), m_lines.begin() + overflow);
        endRemoveRows();
    }
    const int first = int(m_lines.size());
    beginInsertRows({}, first, first + int(adding) - 1);
    for (qsizetype i = from; i < batch->size(); ++i)
        m_lines.push_back({batch, i});
    endInsertRows();
}

void LogModel::removeFirst()
{
    if (m_lines.empty())
        return;
    beginRemoveRows({}, 0, 0);
    m_lines.pop_front();
    endRemoveRows();
}
