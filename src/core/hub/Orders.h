#pragma once

#include "HubProtocol.h"

#include <QList>
#include <QString>

// One commodity of a hub order.
struct OrderLine
{
    QString commodity;
    qint64 count = 0;
    qint64 price = 0;  // % of the galactic average

    bool operator==(const OrderLine&) const = default;
};

// One commander's order for one carrier, as the contracts window shows it:
// the hub's rows of the same carrier name and commander taken together.
struct Order
{
    QString carrierName;
    QString cmdr;
    quint64 carrierId = 0;  // 0: the hub named none
    QString action;         // "Demand" or "Unload"
    QString location;
    QList<OrderLine> lines;

    bool operator==(const Order&) const = default;
};

// The hub's rows grouped into orders, in the order each first appears. The
// carrier id, action and location are those of an order's first row.
QList<Order> groupOrders(const QList<HubProtocol::OrderRow>& rows);

// Whether two orders are the same order seen twice: the same carrier name and
// commander, letters A-Z and a-z matching each other.
bool sameOrder(const Order& a, const Order& b);
