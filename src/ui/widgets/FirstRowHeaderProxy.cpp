#include "widgets/FirstRowHeaderProxy.h"

FirstRowHeaderProxy::FirstRowHeaderProxy(QObject* parent) : QSortFilterProxyModel(parent) {}

void FirstRowHeaderProxy::setSourceModel(QAbstractItemModel* source)
{
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    QSortFilterProxyModel::setSourceModel(source);
    if (!source)
        return;
    connect(source, &QAbstractItemModel::modelReset, this, &FirstRowHeaderProxy::headingMayHaveChanged);
    connect(source, &QAbstractItemModel::rowsInserted, this, &FirstRowHeaderProxy::headingMayHaveChanged);
    connect(source, &QAbstractItemModel::rowsRemoved, this, &FirstRowHeaderProxy::headingMayHaveChanged);
    connect(source, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from) {
        if (from.row() == 0)
            headingMayHaveChanged();
    });
}

QVariant FirstRowHeaderProxy::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && sourceModel())
        return sourceModel()->index(0, section).data(Qt::DisplayRole);
    return QSortFilterProxyModel::headerData(section, orientation, role);
}

bool FirstRowHeaderProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return sourceRow > 0;
}

void FirstRowHeaderProxy::headingMayHaveChanged()
{
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}
