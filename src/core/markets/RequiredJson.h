#pragma once

#include <QJsonObject>
#include <QString>

// Required fields of the game's JSON (MarketBuy lines, Market.json). A missing
// field or one of the wrong kind throws TessivarError naming the field and
// the place it was read for, so the message tells the user what was broken.
namespace RequiredJson {

QString text(const QJsonObject& o, const QString& key, const QString& where);
// A whole number that fits 64 bits, signed.
qint64 integer(const QJsonObject& o, const QString& key, const QString& where);
// A whole number that fits 32 bits, signed.
int int32(const QJsonObject& o, const QString& key, const QString& where);
// A non-negative whole number up to 2^64 - 1 (ids above 2^63 arrive as doubles).
quint64 unsigned64(const QJsonObject& o, const QString& key, const QString& where);

}  // namespace RequiredJson
