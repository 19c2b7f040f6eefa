#include "HubService.h"

#include "CommodityKey.h"
#include "FormData.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QLoggingCategory>
#include <QRandomGenerator>
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

// An optional field: empty when absent; control characters and overlong
// values are refused like those of required fields.
QString optional(const FormData& form, const char* name, qsizetype maxLength)
{
    const QString key = QString::fromLatin1(name);
    if (!form.contains(key))
        return {};
    const QString value = required(form, name);
    if (value.size() > maxLength)
        throw BadRequest{QStringLiteral("field %1 is longer than %2 characters").arg(key).arg(maxLength)};
    return value;
}

QString codeHash(const QString& salt, const QString& code)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(salt.toUtf8() + code.toUtf8(), QCryptographicHash::Sha256).toHex());
}

// Compares without stopping at the first difference, so the time taken says
// nothing about how much of a guess was right.
bool sameHash(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    char16_t difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<char16_t>(a[i].unicode() ^ b[i].unicode());
    return difference == 0;
}

CarrierBinding newBinding(const QString& code)
{
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), salt.size() / 4);
    CarrierBinding binding;
    binding.salt = QString::fromLatin1(salt.toHex());
    binding.codeHash = codeHash(binding.salt, code);
    return binding;
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
        m_store.reset();
        m_listVersion = -1;
        return text(QStringLiteral("storage failure"), 500);
    }
}

bool HubService::changesOrders(const FormData& form)
{
    const QString act = form.value(QStringLiteral("act"));
    return act == QLatin1String("add_kvn") || act == QLatin1String("update_kvn") ||
           act == QLatin1String("verify_kvn");
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
    // The list is built once per change of the orders, whichever hub made it.
    const qint64 version = m_store.ordersVersion();
    if (version != m_listVersion || m_list.isEmpty()) {
        m_list = orderListJson(m_store.openOrders());
        m_listVersion = version;
    }
    reply.body = m_list;
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
    const QString code = optional(form, "code", kMaxCodeLength);
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
    order.commodityKey = key;
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
        m_store.lockCarrier(order.carrierId);
        // A carrier belongs to the first code posted for it; carriers never
        // bound take orders without a code.
        if (const auto bound = m_store.binding(order.carrierId)) {
            if (code.isEmpty())
                return text(refused + QStringLiteral("carrier %1 is bound to its owner's code and this "
                                                     "request carries none.")
                                          .arg(order.carrierId));
            if (!sameHash(codeHash(bound->salt, code), bound->codeHash))
                return text(refused +
                            QStringLiteral("the code does not match the one carrier %1 is bound to.")
                                .arg(order.carrierId));
        } else if (!code.isEmpty()) {
            m_store.bind(order.carrierId, newBinding(code));
        }
        // One order line per carrier, type and commodity: posting it again
        // states the new wish rather than adding a second line.
        for (const HubOrder& existing : m_store.ordersAt(order.carrierId, order.action)) {
            if (existing.commodityKey == key) {
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
    const qint64 sold = integer(form, "Count");
    const QString saleKey = optional(form, "SaleKey", kMaxSaleKeyLength);
    const bool valid = carrier != QLatin1String("0") && !key.isEmpty() && sold > 0;
    if (saleKey.isEmpty()) {
        const bool changed = valid && m_store.transaction([&] { return m_store.sell(carrier, key, sold); });
        return text(changed ? QStringLiteral("update_ok") : QStringLiteral("update_none"));
    }

    forgetOldSales();
    // A resent sale (its answer was lost) gets the first answer again and
    // changes nothing.
    const QString answer = m_store.transaction([&] {
        QString first;
        if (!m_store.claimSale(saleKey, &first))
            return first.isEmpty() ? QStringLiteral("update_none") : first;
        const bool changed = valid && m_store.sell(carrier, key, sold);
        const QString now = changed ? QStringLiteral("update_ok") : QStringLiteral("update_none");
        m_store.setSaleAnswer(saleKey, now);
        return now;
    });
    return text(answer);
}

void HubService::forgetOldSales()
{
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (now - m_salesForgottenAt < kSalePurgeIntervalSeconds)
        return;
    m_salesForgottenAt = now;
    m_store.transaction([&] { m_store.forgetSalesBefore(now - kSaleKeySeconds); });
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

    const bool changed = m_store.transaction([&] { return m_store.setDemand(carrier, key, demand); });
    return text(changed ? QStringLiteral("verify_ok") : QStringLiteral("verify_none"));
}
