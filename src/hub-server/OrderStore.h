#pragma once

#include <QList>
#include <QString>
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
    qint64 count = 0;
    qint64 price = 0;
};

class StoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The hub's orders in an SQLite file. Every statement binds its values; no
// text from a request is ever part of SQL. Failures throw StoreError.
class OrderStore
{
public:
    explicit OrderStore(const QString& path);
    ~OrderStore();
    OrderStore(const OrderStore&) = delete;
    OrderStore& operator=(const OrderStore&) = delete;

    // Opens the file, creating it and its table when new.
    void open();

    // Orders with a count above 0, oldest first.
    QList<HubOrder> openOrders() const;
    QList<HubOrder> ordersAt(const QString& carrierId, const QString& action) const;
    qint64 orderCount() const;

    // Returns the new id.
    qint64 insert(const HubOrder& order);
    // Replaces everything but the id of an existing order.
    void replace(const HubOrder& order);
    void setCount(qint64 id, qint64 count);
    void remove(qint64 id);

    // Runs `work` in one transaction, rolled back when it throws.
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

    QString m_path;
    QString m_connection;
};
