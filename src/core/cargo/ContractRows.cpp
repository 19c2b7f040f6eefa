#include "cargo/ContractRows.h"

const Order* acceptedOrderOf(const QList<Order>& accepted, quint64 carrierId)
{
    if (carrierId == 0)
        return nullptr;
    for (auto it = accepted.crbegin(); it != accepted.crend(); ++it)
        if (it->carrierId == carrierId)
            return &*it;
    return nullptr;
}

std::optional<QList<ContractRow>> contractRows(const QList<Order>& accepted, quint64 carrierId)
{
    const Order* order = acceptedOrderOf(accepted, carrierId);
    if (!order)
        return std::nullopt;
    QList<ContractRow> rows;
    for (const OrderLine& line : order->lines)
        rows.append({line.commodity, line.count});
    return rows;
}
