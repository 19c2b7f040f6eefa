#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

class ReplayMarketsTest : public QObject
{
    Q_OBJECT
private slots:
    void purchasesFillStore_searchFindsThem_marketIsListed();
};

void ReplayMarketsTest::purchasesFillStore_searchFindsThem_marketIsListed()
{
    REQUIRE_SHARED(market, QStringLiteral("companion/AlanMorrisWright__jj/Market.json"));
    const QList<QByteArray> buys = fixtureLines(QStringLiteral("MarketBuy.jsonl"));
    QVERIFY(!buys.isEmpty());

    QTemporaryDir journal;
    QTemporaryDir data;
    QTemporaryDir extra;
    // Purchases in the history of the journal are not recorded again.
    writeFile(journal.filePath(QStringLiteral("Journal.2025-01-01T000000.01.log")),
              journalLine("2025-01-01T10:00:00Z", "Fileheader") + buys.first() + "\r\n");
    QVERIFY(QFile::copy(market, journal.filePath(QStringLiteral("Market.json"))));
    writeFile(
        journal.filePath(QStringLiteral("Cargo.json")),
        "{ \"timestamp\":\"2025-01-01T10:00:00Z\", \"event\":\"Cargo\", \"Vessel\":\"Ship\", \"Count\":0, "
        "\"Inventory\":[ ] }");
    const QString more = extra.filePath(QStringLiteral("buys.log"));
    writeFile(more, buys.join("\r\n") + "\r\n");

    const CliRun r = runCli({QStringLiteral("replay"), QStringLiteral("--journal-dir"), journal.path(),
                             QStringLiteral("--data-dir"), data.path(), QStringLiteral("--dump"),
                             QStringLiteral("--append"), more, QStringLiteral("--search"),
                             QStringLiteral("Insulating Membrane")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.objects.size(), 2);
    const QJsonObject before = r.objects[0];
    const QJsonObject after = r.objects[1];

    QCOMPARE(before.value("LastShopping").toArray().size(), 0);
    QCOMPARE(before.value("f_DB").toObject().value("label_ww_system").toString(),
             QStringLiteral("label_ww_system"));

    QStringList sections;
    for (const QJsonValue& s : after.value("LastShopping").toArray())
        sections.append(s.toObject().value("section").toString());
    QCOMPARE(sections, (QStringList{"bauxite", "agronomictreatment", "tritium", "insulatingmembrane",
                                    "fruitandvegetables"}));
    const QJsonObject membrane = after.value("LastShopping").toArray()[3].toObject().value("keys").toObject();
    QCOMPARE(membrane.value("MarketID").toString(), QStringLiteral("3708733696"));
    QCOMPARE(membrane.value("Price").toString(), QStringLiteral("10605"));

    const QJsonObject found = after.value("Wynik_wyszukiwania").toObject();
    QCOMPARE(found.value("ItemType").toString(), QStringLiteral("insulatingmembrane"));
    QCOMPARE(found.value("Also_needed").toString(), QStringLiteral("[FC] [CON] "));
    QCOMPARE(after.value("f_DB").toObject().value("label_ww_price").toString(),
             QStringLiteral("💰10605CR (Buying: 32)"));

    const QJsonArray grid = after.value("sg_Market").toArray();
    QCOMPARE(grid.size(), 80);
    QCOMPARE(grid[0].toArray()[0].toString(), QStringLiteral("COMMODITY"));
    QCOMPARE(grid[1].toArray()[0].toString(), QStringLiteral("Gold"));
    QVERIFY(after.value("label_market_info").toString().startsWith(QStringLiteral("🪐 ")));
    const QJsonArray errors = after.value("errors").toArray();
    QVERIFY2(errors.isEmpty(), qPrintable(errors.first().toString()));
}

QTEST_GUILESS_MAIN(ReplayMarketsTest)
#include "replay_markets_test.moc"
