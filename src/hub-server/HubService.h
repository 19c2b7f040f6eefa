#pragma once

#include "OrderStore.h"

#include <QByteArray>
#include <QList>
#include <QString>

class FormData;

struct HubReply
{
    int status = 200;
    QByteArray contentType = QByteArrayLiteral("text/plain; charset=utf-8");
    QByteArray body;
};

// The bounds a hub applies to reports and to what it keeps; the defaults are
// those of the command line.
struct HubRules
{
    // The largest sale one report may make, and the most a market check by
    // anyone but the owner may take off a line: the largest cargo hold in the
    // game (784 t is the largest in the journals we have, a Type-9 or Cutter
    // carries at most about 794 t).
    qint64 maxSale = 800;
    // Sale keys kept, per carrier and in all.
    qint64 maxSaleKeysPerCarrier = 2000;
    qint64 maxSaleKeys = 100000;
    // Changes kept for the owners, per carrier and in all.
    qint64 maxChangesPerCarrier = 1000;
    qint64 maxChanges = 100000;
};

// What the hub does with one form-encoded request: the `act` field picks the
// action, the other fields are its arguments.
//
// A carrier's owner is whoever sends the code the carrier is bound to; the
// owner's requests set counts as they say. Everyone else only reports: a
// sale lowers a line by at most one hold, a market check lowers it to the
// market's demand by at most one hold and never raises it. Every change is
// recorded with the address and commander that asked for it, so the owner
// can list them and undo those of one address.
class HubService
{
public:
    // Bounds that keep the order list a reply clients take in one piece: a
    // full hub answers about 0.4 MB with ordinary names and under 4 MB even
    // when every text is as long and as costly to write as allowed.
    static constexpr qsizetype kMaxTextLength = 100;
    static constexpr qint64 kMaxOrders = 1500;
    static constexpr qsizetype kMaxCodeLength = 200;
    static constexpr qsizetype kMaxSaleKeyLength = 128;
    // Sale keys are kept for two days (a client resends within seconds, but
    // a computer may sleep on a lost answer); old ones are dropped hourly.
    static constexpr qint64 kSaleKeySeconds = 2 * 24 * 3600;
    static constexpr qint64 kSalePurgeIntervalSeconds = 3600;
    // Changes, and the sold-out lines they may bring back, are kept a week.
    static constexpr qint64 kChangeSeconds = 7 * 24 * 3600;

    HubService(OrderStore& store, QString versionText, HubRules rules = {});

    // Never throws: a request the hub cannot read gives 400, a storage
    // failure 500. `address` is the client's, as the change record keeps it.
    HubReply handle(const FormData& form, const QString& address = {});
    // The request changes the orders, sales or owners (add_kvn, update_kvn,
    // verify_kvn, undo_kvn).
    static bool changesOrders(const FormData& form);
    // The request changes something or tries an owner's code; such requests
    // are counted against the address's budget.
    static bool isCostly(const FormData& form);

    // The order list as get_kvn sends it (HubProtocol::writeOrderList).
    static QByteArray orderListJson(const QList<HubOrder>& orders);
    // A new salt and the hash of it with `code`.
    static CarrierBinding newBinding(const QString& code);

private:
    HubReply listOrders();
    HubReply addOrder(const FormData& form, const QString& address);
    HubReply updateOrder(const FormData& form, const QString& address);
    HubReply verifyOrder(const FormData& form, const QString& address);
    HubReply listChanges(const FormData& form);
    HubReply listSales(const FormData& form);
    HubReply undoChanges(const FormData& form, const QString& address);
    // Whether `code` is the one the carrier is bound to.
    bool isOwner(const QString& carrierId, const QString& code);
    // Sets a line's count and records who did it.
    void change(const HubOrder& line, qint64 count, const QString& act, const QString& address,
                const QString& cmdr, bool byOwner);
    void forgetOldSales();

    OrderStore& m_store;
    QString m_versionText;
    HubRules m_rules;
    // The order list as last sent, and the orders' version it was built from.
    QByteArray m_list;
    qint64 m_listVersion = -1;
    qint64 m_salesForgottenAt = 0;
};
