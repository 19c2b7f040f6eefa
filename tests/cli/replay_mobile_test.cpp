#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

QByteArray readAllFrom(QTcpServer& server)
{
    if (!server.waitForNewConnection(5000))
        return {};
    QTcpSocket* s = server.nextPendingConnection();
    QByteArray all;
    while (s->state() == QAbstractSocket::ConnectedState && s->waitForReadyRead(5000))
        all += s->readAll();
    return all + s->readAll();
}

QList<QByteArray> wireLines(const QStringList& lines)
{
    QList<QByteArray> out;
    for (const QString& l : lines)
        out.append(l.toLatin1());
    return out;
}

// A journal folder with the game's hold snapshot beside the journal.
void writeJournal(const QTemporaryDir& dir, const QByteArray& lines)
{
    writeFile(dir.filePath(QStringLiteral("Journal.2025-01-01T000000.01.log")), lines);
    writeFile(dir.filePath(QStringLiteral("Cargo.json")),
              "{ \"timestamp\":\"2025-01-01T10:00:00Z\", \"event\":\"Cargo\", \"Vessel\":\"Ship\", "
              "\"Count\":0, \"Inventory\":[ ] }");
}

QJsonObject link(const QJsonObject& dump)
{
    return dump.value("f_send_to_mobile").toObject();
}

}  // namespace

class ReplayMobileTest : public QObject
{
    Q_OBJECT
private slots:
    void listenerReceivesTheSessionInOrder();
    void listenerAbsent_toldOnceReplayCompletes();
    void malformedTarget_exitsWithTwo_data();
    void malformedTarget_exitsWithTwo();
};

void ReplayMobileTest::listenerReceivesTheSessionInOrder()
{
    QTcpServer phone;
    QVERIFY(phone.listen(QHostAddress::LocalHost, 0));
    QTemporaryDir journal;
    QTemporaryDir data;
    QTemporaryDir extra;
    writeJournal(
        journal,
        journalLine("2025-01-01T10:00:00Z", "Fileheader") +
            journalLine("2025-01-01T10:00:01Z", "Location",
                        "\"StarSystem\":\"Sol\", \"SystemAddress\":10477373803, \"Docked\":false") +
            journalLine(
                "2025-01-01T10:00:02Z", "Docked",
                "\"StationName\":\"Zażółć Port\", \"StationType\":\"Coriolis\", \"Taxi\":false, "
                "\"Multicrew\":false, \"StarSystem\":\"Sol\", \"SystemAddress\":10477373803, "
                "\"MarketID\":3228342528, \"StationFaction\":{ \"Name\":\"EXO\" }, "
                "\"StationGovernment\":\"$government_Democracy;\", "
                "\"StationGovernment_Localised\":\"Democracy\", \"StationServices\":[ \"dock\" ], "
                "\"StationEconomy\":\"$economy_HighTech;\", \"StationEconomy_Localised\":\"High Tech\", "
                "\"StationEconomies\":[ ], \"DistFromStarLS\":459.779903, "
                "\"LandingPads\":{ \"Small\":13, \"Medium\":14, \"Large\":5 }"));
    const QString jump = extra.filePath(QStringLiteral("jump.log"));
    writeFile(jump, journalLine("2025-01-01T10:05:00Z", "FSDJump",
                                "\"StarSystem\":\"Achenar\", \"SystemAddress\":164098653"));
    const QString undock = extra.filePath(QStringLiteral("undock.log"));
    writeFile(undock, journalLine("2025-01-01T10:06:00Z", "Undocked", "\"StationName\":\"Zażółć Port\""));

    // The listener's side needs no event loop while the replay runs: the
    // network accepts the connection and keeps what is sent until it is read
    // afterwards.
    const CliRun r = runCli({"replay", "--journal-dir", journal.path(), "--data-dir", data.path(), "--mobile",
                             QStringLiteral("127.0.0.1:%1").arg(phone.serverPort()), "--dump", "--append",
                             jump, "--dump", "--append", undock});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.objects.size(), 3);
    const QByteArray received = readAllFrom(phone);
    QList<QByteArray> lines = received.split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());  // every line ended
    for (QByteArray& l : lines) {
        QVERIFY(l.endsWith('\r'));
        l.chop(1);
    }

    // What arrived is exactly what the program says it sent, in order.
    const QJsonObject last = link(r.objects.last());
    QCOMPARE(last.value("state").toString(), QStringLiteral("On"));
    QCOMPARE(lines.size(), last.value("lines_sent").toInt());
    QStringList lastSent;
    for (const QJsonValue& v : last.value("last_lines").toArray())
        lastSent.append(v.toString());
    QCOMPARE(lines.mid(lines.size() - lastSent.size()), wireLines(lastSent));
    QVERIFY(r.objects.last().value("errors").toArray().isEmpty());

    // Ticking after the first dispatch pushed "all", which starts with the dock info.
    const int afterTick = link(r.objects[0]).value("lines_sent").toInt();
    QVERIFY(afterTick >= 5);
    const QList<QByteArray> dockSol =
        wireLines({"system:Sol", "stacja:Za???? Port", "typ:Coriolis", "marketid:3228342528", "progress:0"});
    QCOMPARE(lines.mid(0, 5), dockSol);
    // The jump sends the dock info twice (the parser and the pass), the undocking once;
    // a jump leaves the station behind.
    const int afterJump = link(r.objects[1]).value("lines_sent").toInt();
    const QList<QByteArray> dockAchenar =
        wireLines({"system:Achenar", "stacja:", "typ:", "marketid:3228342528", "progress:0"});
    QCOMPARE(lines.mid(afterTick, afterJump - afterTick), dockAchenar + dockAchenar);
    QCOMPARE(lines.mid(afterJump),
             wireLines({"system:Achenar", "stacja:", "typ:", "marketid:3228342528", "progress:0"}));
}

void ReplayMobileTest::listenerAbsent_toldOnceReplayCompletes()
{
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    QTemporaryDir journal;
    QTemporaryDir data;
    writeJournal(journal, journalLine("2025-01-01T10:00:00Z", "Fileheader") +
                              journalLine("2025-01-01T10:00:01Z", "Location", "\"StarSystem\":\"Sol\""));
    const CliRun r = runCli({"replay", "--journal-dir", journal.path(), "--data-dir", data.path(), "--mobile",
                             QStringLiteral("127.0.0.1:%1").arg(port), "--pass"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.objects.size(), 1);
    QCOMPARE(r.objects[0].value("errors").toArray(), QJsonArray{"Connection refused"});
    QCOMPARE(link(r.objects[0]).value("state").toString(), QStringLiteral("Broken"));
    QCOMPARE(link(r.objects[0]).value("lines_sent").toInt(), 0);
}

void ReplayMobileTest::malformedTarget_exitsWithTwo_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("no port") << "127.0.0.1";
    QTest::newRow("port zero") << "127.0.0.1:0";
    QTest::newRow("port too large") << "127.0.0.1:70000";
    QTest::newRow("no host") << ":1889";
}

void ReplayMobileTest::malformedTarget_exitsWithTwo()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    QCOMPARE(runCli({"replay", "--journal-dir", dir.path(), "--data-dir", dir.path(), "--mobile", target})
                 .exitCode,
             2);
}

QTEST_GUILESS_MAIN(ReplayMobileTest)
#include "replay_mobile_test.moc"
