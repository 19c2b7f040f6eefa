#pragma once

#include "hub/OrderLines.h"
#include "hub/Orders.h"

#include <QAbstractItemModel>
#include <QJsonArray>
#include <QList>

// Orders as a tree for a tree view: the hub's order list and the accepted
// contracts. An order is a top-level row; below it its carrier id, action,
// location and one row per commodity. The texts are made only when drawn
// (OrderLines), in the person's language; the dump keeps its stored texts.
// Every change goes through the model so views follow.
class OrderTree : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit OrderTree(QObject* parent = nullptr);
    ~OrderTree() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const QList<Order>& orders() const { return m_orders; }
    int orderCount() const { return int(m_orders.size()); }
    // The order of row `row`; nullptr when there is none.
    const Order* order(int row) const;
    // The row of the order an index shows (its heading or any of its lines); -1 for none.
    int orderRow(const QModelIndex& index) const;

    void clear();
    // Replaces every order at once (one reset for the views).
    void setOrders(QList<Order> orders);
    // Appends an order in one insertion.
    void appendOrder(Order order);
    // Gives the order of row `row` new details: its rows change in place,
    // and those it gains or loses are inserted or removed.
    void replaceOrder(int row, Order order);

    // The lines of an order below its heading, in the order shown, as the dump
    // records them (the view draws them in the person's language).
    static QStringList detailLines(const Order& order);
    // [{"text": ..., "children": [{"text": ..., "children": []}, ...]}, ...]
    QJsonArray toJson() const;

private:
    static int childCount(const Order& order) { return 3 + int(order.lines.size()); }
    static QString childText(const Order& order, int row, OrderLines::Wording wording);

    QList<Order> m_orders;
};
