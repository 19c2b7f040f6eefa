#include "cargo/CargoJson.h"

#include "common/Error.h"
#include "common/JsonRead.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace CargoJson {

std::optional<QJsonValue> parseValue(const QByteArray& utf8)
{
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson("[" + utf8 + "\n]", &err);
    if (err.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1)
        return std::nullopt;
    return doc.array().at(0);
}

std::optional<qint64> wholeNumber(const QJsonValue& v)
{
    constexpr qint64 kLimit = 9000000000000000;
    const auto n = jsonWholeNumber(v);
    if (!n || *n < -kLimit || *n > kLimit)
        return std::nullopt;
    return n;
}

QString requiredText(const QJsonObject& o, const QString& key, const char* event)
{
    const QJsonValue v = o.value(key);
    if (!v.isString())
        throw TessivarError(
            QStringLiteral("%1: \"%2\" is missing or not a text.").arg(QLatin1String(event), key));
    return v.toString();
}

qint64 requiredCount(const QJsonObject& o, const char* event)
{
    const auto n = wholeNumber(o.value(QStringLiteral("Count")));
    if (!n)
        throw TessivarError(
            QStringLiteral("%1: \"Count\" is missing or not a whole number.").arg(QLatin1String(event)));
    return *n;
}

QJsonObject eventObject(const QByteArray& line, const char* event, bool* parsed)
{
    QJsonObject o;
    const JsonLine kind = parseJsonLine(line, o);
    *parsed = kind != JsonLine::Invalid;
    if (kind == JsonLine::NotObject)
        throw TessivarError(
            QStringLiteral("%1: the journal line is not a JSON object.").arg(QLatin1String(event)));
    return o;
}

QStringList cargoEntryLines(const QJsonValue& snapshot)
{
    if (!snapshot.isObject())
        throw TessivarError(QStringLiteral("Cargo.json: the file is not a JSON object."));
    const QJsonValue inv = snapshot.toObject().value(QStringLiteral("Inventory"));
    if (!inv.isArray())
        throw TessivarError(QStringLiteral("Cargo.json: \"Inventory\" is missing or not an array."));
    QStringList entries;
    for (const QJsonValue& e : inv.toArray()) {
        if (!e.isObject())
            throw TessivarError(QStringLiteral("Cargo.json: an entry of \"Inventory\" is not an object."));
        const QJsonObject o = e.toObject();
        const QString name = o.contains(QStringLiteral("Name"))
                                 ? jsonScalarText(o.value(QStringLiteral("Name")))
                                 : QStringLiteral("UNKNOWN");
        qint64 count = 0;
        if (o.contains(QStringLiteral("Count"))) {
            const auto n = wholeNumber(o.value(QStringLiteral("Count")));
            if (!n)
                throw TessivarError(
                    QStringLiteral("Cargo.json: the \"Count\" of \"%1\" is not a whole number.").arg(name));
            count = *n;
        }
        entries.append(name + QLatin1Char(':') + QString::number(count));
    }
    return entries;
}

}  // namespace CargoJson
