#include "common/JsonRead.h"
#include "common/NumberFormat.h"

#include <QJsonDocument>
#include <QTest>

class NumberFormatTest : public QObject
{
    Q_OBJECT
private slots:
    void roundHalfEven__data();
    void roundHalfEven_();
    void grouped_data();
    void grouped();
    void general_data();
    void general();
    void grouped3_data();
    void grouped3();
    void jsonConversions();
    void wholeNumbers_data();
    void wholeNumbers();
};

void NumberFormatTest::roundHalfEven__data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");
    QTest::newRow("12.5") << 12.5 << 0 << 12.0;
    QTest::newRow("13.5") << 13.5 << 0 << 14.0;
    QTest::newRow("-2.5") << -2.5 << 0 << -2.0;
    QTest::newRow("0.125 in percent") << 0.125 * 100 << 0 << 12.0;
    QTest::newRow("0.135 in percent") << 0.135 * 100 << 0 << 14.0;
    QTest::newRow("two decimals") << 23.4567 << 2 << 23.46;
    QTest::newRow("two decimals, half") << 0.125 << 2 << 0.12;
}

void NumberFormatTest::roundHalfEven_()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QTEST(decimals == 0 ? roundHalfEven(value) : roundHalfEven(value, decimals), "expected");
}

void NumberFormatTest::grouped_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << qint64(0) << "C"
                          << "0";
    QTest::newRow("three digits") << qint64(999) << "C"
                                  << "999";
    QTest::newRow("comma") << qint64(1234567) << "C"
                           << "1,234,567";
    QTest::newRow("negative") << qint64(-5000000) << "C"
                              << "-5,000,000";
    QTest::newRow("german") << qint64(1509360531) << "de_DE"
                            << "1.509.360.531";
    QTest::newRow("polish") << qint64(40754) << "pl_PL" << QString::fromUtf16(u"40\u00A0754");
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << "C"
                              << "-9,223,372,036,854,775,808";
}

void NumberFormatTest::grouped()
{
    QFETCH(qint64, number);
    QFETCH(QString, locale);
    QTEST(FormatNumberWithCommas(number, QLocale(locale)), "expected");
}

void NumberFormatTest::general_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("12.5") << 12.5 << "C"
                          << "12.5";
    QTest::newRow("100") << 100.0 << "C"
                         << "100";
    QTest::newRow("0") << 0.0 << "C"
                       << "0";
    QTest::newRow("negative") << -9.407 << "C"
                              << "-9.407";
    QTest::newRow("15 digits") << 29.2262 << "C"
                               << "29.2262";
    QTest::newRow("rounded percent") << 23.46 << "C"
                                     << "23.46";
    QTest::newRow("small") << 0.0001 << "C"
                           << "0.0001";
    QTest::newRow("tiny") << 0.000001 << "C"
                          << "1E-6";
    QTest::newRow("comma decimal") << 16.6 << "de_DE"
                                   << "16,6";
    QTest::newRow("no grouping") << 123456.5 << "de_DE"
                                 << "123456,5";
}

void NumberFormatTest::general()
{
    QFETCH(double, value);
    QFETCH(QString, locale);
    QTEST(FormatGeneral(value, QLocale(locale)), "expected");
}

void NumberFormatTest::grouped3_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 50.0 << "C"
                           << "50";
    QTest::newRow("three decimals") << 63.1369 << "C"
                                    << "63.137";
    QTest::newRow("trailing zeros") << 21.5 << "C"
                                    << "21.5";
    QTest::newRow("grouped") << 1234.5 << "C"
                             << "1,234.5";
    QTest::newRow("german") << 1234.5 << "de_DE"
                            << "1.234,5";
    QTest::newRow("zero") << 0.0001 << "C"
                          << "0";
}

void NumberFormatTest::grouped3()
{
    QFETCH(double, value);
    QFETCH(QString, locale);
    QTEST(FormatGrouped3(value, QLocale(locale)), "expected");
}

void NumberFormatTest::jsonConversions()
{
    const QJsonObject o =
        QJsonDocument::fromJson(
            R"({"i":3707956480, "neg":-5, "d":1.000000, "f":1.5, "max":18446744073709551615, "s":"x",
                                  "b":false, "o":{"p":{"q":7}}, "big":9223372036854775807})")
            .object();
    quint64 u = 1;
    QVERIFY(readKey(o, QLatin1String("i"), u));
    QCOMPARE(u, quint64(3707956480));
    QVERIFY(readKey(o, QLatin1String("big"), u));
    QCOMPARE(u, quint64(9223372036854775807ULL));
    QVERIFY(!readKey(o, QLatin1String("max"), u));  // beyond 2^63 the parser keeps only a double
    QCOMPARE(u, quint64(9223372036854775807ULL));
    QVERIFY(!readKey(o, QLatin1String("neg"), u));
    QVERIFY(readKey(o, QLatin1String("d"), u));  // the parser keeps 1.000000 as a whole number
    QCOMPARE(u, quint64(1));
    QVERIFY(!readKey(o, QLatin1String("s"), u));
    int i = 9;
    QVERIFY(!readKey(o, QLatin1String("i"), i));  // does not fit 32 bits
    QCOMPARE(i, 9);
    QVERIFY(readKey(o, QLatin1String("o.p.q"), i));
    QCOMPARE(i, 7);
    QVERIFY(!readKey(o, QLatin1String("s.p"), i));
    QVERIFY(!readKey(o, QLatin1String("f"), i));
    double d = 0;
    QVERIFY(readKey(o, QLatin1String("neg"), d));
    QCOMPARE(d, -5.0);
    QString s;
    QVERIFY(!readKey(o, QLatin1String("i"), s));
    bool b = true;
    QVERIFY(readKey(o, QLatin1String("b"), b));
    QVERIFY(!b);
    QVERIFY_THROWS_EXCEPTION(std::exception, readKey(o, QLatin1String("missing"), s, KeyRead::Required));

    QJsonObject line;
    QCOMPARE(parseJsonLine("{\"a\":1}\r\n", line), JsonLine::Object);
    QCOMPARE(parseJsonLine("[1]", line), JsonLine::NotObject);
    QCOMPARE(parseJsonLine("\"text\"", line), JsonLine::NotObject);
    QCOMPARE(parseJsonLine("{\"a\":", line), JsonLine::Invalid);
    QCOMPARE(parseJsonLine("", line), JsonLine::Invalid);
}

void NumberFormatTest::wholeNumbers_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("integer") << QByteArray("42") << true << qint64(42);
    QTest::newRow("negative") << QByteArray("-7") << true << qint64(-7);
    QTest::newRow("exponent") << QByteArray("1e3") << true << qint64(1000);
    QTest::newRow("zero fraction") << QByteArray("5.0") << true << qint64(5);
    QTest::newRow("largest") << QByteArray("9223372036854775807") << true << qint64(9223372036854775807LL);
    QTest::newRow("fraction") << QByteArray("5.5") << false << qint64(0);
    QTest::newRow("beyond 64 bits") << QByteArray("18446744073709551615") << false << qint64(0);
    QTest::newRow("text") << QByteArray("\"5\"") << false << qint64(0);
    QTest::newRow("null") << QByteArray("null") << false << qint64(0);
}

void NumberFormatTest::wholeNumbers()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, whole);
    const QJsonValue v = QJsonDocument::fromJson("[" + json + "]").array().at(0);
    const std::optional<qint64> n = jsonWholeNumber(v);
    QCOMPARE(n.has_value(), whole);
    if (whole)
        QTEST(*n, "expected");
}

QTEST_GUILESS_MAIN(NumberFormatTest)
#include "number_format_test.moc"
