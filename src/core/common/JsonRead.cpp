#include "common/JsonRead.h"

#include "common/Error.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QUtf8StringView>
#include <QVariant>
#include <cmath>
#include <limits>

QString jsonScalarText(const QJsonValue& v)
{
    if (v.isString())
        return v.toString();
    if (v.isDouble()) {
        bool ok = false;
        const qint64 i = v.toVariant().toLongLong(&ok);
        const double d = v.toDouble();
        if (ok && double(i) == d)
            return QString::number(i);
        if (d >= 0 && d < 18446744073709551616.0 && std::floor(d) == d)
            return QString::number(quint64(d));
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }
    return {};
}

QByteArray validUtf8(QByteArrayView line)
{
    if (QUtf8StringView(line.data(), line.size()).isValidUtf8())
        return line.toByteArray();
    return QString::fromUtf8(line).toUtf8();
}

JsonLine parseJsonLine(const QByteArray& raw, QJsonObject& object)
{
    const QByteArray line = validUtf8(raw);
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(line, &err);
    if (err.error == QJsonParseError::NoError) {
        if (!doc.isObject())
            return JsonLine::NotObject;
        object = doc.object();
        return JsonLine::Object;
    }
    // QJsonDocument takes only an object or an array; a lone scalar is still
    // valid JSON, just not an object.
    const QJsonDocument wrapped = QJsonDocument::fromJson('[' + line + ']', &err);
    if (err.error == QJsonParseError::NoError && wrapped.array().size() == 1)
        return JsonLine::NotObject;
    return JsonLine::Invalid;
}

namespace {

// Whether the value was written as a whole number. Integers that fit 64 bits
// signed keep their exact value; larger ones arrive as doubles.
bool isJsonInteger(const QJsonValue& v)
{
    return v.isDouble() && v.toVariant().typeId() == QMetaType::LongLong;
}

}  // namespace

namespace {

std::optional<qint64> anyWholeNumber(const QJsonValue& v)
{
    if (isJsonInteger(v))
        return v.toInteger();
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (std::floor(d) != d || d < -9223372036854775808.0 || d >= 9223372036854775808.0)
        return std::nullopt;
    return qint64(d);
}

}  // namespace

std::optional<qint64> jsonWholeNumber(const QJsonValue& v, WholeRange range)
{
    constexpr qint64 kExactLimit = 9000000000000000;
    const auto n = anyWholeNumber(v);
    if (n && range == WholeRange::Exact && (*n < -kExactLimit || *n > kExactLimit))
        return std::nullopt;
    return n;
}

std::optional<QJsonValue> parseJsonValue(const QByteArray& utf8)
{
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson("[" + utf8 + "\n]", &err);
    if (err.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1)
        return std::nullopt;
    return doc.array().at(0);
}

QString jsonWrittenText(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::String:
        return v.toString();
    case QJsonValue::Double: {
        const double d = v.toDouble();
        if (d == double(v.toInteger()))
            return QString::number(v.toInteger());
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Array:
        return QString::fromUtf8(QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact));
    case QJsonValue::Object:
        return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
    case QJsonValue::Undefined:
        break;
    }
    return {};
}

std::optional<qint64> jsonScalarInteger(const QJsonValue& v)
{
    // Through the value's text, so that an id above 2^63 (the game writes
    // 18446744073709551615 for pseudo-missions) fails instead of wrapping.
    bool ok = false;
    const qint64 n = jsonScalarText(v).toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}

std::optional<int> jsonScalarInt(const QJsonValue& v)
{
    const auto n = jsonScalarInteger(v);
    if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*n);
}

namespace {

QJsonValue requiredField(const QJsonObject& o, const QString& key, const JsonPlace& place)
{
    const auto it = o.constFind(key);
    if (it != o.constEnd())
        return *it;
    if (place.oneMessage)
        return QJsonValue(QJsonValue::Undefined);
    throw TessivarError(
        QCoreApplication::translate("JsonRead", "%1: the field \"%2\" is missing").arg(place.name, key));
}

[[noreturn]] void wrongKind(const QString& key, const JsonPlace& place, const QString& wanted)
{
    if (place.oneMessage)
        throw TessivarError(QCoreApplication::translate("JsonRead", "%1: \"%2\" is missing or not %3.")
                                .arg(place.name, key, wanted));
    throw TessivarError(QCoreApplication::translate("JsonRead", "%1: the field \"%2\" is not %3")
                            .arg(place.name, key, wanted));
}

}  // namespace

QString requiredJsonText(const QJsonObject& o, const QString& key, const JsonPlace& place)
{
    const QJsonValue v = requiredField(o, key, place);
    if (!v.isString())
        wrongKind(key, place, QCoreApplication::translate("JsonRead", "a text"));
    return v.toString();
}

qint64 requiredJsonWhole(const QJsonObject& o, const QString& key, const JsonPlace& place, WholeRange range)
{
    const auto n = jsonWholeNumber(requiredField(o, key, place), range);
    if (!n)
        wrongKind(key, place, QCoreApplication::translate("JsonRead", "a whole number"));
    return *n;
}

int requiredJsonInt32(const QJsonObject& o, const QString& key, const JsonPlace& place)
{
    const qint64 i = requiredJsonWhole(o, key, place);
    if (i < std::numeric_limits<int>::min() || i > std::numeric_limits<int>::max())
        wrongKind(key, place, QCoreApplication::translate("JsonRead", "a 32-bit whole number"));
    return int(i);
}

quint64 requiredJsonUnsigned64(const QJsonObject& o, const QString& key, const JsonPlace& place)
{
    const QJsonValue v = requiredField(o, key, place);
    if (const auto n = jsonWholeNumber(v); n && *n >= 0)
        return quint64(*n);
    // Ids from 2^63 up arrive as doubles.
    const double d = v.toDouble();
    if (v.isDouble() && d >= 9223372036854775808.0 && d < 18446744073709551616.0 && std::floor(d) == d)
        return quint64(d);
    wrongKind(key, place, QCoreApplication::translate("JsonRead", "an unsigned whole number"));
}

bool convertJson(const QJsonValue& v, QString& out)
{
    if (!v.isString())
        return false;
    out = v.toString();
    return true;
}

bool convertJson(const QJsonValue& v, bool& out)
{
    if (!v.isBool())
        return false;
    out = v.toBool();
    return true;
}

bool convertJson(const QJsonValue& v, int& out)
{
    if (!isJsonInteger(v))
        return false;
    const qint64 i = v.toInteger();
    if (i < std::numeric_limits<int>::min() || i > std::numeric_limits<int>::max())
        return false;
    out = int(i);
    return true;
}

bool convertJson(const QJsonValue& v, qint64& out)
{
    if (!isJsonInteger(v))
        return false;
    out = v.toInteger();
    return true;
}

bool convertJson(const QJsonValue& v, quint64& out)
{
    // Above 2^63 - 1 the JSON parser keeps only an approximate double; an id
    // that cannot be read exactly is not taken at all.
    if (!isJsonInteger(v))
        return false;
    const qint64 i = v.toInteger();
    if (i < 0)
        return false;
    out = quint64(i);
    return true;
}

bool convertJson(const QJsonValue& v, double& out)
{
    if (!v.isDouble())
        return false;
    out = v.toDouble();
    return true;
}

bool convertJson(const QJsonValue& v, QJsonArray& out)
{
    if (!v.isArray())
        return false;
    out = v.toArray();
    return true;
}

bool convertJson(const QJsonValue& v, QJsonObject& out)
{
    if (!v.isObject())
        return false;
    out = v.toObject();
    return true;
}

QJsonValue jsonPath(const QJsonObject& obj, QLatin1String path)
{
    QJsonObject current = obj;
    qsizetype start = 0;
    for (;;) {
        const qsizetype dot = path.indexOf(QLatin1Char('.'), start);
        const QLatin1String step = dot < 0 ? path.sliced(start) : path.sliced(start, dot - start);
        const QJsonValue v = current.value(step);
        if (dot < 0)
            return v;
        if (!v.isObject())
            return QJsonValue(QJsonValue::Undefined);
        current = v.toObject();
        start = dot + 1;
    }
}

void throwJsonKeyError(QLatin1String path)
{
    throw TessivarError(
        QCoreApplication::translate("JsonRead", "Journal line: key \"%1\" is missing or has the wrong type")
            .arg(path));
}
