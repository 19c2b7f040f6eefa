// tessivar-cli replay with the hub: --hub-url, --kvn-refresh, --take-contract,
// and a sale at the carrier reported to the hub, each step awaiting the replies.
#include "HttpStub.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

namespace {

QByteArray j(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

QStringList texts(const QJsonArray& nodes, int depth = 0)
{
    QStringList out;
    for (const QJsonValue& n : nodes) {
        out.append(QString(depth * 2, QLatin1Char(' ')) + n[QLatin1String("text")].toString());
        out += texts(n[QLatin1String("children")].toArray(), depth + 1);
    }
    return out;
}

// A hub with one order for carrier 3706609664 that a sale there lowers.
struct OrderHub
{
    HttpStub stub;
    int tritium = 1000;

    OrderHub()
    {
        stub.handler = [this](const StubRequest& r) {
            const QString act = r.field(QStringLiteral("act"));
            if (act == QLatin1String("update_kvn") &&
                r.field(QStringLiteral("MarketID")) == QLatin1String("3706609664") &&
                r.field(QStringLiteral("Commodity")) == QLatin1String("tritium")) {
                tritium -= r.field(QStringLiteral("Count")).toInt();
                return StubResponse::text("update_ok");
            }
            return StubResponse::text(j("[{'FC':'Ironclad','cmdr':'Jan','CarrierID':'3706609664','action':'"
                                        "Demand','location':'Pichch / Body 2',"
                                        "'commodity':'Tritium','count':'") +
                                      QByteArray::number(tritium) + j("','price':'100'}]"));
        };
    }
};

const char* const kDocked =
    "{ 'timestamp':'2025-01-01T10:00:00Z', 'event':'Docked', 'StationName':'W2W-2TZ', "
    "'StationType':'FleetCarrier', "
    "'Taxi':false, 'Multicrew':false, 'StarSystem':'Pichch', 'SystemAddress':3657198113482, "
    "'MarketID':3706609664, "
    "'StationFaction':{ 'Name':'FleetCarrier' }, 'StationGovernment':'$government_Carrier;', "
    "'StationGovernment_Localised':'Private Ownership', 'StationServices':[ 'dock', 'commodities' ], "
    "'StationEconomy':'$economy_Carrier;', 'StationEconomy_Localised':'Private Enterprise', "
    "'StationEconomies':[ { "
    "'Name':'$economy_Carrier;', 'Name_Localised':'Private Enterprise', 'Proportion':1.000000 } ], "
    "'DistFromStarLS':0.000000, 'LandingPads':{ 'Small':4, 'Medium':4, 'Large':8 } }\r\n";

const char* const kSale =
    "{ 'timestamp':'2025-01-01T10:05:00Z', 'event':'MarketSell', 'MarketID':3706609664, "
    "'Type':'tritium', 'Count':250, 'SellPrice':70836, 'TotalSale':17709000, "
    "'AvgPricePaid':50562 }\r\n";

// A journal folder with the hold snapshot the pass reads beside the journal.
void writeJournal(const QTemporaryDir& dir)
{
    writeFile(dir.filePath(QStringLiteral("Journal.2025-01-01T100000.01.log")), j(kDocked));
    writeFile(dir.filePath(QStringLiteral("Cargo.json")),
              j("{ 'timestamp':'2025-01-01T10:00:00Z', 'event':'Cargo', 'Vessel':'Ship', 'Count':0, "
                "'Inventory':[ ] }"));
}

}  // namespace

class ReplayHubTest : public QObject
{
    Q_OBJECT

private slots:
    void takeContractThenSell_reportsTheSaleAndRefreshes()
    {
        OrderHub hub;
        QTemporaryDir journal;
        QTemporaryDir data;
        writeJournal(journal);
        const QString sale = data.filePath(QStringLiteral("sale.jsonl"));
        writeFile(sale, j(kSale));

        const QList<QJsonObject> dumps =
            runCli({QStringLiteral("replay"), QStringLiteral("--journal-dir"), journal.path(),
                    QStringLiteral("--data-dir"), data.path(), QStringLiteral("--hub-url"), hub.stub.url(),
                    QStringLiteral("--kvn-refresh"), QStringLiteral("--take-contract"), QStringLiteral("0"),
                    QStringLiteral("--append"), sale},
                   CliWait::ServeEvents)
                .objects;
        QVERIFY(!dumps.isEmpty());
        const QJsonObject last = dumps.last();

        QCOMPARE(
            hub.stub.bodies(),
            (QStringList{
                QStringLiteral("act=get_kvn"),
                QStringLiteral("MarketID=3706609664&act=update_kvn&Commodity=tritium&Count=250&"
                               "SaleKey=") +
                    QString::fromLatin1(
                        QCryptographicHash::hash(j(kSale).trimmed(), QCryptographicHash::Sha256).toHex()) +
                    QStringLiteral("&CMDR="),
                QStringLiteral("act=get_kvn")}));
        const QString header = QStringLiteral("🚀 Ironclad - \U0001F9D1\u200D\U0001F680 Jan");
        const QStringList order{header, QStringLiteral("  🆔 CarrierID: 3706609664"),
                                QStringLiteral("  📥 Action: Demand"),
                                QStringLiteral("  📍 Location: Pichch / Body 2"),
                                QStringLiteral("  📦 Commodity: [Tritium] 🔢 750 / 💰 100% AVG;")};
        QCOMPARE(texts(last[QLatin1String("lista_zlecen")].toArray()), order);
        // The taken order follows the hub's lowered count.
        QCOMPARE(texts(last[QLatin1String("przyjete_zlecenia")].toArray()), order);
        const QJsonArray select = last[QLatin1String("Carrier_loading_select")].toArray();
        QCOMPARE(select.last().toString(), QStringLiteral("3706609664"));
        QCOMPARE(last[QLatin1String("errors")].toArray(), QJsonArray());
    }

    void withoutHubUrl_nothingIsSent()
    {
        OrderHub hub;
        QTemporaryDir journal;
        QTemporaryDir data;
        writeJournal(journal);
        writeFile(data.filePath(QStringLiteral("settings.ini")),
                  "[KVN]\r\nurl=" + hub.stub.url().toUtf8() + "\r\nkvn_consent=1\r\n");
        const QList<QJsonObject> dumps =
            runCli({QStringLiteral("replay"), QStringLiteral("--journal-dir"), journal.path(),
                    QStringLiteral("--data-dir"), data.path(), QStringLiteral("--kvn-refresh"),
                    QStringLiteral("--take-contract"), QStringLiteral("0")},
                   CliWait::ServeEvents)
                .objects;
        QVERIFY(!dumps.isEmpty());
        QCOMPARE(hub.stub.requests.size(), 0);
        QCOMPARE(dumps.last()[QLatin1String("lista_zlecen")].toArray(), QJsonArray());
        QCOMPARE(dumps.last()[QLatin1String("kvn_url")].toString(), QString());
    }
};

QTEST_GUILESS_MAIN(ReplayHubTest)
#include "replay_hub_test.moc"
