#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

class ReplayTest : public QObject
{
    Q_OBJECT
private slots:
    void stepsFollowAGrowingJournal();
    void wrongArgumentsExitWithTwo_data();
    void wrongArgumentsExitWithTwo();
};

void ReplayTest::stepsFollowAGrowingJournal()
{
    QTemporaryDir journal;
    QTemporaryDir data;
    QTemporaryDir extra;
    writeFile(journal.filePath(QStringLiteral("Journal.2025-01-01T000000.01.log")),
              journalLine("2025-01-01T10:00:00Z", "Fileheader") +
                  journalLine("2025-01-01T10:00:01Z", "Location"));
    const QString more = extra.filePath(QStringLiteral("more.log"));
    writeFile(more,
              journalLine("2025-01-01T10:00:02Z", "FSDJump") + "{ \"timestamp\":\"2025-01-01T10:00:03Z\"");
    const QString rest = extra.filePath(QStringLiteral("rest.log"));
    writeFile(rest, ", \"event\":\"FSDJump\" }\r\n");
    const QString next = extra.filePath(QStringLiteral("next.log"));
    writeFile(next, journalLine("2025-01-02T10:00:00Z", "Commander", "\"Name\":\"X\""));

    const CliRun r = runCli({QStringLiteral("replay"), QStringLiteral("--journal-dir"), journal.path(),
                             QStringLiteral("--data-dir"), data.path(), QStringLiteral("--dump"),
                             QStringLiteral("--append"), more, QStringLiteral("--dump"),
                             QStringLiteral("--append"), rest, QStringLiteral("--put"), next,
                             QStringLiteral("Journal.2025-01-02T000000.01.log"), QStringLiteral("--pass")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.objects.size(), 3);
    const QJsonObject first = r.objects[0];
    QCOMPARE(first.value("passes").toInt(), 1);
    QCOMPARE(first.value("last_time").toString(), QStringLiteral("2025-01-01T10:00:01Z"));
    QCOMPARE(first.value("log_lines").toInt(), 2);
    QCOMPARE(first.value("journal_file").toString(), QStringLiteral("Journal.2025-01-01T000000.01.log"));
    // The half-written line is held back until its end arrives.
    const QJsonObject second = r.objects[1];
    QCOMPARE(second.value("log_lines").toInt(), 3);
    QCOMPARE(second.value("last_time").toString(), QStringLiteral("2025-01-01T10:00:02Z"));
    const QJsonObject last = r.objects.last();
    QCOMPARE(last.value("passes").toInt(), 4);
    QCOMPARE(last.value("journal_file").toString(), QStringLiteral("Journal.2025-01-02T000000.01.log"));
    QCOMPARE(last.value("last_time").toString(), QStringLiteral("2025-01-02T10:00:00Z"));
    QStringList handlers;
    for (const QJsonValue& d : last.value("dispatched").toArray())
        handlers.append(d.toObject().value("handler").toString() + QLatin1Char(':') +
                        QString::number(d.toObject().value("pass").toInt()));
    QCOMPARE(handlers, (QStringList{"parse_BGS:1", "send_to_host:1", "parse_BGS:2", "send_to_host:2",
                                    "parse_BGS:3", "send_to_host:3", "parse_CMDR:4"}));
    QVERIFY(last.value("errors").isArray());
    QVERIFY(last.contains("dane_systemu"));
    QVERIFY(last.contains("DaneStatku"));
}

void ReplayTest::wrongArgumentsExitWithTwo_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no command") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"play"};
    QTest::newRow("missing folders") << QStringList{"replay", "--pass"};
    QTest::newRow("unknown step") << QStringList{"replay",     "--journal-dir", "/tmp",
                                                 "--data-dir", "/tmp",          "--jump"};
    QTest::newRow("step without file")
        << QStringList{"replay", "--journal-dir", "/tmp", "--data-dir", "/tmp", "--append"};
}

void ReplayTest::wrongArgumentsExitWithTwo()
{
    QFETCH(QStringList, args);
    QCOMPARE(runCli(args).exitCode, 2);
}

QTEST_GUILESS_MAIN(ReplayTest)
#include "replay_test.moc"
