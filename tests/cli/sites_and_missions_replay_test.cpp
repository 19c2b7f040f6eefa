#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

namespace {

// The last JSON object tessivar-cli printed, or an empty one when it failed.
QJsonObject replay(const QStringList& args)
{
    const CliRun r = runCli(QStringList{QStringLiteral("replay")} + args);
    return r.exitCode == 0 && !r.objects.isEmpty() ? r.objects.last() : QJsonObject();
}

// Lines [from, to) of a journal file, line ends kept.
QByteArray linesOf(const QString& path, int from, int to)
{
    const QList<QByteArray> lines = readFile(path).split('\n');
    QByteArray out;
    for (int i = from; i < std::min<int>(to, int(lines.size())); ++i)
        if (!lines[i].isEmpty())
            out += lines[i] + '\n';
    return out;
}

QStringList rowTexts(const QJsonArray& grid)
{
    QStringList out;
    for (const QJsonValue& row : grid) {
        QStringList cells;
        for (const QJsonValue& c : row.toArray())
            cells.append(c.toString());
        out.append(cells.join(QLatin1Char(',')));
    }
    return out;
}

}  // namespace

class SitesAndMissionsReplayTest : public QObject
{
    Q_OBJECT
private slots:
    void colonisationSession_fillsListAndFile();
    void miningSession_totalsUnderTradeMissionsAcrossARestart();
};

void SitesAndMissionsReplayTest::colonisationSession_fillsListAndFile()
{
    REQUIRE_SHARED(journal, "journals/rster2002__ed-journals/Journal.2025-06-20T213114.01.log");
    QTemporaryDir journalDir;
    QTemporaryDir dataDir;
    QTemporaryDir extra;
    writeFile(journalDir.filePath(QStringLiteral("Journal.2025-06-20T213114.01.log")),
              linesOf(journal, 0, 1012));
    const QString rest = extra.filePath(QStringLiteral("rest.log"));
    writeFile(rest, linesOf(journal, 1012, 2000));

    const QJsonObject o =
        replay({QStringLiteral("--journal-dir"), journalDir.path(), QStringLiteral("--data-dir"),
                dataDir.path(), QStringLiteral("--append"), rest});
    const QStringList rows = rowTexts(o.value(QStringLiteral("lista_materialow")).toArray());
    QCOMPARE(rows.size(), 22);
    QCOMPARE(rows[2], QStringLiteral("Bioreducing Lichen,167,0-167"));
    QCOMPARE(rows.last(), QStringLiteral("TOTAL,1640,7-72"));
    const QJsonObject window = o.value(QStringLiteral("f_Construct")).toObject();
    QCOMPARE(window.value(QStringLiteral("Label_progress_val")).toString(), QStringLiteral("42%"));
    QCOMPARE(window.value(QStringLiteral("ak_budowa")).toString(), QStringLiteral("4256179715"));
    const QString file = o.value(QStringLiteral("constructions"))
                             .toObject()
                             .value(QStringLiteral("4256179715.ini"))
                             .toString();
    QVERIFY(file.contains(QStringLiteral("Bioreducing Lichen=167")));
    QVERIFY(file.contains(QStringLiteral("Postep=42")));
}

void SitesAndMissionsReplayTest::miningSession_totalsUnderTradeMissionsAcrossARestart()
{
    REQUIRE_SHARED(journal, "journals/rster2002__ed-journals/Journal.2025-06-08T171834.01.log");
    QTemporaryDir journalDir;
    QTemporaryDir dataDir;
    QTemporaryDir extra;
    writeFile(journalDir.filePath(QStringLiteral("Journal.2025-06-08T171834.01.log")),
              linesOf(journal, 0, 1000));
    const QString rest = extra.filePath(QStringLiteral("rest.log"));
    writeFile(rest, linesOf(journal, 1000, 4000));

    const QJsonObject first = replay(
        {QStringLiteral("--journal-dir"), journalDir.path(), QStringLiteral("--data-dir"), dataDir.path(),
         QStringLiteral("--append"), rest, QStringLiteral("--select"), QStringLiteral("Trade Missions")});
    // The delivered bauxite and thorium missions were completed in the session and left the totals.
    QCOMPARE(first.value(QStringLiteral("mission_commodites")).toArray(),
             (QJsonArray{QJsonArray{QStringLiteral("Performance Enhancers"), 81}}));
    // Trips text after the name and units: the ship of that session holds more than 81 t.
    QCOMPARE(rowTexts(first.value(QStringLiteral("zaladunek_list")).toArray())
                 .filter(QStringLiteral("Performance")),
             (QStringList{QStringLiteral("Performance Enhancers,81,0-81")}));
    QVERIFY(first.value(QStringLiteral("missions.ini")).toString().contains(QStringLiteral("[1018906271]")));

    // Next start: a new journal whose Missions line reports one of the two
    // open missions complete.
    QTemporaryDir nextJournalDir;
    writeFile(nextJournalDir.filePath(QStringLiteral("Journal.2025-06-09T100000.01.log")),
              journalLine(
                  "2025-06-09T10:00:00Z", "Missions",
                  "\"Active\":[ { \"MissionID\":1018906229, \"Name\":\"Mission_Collect_name\", "
                  "\"PassengerMission\":false, \"Expires\":80000 } ], \"Failed\":[  ], \"Complete\":[ { "
                  "\"MissionID\":1018906271, \"Name\":\"Mission_Collect_name\", \"PassengerMission\":false, "
                  "\"Expires\":0 } ]"));
    const QJsonObject next =
        replay({QStringLiteral("--journal-dir"), nextJournalDir.path(), QStringLiteral("--data-dir"),
                dataDir.path(), QStringLiteral("--select"), QStringLiteral("Trade Missions")});
    QCOMPARE(next.value(QStringLiteral("mission_commodites")).toArray(),
             (QJsonArray{QJsonArray{QStringLiteral("Performance Enhancers"), 9}}));
    QCOMPARE(rowTexts(next.value(QStringLiteral("zaladunek_list")).toArray()).mid(1, 1),
             (QStringList{QStringLiteral("Performance Enhancers,9,0")}));
    QCOMPARE(next.value(QStringLiteral("missions.ini")).toString(),
             QStringLiteral("[1018906229]\r\nCommodity=Performance Enhancers\r\nCount=9\r\n"));
}

QTEST_GUILESS_MAIN(SitesAndMissionsReplayTest)
#include "sites_and_missions_replay_test.moc"
