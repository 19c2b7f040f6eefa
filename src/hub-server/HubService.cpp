#include "HubService.h"

#include "CommodityKey.h"
#include "FormData.h"

#include <QLoggingCategory>
#include <algorithm>
#include <limits>
#include <utility>

Q_LOGGING_CATEGORY(lcHubService, "tessivar.hub.service")

namespace {

const QString kDemand = QStringLiteral("Demand");
const QString kUnload = QStringLiteral("Unload");

// A request that breaks the protocol; answered with 400 and the reason.
struct BadRequest
{
    QString reason;
};

QString required(const FormData& form, const char* name)
{
    const QString key = QString::fromLatin1(name);
    if (!form.contains(key))
        throw BadRequest{QStringLiteral("missing field %1").arg(key)};
    const QString value = form.value(key);
    for (const QChar c : value) {
        if (c.category() == QChar::Other_Control)
            throw BadRequest{QStringLiteral("control character in field %1").arg(key)};
    }
    return value;
}

bool allDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// A market or carrier id: unsigned 64-bit decimal, given back without leading
// zeros so that equal ids compare equal as text.
QString marketId(const FormData& form, const char* name)
{
    const QString text = required(form, name);
    bool ok = false;
    const quint64 id = text.toULongLong(&ok);
    if (!allDigits(text) || !ok)
        throw BadRequest{QStringLiteral("field %1 is not a market id").arg(QString::fromLatin1(name))};
    return QString::number(id);
}

qint64 integer(const FormData& form, const char* name)
{
    const QString text = required(form, name);
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    const bool digits = allDigits(text.startsWith(QLatin1Char('-')) ? text.mid(1) : text);
    if (!digits || !ok)
        throw BadRequest{QStringLiteral("field %1 is not a whole number").arg(QString::fromLatin1(name))};
    return value;
}

HubReply text(const QString& body, int status = 200)
{
    HubReply reply;
    reply.status = status;
    reply.body = body.toUtf8();
    return reply;
}

void appendJsonString(QByteArray& out, const QString& value)
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

QString orderSummary(const HubOrder& order)
{
    return QStringLiteral("%1 %2 × %3 at %4% AVG for carrier %5.")
        .arg(order.action)
        .arg(order.count)
        .arg(order.commodity)
        .arg(order.price)
        .arg(order.carrierId);
}

}  // namespace

HubService::HubService(OrderStore& store, QString versionText)
    : m_store(store), m_versionText(std::move(versionText))
{}

HubReply HubService::handle(const FormData& form)
{
    try {
        const QString act = required(form, "act");
        if (act == QLatin1String("get_kvn"))
            return listOrders();
        if (act == QLatin1String("add_kvn"))
            return addOrder(form);
        if (act == QLatin1String("update_kvn"))
            return updateOrder(form);
        if (act == QLatin1String("verify_kvn"))
            return verifyOrder(form);
        if (act == QLatin1String("check_version"))
            return text(m_versionText);
        throw BadRequest{QStringLiteral("unknown act")};
    } catch (const BadRequest& bad) {
        return text(bad.reason, 400);
    } catch (const StoreError& error) {
        qCWarning(lcHubService) << "storage failure:" << error.what();
        return text(QStringLiteral("storage failure"), 500);
    }
}

QByteArray HubService::orderListJson(const QList<HubOrder>& orders)
{
    QByteArray out("[");
    for (const HubOrder& order : orders) {
        if (out.size() > 1)
            out.append(',');
        const std::pair<const char*, QString> fields[] = {
            {"FC", order.fc},
            {"cmdr", order.cmdr},
            {"CarrierID", order.carrierId},
            {"action", order.action},
            {"location", order.location},
            {"commodity", order.commodity},
            {"price", QString::number(order.price)},
            {"count", QString::number(order.count)},
        };
        out.append('{');
        bool first = true;
        for (const auto& [name, value] : fields) {
            if (!first)
                out.append(',');
            first = false;
            out.append('"').append(name).append("\":");
            appendJsonString(out, value);
        }
        out.append('}');
    }
    out.append(']');
    return out;
}

HubReply HubService::listOrders()
{
    HubReply reply;
    reply.contentType = QByteArrayLiteral("application/json; charset=utf-8");
    reply.body = orderListJson(m_store.openOrders());
    return reply;
}

HubReply HubService::addOrder(const FormData& form)
{
    HubOrder order;
    order.cmdr = required(form, "cmdr");
    order.fc = required(form, "FC");
    order.carrierId = marketId(form, "CarrierID");
    order.location = required(form, "location");
    order.action = required(form, "typ");
    order.commodity = required(form, "commodity").trimmed();
    order.count = integer(form, "count");
    order.price = integer(form, "price");
    if (order.action != kDemand && order.action != kUnload)
        throw BadRequest{QStringLiteral("field typ is neither Demand nor Unload")};
    if (order.carrierId == QLatin1String("0"))
        throw BadRequest{QStringLiteral("field CarrierID is 0")};

    const QString refused = QStringLiteral("Order not added: ");
    const std::pair<const char*, const QString*> texts[] = {{"cmdr", &order.cmdr},
                                                            {"FC", &order.fc},
                                                            {"location", &order.location},
                                                            {"commodity", &order.commodity}};
    for (const auto& [name, value] : texts) {
        if (value->size() > kMaxTextLength)
            return text(refused + QStringLiteral("%1 is longer than %2 characters.")
                                      .arg(QString::fromLatin1(name))
                                      .arg(kMaxTextLength));
    }
    const QString key = CommodityKey::of(order.commodity);
    // The client's order lines put the name between "[" and "]", and its
    // commodity list has heading rows that are not commodities.
    const bool heading = key == QLatin1String("base") || key == QLatin1String("other");
    if (key.isEmpty() || heading || order.commodity.contains(QLatin1Char('[')) ||
        order.commodity.contains(QLatin1Char(']')))
        return text(refused + QStringLiteral("\"%1\" is not a commodity.").arg(order.commodity));
    constexpr qint64 most = std::numeric_limits<qint32>::max();
    if (order.count < 1 || order.count > most)
        return text(refused + QStringLiteral("the count must be a whole number from 1 to %1.").arg(most));
    if (order.price < 1 || order.price > most)
        return text(refused + QStringLiteral("the % AVG must be a whole number from 1 to %1.").arg(most));

    return m_store.transaction([&] {
        // One order line per carrier, type and commodity: posting it again
        // states the new wish rather than adding a second line.
        for (const HubOrder& existing : m_store.ordersAt(order.carrierId, order.action)) {
            if (CommodityKey::of(existing.commodity) == key) {
                order.id = existing.id;
                m_store.replace(order);
                return text(QStringLiteral("Order updated: ") + orderSummary(order));
            }
        }
        if (m_store.orderCount() >= kMaxOrders)
            return text(refused + QStringLiteral("the hub holds too many orders."));
        order.id = m_store.insert(order);
        return text(QStringLiteral("Order added: ") + orderSummary(order));
    });
}

HubReply HubService::updateOrder(const FormData& form)
{
    const QString carrier = marketId(form, "MarketID");
    const QString key = CommodityKey::of(required(form, "Commodity"));
    qint64 sold = integer(form, "Count");
    if (carrier == QLatin1String("0") || key.isEmpty() || sold <= 0)
        return text(QStringLiteral("update_none"));

    const bool changed = m_store.transaction([&] {
        bool any = false;
        for (const HubOrder& order : m_store.ordersAt(carrier, kDemand)) {
            if (sold == 0)
                break;
            if (order.count <= 0 || CommodityKey::of(order.commodity) != key)
                continue;
            const qint64 taken = std::min(order.count, sold);
            sold -= taken;
            if (order.count - taken > 0)
                m_store.setCount(order.id, order.count - taken);
            else
                m_store.remove(order.id);
            any = true;
        }
        return any;
    });
    return text(changed ? QStringLiteral("update_ok") : QStringLiteral("update_none"));
}

HubReply HubService::verifyOrder(const FormData& form)
{
    required(form, "CMDR");
    const QString carrier = marketId(form, "Market");
    const QString key = CommodityKey::of(required(form, "Towar"));
    const qint64 demand = integer(form, "Ilosc");
    if (demand < 0 || demand > std::numeric_limits<qint32>::max())
        throw BadRequest{QStringLiteral("field Ilosc is out of range")};
    if (carrier == QLatin1String("0") || key.isEmpty())
        return text(QStringLiteral("verify_none"));

    const bool changed = m_store.transaction([&] {
        bool any = false;
        for (const HubOrder& order : m_store.ordersAt(carrier, kDemand)) {
            if (order.count == demand || CommodityKey::of(order.commodity) != key)
                continue;
            if (demand > 0)
                m_store.setCount(order.id, demand);
            else
                m_store.remove(order.id);
            any = true;
        }
        return any;
    });
    return text(changed ? QStringLiteral("verify_ok") : QStringLiteral("verify_none"));
}
