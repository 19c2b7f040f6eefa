// The hub's order list as a tree: reading replies into orders, the tree the
// contracts window draws, and the taken contracts following the hub.
#include "TestSupport.h"

#include "hub/HubClient.h"
#include "hub/HubHttp.h"
#include "hub/OrderLines.h"
#include "hub/OrderTree.h"
#include "hub/Orders.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

namespace {

// JSON written with single quotes, to keep the test data readable.
QString j(const char* text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('\''), QLatin1Char('"'));
}

const QString kAstronaut = QStringLiteral("\U0001F9D1\u200D\U0001F680");

// The tree as drawn: top-level texts, children indented by two blanks per level.
QStringList lines(const QAbstractItemModel& tree, const QModelIndex& parent = {}, int depth = 0)
{
    QStringList out;
    for (int r = 0; r < tree.rowCount(parent); ++r) {
        const QModelIndex i = tree.index(r, 0, parent);
        out.append(QString(depth * 2, QLatin1Char(' ')) + i.data().toString());
        out += lines(tree, i, depth + 1);
    }
    return out;
}

QString header(const QString& fc, const QString& cmdr)
{
    return QStringLiteral("🚀 ") + fc + QStringLiteral(" - ") + kAstronaut + QLatin1Char(' ') + cmdr;
}

QStringList order(const QString& fc, const QString& cmdr, const QString& id, const QString& action,
                  const QString& location, const QStringList& commodities)
{
    QStringList out{header(fc, cmdr), QStringLiteral("  🆔 Carrier ID: ") + id,
                    QStringLiteral("  📥 Action: ") + action, QStringLiteral("  📍 Location: ") + location};
    for (const QString& c : commodities)
        out.append(QStringLiteral("  ") + c);
    return out;
}

QString commodity(const QString& name, const QString& count, const QString& price)
{
    return QStringLiteral("📦 Commodity: [") + name + QStringLiteral("] 🔢 ") + count +
           QStringLiteral(" / 💰 ") + price + QStringLiteral("% AVG;");
}

Order typed(const QString& fc, const QString& cmdr, quint64 id, QList<OrderLine> commodities = {})
{
    Order o;
    o.carrierName = fc;
    o.cmdr = cmdr;
    o.carrierId = id;
    o.action = QStringLiteral("Demand");
    o.location = QStringLiteral("L");
    o.lines = std::move(commodities);
    return o;
}

}  // namespace

class OrderTreeTest : public QObject
{
    Q_OBJECT

private slots:
    void loadOrderList_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("tree");

        const QString one = j("{'FC':'Ironclad','cmdr':'Jan','CarrierID':'3702668288','action':'Demand','"
                              "location':'Deciat / Body 5','commodity':'Steel','price':'105','count':'720'}");
        const QStringList oneTree =
            order(QStringLiteral("Ironclad"), QStringLiteral("Jan"), QStringLiteral("3702668288"),
                  QStringLiteral("Demand"), QStringLiteral("Deciat / Body 5"),
                  {commodity(QStringLiteral("Steel"), QStringLiteral("720"), QStringLiteral("105"))});

        QTest::newRow("empty array") << QStringLiteral("[]") << QStringList();
        QTest::newRow("one order") << QLatin1Char('[') + one + QLatin1Char(']') << oneTree;
        // What is no order list leaves the orders as they were.
        const QStringList oldTree =
            order(QStringLiteral("Old"), QStringLiteral("Z"), QStringLiteral("none"), QStringLiteral("none"),
                  QStringLiteral("none"),
                  {commodity(QStringLiteral("none"), QStringLiteral("0"), QStringLiteral("0"))});
        QTest::newRow("not an array") << QStringLiteral("update_ok") << oldTree;
        QTest::newRow("an object") << j("{'FC':'x'}") << oldTree;
        QTest::newRow("empty reply") << QString() << oldTree;
        QTest::newRow("back-to-back arrays")
            << j("[{'FC':'A','cmdr':'X','commodity':'Water','count':'1','price':'90'}][{'FC':'B','cmdr':'Y','"
                 "commodity':'Tea','count':'2','price':'80'}]")
            << (order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("none"),
                      QStringLiteral("none"), QStringLiteral("none"),
                      {commodity(QStringLiteral("Water"), QStringLiteral("1"), QStringLiteral("90"))}) +
                order(QStringLiteral("B"), QStringLiteral("Y"), QStringLiteral("none"),
                      QStringLiteral("none"), QStringLiteral("none"),
                      {commodity(QStringLiteral("Tea"), QStringLiteral("2"), QStringLiteral("80"))}));
        QTest::newRow("merged order keeps the first element's lines")
            << j("[{'FC':'A','cmdr':'X','CarrierID':'111','action':'Demand','location':'L1','commodity':'"
                 "Water',"
                 "'count':'5','price':'100'},{'FC':'A','cmdr':'X','CarrierID':'222','action':'Unload',"
                 "'location':'L2','commodity':'Steel','count':'6','price':'110'}]")
            << order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("111"),
                     QStringLiteral("Demand"), QStringLiteral("L1"),
                     {commodity(QStringLiteral("Water"), QStringLiteral("5"), QStringLiteral("100")),
                      commodity(QStringLiteral("Steel"), QStringLiteral("6"), QStringLiteral("110"))});
        QTest::newRow("missing fields")
            << j("[{}]")
            << order(QStringLiteral("none"), QStringLiteral("none"), QStringLiteral("none"),
                     QStringLiteral("none"), QStringLiteral("none"),
                     {commodity(QStringLiteral("none"), QStringLiteral("0"), QStringLiteral("0"))});
        QTest::newRow("numbers as written")
            << j("[{'FC':'A','cmdr':'X','CarrierID':3702668288,'count':720,'price':12,'commodity':'Gold'}]")
            << order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("3702668288"),
                     QStringLiteral("none"), QStringLiteral("none"),
                     {commodity(QStringLiteral("Gold"), QStringLiteral("720"), QStringLiteral("12"))});
        QTest::newRow("line whose count, price or id is no whole number is left out")
            << j("[{'FC':'A','cmdr':'X','count':'many','commodity':'Tea'},{'FC':'A','cmdr':'X','price':12.5,"
                 "'commodity':'Tea'},{'FC':'A','cmdr':'X','CarrierID':'12x','commodity':'Tea'},"
                 "{'FC':'A','cmdr':'X','count':' 7 ','commodity':'Gold'}]")
            << order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("none"), QStringLiteral("none"),
                     QStringLiteral("none"),
                     {commodity(QStringLiteral("Gold"), QStringLiteral("7"), QStringLiteral("0"))});
        QTest::newRow("element that is no object is passed over")
            << j("[1,'x',{'FC':'A','cmdr':'X','commodity':'Tea','count':'3','price':'90'}]")
            << order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("none"), QStringLiteral("none"),
                     QStringLiteral("none"),
                     {commodity(QStringLiteral("Tea"), QStringLiteral("3"), QStringLiteral("90"))});
        QTest::newRow("headers differ in case: two orders")
            << j("[{'FC':'A','cmdr':'X','commodity':'Tea'},{'FC':'a','cmdr':'X','commodity':'Tea'}]")
            << (order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("none"),
                      QStringLiteral("none"), QStringLiteral("none"),
                      {commodity(QStringLiteral("Tea"), QStringLiteral("0"), QStringLiteral("0"))}) +
                order(QStringLiteral("a"), QStringLiteral("X"), QStringLiteral("none"),
                      QStringLiteral("none"), QStringLiteral("none"),
                      {commodity(QStringLiteral("Tea"), QStringLiteral("0"), QStringLiteral("0"))}));
    }

    void loadOrderList()
    {
        QFETCH(QString, reply);
        QFETCH(QStringList, tree);
        CoreFixture f;
        HubClient& kvn = f.start().hubClient();
        QAbstractItemModelTester tester(&kvn.marketOrders,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        // Whatever the list held before is replaced.
        kvn.loadOrderList(j("[{'FC':'Old','cmdr':'Z'}]"));
        kvn.loadOrderList(reply);
        QCOMPARE(lines(kvn.marketOrders), tree);
    }

    void unreadableLines_toldOnTheStrip()
    {
        CoreFixture f;
        HubClient& kvn = f.start().hubClient();
        QVERIFY(kvn.loadOrderList(j("[1,{'FC':'A','count':'many'},{'FC':'B'}]")));
        QCOMPARE(kvn.marketOrders.orderCount(), 1);
        QCOMPARE(f.stripTexts(), QStringList{QStringLiteral(
                                     "Kelvane hub: 2 order line(s) could not be read and are left out.")});
    }

    void orderHeader_usesTheJoinedAstronaut()
    {
        const QString h = OrderLines::header(typed(QStringLiteral("FC"), QStringLiteral("C"), 1));
        QCOMPARE(h.toUcs4(),
                 (QList<uint>{0x1F680, ' ', 'F', 'C', ' ', '-', ' ', 0x1F9D1, 0x200D, 0x1F680, ' ', 'C'}));
    }

    void syncAcceptedOrders_data()
    {
        QTest::addColumn<QList<Order>>("market");
        QTest::addColumn<QList<Order>>("accepted");
        QTest::addColumn<QList<Order>>("expected");
        const OrderLine steel{QStringLiteral("Steel"), 720, 100};
        const OrderLine tea{QStringLiteral("Tea"), 5, 90};
        const Order fresh = typed(QStringLiteral("Iron"), QStringLiteral("cmdr"), 42, {steel, tea});
        QTest::newRow("same order: details replaced, lines gained")
            << QList<Order>{fresh}
            << QList<Order>{typed(QStringLiteral("Iron"), QStringLiteral("cmdr"), 1, {steel})}
            << QList<Order>{fresh};
        Order shouted = fresh;
        shouted.carrierName = QStringLiteral("IRON");
        shouted.cmdr = QStringLiteral("CMDR");
        QTest::newRow("ASCII letter case ignored, the taken spelling kept")
            << QList<Order>{typed(QStringLiteral("Iron"), QStringLiteral("cmdr"), 42, {steel, tea})}
            << QList<Order>{typed(QStringLiteral("IRON"), QStringLiteral("CMDR"), 42, {steel})}
            << QList<Order>{shouted};
        QTest::newRow("lines lost")
            << QList<Order>{typed(QStringLiteral("Iron"), QStringLiteral("cmdr"), 42, {tea})}
            << QList<Order>{fresh}
            << QList<Order>{typed(QStringLiteral("Iron"), QStringLiteral("cmdr"), 42, {tea})};
        const Order polish = typed(QStringLiteral("Łódź"), QStringLiteral("c"), 7, {steel});
        QTest::newRow("other letters must match")
            << QList<Order>{typed(QStringLiteral("łódź"), QStringLiteral("c"), 7, {tea})}
            << QList<Order>{polish} << QList<Order>{polish};
        const Order old = typed(QStringLiteral("Iron"), QStringLiteral("cmdr"), 42, {});
        QTest::newRow("only the first copy")
            << QList<Order>{fresh} << QList<Order>{old, old} << QList<Order>{fresh, old};
        QTest::newRow("order gone from the hub keeps its lines")
            << QList<Order>{} << QList<Order>{fresh} << QList<Order>{fresh};
    }

    void syncAcceptedOrders()
    {
        QFETCH(QList<Order>, market);
        QFETCH(QList<Order>, accepted);
        QFETCH(QList<Order>, expected);
        CoreFixture f;
        HubClient& kvn = f.start().hubClient();
        QAbstractItemModelTester tester(&kvn.acceptedOrders,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        kvn.marketOrders.setOrders(market);
        kvn.acceptedOrders.setOrders(accepted);
        kvn.syncAcceptedOrders();
        QCOMPARE(kvn.acceptedOrders.orders(), expected);
        // The drawn tree follows the orders.
        OrderTree drawn;
        drawn.setOrders(expected);
        QCOMPARE(lines(kvn.acceptedOrders), lines(drawn));
    }

    void orderTree_drawsEveryOrderWithItsDetails()
    {
        OrderTree tree;
        QAbstractItemModelTester tester(&tree, QAbstractItemModelTester::FailureReportingMode::QtTest);
        tree.appendOrder(typed(QStringLiteral("Iron"), QStringLiteral("Jan"), 3702668288ULL,
                               {{QStringLiteral("Steel"), 720, 105}}));
        tree.appendOrder(typed(QString(), QString(), 0, {}));
        QCOMPARE(lines(tree),
                 order(QStringLiteral("Iron"), QStringLiteral("Jan"), QStringLiteral("3702668288"),
                       QStringLiteral("Demand"), QStringLiteral("L"),
                       {commodity(QStringLiteral("Steel"), QStringLiteral("720"), QStringLiteral("105"))}) +
                     order(QStringLiteral("none"), QStringLiteral("none"), QStringLiteral("none"),
                           QStringLiteral("Demand"), QStringLiteral("L"), {}));
        // The record keeps the hub's first wording, whatever the person reads.
        const QJsonArray record = tree.toJson();
        QCOMPARE(record[1].toObject().value(QLatin1String("text")).toString(),
                 header(QStringLiteral("brak"), QStringLiteral("brak")));
        QCOMPARE(record[0]
                     .toObject()
                     .value(QLatin1String("children"))
                     .toArray()[0]
                     .toObject()
                     .value(QLatin1String("text")),
                 QStringLiteral("🆔 CarrierID: 3702668288"));
        // Any line of an order leads back to it; nothing else does.
        const QModelIndex steel = tree.index(3, 0, tree.index(0, 0));
        QCOMPARE(tree.orderRow(steel), 0);
        QCOMPARE(tree.orderRow(tree.index(1, 0)), 1);
        QCOMPARE(tree.orderRow(QModelIndex()), -1);
        QCOMPARE(tree.index(4, 0, tree.index(0, 0)), QModelIndex());
        // The dump keeps the drawn texts.
        const QJsonArray dump = tree.toJson();
        QCOMPARE(dump.size(), 2);
        QCOMPARE(dump[0][QLatin1String("text")].toString(), lines(tree).first());
        QCOMPARE(dump[0][QLatin1String("children")].toArray().size(), 4);
    }

    void formEncode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("blank as plus") << QStringLiteral("cmdr") << QStringLiteral("CMDR Jan Kowalski")
                                       << QByteArray("cmdr=CMDR+Jan+Kowalski");
        QTest::newRow("reserved characters")
            << QStringLiteral("location") << QStringLiteral("Sol / Body 5&x=1+2%")
            << QByteArray("location=Sol+%2F+Body+5%26x%3D1%2B2%25");
        QTest::newRow("UTF-8 bytes") << QStringLiteral("FC") << QStringLiteral("Łódź ✓")
                                     << QByteArray("FC=%C5%81%C3%B3d%C5%BA+%E2%9C%93");
        QTest::newRow("unreserved kept")
            << QStringLiteral("a_b") << QStringLiteral("A-z.0_9*~") << QByteArray("a_b=A-z.0_9*%7E");
        QTest::newRow("empty value") << QStringLiteral("code") << QString() << QByteArray("code=");
    }

    void formEncode()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QByteArray, encoded);
        QCOMPARE(HubHttpClient::formEncode({{QStringLiteral("act"), QStringLiteral("x")}, {name, value}}),
                 QByteArray("act=x&") + encoded);
    }

    void orderCommodities_sixtyOneEntries()
    {
        const QStringList& list = HubClient::orderCommodities();
        QCOMPARE(list.size(), 61);
        QCOMPARE(list[3], QStringLiteral("Aluminium"));
        QCOMPARE(list[21], QStringLiteral("Water Purifiers"));
        QCOMPARE(list[22], QString());
        QCOMPARE(list[24], QStringLiteral("OTHER:"));
        QCOMPARE(list.last(), QStringLiteral("Wine"));
        int orderable = 0;
        for (const QString& e : list)
            orderable += isOrderableCommodity(e) ? 1 : 0;
        QCOMPARE(orderable, 19 + 35);
    }
};

QTEST_GUILESS_MAIN(OrderTreeTest)
#include "order_tree_test.moc"
