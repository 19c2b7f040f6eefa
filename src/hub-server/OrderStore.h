#pragma once

#include <QHash>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <optional>
#include <stdexcept>
#include <type_traits>

// One commodity line of an order as the hub keeps it.
struct HubOrder
{
    qint64 id = 0;
    QString cmdr;
    QString fc;
    QString carrierId;  // decimal, no leading zeros
    QString location;
    QString action;  // "Demand" or "Unload"
    QString commodity;
    QString commodityKey;  // CommodityKey::of(commodity)
    qint64 count = 0;
    qint64 price = 0;
};

// The owner's code of a carrier, as stored: a random salt and the SHA-256 of
// salt and code, both hexadecimal.
struct CarrierBinding
{
    QString salt;
    QString codeHash;
};

class StoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The hub's orders, the sales already counted and the carriers' owner codes,
// in an SQLite file or a PostgreSQL database. Every statement binds its
// values; no text from a request is ever part of SQL. Failures throw
// StoreError.
//
// Several hub processes may share one PostgreSQL database: every change is
// one statement or one transaction that cannot lose another's update (sales
// are decrements done by the database, adding and binding hold a lock on the
// carrier).
class OrderStore
{
public:
    // `location` is a file path (SQLite) or a "postgresql://" URL.
    explicit OrderStore(const QString& location);
    ~OrderStore();
    OrderStore(const OrderStore&) = delete;
    OrderStore& operator=(const OrderStore&) = delete;

    static bool isPostgresUrl(const QString& location);
    bool isPostgres() const { return m_postgres; }

    // Opens the database, creating or upgrading its tables.
    void open();
    // After a failure: drops the connection so the next call opens it again
    // (a PostgreSQL server that restarted is reached again).
    void reset();

    // Orders with a count above 0, oldest first.
    QList<HubOrder> openOrders();
    QList<HubOrder> ordersAt(const QString& carrierId, const QString& action);
    qint64 orderCount();
    // A number that changes whenever the orders change, in any process.
    qint64 ordersVersion();

    // Inside a transaction (they also advance ordersVersion()).
    qint64 insert(const HubOrder& order);
    // Replaces everything but the id of an existing order.
    void replace(const HubOrder& order);
    // Lowers the carrier's Demand lines of a commodity by `sold` and removes
    // those that reach 0; true when any line changed.
    bool sell(const QString& carrierId, const QString& commodityKey, qint64 sold);
    // Sets the carrier's Demand lines of a commodity to `demand` (0 removes
    // them); true when any line changed.
    bool setDemand(const QString& carrierId, const QString& commodityKey, qint64 demand);

    // Sale keys. claimSale() records a new key (true) or finds it known
    // (false, with the answer given the first time in `answer`).
    bool claimSale(const QString& key, QString* answer);
    void setSaleAnswer(const QString& key, const QString& answer);
    void forgetSalesBefore(qint64 epochSeconds);

    // Carrier owners.
    std::optional<CarrierBinding> binding(const QString& carrierId);
    void bind(const QString& carrierId, const CarrierBinding& binding);
    // False when the carrier was not bound.
    bool release(const QString& carrierId);
    // Inside a transaction: holds off other processes working on the same
    // carrier until the transaction ends (SQLite writers are one at a time
    // anyway).
    void lockCarrier(const QString& carrierId);
    // Inside a transaction: one writer at a time across all processes, so
    // transactions that change many orders never wait on each other in a
    // circle (PostgreSQL; SQLite has one writer anyway).
    void lockWriters();

    // Runs `work` in one transaction, rolled back when it throws; within
    // another transaction, in a savepoint of it.
    template <typename F> auto transaction(F work)
    {
        begin();
        try {
            if constexpr (std::is_void_v<decltype(work())>) {
                work();
                commit();
            } else {
                auto result = work();
                commit();
                return result;
            }
        } catch (...) {
            rollback();
            throw;
        }
    }

private:
    void begin();
    void commit();
    void rollback();
    void connect();
    void createSchema();
    void bumpVersion();
    void refreshCommodityKeys();
    // A prepared statement, kept for the connection's life, with `values`
    // bound and executed. Call finish() on it once read.
    QSqlQuery& run(const QString& sql, const QVariantList& values = {});
    QList<HubOrder> readOrders(QSqlQuery& query);

    QString m_location;
    bool m_postgres = false;
    QString m_connection;
    QHash<QString, QSqlQuery> m_statements;
    QSqlQuery m_plain;
    int m_depth = 0;
};
