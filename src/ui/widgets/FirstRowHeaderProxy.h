#pragma once

#include <QSortFilterProxyModel>

// Shows a text grid whose row 0 is its heading: the view gets rows 1.. as
// its rows and row 0 as its fixed horizontal header, which stays in place
// when the rows scroll.
class FirstRowHeaderProxy : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit FirstRowHeaderProxy(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    void headingMayHaveChanged();
};
