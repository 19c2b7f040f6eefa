#include "OrderStore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

constexpr int kSchemaVersion = 1;

QString now()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
}

[[noreturn]] void raise(const QString& what, const QSqlError& error)
{
    throw StoreError((what + QStringLiteral(": ") + error.text()).toStdString());
}

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery query(db);
    if (!query.prepare(sql))
        raise(QStringLiteral("cannot prepare statement"), query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        raise(QStringLiteral("statement failed"), query.lastError());
    return query;
}

HubOrder readOrder(const QSqlQuery& query)
{
    HubOrder order;
    order.id = query.value(0).toLongLong();
    order.cmdr = query.value(1).toString();
    order.fc = query.value(2).toString();
    order.carrierId = query.value(3).toString();
    order.location = query.value(4).toString();
    order.action = query.value(5).toString();
    order.commodity = query.value(6).toString();
    order.count = query.value(7).toLongLong();
    order.price = query.value(8).toLongLong();
    return order;
}

const QString kColumns =
    QStringLiteral("id, cmdr, fc, carrier_id, location, action, commodity, count, price");

}  // namespace

OrderStore::OrderStore(const QString& path) : m_path(path)
{
    static std::atomic<int> serial{0};
    m_connection = QStringLiteral("tessivar-hub-%1").arg(++serial);
}

OrderStore::~OrderStore()
{
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
}

void OrderStore::open()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw StoreError("the Qt SQLite driver (QSQLITE) is not installed");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        raise(QStringLiteral("cannot open ") + m_path, db.lastError());

    QSqlQuery version = run(db, QStringLiteral("PRAGMA user_version"));
    const int schema = version.next() ? version.value(0).toInt() : 0;
    version.finish();
    if (schema > kSchemaVersion)
        throw StoreError("the database was made by a newer hub server");
    if (schema == kSchemaVersion)
        return;
    transaction([&] {
        run(db, QStringLiteral("CREATE TABLE IF NOT EXISTS orders ("
                               "id INTEGER PRIMARY KEY AUTOINCREMENT,"
                               "cmdr TEXT NOT NULL, fc TEXT NOT NULL, carrier_id TEXT NOT NULL,"
                               "location TEXT NOT NULL, action TEXT NOT NULL, commodity TEXT NOT NULL,"
                               "count INTEGER NOT NULL, price INTEGER NOT NULL,"
                               "created_at TEXT NOT NULL, updated_at TEXT NOT NULL)"));
        run(db,
            QStringLiteral("CREATE INDEX IF NOT EXISTS orders_by_carrier ON orders (carrier_id, action)"));
        run(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    });
}

QList<HubOrder> OrderStore::openOrders() const
{
    QSqlQuery query = run(QSqlDatabase::database(m_connection),
                          QStringLiteral("SELECT %1 FROM orders WHERE count > 0 ORDER BY id").arg(kColumns));
    QList<HubOrder> orders;
    while (query.next())
        orders.append(readOrder(query));
    return orders;
}

QList<HubOrder> OrderStore::ordersAt(const QString& carrierId, const QString& action) const
{
    QSqlQuery query = run(
        QSqlDatabase::database(m_connection),
        QStringLiteral("SELECT %1 FROM orders WHERE carrier_id = ? AND action = ? ORDER BY id").arg(kColumns),
        {carrierId, action});
    QList<HubOrder> orders;
    while (query.next())
        orders.append(readOrder(query));
    return orders;
}

qint64 OrderStore::orderCount() const
{
    QSqlQuery query =
        run(QSqlDatabase::database(m_connection), QStringLiteral("SELECT COUNT(*) FROM orders"));
    return query.next() ? query.value(0).toLongLong() : 0;
}

qint64 OrderStore::insert(const HubOrder& order)
{
    const QString stamp = now();
    QSqlQuery query =
        run(QSqlDatabase::database(m_connection),
            QStringLiteral("INSERT INTO orders (cmdr, fc, carrier_id, location, action, commodity,"
                           " count, price, created_at, updated_at)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {order.cmdr, order.fc, order.carrierId, order.location, order.action, order.commodity,
             order.count, order.price, stamp, stamp});
    return query.lastInsertId().toLongLong();
}

void OrderStore::replace(const HubOrder& order)
{
    run(QSqlDatabase::database(m_connection),
        QStringLiteral("UPDATE orders SET cmdr = ?, fc = ?, carrier_id = ?, location = ?, action = ?,"
                       " commodity = ?, count = ?, price = ?, updated_at = ? WHERE id = ?"),
        {order.cmdr, order.fc, order.carrierId, order.location, order.action, order.commodity, order.count,
         order.price, now(), order.id});
}

void OrderStore::setCount(qint64 id, qint64 count)
{
    run(QSqlDatabase::database(m_connection),
        QStringLiteral("UPDATE orders SET count = ?, updated_at = ? WHERE id = ?"), {count, now(), id});
}

void OrderStore::remove(qint64 id)
{
    run(QSqlDatabase::database(m_connection), QStringLiteral("DELETE FROM orders WHERE id = ?"), {id});
}

void OrderStore::begin()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    if (!db.transaction())
        raise(QStringLiteral("cannot begin a transaction"), db.lastError());
}

void OrderStore::commit()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    if (!db.commit())
        raise(QStringLiteral("cannot commit"), db.lastError());
}

void OrderStore::rollback()
{
    QSqlDatabase::database(m_connection).rollback();
}
