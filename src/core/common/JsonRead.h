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

// A JSON number with no fraction that fits 64 bits signed, exactly: integers
// as parsed, and numbers written with a fraction or an exponent whose value is
// whole (5.0, 1e3). Looser than convertJson(), which takes only what the
// parser kept as an integer; nullopt for anything else.
std::optional<qint64> jsonWholeNumber(const QJsonValue& v);

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
