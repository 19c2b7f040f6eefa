#include "common/TextTableModel.h"

TextTableModel::TextTableModel(int columns, QObject* parent) : QAbstractTableModel(parent), m_columns(columns)
{}

int TextTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole && m_shown && index.column() == m_shownColumn)
        return m_shown(cell(index.row(), index.column()));
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return cell(index.row(), index.column());
    if (role == Qt::ToolTipRole) {
        const QString t = rowToolTip(index.row());
        return t.isEmpty() ? QVariant() : QVariant(t);
    }
    return {};
}

bool TextTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    setCell(index.row(), index.column(), value.toString());
    return true;
}

Qt::ItemFlags TextTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

QString TextTableModel::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_rows[row].size())
        return {};
    return m_rows[row][column];
}

void TextTableModel::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return;
    if (m_rows[row][column] == text)
        return;
    m_rows[row][column] = text;
    emit dataChanged(index(row, column), index(row, column));
}

QStringList TextTableModel::row(int r) const
{
    if (r < 0 || r >= m_rows.size())
        return QStringList(m_columns);
    return m_rows[r];
}

void TextTableModel::setRow(int r, const QStringList& cells)
{
    if (r < 0 || r >= m_rows.size())
        return;
    m_rows[r] = normalised(cells);
    emit dataChanged(index(r, 0), index(r, m_columns - 1));
}

QStringList TextTableModel::normalised(QStringList cells) const
{
    while (cells.size() < m_columns)
        cells.append(QString());
    if (cells.size() > m_columns)
        cells = cells.mid(0, m_columns);
    return cells;
}

void TextTableModel::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    const int n = int(m_rows.size());
    if (rows > n) {
        beginInsertRows({}, n, rows - 1);
        for (int i = n; i < rows; ++i)
            m_rows.append(QStringList(m_columns));
        endInsertRows();
    } else if (rows < n) {
        beginRemoveRows({}, rows, n - 1);
        m_rows.resize(rows);
        if (m_toolTips.size() > rows)
            m_toolTips.resize(rows);
        endRemoveRows();
    }
}

void TextTableModel::setColumnCount(int columns)
{
    columns = std::max(columns, 1);
    if (columns == m_columns)
        return;
    beginResetModel();
    m_columns = columns;
    for (QStringList& r : m_rows)
        r = normalised(r);
    endResetModel();
}

void TextTableModel::appendRow(const QStringList& cells)
{
    insertRowAt(int(m_rows.size()), cells);
}

void TextTableModel::insertRowAt(int r, const QStringList& cells)
{
    r = std::clamp(r, 0, int(m_rows.size()));
    beginInsertRows({}, r, r);
    m_rows.insert(r, normalised(cells));
    if (r < m_toolTips.size())
        m_toolTips.insert(r, QString());
    endInsertRows();
}

void TextTableModel::removeRowAt(int r)
{
    if (r < 0 || r >= m_rows.size())
        return;
    beginRemoveRows({}, r, r);
    m_rows.removeAt(r);
    if (r < m_toolTips.size())
        m_toolTips.removeAt(r);
    endRemoveRows();
}

void TextTableModel::setAll(const QList<QStringList>& rows)
{
    beginResetModel();
    m_rows.clear();
    for (const QStringList& r : rows)
        m_rows.append(normalised(r));
    m_toolTips.clear();
    endResetModel();
}

void TextTableModel::setShownText(int column, ShownText shown)
{
    m_shownColumn = column;
    m_shown = shown;
    if (!m_rows.isEmpty() && column >= 0 && column < m_columns)
        emit dataChanged(index(0, column), index(int(m_rows.size()) - 1, column), {Qt::DisplayRole});
}

void TextTableModel::setRowToolTip(int row, const QString& text)
{
    if (row < 0)
        return;
    if (m_toolTips.size() <= row)
        m_toolTips.resize(row + 1);
    m_toolTips[row] = text;
}

QString TextTableModel::rowToolTip(int row) const
{
    return row >= 0 && row < m_toolTips.size() ? m_toolTips[row] : QString();
}

QJsonArray TextTableModel::toJson() const
{
    QJsonArray a;
    for (const QStringList& r : m_rows)
        a.append(QJsonArray::fromStringList(r));
    return a;
}
