// The rows the loading list takes from the contracts accepted from the hub.
#include "cargo/ContractRows.h"

#include <QTest>

namespace {

Order order(quint64 id, const QString& cmdr, QList<OrderLine> lines)
{
    Order o;
    o.carrierId = id;
    o.cmdr = cmdr;
    o.lines = std::move(lines);
    return o;
}

}  // namespace

class ContractRowsTest : public QObject
{
    Q_OBJECT

private slots:
    void lastTakenOrderOfTheCarrier()
    {
        const QList<Order> accepted{
            order(123, QStringLiteral("a"),
                  {{QStringLiteral("Steel"), 720, 100}, {QStringLiteral("Tea"), 55, 90}}),
            order(12, QStringLiteral("b"), {{QStringLiteral("Water"), 40, 95}}),
            order(12, QStringLiteral("c"), {}),
            order(0, QStringLiteral("d"), {{QStringLiteral("Gold"), 1, 95}}),
        };
        QCOMPARE(::contractRows(accepted, 123).value_or(QList<ContractRow>{}),
                 (QList<ContractRow>{{QStringLiteral("Steel"), 720}, {QStringLiteral("Tea"), 55}}));
        // 12 is a carrier of its own, not the start of 123; the order taken last counts.
        QCOMPARE(acceptedOrderOf(accepted, 12)->cmdr, QStringLiteral("c"));
        QCOMPARE(::contractRows(accepted, 12).value_or(QList<ContractRow>{{}}), QList<ContractRow>{});
        QCOMPARE(::contractRows(accepted, 1).has_value(), false);
        // An order without a carrier id belongs to no carrier.
        QVERIFY(!acceptedOrderOf(accepted, 0));
    }
};

QTEST_GUILESS_MAIN(ContractRowsTest)
#include "contract_rows_test.moc"
