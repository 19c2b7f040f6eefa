#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The texts of the order-tree lines. The cargo list and the market
// verification read them back, so they are written and read here only.
namespace OrderLines {

// "🚀 " FC " - 🧑‍🚀 " cmdr; the astronaut is U+1F9D1 U+200D U+1F680.
QString header(const QString& FC, const QString& cmdr);
QString carrierIdLine(const QString& CarrierID);
QString actionLine(const QString& action);
QString locationLine(const QString& location);
// "📦 Commodity: [" commodity "] 🔢 " count " / 💰 " price "% AVG;"
QString commodityLine(const QString& commodity, const QString& count, const QString& price);

// "🆔 CarrierID: " (with its trailing blank).
const QString& carrierIdPrefix();
// "📦 Commodity:", the mark of a commodity line.
const QString& commodityMark();
// "🔢", the mark of the count.
const QString& countMark();

// The text between the line's first "[" and its first "]".
QString commodityName(const QString& line);
// The count of a commodity line: after "🔢" up to the line's first "/", trimmed.
// Empty when the line has no "🔢" (see hasCount) or the "/" comes first.
QString commodityCount(const QString& line);
bool hasCount(const QString& line);

// The commodity rows of one contract's lines, in order: (name, count) of
// every commodity line that has a count. The loading list and the hub client
// both read accepted contracts through this.
QList<QPair<QString, QString>> commodityRows(const QStringList& lines);

}  // namespace OrderLines
