#pragma once

#include "hub/HubTransport.h"
#include "hub/OrderCommodities.h"
#include "hub/OrderTree.h"
#include "hub/VersionCheck.h"
#include "state/Records.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

class ReportSink;
class TextTableModel;
class UserInteraction;

// The Kelvane hub client's order book: the hub's orders and the contracts
// taken from them, the requests that change them and what follows each
// reply (the taken contracts follow every fresh order list; a sale at a
// carrier and a market just read are reported). The way to the hub is the
// HubTransport, shared with the About window's VersionCheck; the windows draw
// the orders from the two trees.
class HubClient : public QObject
{
    Q_OBJECT
public:
    using Origin = HubTransport::Origin;

    // A new order as the order form gives it; the fields are named as on the wire.
    struct NewOrder
    {
        QString cmdr;
        QString FC;
        QString location;
        QString typ;
        QString commodity;
        int count = 1;
        int price = 100;
    };

    // The contracts window asks the hub again at most this often.
    static constexpr int kRefreshPauseSeconds = 60;

    // hubUrl as configured (empty: no hub); consent: whether the person agreed
    // to reports of sales and market checks; ownerCode: the carrier owner's code.
    HubClient(const GameState& state, const QString& hubUrl, ReportSink& reports, UserInteraction& ui,
              std::function<bool()> consent, std::function<QString()> ownerCode);
    ~HubClient() override;

    const QString& endpointUrl() const { return m_transport.endpointUrl(); }
    bool hasEndpoint() const { return m_transport.hasEndpoint(); }
    const QString& endpointNote() const { return m_transport.endpointNote(); }

    // "📜 Contract market": the hub's orders, replaced by every order list.
    OrderTree marketOrders;
    // "📋 Accepted contracts": copies of the orders taken, in memory only.
    OrderTree acceptedOrders;
    // Replies to the verification requests (the market window's hidden log).
    QStringList verifyLog;

    // Sending update_kvn and verify_kvn needs the person's consent (settings);
    // the command-line replay with a hub address counts as consent.
    bool consentGiven() const;
    void setConsentAssumed(bool on) { m_consentAssumed = on; }

    // --- Requests ---
    // `then` runs after the list was read, the taken contracts followed it
    // and ordersSynced() was announced.
    void requestOrders(Origin origin = Origin::Automatic, std::function<void()> then = {});
    // Reads a get_kvn answer into marketOrders; false (nothing changed) when
    // it is not an order list.
    bool loadOrderList(const QString& reply);
    // Whether a get_kvn reply is an order list (one JSON array, or several back to back).
    static bool isOrderList(const QString& reply);
    // A sale at a fleet carrier; reloads the orders when the hub took it.
    // `saleKey` (see saleKey()) lets the hub count a resent sale once; empty sends none.
    void reportSale(const QString& commodity, qint64 count, const QString& saleKey = {});
    // The sale key of a journal line: the same for every sending of that line.
    static QString saleKey(const QByteArray& journalLine);
    // The market verification of the market grid just read at `marketId`.
    void verifyOrdersAt(quint64 marketId, const TextTableModel& grid,
                        const std::function<bool(int, const QString&)>& rowIsCommodity);
    // Sends one verify_kvn; `then` runs when the hub has answered.
    void sendVerification(quint64 marketId, const QString& commodity, qint64 count,
                          std::function<void()> then = {});
    // Posts a new order; false (nothing sent) when the commodity is a separator entry.
    bool addOrder(const NewOrder& order);

    // --- Contracts window ---
    // When the window may ask the hub again (invalid: at once).
    QDateTime nextRefreshAllowedAt() const { return m_nextRefreshAt; }
    // The window was shown: the orders are asked for unless a refresh is due later.
    void windowShown();
    // ⭮: asks for the orders now.
    void refreshOrders();
    bool addButtonEnabled() const;
    // " ➕ Get contract" on a line of marketOrders (any line of an order
    // takes the whole order). False when the index shows no order.
    bool takeContractAt(const QModelIndex& index);
    bool takeContract(int orderRow);
    // The taken contracts follow the hub: one whose carrier name and commander
    // match an order of the list gets that order's details.
    void syncAcceptedOrders();

    // The new order form's commodity list (OrderCommodities.h).
    static const QStringList& orderCommodities() { return orderFormCommodities(); }

    // The About window's question for the newest version, on the same way to the hub.
    VersionCheck& versionCheck() { return m_versionCheck; }

    HubHttpClient& http() { return m_transport.http(); }
    bool isIdle() const { return m_transport.isIdle(); }
    bool waitForIdle(int ms) { return m_transport.waitForIdle(ms); }

    QJsonObject dumpJson() const;

signals:
    // marketOrders was replaced (the window expands the whole tree).
    void ordersReplaced();
    // A fresh order list has arrived and the taken contracts follow it.
    void ordersSynced();
    // The contracts window may ask again from `at` on.
    void refreshScheduled(const QDateTime& at);
    // The orders at the market just checked are up to date on the hub.
    void ordersVerified();
    // false when a market check starts, true when the hub answered one of its requests.
    void verificationAnswered(bool answered);
    // An order of carrier `carrierId` was taken onto the loading list.
    void contractTaken(const QString& carrierId);

private:
    // Shows a list just read (and says how many of its lines were unreadable).
    void replaceOrders(const HubProtocol::OrderList& list);
    // Adds the owner's code to a report about `market` when it is the own carrier.
    void appendOwnerCode(FormFields& fields, quint64 market) const;
    // Sends the verifications one after the other, each once the previous one was answered.
    void sendVerifications(quint64 marketId, QList<QPair<QString, qint64>> pending, bool sent);
    void finishVerification(bool sent);
    // Asks for the orders for the contracts window and pauses its refresh.
    void refreshForWindow();

    const GameState& m_state;
    ReportSink& m_reports;
    UserInteraction& m_ui;
    std::function<bool()> m_consent;
    std::function<QString()> m_ownerCode;
    HubTransport m_transport;
    VersionCheck m_versionCheck;
    QDateTime m_nextRefreshAt;
    bool m_consentAssumed = false;
};
