#pragma once

#include "hub/Orders.h"

#include <QString>

// The texts the order trees draw. They are made here from typed orders and
// never read back: whoever needs an order's data takes it from the Order.
namespace OrderLines {

// "🚀 " carrier name " - 🧑‍🚀 " cmdr; the astronaut is U+1F9D1 U+200D U+1F680.
QString header(const Order& order);
// "🆔 CarrierID: " id
QString carrierIdLine(const Order& order);
QString actionLine(const Order& order);
QString locationLine(const Order& order);
// "📦 Commodity: [" commodity "] 🔢 " count " / 💰 " price "% AVG;"
QString commodityLine(const OrderLine& line);

}  // namespace OrderLines
