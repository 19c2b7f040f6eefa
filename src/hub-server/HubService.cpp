#include "HubService.h"

#include "CommodityKey.h"
#include "FormData.h"
#include "HubProtocol.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QSet>
#include <algorithm>
#include <limits>
#include <utility>

Q_LOGGING_CATEGORY(lcHubService, "tessivar.hub.service")

using namespace HubProtocol;

namespace {

const QString kDemand = QStringLiteral("Demand");
const QString kUnload = QStringLiteral("Unload");
// Optional texts are cut to the stored length; this only bounds the check.
constexpr qsizetype kMaxBodyText = 64 * 1024;

// A request that breaks the protocol; answered with 400 and the reason.
struct BadRequest
{
    QString reason;
};

// An owner's request without the owner's code; answered with 403.
struct Refused
{
    QString reason;
};

QString required(const FormData& form, QLatin1String name)
{
    const QString key(name);
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
QString marketId(const FormData& form, QLatin1String name)
{
    const QString text = required(form, name);
    bool ok = false;
    const quint64 id = text.toULongLong(&ok);
    if (!allDigits(text) || !ok)
        throw BadRequest{QStringLiteral("field %1 is not a market id").arg(name)};
    return QString::number(id);
}

qint64 integer(const FormData& form, QLatin1String name)
{
    const QString text = required(form, name);
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    const bool digits = allDigits(text.startsWith(QLatin1Char('-')) ? text.mid(1) : text);
    if (!digits || !ok)
        throw BadRequest{QStringLiteral("field %1 is not a whole number").arg(name)};
    return value;
}

HubReply text(const QString& body, int status = 200)
{
    HubReply reply;
    reply.status = status;
    reply.body = body.toUtf8();
    return reply;
}

// An optional field: empty when absent; control characters and overlong
// values are refused like those of required fields.
QString optional(const FormData& form, QLatin1String name, qsizetype maxLength)
{
    const QString key(name);
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

}  // namespace

CarrierBinding HubService::newBinding(const QString& code)
{
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), salt.size() / 4);
    CarrierBinding binding;
    binding.salt = QString::fromLatin1(salt.toHex());
    binding.codeHash = codeHash(binding.salt, code);
    return binding;
}

namespace {

QString orderSummary(const HubOrder& order)
{
    return QStringLiteral("%1 %2 × %3 at %4% AVG for carrier %5.")
        .arg(order.action)
        .arg(order.count)
        .arg(order.commodity)
        .arg(order.price)
        .arg(order.carrierId);
}

void record(OrderStore& store, const HubRules& rules, const HubOrder& line, qint64 before, qint64 after,
            const QString& act, const QString& address, const QString& cmdr, bool byOwner)
{
    HubChange change;
    change.carrierId = line.carrierId;
    change.orderId = line.id;
    change.commodity = line.commodity;
    change.act = act;
    change.address = address;
    change.cmdr = cmdr;
    change.at = QDateTime::currentSecsSinceEpoch();
    change.before = before;
    change.after = after;
    change.byOwner = byOwner;
    store.recordChange(change);
    store.trimChanges(line.carrierId, rules.maxChangesPerCarrier, rules.maxChanges);
}

}  // namespace

HubService::HubService(OrderStore& store, QString versionText, HubRules rules)
    : m_store(store), m_versionText(std::move(versionText)), m_rules(rules)
{}

HubReply HubService::handle(const FormData& form, const QString& address)
{
    try {
        const QString act = required(form, Field::kAct);
        if (act == Act::kListOrders)
            return listOrders();
        if (act == Act::kAddOrder)
            return addOrder(form, address);
        if (act == Act::kReportSale)
            return updateOrder(form, address);
        if (act == Act::kVerifyOrder)
            return verifyOrder(form, address);
        if (act == Act::kListChanges)
            return listChanges(form);
        if (act == Act::kListSales)
            return listSales(form);
        if (act == Act::kUndoChanges)
            return undoChanges(form, address);
        if (act == Act::kCheckVersion)
            return text(m_versionText);
        throw BadRequest{QStringLiteral("unknown act")};
    } catch (const BadRequest& bad) {
        return text(bad.reason, 400);
    } catch (const Refused& refused) {
        return text(refused.reason, 403);
    } catch (const StoreError& error) {
        qCWarning(lcHubService) << "storage failure:" << error.what();
        m_store.reset();
        m_listVersion = -1;
        return text(QStringLiteral("storage failure"), 500);
    }
}

bool HubService::changesOrders(const FormData& form)
{
    const QString act = form.value(QString(Field::kAct));
    return act == Act::kAddOrder || act == Act::kReportSale || act == Act::kVerifyOrder ||
           act == Act::kUndoChanges;
}

bool HubService::isCostly(const FormData& form)
{
    const QString act = form.value(QString(Field::kAct));
    return changesOrders(form) || act == Act::kListChanges || act == Act::kListSales;
}

QByteArray HubService::orderListJson(const QList<HubOrder>& orders)
{
    QList<OrderRow> rows;
    rows.reserve(orders.size());
    for (const HubOrder& order : orders)
        rows.append({order.fc, order.cmdr, order.carrierId.toULongLong(), order.action, order.location,
                     order.commodity, order.count, order.price});
    return writeOrderList(rows);
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

HubReply HubService::addOrder(const FormData& form, const QString& address)
{
    HubOrder order;
    order.cmdr = required(form, Field::kCmdr);
    order.fc = required(form, Field::kCarrierName);
    order.carrierId = marketId(form, Field::kCarrierId);
    order.location = required(form, Field::kLocation);
    order.action = required(form, Field::kType);
    order.commodity = required(form, Field::kCommodity).trimmed();
    order.count = integer(form, Field::kCount);
    order.price = integer(form, Field::kPrice);
    const QString code = optional(form, Field::kOwnerCode, kMaxCodeLength);
    if (order.action != kDemand && order.action != kUnload)
        throw BadRequest{QStringLiteral("field typ is neither Demand nor Unload")};
    if (order.carrierId == QLatin1String("0"))
        throw BadRequest{QStringLiteral("field CarrierID is 0")};

    const QString refused = QStringLiteral("Order not added: ");
    const std::pair<QLatin1String, const QString*> texts[] = {{Field::kCmdr, &order.cmdr},
                                                              {Field::kCarrierName, &order.fc},
                                                              {Field::kLocation, &order.location},
                                                              {Field::kCommodity, &order.commodity}};
    for (const auto& [name, value] : texts) {
        if (value->size() > kMaxTextLength)
            return text(refused +
                        QStringLiteral("%1 is longer than %2 characters.").arg(name).arg(kMaxTextLength));
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
        // A carrier belongs to the first code posted for it while it has no
        // orders. One whose orders were posted without a code (by clients
        // from before codes) stays open to everyone until the operator binds
        // it or its lines are gone: otherwise the first stranger to post with
        // a code would lock its owner out.
        bool byOwner = false;
        if (const auto bound = m_store.binding(order.carrierId)) {
            if (code.isEmpty())
                return text(refused + QStringLiteral("carrier %1 is bound to its owner's code and this "
                                                     "request carries none.")
                                          .arg(order.carrierId));
            if (!sameHash(codeHash(bound->salt, code), bound->codeHash))
                return text(refused +
                            QStringLiteral("the code does not match the one carrier %1 is bound to.")
                                .arg(order.carrierId));
            byOwner = true;
        } else if (!code.isEmpty() && !m_store.hasOrders(order.carrierId)) {
            m_store.bind(order.carrierId, newBinding(code));
            byOwner = true;
        }
        // One order line per carrier, type and commodity: posting it again
        // states the new wish rather than adding a second line.
        for (const HubOrder& existing : m_store.ordersAt(order.carrierId, order.action)) {
            if (existing.commodityKey == key) {
                if (existing.count <= 0 && m_store.orderCount() >= kMaxOrders)
                    return text(refused + QStringLiteral("the hub holds too many orders."));
                order.id = existing.id;
                m_store.replace(order);
                record(m_store, m_rules, order, existing.count, order.count, QString(Act::kAddOrder), address,
                       order.cmdr, byOwner);
                return text((existing.count > 0 ? QStringLiteral("Order updated: ")
                                                : QStringLiteral("Order added: ")) +
                            orderSummary(order));
            }
        }
        if (m_store.orderCount() >= kMaxOrders)
            return text(refused + QStringLiteral("the hub holds too many orders."));
        order.id = m_store.insert(order);
        record(m_store, m_rules, order, 0, order.count, QString(Act::kAddOrder), address, order.cmdr,
               byOwner);
        return text(QStringLiteral("Order added: ") + orderSummary(order));
    });
}

HubReply HubService::updateOrder(const FormData& form, const QString& address)
{
    const QString carrier = marketId(form, Field::kSaleMarket);
    const QString key = CommodityKey::of(required(form, Field::kSaleCommodity));
    const qint64 sold = integer(form, Field::kSaleCount);
    const QString saleKey = optional(form, Field::kSaleKey, kMaxSaleKeyLength);
    const QString code = optional(form, Field::kOwnerCode, kMaxCodeLength);
    const QString cmdr = optional(form, Field::kReporter, kMaxBodyText).left(kMaxTextLength);
    const QString none = QString(Reply::kSaleIgnored);
    // Nothing is stored for a sale that cannot be one, so junk neither fills
    // the tables nor spends a key a real sale will bring.
    if (carrier == QLatin1String("0") || key.isEmpty() || sold <= 0)
        return text(none);
    forgetOldSales();
    const QString answer = m_store.transaction([&] {
        const auto line = m_store.demandLine(carrier, key);
        if (!line)
            return none;
        const bool byOwner = isOwner(carrier, code);
        // No hold takes more in one sale.
        if (!byOwner && sold > m_rules.maxSale)
            return none;
        // A resent sale (its answer was lost) gets the first answer again
        // and changes nothing.
        QString first;
        if (!saleKey.isEmpty() && m_store.knownSale(carrier, saleKey, &first))
            return first;
        if (line->count <= 0)
            return none;
        change(*line, std::max<qint64>(line->count - sold, 0), QString(Act::kReportSale), address, cmdr,
               byOwner);
        const QString ok = QString(Reply::kSaleTaken);
        if (!saleKey.isEmpty()) {
            m_store.claimSale(carrier, saleKey, ok);
            m_store.trimSales(carrier, m_rules.maxSaleKeysPerCarrier, m_rules.maxSaleKeys);
        }
        return ok;
    });
    return text(answer);
}

void HubService::forgetOldSales()
{
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (now - m_salesForgottenAt < kSalePurgeIntervalSeconds)
        return;
    m_salesForgottenAt = now;
    m_store.transaction([&] {
        m_store.forgetSalesBefore(now - kSaleKeySeconds);
        m_store.forgetChangesBefore(now - kChangeSeconds);
        m_store.forgetSoldOutBefore(now - kChangeSeconds);
    });
}

HubReply HubService::verifyOrder(const FormData& form, const QString& address)
{
    const QString cmdr = required(form, Field::kReporter);
    const QString carrier = marketId(form, Field::kVerifyMarket);
    const QString key = CommodityKey::of(required(form, Field::kVerifyCommodity));
    const qint64 demand = integer(form, Field::kVerifyCount);
    const QString code = optional(form, Field::kOwnerCode, kMaxCodeLength);
    if (demand < 0 || demand > std::numeric_limits<qint32>::max())
        throw BadRequest{QStringLiteral("field Ilosc is out of range")};
    if (carrier == QLatin1String("0") || key.isEmpty())
        return text(QString(Reply::kVerifyUnchanged));

    forgetOldSales();
    const bool changed = m_store.transaction([&] {
        const auto line = m_store.demandLine(carrier, key);
        if (!line)
            return false;
        const bool byOwner = isOwner(carrier, code);
        qint64 count = demand;
        // A market seen by someone else can show less demand than the order
        // (others delivered), never more, and one check takes off at most a
        // hold's worth.
        if (!byOwner)
            count = std::max(std::min(demand, line->count), line->count - m_rules.maxSale);
        if (count == line->count)
            return false;
        change(*line, std::max<qint64>(count, 0), QString(Act::kVerifyOrder), address,
               cmdr.left(kMaxTextLength), byOwner);
        return true;
    });
    return text(changed ? QString(Reply::kVerifyChanged) : QString(Reply::kVerifyUnchanged));
}

bool HubService::isOwner(const QString& carrierId, const QString& code)
{
    if (code.isEmpty())
        return false;
    const auto bound = m_store.binding(carrierId);
    return bound && sameHash(codeHash(bound->salt, code), bound->codeHash);
}

void HubService::change(const HubOrder& line, qint64 count, const QString& act, const QString& address,
                        const QString& cmdr, bool byOwner)
{
    m_store.setCount(line.id, count);
    record(m_store, m_rules, line, line.count, count, act, address, cmdr, byOwner);
}

namespace {

// The carrier whose owner asks, with the code checked: throws Refused.
QString ownersCarrier(OrderStore& store, const FormData& form)
{
    const QString carrier = marketId(form, Field::kCarrierId);
    const QString code = optional(form, Field::kOwnerCode, HubService::kMaxCodeLength);
    const auto bound = store.binding(carrier);
    if (!bound)
        throw Refused{QStringLiteral("carrier %1 is not bound to an owner's code.").arg(carrier)};
    if (code.isEmpty() || !sameHash(codeHash(bound->salt, code), bound->codeHash))
        throw Refused{QStringLiteral("the code does not match the one carrier %1 is bound to.").arg(carrier)};
    return carrier;
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

}  // namespace

HubReply HubService::listChanges(const FormData& form)
{
    // Only reads: no transaction, so the writer is not held up.
    const QList<HubChange> list = m_store.changes(ownersCarrier(m_store, form));
    QByteArray out("[");
    for (const HubChange& c : list) {
        if (out.size() > 1)
            out.append(',');
        // The changes list: one flat object a change, its keys as the first hubs wrote them.
        appendJsonObject(out, {
                                  {QLatin1String("id"), QString::number(c.id)},
                                  {QLatin1String("time"),
                                   QDateTime::fromSecsSinceEpoch(c.at, Qt::UTC).toString(Qt::ISODate)},
                                  {QLatin1String("address"), c.address},
                                  {QLatin1String("cmdr"), c.cmdr},
                                  {QLatin1String("act"), c.act},
                                  {QLatin1String("commodity"), c.commodity},
                                  {QLatin1String("before"), QString::number(c.before)},
                                  {QLatin1String("after"), QString::number(c.after)},
                                  {QLatin1String("owner"), yesNo(c.byOwner)},
                                  {QLatin1String("undone"), yesNo(c.undoneAt != 0)},
                              });
    }
    out.append(']');
    HubReply reply;
    reply.contentType = QByteArrayLiteral("application/json; charset=utf-8");
    reply.body = out;
    return reply;
}

HubReply HubService::listSales(const FormData& form)
{
    const QString carrier = ownersCarrier(m_store, form);
    // "since" is a time as the lists write it; without it every sale kept is listed.
    qint64 since = 0;
    const QString sinceText = form.value(QStringLiteral("since"));
    if (!sinceText.isEmpty()) {
        const QDateTime t = QDateTime::fromString(sinceText, Qt::ISODate);
        if (!t.isValid())
            throw BadRequest{QStringLiteral("since is not a time like 2026-12-11T01:30:00Z")};
        since = t.toSecsSinceEpoch();
    }
    QByteArray out("[");
    // Sales others reported that stand: what they took off the carrier's
    // buy orders went into its hold. The change's id names the sale for good.
    for (const HubChange& c : m_store.changes(carrier)) {
        if (c.act != Act::kReportSale || c.byOwner || c.undoneAt != 0 || c.at < since || c.before <= c.after)
            continue;
        if (out.size() > 1)
            out.append(',');
        appendJsonObject(out, {
                                  {QLatin1String("key"), QStringLiteral("sale-") + QString::number(c.id)},
                                  {QLatin1String("time"),
                                   QDateTime::fromSecsSinceEpoch(c.at, Qt::UTC).toString(Qt::ISODate)},
                                  {QLatin1String("cmdr"), c.cmdr},
                                  {QLatin1String("commodity"), c.commodity},
                                  {QLatin1String("count"), QString::number(c.before - c.after)},
                              });
    }
    out.append(']');
    HubReply reply;
    reply.contentType = QByteArrayLiteral("application/json; charset=utf-8");
    reply.body = out;
    return reply;
}

HubReply HubService::undoChanges(const FormData& form, const QString& address)
{
    const QString reporter = required(form, Field::kUndoReporter);
    return m_store.transaction([&] {
        const QString carrier = ownersCarrier(m_store, form);
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        // Newest first. A line the owner has set since a report keeps what
        // the owner said: the reports before that are not undone.
        QSet<qint64> ownerSetSince;
        QHash<qint64, qint64> addBack;
        QList<qint64> undone;
        for (const HubChange& c : m_store.changes(carrier)) {
            if (c.byOwner && c.act != Act::kUndoChanges) {
                ownerSetSince.insert(c.orderId);
                continue;
            }
            const bool report = c.act == Act::kReportSale || c.act == Act::kVerifyOrder;
            if (!report || c.address != reporter || c.undoneAt != 0 || ownerSetSince.contains(c.orderId))
                continue;
            addBack[c.orderId] += c.before - c.after;
            undone.append(c.id);
        }
        for (const qint64 id : undone)
            m_store.markUndone(id, now);
        for (auto it = addBack.cbegin(); it != addBack.cend(); ++it) {
            const auto line = m_store.orderById(it.key());
            if (!line || it.value() == 0)
                continue;
            const qint64 count =
                std::clamp<qint64>(line->count + it.value(), 0, std::numeric_limits<qint32>::max());
            m_store.setCount(line->id, count);
            record(m_store, m_rules, *line, line->count, count, QString(Act::kUndoChanges), address,
                   QString(), true);
        }
        return text(QStringLiteral("Undone: %1 changes by %2 at carrier %3.")
                        .arg(undone.size())
                        .arg(reporter, carrier));
    });
}
