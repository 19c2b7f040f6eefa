#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QLatin1String>
#include <QString>
#include <optional>
#include <utility>

// Text of a scalar JSON value: a string as itself, a number as its decimal
// text (integers exactly, up to 64 bits), anything else empty.
QString jsonScalarText(const QJsonValue& v);

// What one journal line holds once parsed. The parsers treat text that is
// not JSON differently from JSON that is not an object.
enum class JsonLine
{
    Invalid,
    NotObject,
    Object
};
JsonLine parseJsonLine(const QByteArray& line, QJsonObject& object);

// The line itself when it is valid UTF-8; otherwise each byte that is not
// part of a UTF-8 character becomes U+FFFD, so the JSON still parses and
// the event is not lost.
QByteArray validUtf8(QByteArrayView line);

// Conversions of one JSON value to the type of a record field, as the
// journal parsers read keys: text from a JSON string, whole numbers from a
// JSON integer that fits the type (Qt's parser keeps 1.000000 as the integer
// 1, so a zero fraction counts as whole), a real from any JSON number, a Boolean
// from true/false, a list or object from a JSON array or object. False when
// the value does not convert; the output is then untouched. Unsigned 64-bit
// values are taken up to 2^63 - 1: beyond that the JSON parser keeps only an
// approximate double, and an inexact id is worse than none.
bool convertJson(const QJsonValue& v, QString& out);
bool convertJson(const QJsonValue& v, bool& out);
bool convertJson(const QJsonValue& v, int& out);
bool convertJson(const QJsonValue& v, qint64& out);
bool convertJson(const QJsonValue& v, quint64& out);
bool convertJson(const QJsonValue& v, double& out);
bool convertJson(const QJsonValue& v, QJsonArray& out);
bool convertJson(const QJsonValue& v, QJsonObject& out);

// How large a whole number a reader takes. Any64: whatever fits 64 bits
// signed. Exact: up to 9 * 10^15 either way, below 2^53, where every whole
// number is still exact when the parser kept it as a double.
enum class WholeRange
{
    Any64,
    Exact
};

// A JSON number with no fraction within `range`, exactly: integers as
// parsed, and numbers written with a fraction or an exponent whose value is
// whole (5.0, 1e3). Looser than convertJson(), which takes only what the
// parser kept as an integer; nullopt for anything else.
std::optional<qint64> jsonWholeNumber(const QJsonValue& v, WholeRange range = WholeRange::Any64);

// Any JSON text, scalars included; nullopt when it does not parse.
std::optional<QJsonValue> parseJsonValue(const QByteArray& utf8);

// Text of any JSON value as the writer put it: a string's contents, a number
// as written (whole numbers without a fraction), true/false/null, an array or
// object as compact JSON; empty for an undefined value.
QString jsonWrittenText(const QJsonValue& v);

// A scalar as a signed 64-bit whole number read from its text, so a number
// beyond 2^63 fails instead of wrapping; "12" counts as 12.
std::optional<qint64> jsonScalarInteger(const QJsonValue& v);
// The same within 32 bits.
std::optional<int> jsonScalarInt(const QJsonValue& v);

// Required values of the game's or the hub's JSON. A missing key or a value
// of the wrong kind throws TessivarError naming the key and `place`, the
// place it was read for ("Market.json, item 3", "CargoTransfer"), so the
// message tells the person what was broken. A place gives each failure its
// own message ("X: the field "Count" is missing", "X: the field "Count" is
// not a whole number"), or with `oneMessage` one for both ("X: "Count" is
// missing or not a whole number.").
struct JsonPlace
{
    QString name;
    bool oneMessage = false;
};
QString requiredJsonText(const QJsonObject& o, const QString& key, const JsonPlace& place);
qint64 requiredJsonWhole(const QJsonObject& o, const QString& key, const JsonPlace& place,
                         WholeRange range = WholeRange::Any64);
// A whole number that fits 32 bits, signed.
int requiredJsonInt32(const QJsonObject& o, const QString& key, const JsonPlace& place);
// A non-negative whole number up to 2^64 - 1 (ids from 2^63 up arrive as doubles).
quint64 requiredJsonUnsigned64(const QJsonObject& o, const QString& key, const JsonPlace& place);

// The value at a key path of an object ("Name", or "SystemFaction.Name" for
// the member Name of the object SystemFaction); undefined when any step is
// missing or not an object.
QJsonValue jsonPath(const QJsonObject& obj, QLatin1String path);

[[noreturn]] void throwJsonKeyError(QLatin1String path);

// The two ways a journal key is read. Optional: a missing key or a value that
// does not convert leaves the field as it was and gives false. Required: the
// same case ends the whole parse with a TessivarError naming the key.
enum class KeyRead
{
    Optional,
    Required
};

template <typename T>
bool readKey(const QJsonObject& obj, QLatin1String path, T& field, KeyRead how = KeyRead::Optional)
{
    T value{};
    if (convertJson(jsonPath(obj, path), value)) {
        field = std::move(value);
        return true;
    }
    if (how == KeyRead::Required)
        throwJsonKeyError(path);
    return false;
}
