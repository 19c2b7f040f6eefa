#include "markets/MarketTables.h"

#include "common/NumberFormat.h"

#include <QDateTime>
#include <QLocale>

SortableTableModel::SortableTableModel(std::function<QStringList()> headings, QObject* parent)
    : QAbstractTableModel(parent), m_headings(std::move(headings))
{}

int SortableTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SortableTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headings().size());
}

QVariant SortableTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_rows[index.row()].size())
        return {};
    const Cell& c = m_rows[index.row()][index.column()];
    const bool number = c.key.typeId() == QMetaType::LongLong;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return c.text;
    case SortRole:
        return c.key.isValid() ? c.key : QVariant(c.text);
    case Qt::TextAlignmentRole:
        return number ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    default:
        return {};
    }
}

QVariant SortableTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_headings().value(section);
}

void SortableTableModel::setRows(const QList<QList<Cell>>& rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

QStringList SortableTableModel::rowTexts(int row) const
{
    QStringList out;
    for (const Cell& c : m_rows.value(row))
        out.append(c.text);
    return out;
}

namespace {

SortableTableModel::Cell number(qint64 value)
{
    return {FormatNumberWithCommas(value, QLocale()), QVariant::fromValue<qint64>(value)};
}

SortableTableModel::Cell seen(const QString& isoUtc)
{
    return {MarketTables::seenText(isoUtc), isoUtc};
}

}  // namespace

QString MarketTables::seenText(const QString& isoUtc)
{
    const QDateTime t = QDateTime::fromString(isoUtc, Qt::ISODate);
    return t.isValid() ? QLocale().toString(t.toLocalTime(), QLocale::ShortFormat) : isoUtc;
}

QList<QList<SortableTableModel::Cell>> MarketTables::offerRows(const QList<MarketOffer>& offers)
{
    QList<QList<SortableTableModel::Cell>> rows;
    rows.reserve(offers.size());
    for (const MarketOffer& o : offers)
        rows.append({{o.system, {}},
                     {o.station, {}},
                     {o.stationType, {}},
                     number(o.price),
                     number(o.stock),
                     seen(o.seen)});
    return rows;
}

QList<QList<SortableTableModel::Cell>> MarketTables::marketRows(const QList<SeenMarket>& markets)
{
    QList<QList<SortableTableModel::Cell>> rows;
    rows.reserve(markets.size());
    for (const SeenMarket& m : markets)
        rows.append(
            {{m.system, {}}, {m.station, {}}, {m.stationType, {}}, number(m.sold.size()), seen(m.seen)});
    return rows;
}
