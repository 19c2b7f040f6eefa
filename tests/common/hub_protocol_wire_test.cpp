// The hub's wire protocol alone: the order list as the hub writes it and as
// the program reads it back, the "][" joining of arrays sent back to back.
#include "HubProtocol.h"

#include <QTest>

using namespace HubProtocol;

class HubProtocolWireTest : public QObject
{
    Q_OBJECT

private slots:
    void writeOrderList_theHubsBytes()
    {
        const OrderRow row{
            QStringLiteral("Iron [X]"),  QStringLiteral("Jan \"J\""), 3702668288ULL, QStringLiteral("Demand"),
            QStringLiteral("Deciat\n5"), QStringLiteral("Steel"),     720,           105};
        QCOMPARE(writeOrderList({}), QByteArray("[]"));
        QCOMPARE(writeOrderList({row, row}).count("},{"), 1);
        QCOMPARE(
            writeOrderList({row}),
            QByteArray(
                "[{\"FC\":\"Iron \\u005bX\\u005d\",\"cmdr\":\"Jan \\\"J\\\"\",\"CarrierID\":\"3702668288\","
                "\"action\":\"Demand\",\"location\":\"Deciat\\u000a5\",\"commodity\":\"Steel\",\"price\":"
                "\"105\","
                "\"count\":\"720\"}]"));
    }

    void readOrderList_readsWhatTheHubWrites()
    {
        const QList<OrderRow> rows{
            {QStringLiteral("A ][ B"), QStringLiteral("Jan"), 42, QStringLiteral("Unload"),
             QStringLiteral("L"), QStringLiteral("Tea"), 5, 90},
            {QStringLiteral("Ironclad"), QStringLiteral("Łukasz ✓"), 3702668288ULL, QStringLiteral("Demand"),
             QStringLiteral("Deciat / Body 5"), QStringLiteral("Liquid Oxygen"), 2147483647, 1}};
        const QByteArray one = writeOrderList(rows);
        const auto list = HubProtocol::readOrderList(QString::fromUtf8(one));
        QVERIFY(list);
        QCOMPARE(list->rows, rows);
        QCOMPARE(list->unreadable, 0);
        // Two lists back to back read as one, brackets inside names notwithstanding.
        const auto twice = HubProtocol::readOrderList(QString::fromUtf8(one + writeOrderList({rows[0]})));
        QVERIFY(twice);
        QCOMPARE(twice->rows, rows + QList<OrderRow>{rows[0]});
    }

    void readOrderList_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("isList");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("unreadable");
        QTest::newRow("empty list") << QStringLiteral("[]") << true << 0 << 0;
        QTest::newRow("answer text") << QStringLiteral("update_ok") << false << 0 << 0;
        QTest::newRow("object") << QStringLiteral("{}") << false << 0 << 0;
        QTest::newRow("nothing") << QString() << false << 0 << 0;
        QTest::newRow("numbers as numbers")
            << QStringLiteral("[{\"CarrierID\":3702668288,\"count\":7,\"price\":100}]") << true << 1 << 0;
        QTest::newRow("missing numbers are 0") << QStringLiteral("[{}]") << true << 1 << 0;
        QTest::newRow("no object") << QStringLiteral("[1,\"x\",null]") << true << 0 << 3;
        QTest::newRow("count no number") << QStringLiteral("[{\"count\":\"many\"}]") << true << 0 << 1;
        QTest::newRow("price a fraction") << QStringLiteral("[{\"price\":12.5}]") << true << 0 << 1;
        QTest::newRow("id no number") << QStringLiteral("[{\"CarrierID\":\"12x\"}]") << true << 0 << 1;
        QTest::newRow("id negative") << QStringLiteral("[{\"CarrierID\":-1}]") << true << 0 << 1;
    }

    void readOrderList()
    {
        QFETCH(QString, reply);
        QFETCH(bool, isList);
        QFETCH(int, rows);
        QFETCH(int, unreadable);
        const auto list = HubProtocol::readOrderList(reply);
        QCOMPARE(list.has_value(), isList);
        if (!list)
            return;
        QCOMPARE(list->rows.size(), rows);
        QCOMPARE(list->unreadable, unreadable);
    }

    void readOrderList_carrierIdKeepsEveryDigit()
    {
        // Beyond 2^53 a JSON number loses digits; the hub writes ids as strings.
        const auto list =
            HubProtocol::readOrderList(QStringLiteral("[{\"CarrierID\":\"18446744073709551615\"}]"));
        QVERIFY(list);
        QCOMPARE(list->rows.value(0).carrierId, 18446744073709551615ULL);
    }
};

QTEST_GUILESS_MAIN(HubProtocolWireTest)
#include "hub_protocol_wire_test.moc"
