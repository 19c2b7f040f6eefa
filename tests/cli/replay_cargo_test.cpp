#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

// A hauling session through the command-line tool: the loading list and its
// file shrink pass by pass.
class ReplayCargoTest : public QObject
{
    Q_OBJECT
private slots:
    void haulingSessionShrinksTheList();
};

namespace {

// The objects of a replay that ended well; none when it failed.
QList<QJsonObject> runReplay(const QStringList& args)
{
    const CliRun r = runCli(QStringList{QStringLiteral("replay")} + args);
    return r.exitCode == 0 ? r.objects : QList<QJsonObject>();
}

QString rows(const QJsonObject& dump, const char* key)
{
    QStringList out;
    for (const QJsonValue& row : dump.value(QLatin1String(key)).toArray()) {
        QStringList cells;
        for (const QJsonValue& c : row.toArray())
            cells.append(c.toString());
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        out.append(cells.join(QLatin1Char(',')));
    }
    return out.join(QLatin1Char('|'));
}

}  // namespace

void ReplayCargoTest::haulingSessionShrinksTheList()
{
    QTemporaryDir journal;
    QTemporaryDir data;
    QTemporaryDir steps;
    writeFile(data.filePath(QStringLiteral("zaladunek.ini")),
              "[zaladunek]\r\nSteel=1000\r\nTitanium=300\r\n");
    writeFile(journal.filePath(QStringLiteral("Cargo.json")),
              "{ \"event\":\"Cargo\", \"Vessel\":\"Ship\", \"Inventory\":[ { \"Name\":\"steel\", "
              "\"Count\":256 } ] }");
    writeFile(
        journal.filePath(QStringLiteral("Journal.2025-01-01T000000.01.log")),
        journalLine("2025-01-01T10:00:00Z", "Fileheader") +
            journalLine("2025-01-01T10:00:01Z", "Loadout", "\"Ship\":\"type9\", \"CargoCapacity\":256") +
            journalLine("2025-01-01T10:00:02Z", "CarrierStats",
                        "\"CarrierID\":3700000001, \"Name\":\"OWN\"") +
            journalLine("2025-01-01T10:00:03Z", "Location",
                        "\"Docked\":true, \"StationName\":\"H1V-L3B\", \"StationType\":\"FleetCarrier\", "
                        "\"MarketID\":3700000001, \"StarSystem\":\"Sol\", \"SystemAddress\":10477373803"));
    const auto transfer = [](const char* ts, const char* type, int count) {
        return journalLine(ts, "CargoTransfer",
                           QByteArray("\"Transfers\":[ { \"Type\":\"") + type + "\", \"Count\":" +
                               QByteArray::number(count) + ", \"Direction\":\"tocarrier\" } ]");
    };
    const QString first = steps.filePath(QStringLiteral("first.log"));
    writeFile(first, transfer("2025-01-01T10:10:00Z", "steel", 256));
    const QString second = steps.filePath(QStringLiteral("second.log"));
    writeFile(second, transfer("2025-01-01T10:20:00Z", "steel", 256) +
                          transfer("2025-01-01T10:20:01Z", "titanium", 300));

    const QList<QJsonObject> dumps =
        runReplay({QStringLiteral("--journal-dir"), journal.path(), QStringLiteral("--data-dir"), data.path(),
                   QStringLiteral("--dump"), QStringLiteral("--append"), first, QStringLiteral("--dump"),
                   QStringLiteral("--append"), second});
    QCOMPARE(dumps.size(), 3);
    QCOMPARE(rows(dumps[0], "cargo_list"), QStringLiteral("TOWAR,ILOSC|steel,256"));
    QCOMPARE(rows(dumps[0], "zaladunek.ini"), QStringLiteral("Steel,1000|Titanium,300"));
    QCOMPARE(rows(dumps[1], "zaladunek_list"),
             QStringLiteral("TOWAR,ILOSC|Steel,744,2-232|Titanium,300,1-44|TOTAL,1044,4-20"));
    QCOMPARE(rows(dumps[1], "zaladunek.ini"), QStringLiteral("Steel,744|Titanium,300"));
    QCOMPARE(rows(dumps[2], "zaladunek_list"),
             QStringLiteral("TOWAR,ILOSC|Steel,488,1-232|Titanium,0,0|TOTAL,488,1-232"));
    QCOMPARE(rows(dumps[2], "zaladunek.ini"), QStringLiteral("Steel,488|Titanium,0"));
}

QTEST_GUILESS_MAIN(ReplayCargoTest)
#include "replay_cargo_test.moc"
