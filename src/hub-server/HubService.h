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

// What the hub does with one form-encoded request: the `act` field picks the
// action, the other fields are its arguments.
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

    HubService(OrderStore& store, QString versionText);

    // Never throws: a request the hub cannot read gives 400, a storage
    // failure 500.
    HubReply handle(const FormData& form);
    // The request changes the orders, sales or owners (add_kvn, update_kvn, verify_kvn).
    static bool changesOrders(const FormData& form);

    // The order list: a JSON array of flat objects whose values are all JSON
    // strings. Brackets inside strings are written as \u005b and \u005d so
    // that no "][" ever occurs inside a string (clients join back-to-back
    // arrays by replacing "][").
    static QByteArray orderListJson(const QList<HubOrder>& orders);

private:
    HubReply listOrders();
    HubReply addOrder(const FormData& form);
    HubReply updateOrder(const FormData& form);
    HubReply verifyOrder(const FormData& form);
    void forgetOldSales();

    OrderStore& m_store;
    QString m_versionText;
    // The order list as last sent, and the orders' version it was built from.
    QByteArray m_list;
    qint64 m_listVersion = -1;
    qint64 m_salesForgottenAt = 0;
};
