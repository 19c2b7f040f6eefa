#include "hub/OrderTree.h"

#include "commodities/CommodityNames.h"
#include "hub/OrderLines.h"

#include <QJsonObject>

// An order's heading has internal id 0; a line below order n has n + 1.

OrderTree::OrderTree(QObject* parent) : QAbstractItemModel(parent) {}

OrderTree::~OrderTree() = default;

QModelIndex OrderTree::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < orderCount() ? createIndex(row, 0, quintptr(0)) : QModelIndex();
    if (parent.model() != this || parent.internalId() != 0 || parent.row() >= orderCount())
        return {};
    if (row >= childCount(m_orders[parent.row()]))
        return {};
    return createIndex(row, 0, quintptr(parent.row()) + 1);
}

QModelIndex OrderTree::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.model() != this || child.internalId() == 0)
        return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int OrderTree::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return orderCount();
    if (parent.model() != this || parent.column() != 0 || parent.internalId() != 0 ||
        parent.row() >= orderCount())
        return 0;
    return childCount(m_orders[parent.row()]);
}

int OrderTree::columnCount(const QModelIndex&) const
{
    return 1;
}

QString OrderTree::childText(const Order& order, int row, OrderLines::Wording wording)
{
    switch (row) {
    case 0:
        return OrderLines::carrierIdLine(order, wording);
    case 1:
        return OrderLines::actionLine(order, wording);
    case 2:
        return OrderLines::locationLine(order, wording);
    default:
        return OrderLines::commodityLine(order.lines[row - 3], wording);
    }
}

QVariant OrderTree::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const int row = orderRow(index);
    if (row < 0)
        return {};
    const Order& o = m_orders[row];
    constexpr auto shown = OrderLines::Wording::Shown;
    if (index.internalId() == 0)
        return OrderLines::header(o, shown);
    if (index.row() >= childCount(o))
        return {};
    // A commodity line shows the commodity as the game names it; the tooltip
    // and everything the lists and checks read keep the hub's spelling.
    if (role == Qt::DisplayRole && index.row() >= 3) {
        OrderLine line = o.lines[index.row() - 3];
        line.commodity = CommodityNames::displayName(line.commodity);
        return OrderLines::commodityLine(line, shown);
    }
    return childText(o, index.row(), shown);
}

const Order* OrderTree::order(int row) const
{
    return row >= 0 && row < orderCount() ? &m_orders[row] : nullptr;
}

int OrderTree::orderRow(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return -1;
    const int row = index.internalId() == 0 ? index.row() : int(index.internalId() - 1);
    return row < orderCount() ? row : -1;
}

void OrderTree::clear()
{
    if (m_orders.isEmpty())
        return;
    beginResetModel();
    m_orders.clear();
    endResetModel();
}

void OrderTree::setOrders(QList<Order> orders)
{
    beginResetModel();
    m_orders = std::move(orders);
    endResetModel();
}

void OrderTree::appendOrder(Order order)
{
    const int row = orderCount();
    beginInsertRows({}, row, row);
    m_orders.append(std::move(order));
    endInsertRows();
}

void OrderTree::replaceOrder(int row, Order order)
{
    if (row < 0 || row >= orderCount())
        return;
    const QModelIndex heading = index(row, 0);
    const int before = childCount(m_orders[row]);
    const int after = childCount(order);
    // Rows are inserted or removed at the end first, with the others as they
    // were; then every kept row changes at once.
    Order& shown = m_orders[row];
    if (after > before) {
        beginInsertRows(heading, before, after - 1);
        shown.lines += order.lines.mid(shown.lines.size());
        endInsertRows();
    } else if (after < before) {
        beginRemoveRows(heading, after, before - 1);
        shown.lines.resize(order.lines.size());
        endRemoveRows();
    }
    shown = std::move(order);
    emit dataChanged(heading, heading);
    const int kept = std::min(before, after);
    emit dataChanged(index(0, 0, heading), index(kept - 1, 0, heading));
}

QStringList OrderTree::detailLines(const Order& order)
{
    QStringList out;
    for (int r = 0; r < childCount(order); ++r)
        out.append(childText(order, r, OrderLines::Wording::Stored));
    return out;
}

QJsonArray OrderTree::toJson() const
{
    QJsonArray a;
    for (const Order& o : m_orders) {
        QJsonArray children;
        for (const QString& line : detailLines(o))
            children.append(
                QJsonObject{{QStringLiteral("text"), line}, {QStringLiteral("children"), QJsonArray()}});
        a.append(QJsonObject{{QStringLiteral("text"), OrderLines::header(o)},
                             {QStringLiteral("children"), children}});
    }
    return a;
}
