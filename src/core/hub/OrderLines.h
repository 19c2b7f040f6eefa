#pragma once

#include "hub/Orders.h"

#include <QString>

// The texts the order trees draw. They are made here from typed orders and
// never read back: whoever needs an order's data takes it from the Order.
namespace OrderLines {

// Stored: the texts as the replay dump has always recorded them (English
// captions, "brak" for a field an order lacks, plain digits). Shown: the same
// lines in the person's language, with numbers grouped as that language does.
enum class Wording
{
    Stored,
    Shown
};

// "🚀 " carrier name " - 🧑‍🚀 " cmdr; the astronaut is U+1F9D1 U+200D U+1F680.
QString header(const Order& order, Wording wording = Wording::Stored);
// "🆔 CarrierID: " id
QString carrierIdLine(const Order& order, Wording wording = Wording::Stored);
QString actionLine(const Order& order, Wording wording = Wording::Stored);
QString locationLine(const Order& order, Wording wording = Wording::Stored);
// "📦 Commodity: [" commodity "] 🔢 " count " / 💰 " price "% AVG;"
QString commodityLine(const OrderLine& line, Wording wording = Wording::Stored);

}  // namespace OrderLines
