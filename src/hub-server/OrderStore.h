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

// One change of an order line's count, as the carrier's owner lists it: who
// asked for it (address, and the commander the request named), when, and
// the count before and after. Reports of sales and market checks are kept
// this way so the owner can undo those of one reporter.
struct HubChange
{
    qint64 id = 0;
    QString carrierId;
    qint64 orderId = 0;
    QString commodity;
    QString act;  // "add_kvn", "update_kvn", "verify_kvn" or "undo_kvn"
    QString address;
    QString cmdr;
    qint64 at = 0;  // seconds since 1970, UTC
    qint64 before = 0;
    qint64 after = 0;
    bool byOwner = false;
    qint64 undoneAt = 0;  // 0 while it stands
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

    // Orders with a count above 0, oldest first. Lines sold out or reported
    // gone stay stored with count 0 for a while (so an owner can undo the
    // report), but are not listed.
    QList<HubOrder> openOrders();
    // Lines of a carrier and type, sold-out ones included.
    QList<HubOrder> ordersAt(const QString& carrierId, const QString& action);
    // The carrier's Demand line of a commodity, sold out or not.
    std::optional<HubOrder> demandLine(const QString& carrierId, const QString& commodityKey);
    std::optional<HubOrder> orderById(qint64 id);
    // Whether any line of the carrier is stored, sold-out ones included.
    bool hasOrders(const QString& carrierId);
    // Lines with a count above 0.
    qint64 orderCount();
    // A number that changes whenever the orders change, in any process.
    qint64 ordersVersion();

    // Inside a transaction (they also advance ordersVersion()).
    qint64 insert(const HubOrder& order);
    // Replaces everything but the id of an existing order.
    void replace(const HubOrder& order);
    // Sets the count of an order line (0 takes it off the list).
    void setCount(qint64 orderId, qint64 count);
    // Forgets lines at count 0 that last changed before the time.
    void forgetSoldOutBefore(qint64 epochSeconds);

    // The record of changes.
    void recordChange(const HubChange& change);
    // A carrier's changes, newest first.
    QList<HubChange> changes(const QString& carrierId);
    void markUndone(qint64 changeId, qint64 epochSeconds);
    // Keeps at most `perCarrier` changes of the carrier and `total` in all,
    // dropping the oldest.
    void trimChanges(const QString& carrierId, qint64 perCarrier, qint64 total);
    void forgetChangesBefore(qint64 epochSeconds);

    // Sale keys, per carrier. knownSale() finds a key (true, with the answer
    // given the first time in `answer`); claimSale() records a new one.
    bool knownSale(const QString& carrierId, const QString& key, QString* answer);
    void claimSale(const QString& carrierId, const QString& key, const QString& answer);
    // Keeps at most `perCarrier` keys of the carrier and `total` in all,
    // dropping the oldest.
    void trimSales(const QString& carrierId, qint64 perCarrier, qint64 total);
    void forgetSalesBefore(qint64 epochSeconds);
    qint64 saleCount();

    // Carrier owners.
    std::optional<CarrierBinding> binding(const QString& carrierId);
    void bind(const QString& carrierId, const CarrierBinding& binding);
    // False when the carrier was not bound.
    bool release(const QString& carrierId);
    // Binds or binds anew (the operator's --bind-carrier).
    void rebind(const QString& carrierId, const CarrierBinding& binding);
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
    // Deletes the rows of `table` whose id is at or below the one `keep`
    // rows from the newest (of the carrier, and in all).
    void trim(const QString& table, const QString& carrierId, qint64 perCarrier, qint64 total);

    QString m_location;
    bool m_postgres = false;
    QString m_connection;
    QHash<QString, QSqlQuery> m_statements;
    QSqlQuery m_plain;
    int m_depth = 0;
};
