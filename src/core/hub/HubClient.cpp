#include "hub/HubClient.h"

#include "HubProtocol.h"
#include "common/ReportSink.h"
#include "common/TextTableModel.h"
#include "common/UserInteraction.h"
#include "hub/OrderLines.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <memory>
#include <optional>

using namespace HubProtocol;

namespace {

constexpr qsizetype kVerifyLogLines = 100;
// Longest hub text shown in a message box or on a button.
constexpr qsizetype kShownReplyChars = 4000;

QString shortened(const QString& text, qsizetype max)
{
    return text.size() <= max ? text : text.left(max) + QStringLiteral("…");
}

}  // namespace

HubClient::HubClient(const GameState& state, const QString& hubUrl, ReportSink& reports, UserInteraction& ui,
                     std::function<bool()> consent, std::function<QString()> ownerCode)
    : m_state(state), m_reports(reports), m_ui(ui), m_consent(std::move(consent)),
      m_ownerCode(std::move(ownerCode)), m_transport(hubUrl, reports), m_versionCheck(m_transport)
{}

HubClient::~HubClient() = default;

bool HubClient::consentGiven() const
{
    return m_consentAssumed || (m_consent && m_consent());
}

// ------------------------------------------------------------ order list

void HubClient::requestOrders(Origin origin, std::function<void()> then)
{
    if (!hasEndpoint())
        return;
    // The answer is read once: by the check whether it can be used, for the step after it.
    auto list = std::make_shared<std::optional<OrderList>>();
    m_transport.post(
        {{QString(Field::kAct), QString(Act::kListOrders)}}, origin,
        [this, list, then = std::move(then)](const QString&) {
            replaceOrders(list->value());
            syncAcceptedOrders();
            emit ordersSynced();
            if (then)
                then();
        },
        [list](const QString& reply) {
            *list = readOrderList(reply);
            return list->has_value()
                       ? QString()
                       : tr("the reply is not an order list: \"%1\"").arg(shortened(reply.simplified(), 80));
        });
}

bool HubClient::isOrderList(const QString& reply)
{
    return readOrderList(reply).has_value();
}

bool HubClient::loadOrderList(const QString& reply)
{
    const auto list = readOrderList(reply);
    if (list)
        replaceOrders(*list);
    return list.has_value();
}

void HubClient::replaceOrders(const OrderList& list)
{
    if (list.unreadable > 0)
        m_reports.notice(
            tr("Kelvane hub: %n order line(s) could not be read and are left out.", "", list.unreadable));
    marketOrders.setOrders(groupOrders(list.rows));
    emit ordersReplaced();
}

void HubClient::syncAcceptedOrders()
{
    for (const Order& source : marketOrders.orders()) {
        for (int row = 0; row < acceptedOrders.orderCount(); ++row) {
            const Order& taken = *acceptedOrders.order(row);
            if (!sameOrder(taken, source))
                continue;
            // The taken copy keeps its own spelling of the heading.
            Order updated = source;
            updated.carrierName = taken.carrierName;
            updated.cmdr = taken.cmdr;
            acceptedOrders.replaceOrder(row, std::move(updated));
            break;
        }
    }
}

// ------------------------------------------------------------ updates

QString HubClient::saleKey(const QByteArray& journalLine)
{
    // Line ends differ between a line read whole and one read again.
    QByteArray line = journalLine;
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromLatin1(QCryptographicHash::hash(line, QCryptographicHash::Sha256).toHex());
}

void HubClient::reportSale(const QString& commodity, qint64 count, const QString& saleKey)
{
    if (!hasEndpoint() || !consentGiven())
        return;
    FormFields fields{{QString(Field::kSaleMarket), QString::number(m_state.dane_dokowania.MarketID)},
                      {QString(Field::kAct), QString(Act::kReportSale)},
                      {QString(Field::kSaleCommodity), commodity},
                      {QString(Field::kSaleCount), QString::number(count)}};
    if (!saleKey.isEmpty())
        fields.append({QString(Field::kSaleKey), saleKey});
    // The hub records who reported a sale; at one's own carrier the owner's
    // code makes the report the owner's (any count, not a stranger's bound).
    fields.append({QString(Field::kReporter), m_state.dane_CMDR.Name});
    appendOwnerCode(fields, m_state.dane_dokowania.MarketID);
    m_transport.post(fields, Origin::Automatic, [this](const QString& reply) {
        if (reply == Reply::kSaleTaken)
            requestOrders(Origin::Automatic);
    });
}

void HubClient::appendOwnerCode(FormFields& fields, quint64 market) const
{
    // Only at one's own carrier: elsewhere the code would mean nothing.
    if (market == 0 || market != m_state.dane_carriera.CarrierID || !m_ownerCode)
        return;
    if (const QString code = m_ownerCode(); !code.isEmpty())
        fields.append({QString(Field::kOwnerCode), code});
}

void HubClient::verifyOrdersAt(quint64 marketId, const TextTableModel& grid,
                               const std::function<bool(int, const QString&)>& rowIsCommodity)
{
    emit verificationAnswered(false);
    // A market id of 0 (after a carrier jump) names no carrier.
    if (marketId == 0 || !hasEndpoint() || !consentGiven()) {
        finishVerification(false);
        return;
    }
    QList<QPair<QString, qint64>> pending;
    for (const Order& order : marketOrders.orders()) {
        if (order.carrierId != marketId)
            continue;
        for (const OrderLine& line : order.lines) {
            bool present = false;
            for (int r = 1; r < grid.rowCount(); ++r) {
                // The market writes "Liquid oxygen" or "Computer Components"
                // where an order says "Liquid Oxygen" or "Components Computer":
                // an order is never lowered for a mere spelling.
                if (!rowIsCommodity(r, line.commodity))
                    continue;
                present = true;
                if (grid.cell(r, 2) != QString::number(line.count))
                    pending.append({line.commodity, grid.cell(r, 2).toLongLong()});
            }
            if (!present)
                pending.append({line.commodity, 0});
        }
    }
    sendVerifications(marketId, pending, false);
}

void HubClient::sendVerifications(quint64 marketId, QList<QPair<QString, qint64>> pending, bool sent)
{
    if (pending.isEmpty()) {
        finishVerification(sent);
        return;
    }
    const auto [commodity, count] = pending.takeFirst();
    sendVerification(marketId, commodity, count,
                     [this, marketId, pending] { sendVerifications(marketId, pending, true); });
}

void HubClient::finishVerification(bool sent)
{
    if (sent)
        requestOrders(Origin::Automatic, [this] { emit ordersVerified(); });
    else
        emit ordersVerified();
}

void HubClient::sendVerification(quint64 marketId, const QString& commodity, qint64 count,
                                 std::function<void()> then)
{
    if (!hasEndpoint() || !consentGiven())
        return;
    FormFields fields{{QString(Field::kAct), QString(Act::kVerifyOrder)},
                      {QString(Field::kReporter), m_state.dane_CMDR.Name},
                      {QString(Field::kVerifyMarket), QString::number(marketId)},
                      {QString(Field::kVerifyCommodity), commodity},
                      {QString(Field::kVerifyCount), QString::number(count)}};
    appendOwnerCode(fields, marketId);
    m_transport.post(fields, Origin::Automatic, [this, then = std::move(then)](const QString& reply) {
        emit verificationAnswered(true);
        verifyLog.append(shortened(reply, kShownReplyChars));
        while (verifyLog.size() > kVerifyLogLines)
            verifyLog.removeFirst();
        if (then)
            then();
    });
}

// ------------------------------------------------------------ new order

bool HubClient::addOrder(const NewOrder& order)
{
    if (!isOrderableCommodity(order.commodity))
        return false;
    if (!hasEndpoint()) {
        m_reports.report(endpointNote());
        return false;
    }
    m_transport.post({{QString(Field::kAct), QString(Act::kAddOrder)},
                      {QString(Field::kCmdr), order.cmdr},
                      {QString(Field::kCarrierName), order.FC},
                      {QString(Field::kCarrierId), QString::number(m_state.dane_carriera.CarrierID)},
                      {QString(Field::kLocation), order.location},
                      {QString(Field::kType), order.typ},
                      {QString(Field::kCommodity), order.commodity},
                      {QString(Field::kCount), QString::number(order.count)},
                      {QString(Field::kPrice), QString::number(order.price)},
                      {QString(Field::kOwnerCode), m_ownerCode ? m_ownerCode() : QString()}},
                     Origin::User, [this](const QString& reply) {
                         m_ui.showMessage(shortened(reply, kShownReplyChars));
                         refreshForWindow();
                     });
    return true;
}

// ------------------------------------------------------------ contracts window

void HubClient::refreshForWindow()
{
    requestOrders(Origin::User, [this] {
        m_nextRefreshAt = QDateTime::currentDateTimeUtc().addSecs(kRefreshPauseSeconds);
        emit refreshScheduled(m_nextRefreshAt);
    });
}

void HubClient::windowShown()
{
    if (!m_nextRefreshAt.isValid() || QDateTime::currentDateTimeUtc() >= m_nextRefreshAt)
        refreshForWindow();
}

void HubClient::refreshOrders()
{
    refreshForWindow();
}

bool HubClient::addButtonEnabled() const
{
    return m_state.dane_carriera.CarrierID != 0;
}

bool HubClient::takeContractAt(const QModelIndex& index)
{
    return takeContract(marketOrders.orderRow(index));
}

bool HubClient::takeContract(int orderRow)
{
    const Order* order = marketOrders.order(orderRow);
    if (!order)
        return false;
    const Order taken = *order;
    acceptedOrders.appendOrder(taken);
    emit contractTaken(QString::number(taken.carrierId));
    return true;
}

// ------------------------------------------------------------ dump

QJsonObject HubClient::dumpJson() const
{
    // The dump keeps the keys of the first releases, whatever the members are called now.
    const qint64 waitMs =
        m_nextRefreshAt.isValid() ? QDateTime::currentDateTimeUtc().msecsTo(m_nextRefreshAt) : 0;
    const qint64 waitSeconds = waitMs > 0 ? (waitMs + 999) / 1000 : 0;
    return QJsonObject{
        {QStringLiteral("lista_zlecen"), marketOrders.toJson()},
        {QStringLiteral("przyjete_zlecenia"), acceptedOrders.toJson()},
        {QStringLiteral("label_delay"), QString::number(waitSeconds)},
        {QStringLiteral("kvn_url"), endpointUrl()},
        {QStringLiteral("kvn_new_version"), m_versionCheck.newVersionCaption()},
        {QStringLiteral("kvn_verify_log"), QJsonArray::fromStringList(verifyLog)},
    };
}
