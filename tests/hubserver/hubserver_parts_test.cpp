#include "FormData.h"
#include "HttpRequestParser.h"
#include "HubService.h"

#include <QTest>

// The hub server's parts on their own: form decoding, the request parser
// fed in pieces, and the order list's JSON text.
class HubServerPartsTest : public QObject
{
    Q_OBJECT
private slots:
    void formDecode_data();
    void formDecode();
    void parser_takesRequestFedByteByByte();
    void parser_takesPipelinedRequestsInTurn();
    void orderListJson_escapesStringsAndBrackets();
};

void HubServerPartsTest::formDecode_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");  // "name=value" joined by "|", or "error"

    QTest::newRow("fields in order") << QByteArray("act=add_kvn&count=5")
                                     << QStringLiteral("act=add_kvn|count=5");
    QTest::newRow("plus is a blank") << QByteArray("cmdr=CMDR+Jan") << QStringLiteral("cmdr=CMDR Jan");
    QTest::newRow("%2B is a plus") << QByteArray("FC=A%2BB") << QStringLiteral("FC=A+B");
    QTest::newRow("utf-8 bytes") << QByteArray("FC=%C5%BB%C3%B3%C5%82w+%F0%9F%90%A2")
                                 << QStringLiteral("FC=Żółw 🐢");
    QTest::newRow("lower-case hex") << QByteArray("a=%c5%bc") << QStringLiteral("a=ż");
    QTest::newRow("encoded name") << QByteArray("%61ct=x") << QStringLiteral("act=x");
    QTest::newRow("name without value") << QByteArray("code") << QStringLiteral("code=");
    QTest::newRow("empty value at end") << QByteArray("price=1&code=") << QStringLiteral("price=1|code=");
    QTest::newRow("empty segments") << QByteArray("&&a=1&&") << QStringLiteral("a=1");
    QTest::newRow("equals in value") << QByteArray("a=b=c") << QStringLiteral("a=b=c");
    QTest::newRow("empty body") << QByteArray() << QString();
    QTest::newRow("lone percent") << QByteArray("a=%") << QStringLiteral("error");
    QTest::newRow("one hex digit") << QByteArray("a=%4") << QStringLiteral("error");
    QTest::newRow("not hex") << QByteArray("a=%G1") << QStringLiteral("error");
    QTest::newRow("bad percent in name") << QByteArray("%zz=1") << QStringLiteral("error");
    QTest::newRow("not utf-8") << QByteArray("a=%E9t%E9") << QStringLiteral("error");
    QTest::newRow("overlong utf-8") << QByteArray("a=%C0%AF") << QStringLiteral("error");
    QTest::newRow("name twice") << QByteArray("act=get_kvn&act=add_kvn") << QStringLiteral("error");
}

void HubServerPartsTest::formDecode()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QString error;
    const auto form = FormData::decode(body, &error);
    if (expected == QLatin1String("error")) {
        QVERIFY(!form);
        QVERIFY(!error.isEmpty());
        return;
    }
    QVERIFY2(form, qPrintable(error));
    QStringList fields;
    for (const auto& [name, value] : form->fields())
        fields << name + QLatin1Char('=') + value;
    QCOMPARE(fields.join(QLatin1Char('|')), expected);
}

void HubServerPartsTest::parser_takesRequestFedByteByByte()
{
    const QByteArray raw("POST /ED/KVN.php?x=1 HTTP/1.1\r\nHost: hub\r\nContent-Type: "
                         "application/x-www-form-urlencoded\r\nContent-Length: 11\r\n\r\nact=get_kvn");
    HttpRequestParser parser;
    HttpRequest request;
    for (qsizetype i = 0; i < raw.size() - 1; ++i) {
        parser.feed(raw.mid(i, 1));
        QCOMPARE(parser.next(request), HttpRequestParser::Result::NeedMore);
    }
    parser.feed(raw.right(1));
    QCOMPARE(parser.next(request), HttpRequestParser::Result::Complete);
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path, QByteArray("/ED/KVN.php"));
    QCOMPARE(request.header("content-type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(request.body, QByteArray("act=get_kvn"));
    QVERIFY(request.keepAlive());
}

void HubServerPartsTest::parser_takesPipelinedRequestsInTurn()
{
    HttpRequestParser parser;
    parser.feed("POST /a HTTP/1.1\r\nHost: h\r\nContent-Length: 3\r\n\r\nonePOST /b "
                "HTTP/1.0\nContent-Length: 3\n\ntwo"
                "\r\nGET /c HTTP/1.1\r\nHost: h\r\nConnection: close\r\n\r\n");
    HttpRequest first, second, third, none;
    QCOMPARE(parser.next(first), HttpRequestParser::Result::Complete);
    QCOMPARE(parser.next(second), HttpRequestParser::Result::Complete);
    QCOMPARE(parser.next(third), HttpRequestParser::Result::Complete);
    QCOMPARE(parser.next(none), HttpRequestParser::Result::NeedMore);
    QCOMPARE(first.path + first.body, QByteArray("/aone"));
    QCOMPARE(second.path + second.body, QByteArray("/btwo"));
    QVERIFY(!second.keepAlive());  // HTTP/1.0 without keep-alive
    QCOMPARE(third.path, QByteArray("/c"));
    QVERIFY(!third.keepAlive());
}

void HubServerPartsTest::orderListJson_escapesStringsAndBrackets()
{
    HubOrder order;
    order.fc = QStringLiteral("[AB][CD] \"Q\" \\");
    order.cmdr = QStringLiteral("CMDR Żółw");
    order.carrierId = QStringLiteral("3700000001");
    order.action = QStringLiteral("Demand");
    order.location = QStringLiteral("Sol / Body 5");
    order.commodity = QStringLiteral("Steel");
    order.count = 500;
    order.price = 110;
    const QByteArray one = "{\"FC\":\"\\u005bAB\\u005d\\u005bCD\\u005d \\\"Q\\\" \\\\\","
                           "\"cmdr\":\"CMDR Żółw\",\"CarrierID\":\"3700000001\",\"action\":\"Demand\","
                           "\"location\":\"Sol / Body 5\",\"commodity\":\"Steel\",\"price\":\"110\","
                           "\"count\":\"500\"}";
    QCOMPARE(HubService::orderListJson({order, order}), "[" + one + "," + one + "]");
    QCOMPARE(HubService::orderListJson({}), QByteArray("[]"));
}

QTEST_GUILESS_MAIN(HubServerPartsTest)
#include "hubserver_parts_test.moc"
