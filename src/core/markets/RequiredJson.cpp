#include "markets/RequiredJson.h"

#include "common/Error.h"
#include "common/JsonRead.h"

#include <QJsonValue>
#include <cmath>
#include <limits>

namespace RequiredJson {

namespace {

QJsonValue field(const QJsonObject& o, const QString& key, const QString& where)
{
    const auto it = o.constFind(key);
    if (it == o.constEnd())
        throw TessivarError(QStringLiteral("%1: the field \"%2\" is missing").arg(where, key));
    return *it;
}

[[noreturn]] void wrongKind(const QString& key, const QString& where, const QString& wanted)
{
    throw TessivarError(QStringLiteral("%1: the field \"%2\" is not %3").arg(where, key, wanted));
}

}  // namespace

QString text(const QJsonObject& o, const QString& key, const QString& where)
{
    const QJsonValue v = field(o, key, where);
    if (!v.isString())
        wrongKind(key, where, QStringLiteral("a text"));
    return v.toString();
}

qint64 integer(const QJsonObject& o, const QString& key, const QString& where)
{
    const auto n = jsonWholeNumber(field(o, key, where));
    if (!n)
        wrongKind(key, where, QStringLiteral("a whole number"));
    return *n;
}

int int32(const QJsonObject& o, const QString& key, const QString& where)
{
    const qint64 i = integer(o, key, where);
    if (i < std::numeric_limits<int>::min() || i > std::numeric_limits<int>::max())
        wrongKind(key, where, QStringLiteral("a 32-bit whole number"));
    return int(i);
}

quint64 unsigned64(const QJsonObject& o, const QString& key, const QString& where)
{
    const QJsonValue v = field(o, key, where);
    if (const auto n = jsonWholeNumber(v); n && *n >= 0)
        return quint64(*n);
    // Ids from 2^63 up arrive as doubles.
    const double d = v.toDouble();
    if (v.isDouble() && d >= 9223372036854775808.0 && d < 18446744073709551616.0 && std::floor(d) == d)
        return quint64(d);
    wrongKind(key, where, QStringLiteral("an unsigned whole number"));
}

}  // namespace RequiredJson
