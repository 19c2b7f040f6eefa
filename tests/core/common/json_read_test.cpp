#include "common/Error.h"
#include "common/JsonRead.h"

#include <QJsonDocument>
#include <QTest>

// Required reads: the value when it is there and of its kind, else one
// error naming the place and the key in the place's wording.
class JsonReadTest : public QObject
{
    Q_OBJECT
private slots:
    void requiredValues_data()
    {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<QString>("reader");
        QTest::addColumn<bool>("oneMessage");
        QTest::addColumn<QString>("result");  // the value's text, or the error
        const QByteArray o = R"({"Type":"gold","Count":5,"Big":9000000000000001,"Wide":3000000000,
                                 "Id":9223372036854775808,"Neg":-1})";
        QTest::newRow("text") << o << "text" << false << "gold";
        QTest::newRow("whole") << o << "whole" << false << "5";
        QTest::newRow("unsigned above 2^63") << o << "unsigned" << false << "9223372036854775808";
        QTest::newRow("missing field") << o << "text:Name" << false << R"(P: the field "Name" is missing)";
        QTest::newRow("not a text") << o << "text:Count" << false << R"(P: the field "Count" is not a text)";
        QTest::newRow("beyond 32 bits")
            << o << "int32:Wide" << false << R"(P: the field "Wide" is not a 32-bit whole number)";
        QTest::newRow("negative id") << o << "unsigned:Neg" << false
                                     << R"(P: the field "Neg" is not an unsigned whole number)";
        QTest::newRow("one message, missing")
            << o << "exact:Name" << true << R"(P: "Name" is missing or not a whole number.)";
        QTest::newRow("one message, not a text")
            << o << "text:Count" << true << R"(P: "Count" is missing or not a text.)";
        QTest::newRow("exact range ends at 9e15")
            << o << "exact:Big" << true << R"(P: "Big" is missing or not a whole number.)";
        QTest::newRow("any range takes 9e15 + 1") << o << "whole:Big" << false << "9000000000000001";
    }

    void requiredValues()
    {
        QFETCH(QByteArray, object);
        QFETCH(QString, reader);
        QFETCH(bool, oneMessage);
        const QJsonObject o = QJsonDocument::fromJson(object).object();
        const JsonPlace place{QStringLiteral("P"), oneMessage};
        const QString kind = reader.section(QLatin1Char(':'), 0, 0);
        QString key = reader.section(QLatin1Char(':'), 1);
        if (key.isEmpty())
            key = kind == QLatin1String("text")       ? QStringLiteral("Type")
                  : kind == QLatin1String("unsigned") ? QStringLiteral("Id")
                                                      : QStringLiteral("Count");
        QString got;
        try {
            if (kind == QLatin1String("text"))
                got = requiredJsonText(o, key, place);
            else if (kind == QLatin1String("whole"))
                got = QString::number(requiredJsonWhole(o, key, place));
            else if (kind == QLatin1String("exact"))
                got = QString::number(requiredJsonWhole(o, key, place, WholeRange::Exact));
            else if (kind == QLatin1String("int32"))
                got = QString::number(requiredJsonInt32(o, key, place));
            else
                got = QString::number(requiredJsonUnsigned64(o, key, place));
        } catch (const TessivarError& e) {
            got = e.message();
        }
        QTEST(got, "result");
    }
};

QTEST_GUILESS_MAIN(JsonReadTest)
#include "json_read_test.moc"
