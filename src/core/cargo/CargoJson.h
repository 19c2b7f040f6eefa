#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>
#include <optional>

// Reading the game's cargo texts: journal lines and the Cargo.json snapshot.
// A required value that is missing or of the wrong kind throws TessivarError
// naming the event and the key. Counts are whole numbers below 2^53.
namespace CargoJson {

// The object of a journal line. `parsed` is false (and the result empty) for
// text that is not JSON; JSON that is not an object throws.
QJsonObject eventObject(const QByteArray& line, const char* event, bool* parsed);

// One "name:count" line per entry of the snapshot's "Inventory", in order.
QStringList cargoEntryLines(const QJsonValue& snapshot);

// The game's display name ("Name_Localised") of each entry's "Name", where
// the snapshot gives one; nothing is required here.
QHash<QString, QString> cargoDisplayNames(const QJsonValue& snapshot);

}  // namespace CargoJson
