#include "Core.h"
#include "TestSupport.h"
#include "cargo/CargoModule.h"
#include "colony/BuyHere.h"
#include "colony/CarrierLedger.h"
#include "colony/ColonyCockpit.h"
#include "colony/CsvExport.h"
#include "common/NoticeModel.h"
#include "common/ReportSink.h"
#include "common/TextTableModel.h"
#include "common/UserInteraction.h"
#include "markets/MarketSnapshot.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr quint64 kCarrier = 3700000001;
const QByteArray kCarrierId = "3700000001";

QByteArray line(const char* event, const QByteArray& extra)
{
    return journalLine("2025-06-20T21:00:00Z", event, extra).trimmed();
}

QByteArray carrierStats(qint64 cargo, qint64 freeSpace)
{
    return line("CarrierStats", "\"CarrierID\":" + kCarrierId +
                                    ", \"Name\":\"HAULER ONE\", \"SpaceUsage\":{ \"TotalCapacity\":25000, "
                                    "\"Cargo\":" +
                                    QByteArray::number(cargo) +
                                    ", \"FreeSpace\":" + QByteArray::number(freeSpace) + " }");
}

MarketSnapshot marketObject(quint64 id, const char* when, const QByteArray& items)
{
    const QByteArray text = "{ \"timestamp\":\"" + QByteArray(when) +
                            "\", \"event\":\"Market\", \"MarketID\":" + QByteArray::number(id) +
                            ", \"StationName\":\"Depot\", \"Items\":[ " + items + " ] }";
    MarketSnapshot snapshot;
    MarketFile::read(QJsonDocument::fromJson(text).object(), snapshot);
    return snapshot;
}

QByteArray item(const char* internal, const char* shown, int buyPrice, int stock)
{
    return QByteArray("{ \"Name\":\"$") + internal + "_name;\", \"Name_Localised\":\"" + shown +
           "\", \"BuyPrice\":" + QByteArray::number(buyPrice) + ", \"Stock\":" + QByteArray::number(stock) +
           ", \"Demand\":0 }";
}

// The stock as "name=tonnes" joined by "|" in the ledger's order.
QString stockText(const CarrierLedger& ledger)
{
    QStringList out;
    for (const LedgerStock& s : ledger.carriers().value(kCarrier).stock)
        out.append(s.name + QLatin1Char('=') + QString::number(s.tonnes));
    return out.join(QLatin1Char('|'));
}

struct Fixture
{
    QTemporaryDir dir;
    GameState state;
    ScriptedInteraction ui;
    NoticeModel notices;
    ReportSink reports{ui, notices};
    QString data() const { return dir.path() + QLatin1Char('/'); }
    void dockAt(quint64 id)
    {
        state.dane_dokowania.MarketID = id;
        state.dane_dokowania.StationType = QStringLiteral("FleetCarrier");
    }
    void site(const QString& id, const QByteArray& name, const QByteArray& mats)
    {
        QDir().mkpath(data() + QStringLiteral("constructions"));
        writeFile(data() + QStringLiteral("constructions/") + id + QStringLiteral(".ini"),
                  "[INFO]\r\nPostep=40\r\nStationName=" + name + "\r\nStarSystem=Col 285\r\n[MATS]\r\n" +
                      mats);
    }
};

}  // namespace

class ColonyTest : public QObject
{
    Q_OBJECT
private slots:
    void ledgerFollowsAnchorTransfersTradesAndOrders()
    {
        Fixture f;
        QVERIFY(f.dir.isValid());
        {
            CarrierLedger ledger(f.state, f.data(), f.reports);
            ledger.parse_CarrierStats(carrierStats(700, 20000));
            ledger.anchor(marketObject(kCarrier, "2025-06-20T20:00:00Z",
                                       item("steel", "Steel", 5000, 500) + ", " +
                                           item("aluminium", "Aluminium", 900, 200) + ", " +
                                           "{ \"Name\":\"$copper_name;\", \"Name_Localised\":\"Copper\", "
                                           "\"BuyPrice\":0, \"Stock\":0, \"Demand\":300 }"));
            QCOMPARE(stockText(ledger), QStringLiteral("Aluminium=200|Steel=500"));
            f.dockAt(kCarrier);
            ledger.parse_CargoTransfer(
                line("CargoTransfer",
                     "\"Transfers\":[ { \"Type\":\"steel\", \"Type_Localised\":\"Steel\", \"Count\":120, "
                     "\"Direction\":\"tocarrier\" }, { \"Type\":\"aluminium\", \"Count\":50, "
                     "\"Direction\":\"toship\" }, { \"Type\":\"copper\", \"Type_Localised\":\"Copper\", "
                     "\"Count\":30, \"Direction\":\"tocarrier\" } ]"));
            ledger.parse_MarketBuy(
                line("MarketBuy", "\"MarketID\":" + kCarrierId +
                                      ", \"Type\":\"steel\", \"Type_Localised\":\"Steel\", "
                                      "\"Count\":20, \"BuyPrice\":5000, \"TotalCost\":100000"));
            ledger.parse_MarketSell(
                line("MarketSell",
                     "\"MarketID\":" + kCarrierId + ", \"Type\":\"copper\", \"Count\":10, \"SellPrice\":1"));
            // A purchase at another market never touches the carrier.
            ledger.parse_MarketBuy(
                line("MarketBuy", "\"MarketID\":128000000, \"Type\":\"steel\", \"Count\":99"));
            ledger.parse_CarrierTradeOrder(
                line("CarrierTradeOrder", "\"CarrierID\":" + kCarrierId +
                                              ", \"Commodity\":\"copper\", "
                                              "\"PurchaseOrder\":300, \"Price\":1200"));
            ledger.parse_CarrierTradeOrder(
                line("CarrierTradeOrder", "\"CarrierID\":" + kCarrierId +
                                              ", \"Commodity\":\"steel\", "
                                              "\"SaleOrder\":100, \"Price\":6000"));
            ledger.parse_CarrierTradeOrder(line("CarrierTradeOrder", "\"CarrierID\":" + kCarrierId +
                                                                         ", \"Commodity\":\"steel\", "
                                                                         "\"CancelTrade\":true"));
            QCOMPARE(stockText(ledger), QStringLiteral("Aluminium=150|Copper=40|Steel=600"));
            QCOMPARE(ledger.carriers().value(kCarrier).orders.size(), 1);
            // The game says 700 t, the ledger 790 t: the doubt is shown, not hidden.
            QVERIFY(ledger.carriers().value(kCarrier).inDoubt());
            // A take larger than the stock leaves 0 and says so.
            ledger.parse_CargoTransfer(line("CargoTransfer", "\"Transfers\":[ { \"Type\":\"aluminium\", "
                                                             "\"Count\":400, \"Direction\":\"toship\" } ]"));
            QCOMPARE(ledger.onBoard(QStringLiteral("aluminium")), 0);
            QCOMPARE(f.notices.notices().size(), 1);
            // An older Market.json read again later changes nothing.
            ledger.anchor(marketObject(kCarrier, "2025-06-20T19:00:00Z", item("steel", "Steel", 1, 1)));
            QCOMPARE(ledger.onBoard(QStringLiteral("steel")), 600);
        }
        // A restart finds the same ledger.
        CarrierLedger again(f.state, f.data(), f.reports);
        QCOMPARE(stockText(again), QStringLiteral("Aluminium=0|Copper=40|Steel=600"));
        QCOMPARE(again.carriers().value(kCarrier).orders.value(QStringLiteral("copper")).count, 300);
        QCOMPARE(again.freeSpace(), 20000);
    }

    void hubSaleCountsOnce()
    {
        Fixture f;
        CarrierLedger ledger(f.state, f.data(), f.reports);
        ledger.parse_CarrierStats(carrierStats(0, 25000));
        QVERIFY(ledger.addHubSale(kCarrier, QStringLiteral("Steel"), 40, QStringLiteral("k1")));
        QVERIFY(!ledger.addHubSale(kCarrier, QStringLiteral("steel"), 40, QStringLiteral("k1")));
        QVERIFY(!ledger.addHubSale(123, QStringLiteral("steel"), 40, QStringLiteral("k2")));
        QCOMPARE(ledger.onBoard(QStringLiteral("steel")), 40);
    }

    void twoSitesLessCarrierAndHold()
    {
        Fixture f;
        f.site(QStringLiteral("4256179715"), "Alpha Depot", "Steel=1000\r\nAluminium=300\r\nCopper=50\r\n");
        f.site(QStringLiteral("4256179716"), "Beta Port", "Steel=200\r\nLiquid Oxygen=80\r\n");
        // A finished site is out of the totals.
        f.site(QStringLiteral("4256179717"), "Gamma Done", "Steel=5000\r\n");
        writeFile(f.data() + QStringLiteral("sites.ini"), "[4256179717]\r\nState=complete\r\n");
        f.state.DaneStatku.CargoCapacity = 256;
        CarrierLedger ledger(f.state, f.data(), f.reports);
        ledger.parse_CarrierStats(carrierStats(400, 800));
        ledger.anchor(marketObject(kCarrier, "2025-06-20T20:00:00Z",
                                   item("steel", "Steel", 1, 400) + ", " + item("copper", "Copper", 1, 60)));
        TextTableModel hold(2);
        hold.setAll({{QStringLiteral("TOWAR"), QStringLiteral("ILOSC")},
                     {QStringLiteral("Aluminium"), QStringLiteral("100")}});
        ColonyCockpit cockpit(f.state, f.data(), ledger, hold, f.reports);
        cockpit.refresh();
        QCOMPARE(cockpit.sites().size(), 3);
        QStringList got;
        for (const StillToBuyLine& l : cockpit.stillToBuy())
            got.append(QStringLiteral("%1 %2-%3-%4=%5 %6 %7")
                           .arg(l.name)
                           .arg(l.needed)
                           .arg(l.onCarrier)
                           .arg(l.inHold)
                           .arg(l.toBuy)
                           .arg(l.trips, fitsText(l.fits)));
        QCOMPARE(got, QStringList({QStringLiteral("Aluminium 300-0-100=200 0-200 yes"),
                                   QStringLiteral("Copper 50-60-0=0 0-0 yes"),
                                   QStringLiteral("Steel 1200-400-0=800 3-32 yes"),
                                   QStringLiteral("Liquid Oxygen 80-0-0=80 0-80 yes")}));

        // Not counting a site and forgetting one take them out.
        cockpit.setCounted(QStringLiteral("4256179716"), false);
        QCOMPARE(cockpit.stillToBuy().size(), 3);
        cockpit.forget(QStringLiteral("4256179717"));
        QCOMPARE(cockpit.sites().size(), 2);
        // Docked there anew, its file is written again: it is back.
        {
            QFile site(f.data() + QStringLiteral("constructions/4256179717.ini"));
            QVERIFY(site.open(QIODevice::ReadWrite));
            QVERIFY(site.setFileTime(QDateTime::currentDateTimeUtc().addSecs(60),
                                     QFileDevice::FileModificationTime));
        }
        cockpit.refresh();
        QCOMPARE(cockpit.sites().size(), 3);

        // Docked at a market selling two of the needs: what to buy there, within the free hold.
        f.state.dane_dokowania.MarketID = 128000001;
        cockpit.marketSeen(marketObject(128000001, "2025-06-20T22:00:00Z",
                                        item("steel", "Steel", 4100, 9000) + ", " +
                                            item("aluminium", "Aluminium", 800, 50) + ", " +
                                            item("gold", "Gold", 40000, 30)));
        QStringList buy;
        for (const BuyHereLine& l : cockpit.buyHereLines())
            buy.append(QStringLiteral("%1 %2 %3 %4").arg(l.name).arg(l.price).arg(l.stock).arg(l.amount));
        // Hold 256 t with 100 t used: 156 t free, aluminium first (50, the stock), then steel.
        QCOMPARE(buy,
                 QStringList({QStringLiteral("Aluminium 800 50 50"), QStringLiteral("Steel 4100 9000 106")}));
        QVERIFY(f.notices.notices().last().text.contains(QStringLiteral("Buy here")));
    }

    void buyHereSpeaksOncePerDocking()
    {
        Fixture f;
        f.site(QStringLiteral("4256179715"), "Alpha Depot", "Steel=100\r\nAluminium=50\r\n");
        f.state.DaneStatku.CargoCapacity = 256;
        CarrierLedger ledger(f.state, f.data(), f.reports);
        TextTableModel hold(2);
        ColonyCockpit cockpit(f.state, f.data(), ledger, hold, f.reports);
        cockpit.refresh();
        QStringList told;
        connect(&cockpit, &ColonyCockpit::notify, this,
                [&told](const QString&, const QString& text) { told.append(text); });
        const auto dock = [&f](const QString& when) {
            f.state.dane_dokowania.MarketID = 128000001;
            f.state.dane_dokowania.Timestamp = when;
        };
        const MarketSnapshot steel =
            marketObject(128000001, "2025-06-20T22:00:00Z", item("steel", "Steel", 4100, 900));
        const MarketSnapshot both =
            marketObject(128000001, "2025-06-20T22:05:00Z",
                         item("steel", "Steel", 4100, 800) + ", " + item("aluminium", "Aluminium", 800, 60));
        dock(QStringLiteral("2025-06-20T21:59:00Z"));
        cockpit.marketSeen(steel);
        // The market screen opened again, or a purchase reading the file again: nothing new to say.
        cockpit.marketSeen(steel);
        QCOMPARE(told.size(), 1);
        // The market now sells another needed commodity: worth a word.
        cockpit.marketSeen(both);
        QCOMPARE(told.size(), 2);
        QVERIFY(told.last().contains(QStringLiteral("Aluminium")));
        cockpit.marketSeen(steel);
        QCOMPARE(told.size(), 2);
        // Docked there again later: told again.
        dock(QStringLiteral("2025-06-21T10:00:00Z"));
        cockpit.marketSeen(steel);
        QCOMPARE(told.size(), 3);
        QCOMPARE(cockpit.buyHereLines().size(), 1);
    }

    void siteCompletesFromTheDepotEvent()
    {
        Fixture f;
        f.site(QStringLiteral("4256179715"), "Alpha Depot", "Steel=10\r\n");
        CarrierLedger ledger(f.state, f.data(), f.reports);
        TextTableModel hold(2);
        ColonyCockpit cockpit(f.state, f.data(), ledger, hold, f.reports);
        cockpit.refresh();
        QStringList told;
        connect(&cockpit, &ColonyCockpit::notify, this,
                [&told](const QString& title, const QString&) { told.append(title); });
        cockpit.parse_depot(line("ColonisationConstructionDepot",
                                 "\"MarketID\":4256179715, \"ConstructionProgress\":1.0, "
                                 "\"ConstructionComplete\":true, \"ConstructionFailed\":false, "
                                 "\"ResourcesRequired\":[ ]"));
        cockpit.refresh();
        QCOMPARE(cockpit.sites().value(0).state, QStringLiteral("complete"));
        QVERIFY(cockpit.stillToBuy().isEmpty());
        QCOMPARE(told, QStringList({QStringLiteral("Construction site complete")}));
    }

    void stillToBuyIsALoadingListSource()
    {
        CoreFixture fx;
        QDir(fx.dataDir.path()).mkpath(QStringLiteral("constructions"));
        writeFile(fx.dataDir.filePath(QStringLiteral("constructions/4256179715.ini")),
                  "[INFO]\r\nStationName=Alpha Depot\r\n[MATS]\r\nSteel=300\r\nCopper=0\r\nPolymers=20\r\n");
        fx.append(
            journalLine("2025-01-01T10:00:00Z", "Loadout", "\"Ship\":\"type9\", \"CargoCapacity\":256"));
        TessivarCore& core = fx.start();
        fx.pass();
        core.cargo().selectEntry(QStringLiteral("Still to buy"));
        QCOMPARE(core.cargo().loadingList.rows().mid(1),
                 (QList<QStringList>{
                     {"Polymers", "20", "0-20"}, {"Steel", "300", "1-44"}, {"TOTAL", "320", "1-64"}}));
    }

    // The view reads the site files once the history is read; after that it
    // moves only when something it counts changes, not with every batch.
    void followsChangesNotBatches()
    {
        CoreFixture fx;
        QDir(fx.dataDir.path()).mkpath(QStringLiteral("constructions"));
        const QString alpha = fx.dataDir.filePath(QStringLiteral("constructions/4256179715.ini"));
        writeFile(alpha, "[INFO]\r\nStationName=Alpha Depot\r\n[MATS]\r\nSteel=300\r\n");
        fx.append(
            journalLine("2025-01-01T10:00:00Z", "Loadout", "\"Ship\":\"type9\", \"CargoCapacity\":256"));
        TessivarCore& core = fx.start();
        fx.pass();
        const auto still = [&core] {
            QStringList out;
            for (const StillToBuyLine& l : core.colony().stillToBuy())
                out.append(QStringLiteral("%1 %2 %3").arg(l.name).arg(l.toBuy).arg(l.trips));
            return out;
        };
        QCOMPARE(still(), QStringList{QStringLiteral("Steel 300 1-44")});
        QSignalSpy changed(&core.colony(), &ColonyCockpit::changed);

        // A batch of nothing the view counts leaves it alone (a hand edit waits for the next start).
        writeFile(alpha, "[INFO]\r\nStationName=Alpha Depot\r\n[MATS]\r\nSteel=1\r\n");
        fx.append(journalLine("2025-01-01T10:01:00Z", "Music", "\"MusicTrack\":\"Exploration\""));
        fx.pass();
        QCOMPARE(changed.count(), 0);
        QCOMPARE(still(), QStringList{QStringLiteral("Steel 300 1-44")});

        // A depot event at a second site: its file, as written, joins at once.
        fx.append(
            QByteArray(R"({ "timestamp":"2025-01-01T10:02:00Z", "event":"Location", "Docked":true, )"
                       R"("StationName":"Beta Port", "StationType":"PlanetaryConstructionDepot", )"
                       R"("StarSystem":"Col 285", "MarketID":4256179716 })"
                       "\r\n") +
            journalLine("2025-01-01T10:02:05Z", "ColonisationConstructionDepot",
                        "\"MarketID\":4256179716, \"ConstructionProgress\":0.1, \"ResourcesRequired\":[ "
                        "{ \"Name\":\"$steel_name;\", \"Name_Localised\":\"Steel\", \"RequiredAmount\":100, "
                        "\"ProvidedAmount\":20 }, { \"Name\":\"$polymers_name;\", \"Name_Localised\":"
                        "\"Polymers\", \"RequiredAmount\":50, \"ProvidedAmount\":0 } ]"));
        fx.pass();
        QCOMPARE(still(),
                 (QStringList{QStringLiteral("Steel 380 1-124"), QStringLiteral("Polymers 50 0-50")}));
        QCOMPARE(core.colony().sites().size(), 2);

        // The hold and the ship's capacity.
        writeFile(fx.journalDir.filePath(QStringLiteral("Cargo.json")),
                  "{ \"timestamp\":\"2025-01-01T10:03:00Z\", \"event\":\"Cargo\", \"Vessel\":\"Ship\", "
                  "\"Count\":80, \"Inventory\":[ { \"Name\":\"steel\", \"Name_Localised\":\"Steel\", "
                  "\"Count\":80, \"Stolen\":0 } ] }");
        fx.append(
            journalLine("2025-01-01T10:03:00Z", "Loadout", "\"Ship\":\"type9\", \"CargoCapacity\":128"));
        fx.pass();
        QCOMPARE(still(),
                 (QStringList{QStringLiteral("Steel 300 2-44"), QStringLiteral("Polymers 50 0-50")}));
    }

    void csvRoundTrips()
    {
        const QList<QStringList> rows{{QStringLiteral("Commodity"), QStringLiteral("To buy")},
                                      {QStringLiteral("Steel, rolled"), QStringLiteral("12")},
                                      {QStringLiteral("say \"hi\""), QStringLiteral("line\nbreak")},
                                      {},
                                      {QStringLiteral("Ünïcode"), QString()}};
        QList<QStringList> expected = rows;
        expected[3] = QStringList{QString()};  // an empty row reads back as one empty field
        QCOMPARE(fromCsv(toCsv(rows)), expected);
        QCOMPARE(toTsv({{QStringLiteral("a\tb"), QStringLiteral("1")}}), QStringLiteral("a b\t1\n"));

        Fixture f;
        f.site(QStringLiteral("4256179715"), "Alpha, Depot", "Steel=10\r\n");
        CarrierLedger ledger(f.state, f.data(), f.reports);
        TextTableModel hold(2);
        ColonyCockpit cockpit(f.state, f.data(), ledger, hold, f.reports);
        cockpit.refresh();
        const QString path = f.data() + QStringLiteral("export.csv");
        cockpit.saveCsv(path);
        QList<QStringList> back = fromCsv(QString::fromUtf8(readFile(path)));
        QList<QStringList> want = cockpit.exportRows();
        for (QStringList& r : want)
            if (r.isEmpty())
                r = QStringList{QString()};
        QCOMPARE(back, want);
    }
};

QTEST_GUILESS_MAIN(ColonyTest)
#include "colony_test.moc"
