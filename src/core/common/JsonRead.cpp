#include "common/JsonRead.h"

#include "common/Error.h"

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

std::optional<qint64> jsonWholeNumber(const QJsonValue& v)
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
        QStringLiteral("Journal line: key \"%1\" is missing or has the wrong type").arg(path));
}
