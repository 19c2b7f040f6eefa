#include "commodities/CommodityNames.h"
#include "common/TextTableModel.h"
#include "hub/OrderLines.h"
#include "hub/OrderTree.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QTest>

// Lists show a commodity by the name the game gives it, while what they keep,
// and so what files, the phone, the page and the hub get, stays as stored.
class ShownNamesTest : public QObject
{
    Q_OBJECT
private slots:
    void listShowsGameNamesAndKeepsItsOwn();
    void orderTreeShowsGameNamesAndKeepsTheHubs();
};

void ShownNamesTest::listShowsGameNamesAndKeepsItsOwn()
{
    TextTableModel list(2);
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QList<QStringList> rows{{"TOWAR", "ILOSC"},     {"Computer", "5"}, {"$cmmcomposite_name;", "3"},
                                  {"Liquid Oxygen", "2"}, {"drones", "1"},   {"TOTAL", "11"}};
    list.setAll(rows);
    list.setShownText(0, &CommodityNames::displayName);

    const QStringList shown{"TOWAR", "Computer Components", "CMM Composite", "Liquid oxygen", "Limpet",
                            "TOTAL"};
    for (int r = 0; r < list.rowCount(); ++r) {
        QCOMPARE(list.index(r, 0).data(Qt::DisplayRole).toString(), shown[r]);
        QCOMPARE(list.index(r, 0).data(Qt::EditRole).toString(), rows[r][0]);
        QCOMPARE(list.cell(r, 0), rows[r][0]);
        QCOMPARE(list.index(r, 1).data(Qt::DisplayRole).toString(), rows[r][1]);  // other columns as stored
    }
    QCOMPARE(list.toJson().at(1).toArray().at(0).toString(), QStringLiteral("Computer"));

    // Edited in place, the person's text is what is kept.
    QVERIFY(list.setData(list.index(1, 0), QStringLiteral("Liquid Oxygen"), Qt::EditRole));
    QCOMPARE(list.cell(1, 0), QStringLiteral("Liquid Oxygen"));
    QCOMPARE(list.index(1, 0).data().toString(), QStringLiteral("Liquid oxygen"));
}

void ShownNamesTest::orderTreeShowsGameNamesAndKeepsTheHubs()
{
    OrderTree tree;
    QAbstractItemModelTester tester(&tree, QAbstractItemModelTester::FailureReportingMode::QtTest);
    Order order;
    order.carrierName = QStringLiteral("FC [X]");
    order.cmdr = QStringLiteral("Cmdr");
    order.carrierId = 3702668288ULL;
    order.action = QStringLiteral("Demand");
    order.location = QStringLiteral("Deciat");
    order.lines = {{QStringLiteral("Components Computer"), 700, 120}};
    tree.appendOrder(order);
    const QModelIndex heading = tree.index(0, 0);
    const QModelIndex commodity = tree.index(3, 0, heading);
    constexpr auto shown = OrderLines::Wording::Shown;
    const QString line = OrderLines::commodityLine(order.lines.first(), shown);
    QCOMPARE(commodity.data(Qt::DisplayRole).toString(),
             OrderLines::commodityLine({QStringLiteral("Computer Components"), 700, 120}, shown));
    QCOMPARE(commodity.data(Qt::ToolTipRole).toString(), line);
    QCOMPARE(tree.orders().first().lines.first().commodity, QStringLiteral("Components Computer"));
    // Lines without a commodity are shown as they are, brackets and all.
    QCOMPARE(heading.data().toString(), OrderLines::header(order, shown));
}

QTEST_GUILESS_MAIN(ShownNamesTest)
#include "shown_names_test.moc"
