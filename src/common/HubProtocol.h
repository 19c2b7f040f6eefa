#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QList>
#include <QString>
#include <initializer_list>
#include <optional>
#include <utility>

// The Kelvane hub's wire protocol, as both the program and tessivar-hub speak
// it: every request is a form-encoded POST whose field "act" names what is
// asked; the answers are short texts, and the order list is a JSON array.
// The names are those of the first hubs and stay as they are, Polish ones
// included: hubs and clients of every release must keep understanding each other.
namespace HubProtocol {

// The path an address without one gets.
inline constexpr QLatin1String kDefaultPath{"/ED/KVN.php"};

// The values of the field "act".
namespace Act {
inline constexpr QLatin1String kListOrders{"get_kvn"};
inline constexpr QLatin1String kAddOrder{"add_kvn"};
inline constexpr QLatin1String kReportSale{"update_kvn"};
inline constexpr QLatin1String kVerifyOrder{"verify_kvn"};
inline constexpr QLatin1String kListChanges{"changes_kvn"};
inline constexpr QLatin1String kUndoChanges{"undo_kvn"};
inline constexpr QLatin1String kListSales{"sales_kvn"};
inline constexpr QLatin1String kCheckVersion{"check_version"};
}  // namespace Act

// Form fields of the requests.
namespace Field {
inline constexpr QLatin1String kAct{"act"};
// add_kvn
inline constexpr QLatin1String kCmdr{"cmdr"};
inline constexpr QLatin1String kCarrierName{"FC"};
inline constexpr QLatin1String kCarrierId{"CarrierID"};
inline constexpr QLatin1String kLocation{"location"};
inline constexpr QLatin1String kType{"typ"};
inline constexpr QLatin1String kCommodity{"commodity"};
inline constexpr QLatin1String kCount{"count"};
inline constexpr QLatin1String kPrice{"price"};
// The carrier owner's code (add_kvn, update_kvn, verify_kvn, changes_kvn, undo_kvn).
inline constexpr QLatin1String kOwnerCode{"code"};
// update_kvn: a sale at a carrier.
inline constexpr QLatin1String kSaleMarket{"MarketID"};
inline constexpr QLatin1String kSaleCommodity{"Commodity"};
inline constexpr QLatin1String kSaleCount{"Count"};
inline constexpr QLatin1String kSaleKey{"SaleKey"};
// update_kvn and verify_kvn: the commander who reports.
inline constexpr QLatin1String kReporter{"CMDR"};
// verify_kvn: the demand a market shows.
inline constexpr QLatin1String kVerifyMarket{"Market"};
inline constexpr QLatin1String kVerifyCommodity{"Towar"};
inline constexpr QLatin1String kVerifyCount{"Ilosc"};
// undo_kvn: whose reports are undone.
inline constexpr QLatin1String kUndoReporter{"Reporter"};
}  // namespace Field

// The short answers.
namespace Reply {
inline constexpr QLatin1String kSaleTaken{"update_ok"};
inline constexpr QLatin1String kSaleIgnored{"update_none"};
inline constexpr QLatin1String kVerifyChanged{"verify_ok"};
inline constexpr QLatin1String kVerifyUnchanged{"verify_none"};
}  // namespace Reply

// The keys of one element of the order list.
namespace OrderKey {
inline constexpr QLatin1String kCarrierName{"FC"};
inline constexpr QLatin1String kCmdr{"cmdr"};
inline constexpr QLatin1String kCarrierId{"CarrierID"};
inline constexpr QLatin1String kAction{"action"};
inline constexpr QLatin1String kLocation{"location"};
inline constexpr QLatin1String kCommodity{"commodity"};
inline constexpr QLatin1String kPrice{"price"};
inline constexpr QLatin1String kCount{"count"};
}  // namespace OrderKey

// One element of the order list: one commodity of one carrier's order.
struct OrderRow
{
    QString carrierName;
    QString cmdr;
    quint64 carrierId = 0;
    QString action;  // "Demand" or "Unload"
    QString location;
    QString commodity;
    qint64 count = 0;
    qint64 price = 0;  // % of the galactic average

    bool operator==(const OrderRow&) const = default;
};

// Appends `value` as a JSON string. "[" and "]" are written as \u005b and
// \u005d, so no "][" ever occurs inside a string: readers join arrays sent
// back to back by replacing "][" (see readOrderList).
void appendJsonText(QByteArray& out, const QString& value);

// A flat JSON object whose values are all strings (appendJsonText).
void appendJsonObject(QByteArray& out, std::initializer_list<std::pair<QLatin1String, QString>> fields);

// The order list as the hub sends it: an array of flat objects whose values
// are all JSON strings.
QByteArray writeOrderList(const QList<OrderRow>& rows);

struct OrderList
{
    QList<OrderRow> rows;
    // Elements that carry no order (not an object), or whose count, price or
    // carrier id is not a whole number; they are left out.
    int unreadable = 0;
};

// Reads a get_kvn answer: one JSON array, or several sent back to back.
// Values may be strings or numbers; a missing text is empty, a missing
// number 0. nullopt when the answer is not an order list at all.
std::optional<OrderList> readOrderList(const QString& reply);

}  // namespace HubProtocol
