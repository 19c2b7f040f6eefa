#include "HubProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace HubProtocol {

void appendJsonText(QByteArray& out, const QString& value)
{
    out.append('"');
    const QByteArray bytes = value.toUtf8();
    for (const char c : bytes) {
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        case '[':
            out.append("\\u005b");
            break;
        case ']':
            out.append("\\u005d");
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                out.append(QByteArray("\\u00") +
                           QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0'));
            else
                out.append(c);
        }
    }
    out.append('"');
}

void appendJsonObject(QByteArray& out, std::initializer_list<std::pair<QLatin1String, QString>> fields)
{
    out.append('{');
    bool first = true;
    for (const auto& [name, value] : fields) {
        if (!first)
            out.append(',');
        first = false;
        out.append('"').append(name.data(), name.size()).append("\":");
        appendJsonText(out, value);
    }
    out.append('}');
}

QByteArray writeOrderList(const QList<OrderRow>& rows)
{
    QByteArray out("[");
    for (const OrderRow& row : rows) {
        if (out.size() > 1)
            out.append(',');
        appendJsonObject(out, {
                                  {OrderKey::kCarrierName, row.carrierName},
                                  {OrderKey::kCmdr, row.cmdr},
                                  {OrderKey::kCarrierId, QString::number(row.carrierId)},
                                  {OrderKey::kAction, row.action},
                                  {OrderKey::kLocation, row.location},
                                  {OrderKey::kCommodity, row.commodity},
                                  {OrderKey::kPrice, QString::number(row.price)},
                                  {OrderKey::kCount, QString::number(row.count)},
                              });
    }
    out.append(']');
    return out;
}

namespace {

QString text(const QJsonObject& o, QLatin1String key)
{
    const QJsonValue v = o.value(key);
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 17);
    if (v.isBool())
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return {};
}

// A whole number written as a JSON number or as a string; a missing one is 0.
std::optional<qint64> wholeNumber(const QJsonObject& o, QLatin1String key)
{
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull())
        return 0;
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (std::trunc(d) != d || std::abs(d) > 9.0e15)
            return std::nullopt;
        return qint64(d);
    }
    if (!v.isString())
        return std::nullopt;
    bool ok = false;
    const qint64 n = v.toString().trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

std::optional<quint64> carrierId(const QJsonObject& o)
{
    const QJsonValue v = o.value(OrderKey::kCarrierId);
    if (v.isUndefined() || v.isNull())
        return 0;
    if (v.isDouble()) {
        const auto n = wholeNumber(o, OrderKey::kCarrierId);
        return n && *n >= 0 ? std::optional<quint64>(quint64(*n)) : std::nullopt;
    }
    bool ok = false;
    const quint64 id = v.toString().trimmed().toULongLong(&ok);
    return ok ? std::optional<quint64>(id) : std::nullopt;
}

}  // namespace

std::optional<OrderList> readOrderList(const QString& reply)
{
    QString joined = reply;
    // Arrays sent back to back become one; no string holds "][" (appendJsonText).
    joined.replace(QStringLiteral("]["), QStringLiteral(","));
    const QJsonDocument doc = QJsonDocument::fromJson(joined.toUtf8());
    if (!doc.isArray())
        return std::nullopt;
    OrderList list;
    const QJsonArray elements = doc.array();
    for (const QJsonValue& v : elements) {
        if (!v.isObject()) {
            ++list.unreadable;
            continue;
        }
        const QJsonObject o = v.toObject();
        const auto id = carrierId(o);
        const auto count = wholeNumber(o, OrderKey::kCount);
        const auto price = wholeNumber(o, OrderKey::kPrice);
        if (!id || !count || !price) {
            ++list.unreadable;
            continue;
        }
        list.rows.append({text(o, OrderKey::kCarrierName), text(o, OrderKey::kCmdr), *id,
                          text(o, OrderKey::kAction), text(o, OrderKey::kLocation),
                          text(o, OrderKey::kCommodity), *count, *price});
    }
    return list;
}

}  // namespace HubProtocol
