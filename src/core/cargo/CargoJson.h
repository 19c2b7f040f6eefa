#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>
#include <optional>

// Reading the game's cargo texts: journal lines and the Cargo.json snapshot.
// A required value that is missing or of the wrong kind throws TessivarError
// naming the event and the key.
namespace CargoJson {

// Any JSON text, scalars included; std::nullopt when it does not parse.
std::optional<QJsonValue> parseValue(const QByteArray& utf8);
// A JSON number without a fraction, up to 2^53.
std::optional<qint64> wholeNumber(const QJsonValue& v);

// The object of a journal line. `parsed` is false (and the result empty) for
// text that is not JSON; JSON that is not an object throws.
QJsonObject eventObject(const QByteArray& line, const char* event, bool* parsed);
QString requiredText(const QJsonObject& o, const QString& key, const char* event);
qint64 requiredCount(const QJsonObject& o, const char* event);

// One "name:count" line per entry of the snapshot's "Inventory", in order.
QStringList cargoEntryLines(const QJsonValue& snapshot);

}  // namespace CargoJson
