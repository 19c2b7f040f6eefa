#pragma once

#include "hub/Orders.h"

#include <QList>
#include <QString>
#include <optional>

// What the loading list takes of a contract accepted from the hub.
struct ContractRow
{
    QString commodity;
    qint64 count = 0;

    bool operator==(const ContractRow&) const = default;
};

// The accepted order of carrier `carrierId` the loading list shows: the one
// taken last. nullptr when none is (carrier id 0 is never an order's).
const Order* acceptedOrderOf(const QList<Order>& accepted, quint64 carrierId);

// That order's commodities and counts, in order; nullopt when there is no such order.
std::optional<QList<ContractRow>> contractRows(const QList<Order>& accepted, quint64 carrierId);
