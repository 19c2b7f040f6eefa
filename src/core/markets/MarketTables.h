#pragma once

#include "markets/MarketStore.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <functional>

// A read-only table whose cells carry a text for the person and a value to
// sort by, so numbers sort as numbers and times as times, whatever the
// locale shows of them. The headings are asked for each time they are
// shown, so a change of language reaches them.
class SortableTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole;
    struct Cell
    {
        QString text;
        QVariant key;  // a number sorts and aligns as one; empty sorts by the text
    };

    explicit SortableTableModel(std::function<QStringList()> headings, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setRows(const QList<QList<Cell>>& rows);
    const QList<QList<Cell>>& rows() const { return m_rows; }
    // The shown texts of one row.
    QStringList rowTexts(int row) const;

private:
    std::function<QStringList()> m_headings;
    QList<QList<Cell>> m_rows;
};

// Texts of the market tables as the person reads them.
namespace MarketTables {

// A snapshot's time in the person's locale (short form, local time).
QString seenText(const QString& isoUtc);
// System, station, type, price, stock, seen.
QList<QList<SortableTableModel::Cell>> offerRows(const QList<MarketOffer>& offers);
// System, station, type, commodities sold, seen.
QList<QList<SortableTableModel::Cell>> marketRows(const QList<SeenMarket>& markets);

}  // namespace MarketTables
