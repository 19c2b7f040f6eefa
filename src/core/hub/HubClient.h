#pragma once

#include "hub/HubHttp.h"
#include "hub/OrderTree.h"
#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ReportSink;
class TextTableModel;
class UserInteraction;

// The Kelvane hub client: the order list and the accepted contracts, the
// requests to the hub and what follows each reply, the refresh countdown of
// the contracts window and the version check of the About window.
//
// Requests never block: each is queued on the HTTP client and the steps that
// follow it run when its reply has arrived. A request the person started
// reports its failure in a message box; an automatic one (after a sale, the
// market verification, the version check) reports the first failure only,
// until a request gets through again.
class HubClient : public QObject
{
    Q_OBJECT
public:
    enum class Origin
    {
        User,
        Automatic
    };

    // A new order as the order form gives it.
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

    // hubUrl as configured (empty: no hub); consent: whether the person agreed
    // to reports of sales and market checks; ownerCode: the carrier owner's code.
    HubClient(const GameState& state, const QString& hubUrl, ReportSink& reports, UserInteraction& ui,
              std::function<bool()> consent, std::function<QString()> ownerCode);
    ~HubClient() override;

    // The hub endpoint (Tf_KVN.URL), fixed at start-up from [KVN] url or
    // --hub-url; an address without a path gets /ED/KVN.php. Empty when none
    // is configured (or it is not an http(s) address): nothing is sent then.
    QString URL;
    bool hasEndpoint() const { return !URL.isEmpty(); }
    // What the contracts window says when there is no endpoint.
    QString endpointNote;

    // "📜 Contract market": the hub's orders, rebuilt by every order list.
    OrderTree lista_zlecen;
    // "📋 Accepted contracts": full copies of the orders taken, in memory only.
    OrderTree przyjete_zlecenia;
    // Refresh countdown in seconds, as the contracts window shows it.
    QString label_delay = QStringLiteral("0");
    bool btn_refresh_enabled = true;
    // Replies to the verification requests (the market window's hidden log).
    QStringList verifyLog;

    // Sending update_kvn and verify_kvn needs the person's consent (settings);
    // the command-line replay with a hub address counts as consent.
    bool consentGiven() const;
    void setConsentAssumed(bool on) { m_consentAssumed = on; }

    // --- Requests ---
    void get_KVN();
    // `then` runs after the list was parsed and synchronised and the loading list redrawn.
    void get_KVN(Origin origin, std::function<void()> then = {});
    void parse_KVN(const QString& reply);
    // Whether a get_kvn reply is an order list (one JSON array, or several back to back).
    static bool isOrderList(const QString& reply);
    // A sale at a fleet carrier; reloads the orders when the hub took it
    // ("update_ok"). `SaleKey` (see saleKey()) lets the hub count a resent
    // sale once; empty sends none.
    void check_update_KVN(const QString& Commodity, const QString& Count, const QString& SaleKey = {});
    // The sale key of a journal line: the same for every sending of that line.
    static QString saleKey(const QByteArray& journalLine);
    // The market verification of the market grid just read.
    void KVN_aktualizuj_zlecenia(quint64 MarketID, const TextTableModel& grid,
                                 const std::function<bool(int, const QString&)>& rowIsCommodity);
    // Sends one verify_kvn; `then` runs when the hub has answered.
    void wyslij_aktualizacje(quint64 Market, const QString& Towar, int Ilosc,
                             std::function<void()> then = {});
    // Posts a new order; false (nothing sent) when the commodity is a separator entry.
    bool add_kvn(const NewOrder& order);
    // Asks for the newest version; a different answer is announced.
    void check_version();

    // --- Contracts window ---
    void FormShow();
    void btn_refreshClick();
    void Timer_delayTimer();
    bool addButtonEnabled() const;
    // " ➕ Get contract" on a selected line of lista_zlecen (any line of an order
    // takes the whole order). False when nothing is selected.
    bool Getcontract1Click(const OrderNode* selected);
    bool takeContract(int orderIndex);
    void SyncTreeParents(const OrderTree& source, OrderTree& target);

    // The 61 entries of the new order form's commodity list, separators included.
    static const QStringList& orderCommodities();
    static bool isOrderableCommodity(const QString& entry);

    // --- For the cargo list ---
    // The accepted contracts: header text and its lines, in the order taken.
    QList<QPair<QString, QStringList>> acceptedContracts() const;
    // The rows (name, count text) of the last accepted contract whose lines
    // contain "🆔 CarrierID: " + carrierId; nullopt when none does.
    std::optional<QList<QPair<QString, QString>>> acceptedContractRows(const QString& carrierId) const;

    // --- Version check ---
    // The program's own version, "1.3.0.0", or "Unknown".
    static QString GetAppVersion();
    // "New version available: " + answer once announced, else empty.
    QString newVersionCaption;

    HubHttpClient& http() { return m_http; }
    bool isIdle() const { return m_http.isIdle(); }
    bool waitForIdle(int ms) { return m_http.waitForIdle(ms); }

    QJsonObject dumpJson() const;

signals:
    void changed();
    // lista_zlecen was rebuilt (the window expands the whole tree).
    void ordersReloaded();
    void newVersionAnnounced(const QString& caption);
    // A fresh order list has arrived and the taken contracts follow it.
    void ordersSynced();
    // The orders at the market just checked are up to date on the hub.
    void ordersVerified();
    // false when a market check starts, true when the hub answered one of its requests.
    void verificationAnswered(bool answered);
    // An order of the carrier carrierId was taken onto the loading list.
    void contractTaken(const QString& carrierId);

private:
    // `unreadable` tells why a reply cannot be used (empty text when it can).
    void post(const FormFields& fields, Origin origin, std::function<void(const QString&)> onReply,
              std::function<QString(const QString&)> unreadable = {});
    void reportFailure(const QString& act, Origin origin, const QString& error);
    // Adds the owner's code to a report about `market` when it is the own carrier.
    void appendOwnerCode(FormFields& fields, quint64 market) const;
    // Sends the verifications one after the other, each once the previous one was answered.
    void sendVerifications(quint64 MarketID, QList<QPair<QString, int>> pending, bool sent);
    void finishVerification(bool sent);
    void setDelay(const QString& text);

    const GameState& m_state;
    ReportSink& m_reports;
    UserInteraction& m_ui;
    std::function<bool()> m_consent;
    std::function<QString()> m_ownerCode;
    HubHttpClient m_http;
    bool m_consentAssumed = false;
    bool m_autoFailureShown = false;
};
