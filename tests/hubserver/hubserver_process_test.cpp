#include "HubTestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// tessivar-hub as a squadron runs it: a real process on a loopback port with
// its SQLite file, spoken to over TCP.
namespace {

// The state text after one Demand line of carrier 3700000001 changed:
// `change` is "Commodity count", or "Commodity -" for a removed line.
QString changedState(const QString& before, const QString& change)
{
    QStringList lines = before.split(QLatin1Char('|'));
    if (change.isEmpty())
        return before;
    const qsizetype blank = change.lastIndexOf(QLatin1Char(' '));
    const QString prefix = QStringLiteral("3700000001 Demand ") + change.left(blank) + QLatin1Char(' ');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(prefix)) {
            if (change.endsWith(QLatin1String(" -")))
                lines.removeAt(i);
            else
                lines[i] = prefix + change.mid(blank + 1);
            break;
        }
    }
    return lines.join(QLatin1Char('|'));
}

Fields without(Fields fields, const QString& name)
{
    fields.removeIf([&](const auto& field) { return field.first == name; });
    return fields;
}

}  // namespace

class HubServerProcessTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void start_printsListeningAddressAsFirstLine();
    void start_refusesBadArguments_data();
    void start_refusesBadArguments();
    void checkVersion_answersConfiguredText_data();
    void checkVersion_answersConfiguredText();
    void getKvn_listsOrderLinesForTheClient();
    void addKvn_postingAgainReplacesTheLine();
    void addKvn_refusesUnfitOrders_data();
    void addKvn_refusesUnfitOrders();
    void badFields_answer400_data();
    void badFields_answer400();
    void updateKvn_lowersTheSoldCommodity_data();
    void updateKvn_lowersTheSoldCommodity();
    void verifyKvn_recordsMarketDemand_data();
    void verifyKvn_recordsMarketDemand();
    void malformedRequests_answerErrorAndServerGoesOn_data();
    void malformedRequests_answerErrorAndServerGoesOn();
    void keepAlive_answersPipelinedRequestsInOrder();
    void expectContinue_getsInterimAnswer();
    void sqlInjection_isStoredAsPlainText();
    void bracketsAndUnicode_surviveTheClientsArrayJoin();
    void restart_keepsOrders();
    void killedHard_keepsEveryAnsweredChange();
    void saleKey_countsEachSaleOnce_data();
    void saleKey_countsEachSaleOnce();
    void ownerCode_bindsTheCarrier_data();
    void ownerCode_bindsTheCarrier();
    void releaseCarrier_letsAnotherCodeBind();
    void olderHubFile_isUpgradedInPlace();
    void networkAccessManager_withClientHeaders();

private:
    HttpReply post(const Fields& fields);
    HttpReply sell(const QString& commodity, int count, const QString& key);
    QString state();
    void placeOrders();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<HubProcess> m_hub;
};

void HubServerProcessTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_hub = std::make_unique<HubProcess>();
    QVERIFY(m_hub->start(m_dir->filePath(QStringLiteral("hub.db"))));
}

void HubServerProcessTest::cleanup()
{
    m_hub.reset();
    m_dir.reset();
}

HttpReply HubServerProcessTest::post(const Fields& fields)
{
    RawClient client(m_hub->port);
    if (!client.connected())
        return {};
    client.send(postRequest(encodeForm(fields), "Connection: close\r\n"));
    return client.next();
}

HttpReply HubServerProcessTest::sell(const QString& commodity, int count, const QString& key)
{
    Fields fields = {{QStringLiteral("MarketID"), QStringLiteral("3700000001")},
                     {QStringLiteral("act"), QStringLiteral("update_kvn")},
                     {QStringLiteral("Commodity"), commodity},
                     {QStringLiteral("Count"), QString::number(count)}};
    if (!key.isEmpty())
        fields.append({QStringLiteral("SaleKey"), key});
    return post(fields);
}

// The listed orders as "CarrierID action commodity count" lines, in list order.
QString HubServerProcessTest::state()
{
    const HttpReply reply = post({{QStringLiteral("act"), QStringLiteral("get_kvn")}});
    if (reply.status != 200)
        return QStringLiteral("status %1").arg(reply.status);
    QStringList lines;
    const QJsonArray array = QJsonDocument::fromJson(reply.body).array();
    for (const QJsonValue& value : array) {
        const QJsonObject o = value.toObject();
        lines << QStringList{o[QLatin1String("CarrierID")].toString(), o[QLatin1String("action")].toString(),
                             o[QLatin1String("commodity")].toString(), o[QLatin1String("count")].toString()}
                     .join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('|'));
}

void HubServerProcessTest::placeOrders()
{
    // Carrier 3700000001 is bound to its owner's code "Owner-1".
    const QString one = QStringLiteral("3700000001");
    const QString demand = QStringLiteral("Demand");
    const auto owners = [](const Fields& fields) {
        return with(fields, QStringLiteral("code"), QStringLiteral("Owner-1"));
    };
    for (const Fields& fields :
         {owners(order(one, demand, QStringLiteral("Non-Lethal Weapons"), 500)),
          owners(order(one, demand, QStringLiteral("H.E. Suits"), 400)),
          owners(order(one, demand, QStringLiteral("Steel"), 1000)),
          owners(order(one, demand, QStringLiteral("Liquid Oxygen"), 200)),
          owners(order(one, QStringLiteral("Unload"), QStringLiteral("Titanium"), 300)),
          order(QStringLiteral("3700000002"), demand, QStringLiteral("Steel"), 100)}) {
        QVERIFY(post(fields).body.startsWith("Order added: "));
    }
}

void HubServerProcessTest::start_printsListeningAddressAsFirstLine()
{
    QVERIFY(QRegularExpression(QStringLiteral("^listening on 127\\.0\\.0\\.1:[1-9]\\d*\n$"))
                .match(QString::fromUtf8(m_hub->firstLine))
                .hasMatch());
    QCOMPARE(post({{QStringLiteral("act"), QStringLiteral("check_version")}}).status, 200);
}

void HubServerProcessTest::start_refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    const QString db = QStringLiteral("DB");
    QTest::newRow("no listen") << QStringList{QStringLiteral("--db"), db};
    QTest::newRow("no db") << QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")};
    QTest::newRow("port not a number")
        << QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:x"), QStringLiteral("--db"), db};
    QTest::newRow("port too big") << QStringList{
        QStringLiteral("--listen"), QStringLiteral("127.0.0.1:70000"), QStringLiteral("--db"), db};
    QTest::newRow("bad host") << QStringList{QStringLiteral("--listen"), QStringLiteral("no.such.host:0"),
                                             QStringLiteral("--db"), db};
    QTest::newRow("db folder missing")
        << QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--db"),
                       QStringLiteral("MISSING/x/hub.db")};
}

void HubServerProcessTest::start_refusesBadArguments()
{
    QFETCH(QStringList, arguments);
    arguments.replaceInStrings(QStringLiteral("DB"), m_dir->filePath(QStringLiteral("other.db")));
    arguments.replaceInStrings(QStringLiteral("MISSING"), m_dir->filePath(QStringLiteral("missing")));
    QProcess process;
    process.start(QStringLiteral(TESSIVAR_HUB), arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QVERIFY(process.readAllStandardError().startsWith("tessivar-hub: "));
}

void HubServerProcessTest::checkVersion_answersConfiguredText_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("default: own version") << QStringList{} << QByteArray(TESSIVAR_VERSION_TEXT);
    QTest::newRow("newer") << QStringList{QStringLiteral("--version-text"), QStringLiteral("1.4.0.0")}
                           << QByteArray("1.4.0.0");
    QTest::newRow("text kept byte for byte")
        << QStringList{QStringLiteral("--version-text"), QStringLiteral("1.3.0.0\n")}
        << QByteArray("1.3.0.0\n");
}

void HubServerProcessTest::checkVersion_answersConfiguredText()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, answer);
    HubProcess hub;
    QVERIFY(hub.start(m_dir->filePath(QStringLiteral("version.db")), arguments));
    RawClient client(hub.port);
    client.send(postRequest("act=check_version"));
    const HttpReply reply = client.next();
    QCOMPARE(reply.status, 200);
    QVERIFY(reply.head.contains("Content-Type: text/plain; charset=utf-8"));
    QCOMPARE(reply.body, answer);
}

void HubServerProcessTest::getKvn_listsOrderLinesForTheClient()
{
    QCOMPARE(post({{QStringLiteral("act"), QStringLiteral("get_kvn")}}).body, QByteArray("[]"));
    QCOMPARE(post(order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Steel"), 500))
                 .body,
             QByteArray("Order added: Demand 500 × Steel at 110% AVG for carrier 3700000001."));
    QCOMPARE(
        post(with(order(QStringLiteral("3700000001"), QStringLiteral("Unload"), QStringLiteral("Copper"), 20),
                  QStringLiteral("price"), QStringLiteral("95")))
            .status,
        200);
    const HttpReply reply = post({{QStringLiteral("act"), QStringLiteral("get_kvn")}});
    QCOMPARE(reply.status, 200);
    QVERIFY(reply.head.contains("Content-Type: application/json; charset=utf-8"));
    QCOMPARE(
        reply.body,
        QByteArray("[{\"FC\":\"Golden Hind\",\"cmdr\":\"CMDR Jan Kowalski\",\"CarrierID\":\"3700000001\","
                   "\"action\":\"Demand\",\"location\":\"Sol / Body 5\",\"commodity\":\"Steel\","
                   "\"price\":\"110\",\"count\":\"500\"},"
                   "{\"FC\":\"Golden Hind\",\"cmdr\":\"CMDR Jan Kowalski\",\"CarrierID\":\"3700000001\","
                   "\"action\":\"Unload\",\"location\":\"Sol / Body 5\",\"commodity\":\"Copper\","
                   "\"price\":\"95\",\"count\":\"20\"}]"));
}

void HubServerProcessTest::addKvn_postingAgainReplacesTheLine()
{
    const QString carrier = QStringLiteral("3700000001");
    QCOMPARE(post(order(carrier, QStringLiteral("Demand"), QStringLiteral("H.E. Suits"), 500)).status, 200);
    const HttpReply again =
        post(order(carrier, QStringLiteral("Demand"), QStringLiteral("hazardous environment suits"), 300));
    QCOMPARE(
        again.body,
        QByteArray(
            "Order updated: Demand 300 × hazardous environment suits at 110% AVG for carrier 3700000001."));
    QCOMPARE(post(order(carrier, QStringLiteral("Unload"), QStringLiteral("H.E. Suits"), 40)).status, 200);
    QCOMPARE(
        post(order(QStringLiteral("0037"), QStringLiteral("Demand"), QStringLiteral("H.E. Suits"), 7)).status,
        200);
    QCOMPARE(state(), QStringLiteral("3700000001 Demand hazardous environment suits 300|"
                                     "3700000001 Unload H.E. Suits 40|37 Demand H.E. Suits 7"));
}

void HubServerProcessTest::addKvn_refusesUnfitOrders_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("count 0")
        << QStringLiteral("count") << QStringLiteral("0")
        << QByteArray("Order not added: the count must be a whole number from 1 to 2147483647.");
    QTest::newRow("count too big")
        << QStringLiteral("count") << QStringLiteral("2147483648")
        << QByteArray("Order not added: the count must be a whole number from 1 to 2147483647.");
    QTest::newRow("price below 1")
        << QStringLiteral("price") << QStringLiteral("-5")
        << QByteArray("Order not added: the % AVG must be a whole number from 1 to 2147483647.");
    QTest::newRow("heading row") << QStringLiteral("commodity") << QStringLiteral("BASE:")
                                 << QByteArray("Order not added: \"BASE:\" is not a commodity.");
    QTest::newRow("separator row")
        << QStringLiteral("commodity") << QStringLiteral("-----------------------------")
        << QByteArray("Order not added: \"-----------------------------\" is not a commodity.");
    QTest::newRow("empty commodity") << QStringLiteral("commodity") << QString()
                                     << QByteArray("Order not added: \"\" is not a commodity.");
    QTest::newRow("bracket in commodity")
        << QStringLiteral("commodity") << QStringLiteral("Steel] 🔢 9")
        << QByteArray("Order not added: \"Steel] 🔢 9\" is not a commodity.");
    QTest::newRow("long carrier name") << QStringLiteral("FC") << QString(101, QLatin1Char('x'))
                                       << QByteArray("Order not added: FC is longer than 100 characters.");
}

void HubServerProcessTest::addKvn_refusesUnfitOrders()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QByteArray, answer);
    const HttpReply reply =
        post(with(order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Steel"), 5),
                  field, value));
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.body, answer);
    QCOMPARE(state(), QString());
}

void HubServerProcessTest::badFields_answer400_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QByteArray>("reason");
    const Fields add =
        order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Steel"), 5);
    const Fields update = {{QStringLiteral("MarketID"), QStringLiteral("3700000001")},
                           {QStringLiteral("act"), QStringLiteral("update_kvn")},
                           {QStringLiteral("Commodity"), QStringLiteral("steel")},
                           {QStringLiteral("Count"), QStringLiteral("5")}};
    const Fields verify = {{QStringLiteral("act"), QStringLiteral("verify_kvn")},
                           {QStringLiteral("CMDR"), QStringLiteral("Jan")},
                           {QStringLiteral("Market"), QStringLiteral("3700000001")},
                           {QStringLiteral("Towar"), QStringLiteral("Steel")},
                           {QStringLiteral("Ilosc"), QStringLiteral("5")}};

    QTest::newRow("no act") << Fields{{QStringLiteral("x"), QStringLiteral("1")}}
                            << QByteArray("missing field act");
    QTest::newRow("unknown act") << Fields{{QStringLiteral("act"), QStringLiteral("drop_kvn")}}
                                 << QByteArray("unknown act");
    QTest::newRow("act twice") << (add + Fields{{QStringLiteral("act"), QStringLiteral("get_kvn")}})
                               << QByteArray("field act given twice");
    for (const char* name : {"cmdr", "FC", "CarrierID", "location", "typ", "commodity", "count", "price"}) {
        QTest::addRow("add_kvn without %s", name)
            << without(add, QString::fromLatin1(name)) << "missing field " + QByteArray(name);
    }
    QTest::newRow("add_kvn CarrierID not a number")
        << with(add, QStringLiteral("CarrierID"), QStringLiteral("37 OR 1=1"))
        << QByteArray("field CarrierID is not a market id");
    QTest::newRow("add_kvn CarrierID negative")
        << with(add, QStringLiteral("CarrierID"), QStringLiteral("-3"))
        << QByteArray("field CarrierID is not a market id");
    QTest::newRow("add_kvn CarrierID above 64 bits")
        << with(add, QStringLiteral("CarrierID"), QStringLiteral("18446744073709551616"))
        << QByteArray("field CarrierID is not a market id");
    QTest::newRow("add_kvn CarrierID 0")
        << with(add, QStringLiteral("CarrierID"), QStringLiteral("0")) << QByteArray("field CarrierID is 0");
    QTest::newRow("add_kvn count not a number") << with(add, QStringLiteral("count"), QStringLiteral("5t"))
                                                << QByteArray("field count is not a whole number");
    QTest::newRow("add_kvn typ unknown") << with(add, QStringLiteral("typ"), QStringLiteral("Buy"))
                                         << QByteArray("field typ is neither Demand nor Unload");
    QTest::newRow("add_kvn line break in FC") << with(add, QStringLiteral("FC"), QStringLiteral("A\nB"))
                                              << QByteArray("control character in field FC");
    for (const char* name : {"MarketID", "Commodity", "Count"}) {
        QTest::addRow("update_kvn without %s", name)
            << without(update, QString::fromLatin1(name)) << "missing field " + QByteArray(name);
    }
    QTest::newRow("update_kvn MarketID text")
        << with(update, QStringLiteral("MarketID"), QStringLiteral("abc"))
        << QByteArray("field MarketID is not a market id");
    QTest::newRow("update_kvn Count decimal") << with(update, QStringLiteral("Count"), QStringLiteral("1.5"))
                                              << QByteArray("field Count is not a whole number");
    for (const char* name : {"CMDR", "Market", "Towar", "Ilosc"}) {
        QTest::addRow("verify_kvn without %s", name)
            << without(verify, QString::fromLatin1(name)) << "missing field " + QByteArray(name);
    }
    QTest::newRow("verify_kvn Ilosc negative") << with(verify, QStringLiteral("Ilosc"), QStringLiteral("-1"))
                                               << QByteArray("field Ilosc is out of range");
}

void HubServerProcessTest::badFields_answer400()
{
    QFETCH(Fields, fields);
    QFETCH(QByteArray, reason);
    QCOMPARE(post(order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Steel"), 5))
                 .status,
             200);
    const HttpReply reply = post(fields);
    QCOMPARE(reply.status, 400);
    QCOMPARE(reply.body, reason);
    QCOMPARE(state(), QStringLiteral("3700000001 Demand Steel 5"));
}

void HubServerProcessTest::updateKvn_lowersTheSoldCommodity_data()
{
    QTest::addColumn<QString>("market");
    QTest::addColumn<QString>("commodity");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("expected");  // see changedState()

    QTest::newRow("internal name of a hyphenated commodity")
        << "3700000001"
        << "nonlethalweapons"
        << "120" << QByteArray("update_ok") << "Non-Lethal Weapons 380";
    QTest::newRow("alias: the whole order sold") << "3700000001"
                                                 << "hazardousenvironmentsuits"
                                                 << "400" << QByteArray("update_ok") << "H.E. Suits -";
    QTest::newRow("sale larger than the order") << "3700000001"
                                                << "LiquidOxygen"
                                                << "700" << QByteArray("update_ok") << "Liquid Oxygen -";
    QTest::newRow("a whole hold") << "3700000001"
                                  << "steel"
                                  << "800" << QByteArray("update_ok") << "Steel 200";
    QTest::newRow("more than any hold") << "3700000001"
                                        << "steel"
                                        << "801" << QByteArray("update_none") << "";
    QTest::newRow("all there is") << "3700000001"
                                  << "steel"
                                  << "2147483647" << QByteArray("update_none") << "";
    QTest::newRow("letter case of the sale") << "3700000001"
                                             << "LiquidOxygen"
                                             << "1" << QByteArray("update_ok") << "Liquid Oxygen 199";
    QTest::newRow("market id with leading zeros") << "03700000001"
                                                  << "steel"
                                                  << "1" << QByteArray("update_ok") << "Steel 999";
    QTest::newRow("other carrier's market") << "3700000003"
                                            << "steel"
                                            << "10" << QByteArray("update_none") << "";
    QTest::newRow("unload orders are not lowered by sales") << "3700000001"
                                                            << "titanium"
                                                            << "10" << QByteArray("update_none") << "";
    QTest::newRow("commodity not ordered") << "3700000001"
                                           << "gold"
                                           << "10" << QByteArray("update_none") << "";
    QTest::newRow("nothing sold") << "3700000001"
                                  << "steel"
                                  << "0" << QByteArray("update_none") << "";
    QTest::newRow("market id 0") << "0"
                                 << "steel"
                                 << "10" << QByteArray("update_none") << "";
    QTest::newRow("market id as a substring does not count") << "370000000"
                                                             << "steel"
                                                             << "10" << QByteArray("update_none") << "";
}

void HubServerProcessTest::updateKvn_lowersTheSoldCommodity()
{
    QFETCH(QString, market);
    QFETCH(QString, commodity);
    QFETCH(QString, count);
    QFETCH(QByteArray, answer);
    QFETCH(QString, expected);
    placeOrders();
    const QString before = state();
    const HttpReply reply = post({{QStringLiteral("MarketID"), market},
                                  {QStringLiteral("act"), QStringLiteral("update_kvn")},
                                  {QStringLiteral("Commodity"), commodity},
                                  {QStringLiteral("Count"), count}});
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.body, answer);

    QCOMPARE(state(), changedState(before, expected));
}

void HubServerProcessTest::verifyKvn_recordsMarketDemand_data()
{
    QTest::addColumn<QString>("market");
    QTest::addColumn<QString>("towar");
    QTest::addColumn<int>("demand");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("expected");

    QTest::newRow("demand lower") << "3700000001"
                                  << "Steel" << 640 << QByteArray("verify_ok") << "Steel 640";
    QTest::newRow("demand higher is not taken from a reporter")
        << "3700000001"
        << "Liquid Oxygen" << 900 << QByteArray("verify_none") << "";
    QTest::newRow("one check takes off at most a hold")
        << "3700000001"
        << "Steel" << 0 << QByteArray("verify_ok") << "Steel 200";
    QTest::newRow("market name in other letter case")
        << "3700000001"
        << "Liquid oxygen" << 150 << QByteArray("verify_ok") << "Liquid Oxygen 150";
    QTest::newRow("no demand left") << "3700000001"
                                    << "H.E. Suits" << 0 << QByteArray("verify_ok") << "H.E. Suits -";
    QTest::newRow("demand equals the order") << "3700000001"
                                             << "Steel" << 1000 << QByteArray("verify_none") << "";
    QTest::newRow("other carrier") << "3700000009"
                                   << "Steel" << 5 << QByteArray("verify_none") << "";
    QTest::newRow("unload order keeps its count") << "3700000001"
                                                  << "Titanium" << 0 << QByteArray("verify_none") << "";
}

void HubServerProcessTest::verifyKvn_recordsMarketDemand()
{
    QFETCH(QString, market);
    QFETCH(QString, towar);
    QFETCH(int, demand);
    QFETCH(QByteArray, answer);
    QFETCH(QString, expected);
    placeOrders();
    const QString before = state();
    const HttpReply reply = post({{QStringLiteral("act"), QStringLiteral("verify_kvn")},
                                  {QStringLiteral("CMDR"), QStringLiteral("Anna Nowak")},
                                  {QStringLiteral("Market"), market},
                                  {QStringLiteral("Towar"), towar},
                                  {QStringLiteral("Ilosc"), QString::number(demand)}});
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.body, answer);

    QCOMPARE(state(), changedState(before, expected));
}

void HubServerProcessTest::malformedRequests_answerErrorAndServerGoesOn_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("reason");
    const QByteArray host = "Host: hub\r\n";
    const QByteArray form = "Content-Type: application/x-www-form-urlencoded\r\n";

    QTest::newRow("not http") << QByteArray("hello there\r\n\r\n") << 400
                              << QByteArray("malformed request line");
    QTest::newRow("no version") << QByteArray("POST /ED/KVN.php\r\n" + host + "\r\n") << 400
                                << QByteArray("malformed request line");
    QTest::newRow("double blank in request line")
        << QByteArray("POST  /ED/KVN.php HTTP/1.1\r\n" + host + "\r\n") << 400
        << QByteArray("malformed request line");
    QTest::newRow("nul in target") << QByteArray("POST /ED/KVN\0.php HTTP/1.1\r\n", 28) + host + "\r\n"
                                   << 400 << QByteArray("malformed request line");
    QTest::newRow("lower-case version") << QByteArray("POST /ED/KVN.php http/1.1\r\n" + host + "\r\n") << 400
                                        << QByteArray("malformed request line");
    QTest::newRow("http 2") << QByteArray("POST /ED/KVN.php HTTP/2.0\r\n" + host + "\r\n") << 505
                            << QByteArray("HTTP version not supported");
    QTest::newRow("no host") << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + form +
                                           "Content-Length: 11\r\n\r\nact=get_kvn")
                             << 400 << QByteArray("missing Host header");
    QTest::newRow("header without colon")
        << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host + "Broken\r\n\r\n") << 400
        << QByteArray("malformed header line");
    QTest::newRow("blank before colon")
        << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host + "Content-Length : 0\r\n\r\n") << 400
        << QByteArray("malformed header name");
    QTest::newRow("folded header") << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host +
                                                 "X-A: 1\r\n  2\r\n\r\n")
                                   << 400 << QByteArray("malformed header line");
    QTest::newRow("huge header") << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host +
                                               "X-Big: " + QByteArray(20000, 'a') + "\r\n\r\n")
                                 << 400 << QByteArray("request head too large");
    QTest::newRow("head never ends") << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host) +
                                            QByteArray(20000, 'a')
                                     << 400 << QByteArray("request head too large");
    QTest::newRow("too many headers")
        << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host + QByteArray("X: 1\r\n").repeated(100) + "\r\n")
        << 400 << QByteArray("too many header lines");
    QTest::newRow("length not a number")
        << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host + form + "Content-Length: ten\r\n\r\n") << 400
        << QByteArray("malformed Content-Length");
    QTest::newRow("negative length") << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host + form +
                                                   "Content-Length: -1\r\n\r\n")
                                     << 400 << QByteArray("malformed Content-Length");
    QTest::newRow("two lengths") << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host + form +
                                               "Content-Length: 3\r\nContent-Length: 4\r\n\r\nact=")
                                 << 400 << QByteArray("conflicting Content-Length");
    QTest::newRow("body over the limit") << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host + form +
                                                       "Content-Length: 70000\r\n\r\nact=get_kvn&x=")
                                         << 400 << QByteArray("request body too large");
    QTest::newRow("body over the limit, sent whole")
        << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host + form + "Content-Length: 200000\r\n\r\n") +
               QByteArray(200000, 'a')
        << 400 << QByteArray("request body too large");
    QTest::newRow("chunked body") << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host + form +
                                                "Transfer-Encoding: chunked\r\n\r\n0\r\n\r\n")
                                  << 501 << QByteArray("Transfer-Encoding not supported");
    QTest::newRow("bad percent-encoding")
        << postRequest("act=get_kvn%G1") << 400 << QByteArray("invalid percent-encoding");
    QTest::newRow("cut percent-encoding")
        << postRequest("act=get_kvn%") << 400 << QByteArray("invalid percent-encoding");
    QTest::newRow("not utf-8") << postRequest("act=add_kvn&FC=%FF%FE") << 400
                               << QByteArray("field is not UTF-8");
    QTest::newRow("empty body") << postRequest("") << 400 << QByteArray("missing field act");
    QTest::newRow("json body") << QByteArray("POST /ED/KVN.php HTTP/1.1\r\n" + host +
                                             "Content-Type: application/json\r\nContent-Length: 2\r\n\r\n{}")
                               << 415 << QByteArray("the body must be application/x-www-form-urlencoded");
    QTest::newRow("other path") << QByteArray("POST /ED/other.php HTTP/1.1\r\n" + host + form +
                                              "Content-Length: 11\r\n\r\nact=get_kvn")
                                << 404 << QByteArray("not found");
    QTest::newRow("path climbing") << QByteArray("POST /ED/../ED/KVN.php HTTP/1.1\r\n" + host + form +
                                                 "Content-Length: 11\r\n\r\nact=get_kvn")
                                   << 404 << QByteArray("not found");
    QTest::newRow("get") << QByteArray("GET /ED/KVN.php?act=get_kvn HTTP/1.1\r\n" + host + "\r\n") << 405
                         << QByteArray("only POST is served here");
}

void HubServerProcessTest::malformedRequests_answerErrorAndServerGoesOn()
{
    QFETCH(QByteArray, request);
    QFETCH(int, status);
    QFETCH(QByteArray, reason);
    {
        RawClient client(m_hub->port);
        QVERIFY(client.connected());
        client.send(request);
        const HttpReply reply = client.next();
        QCOMPARE(reply.status, status);
        QCOMPARE(reply.body, reason);
        if (status == 400)
            QVERIFY(client.closedByPeer());
    }
    QVERIFY(m_hub->running());
    const HttpReply after = post({{QStringLiteral("act"), QStringLiteral("check_version")}});
    QCOMPARE(after.status, 200);
    QCOMPARE(after.body, QByteArray(TESSIVAR_VERSION_TEXT));
}

void HubServerProcessTest::keepAlive_answersPipelinedRequestsInOrder()
{
    RawClient client(m_hub->port);
    QVERIFY(client.connected());
    client.send(postRequest(encodeForm(
                    order(QStringLiteral("42"), QStringLiteral("Demand"), QStringLiteral("Tea"), 9))) +
                postRequest("act=get_kvn") + postRequest("act=check_version", "Connection: close\r\n"));
    const HttpReply added = client.next();
    const HttpReply list = client.next();
    const HttpReply version = client.next();
    QCOMPARE(added.status, 200);
    QVERIFY(added.head.contains("Connection: keep-alive"));
    QVERIFY(list.body.contains("\"commodity\":\"Tea\""));
    QCOMPARE(version.body, QByteArray(TESSIVAR_VERSION_TEXT));
    QVERIFY(version.head.contains("Connection: close"));
    QVERIFY(client.closedByPeer());
}

void HubServerProcessTest::expectContinue_getsInterimAnswer()
{
    RawClient client(m_hub->port);
    QVERIFY(client.connected());
    const QByteArray request = postRequest("act=check_version", "Expect: 100-continue\r\n");
    const qsizetype headLength = request.indexOf("\r\n\r\n") + 4;
    client.send(request.left(headLength));
    QCOMPARE(client.next().status, 100);
    client.send(request.mid(headLength));
    const HttpReply reply = client.next();
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.body, QByteArray(TESSIVAR_VERSION_TEXT));
}

void HubServerProcessTest::sqlInjection_isStoredAsPlainText()
{
    const QString carrier = QStringLiteral("3700000001");
    Fields evil =
        order(carrier, QStringLiteral("Demand"), QStringLiteral("Steel'); DELETE FROM orders; --"), 50);
    evil = with(evil, QStringLiteral("FC"), QStringLiteral("x'); DROP TABLE orders; --"));
    evil = with(evil, QStringLiteral("cmdr"), QStringLiteral("CMDR Robert\" OR 1=1 --"));
    QCOMPARE(post(order(carrier, QStringLiteral("Demand"), QStringLiteral("Steel"), 10)).status, 200);
    QCOMPARE(post(evil).status, 200);
    const Fields update = {{QStringLiteral("MarketID"), carrier},
                           {QStringLiteral("act"), QStringLiteral("update_kvn")},
                           {QStringLiteral("Commodity"), QStringLiteral("' OR '1'='1")},
                           {QStringLiteral("Count"), QStringLiteral("1")}};
    QCOMPARE(post(update).body, QByteArray("update_none"));

    const HttpReply list = post({{QStringLiteral("act"), QStringLiteral("get_kvn")}});
    const QJsonArray orders = QJsonDocument::fromJson(list.body).array();
    QCOMPARE(orders.size(), 2);
    QCOMPARE(orders[1][QLatin1String("FC")].toString(), QStringLiteral("x'); DROP TABLE orders; --"));
    QCOMPARE(orders[1][QLatin1String("cmdr")].toString(), QStringLiteral("CMDR Robert\" OR 1=1 --"));
    QCOMPARE(orders[1][QLatin1String("commodity")].toString(),
             QStringLiteral("Steel'); DELETE FROM orders; --"));
    QCOMPARE(orders[0][QLatin1String("count")].toString(), QStringLiteral("10"));
}

void HubServerProcessTest::bracketsAndUnicode_surviveTheClientsArrayJoin()
{
    Fields fields = order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Steel"), 5);
    fields = with(fields, QStringLiteral("FC"), QStringLiteral("[AB][CD] Żółw 🐢 a+b & c=d %41"));
    QCOMPARE(post(fields).status, 200);
    QCOMPARE(
        post(order(QStringLiteral("3700000002"), QStringLiteral("Demand"), QStringLiteral("Tea"), 5)).status,
        200);
    const HttpReply list = post({{QStringLiteral("act"), QStringLiteral("get_kvn")}});
    QVERIFY(!list.body.contains("]["));
    // The client joins back-to-back arrays by turning every "][" into ",".
    QByteArray joined = list.body + list.body;
    joined.replace("][", ",");
    QJsonParseError error;
    const QJsonArray orders = QJsonDocument::fromJson(joined, &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(orders.size(), 4);
    QCOMPARE(orders[2][QLatin1String("FC")].toString(), QStringLiteral("[AB][CD] Żółw 🐢 a+b & c=d %41"));
}

void HubServerProcessTest::restart_keepsOrders()
{
    QCOMPARE(post(order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Steel"), 500))
                 .status,
             200);
    QCOMPARE(post({{QStringLiteral("MarketID"), QStringLiteral("3700000001")},
                   {QStringLiteral("act"), QStringLiteral("update_kvn")},
                   {QStringLiteral("Commodity"), QStringLiteral("steel")},
                   {QStringLiteral("Count"), QStringLiteral("120")}})
                 .body,
             QByteArray("update_ok"));
    m_hub->stop();
    m_hub = std::make_unique<HubProcess>();
    QVERIFY(m_hub->start(m_dir->filePath(QStringLiteral("hub.db"))));
    QCOMPARE(state(), QStringLiteral("3700000001 Demand Steel 380"));
}

void HubServerProcessTest::killedHard_keepsEveryAnsweredChange()
{
    placeOrders();
    QCOMPARE(sell(QStringLiteral("steel"), 120, QStringLiteral("sale-1")).body, QByteArray("update_ok"));
    QCOMPARE(
        post(with(order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Tea"), 7),
                  QStringLiteral("code"), QStringLiteral("Owner-1")))
            .body,
        QByteArray("Order added: Demand 7 × Tea at 110% AVG for carrier 3700000001."));
    const QString before = state();
    m_hub->killHard();
    m_hub = std::make_unique<HubProcess>();
    QVERIFY(m_hub->start(m_dir->filePath(QStringLiteral("hub.db"))));
    QCOMPARE(state(), before);
    // The sale and the binding were kept too.
    QCOMPARE(sell(QStringLiteral("steel"), 120, QStringLiteral("sale-1")).body, QByteArray("update_ok"));
    QCOMPARE(state(), before);
    QVERIFY(post(order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Tea"), 9))
                .body.startsWith("Order not added: "));
}

void HubServerProcessTest::saleKey_countsEachSaleOnce_data()
{
    QTest::addColumn<QStringList>("sales");  // "commodity count key"
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("expected");  // see changedState()
    const QString ok = QStringLiteral("update_ok");
    const QString none = QStringLiteral("update_none");
    QTest::newRow("resent sale applied once")
        << QStringList{QStringLiteral("steel 120 k1"), QStringLiteral("steel 120 k1")} << QStringList{ok, ok}
        << "Steel 880";
    QTest::newRow("two sales, two keys")
        << QStringList{QStringLiteral("steel 120 k1"), QStringLiteral("steel 120 k2")} << QStringList{ok, ok}
        << "Steel 760";
    QTest::newRow("no key: every request counts")
        << QStringList{QStringLiteral("steel 120"), QStringLiteral("steel 120")} << QStringList{ok, ok}
        << "Steel 760";
    QTest::newRow("a repeat gets the first answer")
        << QStringList{QStringLiteral("steel 10 k1"), QStringLiteral("nonlethalweapons 10 k1")}
        << QStringList{ok, ok} << "Steel 990";
    QTest::newRow("a refused sale spends no key")
        << QStringList{QStringLiteral("gold 10 k1"),   QStringLiteral("steel -5 k2"),
                       QStringLiteral("steel 900 k3"), QStringLiteral("steel 10 k1"),
                       QStringLiteral("steel 10 k2"),  QStringLiteral("steel 10 k3")}
        << QStringList{none, none, none, ok, ok, ok} << "Steel 970";
    QTest::newRow("resent sale that emptied the line")
        << QStringList{QStringLiteral("hazardousenvironmentsuits 400 k1"),
                       QStringLiteral("hazardousenvironmentsuits 400 k1")}
        << QStringList{ok, ok} << "H.E. Suits -";
}

void HubServerProcessTest::saleKey_countsEachSaleOnce()
{
    QFETCH(QStringList, sales);
    QFETCH(QStringList, answers);
    QFETCH(QString, expected);
    placeOrders();
    const QString before = state();
    QStringList got;
    for (const QString& sale : sales) {
        const QStringList parts = sale.split(QLatin1Char(' '));
        got << QString::fromUtf8(sell(parts[0], parts[1].toInt(), parts.value(2)).body);
    }
    QCOMPARE(got, answers);
    QCOMPARE(state(), changedState(before, expected));
}

void HubServerProcessTest::ownerCode_bindsTheCarrier_data()
{
    QTest::addColumn<QStringList>("codes");  // one add_kvn per code, "-" for an empty one
    QTest::addColumn<QStringList>("answers");
    const QString added = QStringLiteral("Order added: Demand 5 × Steel at 110% AVG for carrier 3700000001.");
    const QString updated =
        QStringLiteral("Order updated: Demand 5 × Steel at 110% AVG for carrier 3700000001.");
    const QString none =
        QStringLiteral("Order not added: carrier 3700000001 is bound to its owner's code and "
                       "this request carries none.");
    const QString other =
        QStringLiteral("Order not added: the code does not match the one carrier 3700000001 is bound to.");
    QTest::newRow("never bound: empty codes as before")
        << QStringList{QStringLiteral("-"), QStringLiteral("-")} << QStringList{added, updated};
    QTest::newRow("first code binds, others refused")
        << QStringList{QStringLiteral("Owner-1"), QStringLiteral("Owner-1"), QStringLiteral("Thief"),
                       QStringLiteral("owner-1"), QStringLiteral("-")}
        << QStringList{added, updated, other, other, none};
    QTest::newRow("orders from before codes: open to all, a code binds nothing")
        << QStringList{QStringLiteral("-"), QStringLiteral("Thief"), QStringLiteral("Owner-1"),
                       QStringLiteral("-")}
        << QStringList{added, updated, updated, updated};
}

void HubServerProcessTest::ownerCode_bindsTheCarrier()
{
    QFETCH(QStringList, codes);
    QFETCH(QStringList, answers);
    QStringList got;
    for (const QString& code : codes) {
        const Fields fields =
            with(order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Steel"), 5),
                 QStringLiteral("code"), code == QLatin1String("-") ? QString() : code);
        got << QString::fromUtf8(post(fields).body);
    }
    QCOMPARE(got, answers);
    // Another carrier is not bound by it.
    QVERIFY(post(order(QStringLiteral("3700000002"), QStringLiteral("Demand"), QStringLiteral("Steel"), 5))
                .body.startsWith("Order added: "));
    // Only a salted hash is stored.
    m_hub->stop();
    for (const QString& name : QDir(m_dir->path()).entryList(QDir::Files)) {
        QFile file(m_dir->filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(!file.readAll().contains("Owner-1"), qPrintable(name));
    }
}

void HubServerProcessTest::releaseCarrier_letsAnotherCodeBind()
{
    const Fields mine =
        with(order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Steel"), 5),
             QStringLiteral("code"), QStringLiteral("Owner-1"));
    const Fields theirs = with(mine, QStringLiteral("code"), QStringLiteral("Owner-2"));
    QVERIFY(post(mine).body.startsWith("Order added: "));
    QVERIFY(post(theirs).body.startsWith("Order not added: "));

    const auto release = [&](const QString& id) {
        QProcess process;
        process.start(QStringLiteral(TESSIVAR_HUB),
                      {QStringLiteral("--release-carrier"), id, QStringLiteral("--db"),
                       m_dir->filePath(QStringLiteral("hub.db"))});
        process.waitForFinished(10000);
        return QString::number(process.exitCode()) + QLatin1Char(' ') +
               QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    };
    // The operator releases it while the hub runs; with its orders stored
    // it is open to everyone, no code binds it.
    QCOMPARE(release(QStringLiteral("3700000001")), QStringLiteral("0 released carrier 3700000001\n"));
    QCOMPARE(release(QStringLiteral("3700000001")), QStringLiteral("0 carrier 3700000001 was not bound\n"));
    QVERIFY(
        release(QStringLiteral("x1")).startsWith(QStringLiteral("1 tessivar-hub: --release-carrier wants")));
    QVERIFY(post(theirs).body.startsWith("Order updated: "));
    QVERIFY(post(mine).body.startsWith("Order updated: "));
    // Until the operator binds it to the code its owner gives.
    QCOMPARE(
        bindCarrier(m_dir->filePath(QStringLiteral("hub.db")), QStringLiteral("3700000001"), "Owner-2\n"),
        QStringLiteral("0 bound carrier 3700000001\n"));
    QVERIFY(post(theirs).body.startsWith("Order updated: "));
    QVERIFY(post(mine).body.startsWith("Order not added: "));
    QVERIFY(bindCarrier(m_dir->filePath(QStringLiteral("hub.db")), QStringLiteral("3700000001"), "")
                .startsWith(QStringLiteral("1 tessivar-hub: --bind-carrier reads")));
}

void HubServerProcessTest::olderHubFile_isUpgradedInPlace()
{
    // A file as the first hub release wrote it: orders only, no commodity keys.
    m_hub->stop();
    const QString path = m_dir->filePath(QStringLiteral("old.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const char* sql :
             {"CREATE TABLE orders (id INTEGER PRIMARY KEY AUTOINCREMENT, cmdr TEXT NOT NULL, fc TEXT NOT "
              "NULL,"
              " carrier_id TEXT NOT NULL, location TEXT NOT NULL, action TEXT NOT NULL, commodity TEXT NOT "
              "NULL,"
              " count INTEGER NOT NULL, price INTEGER NOT NULL, created_at TEXT NOT NULL,"
              " updated_at TEXT NOT NULL)",
              "CREATE INDEX orders_by_carrier ON orders (carrier_id, action)",
              "INSERT INTO orders VALUES (1, 'CMDR Jan', 'Golden Hind', '3700000001', 'Sol', 'Demand',"
              " 'H.E. Suits', 400, 110, 'x', 'x')",
              "PRAGMA user_version = 1"})
            QVERIFY2(query.exec(QString::fromLatin1(sql)), sql);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    m_hub = std::make_unique<HubProcess>();
    QVERIFY(m_hub->start(path));
    QCOMPARE(state(), QStringLiteral("3700000001 Demand H.E. Suits 400"));
    QCOMPARE(sell(QStringLiteral("hazardousenvironmentsuits"), 150, QStringLiteral("k")).body,
             QByteArray("update_ok"));
    QCOMPARE(state(), QStringLiteral("3700000001 Demand H.E. Suits 250"));
}

void HubServerProcessTest::networkAccessManager_withClientHeaders()
{
    QCOMPARE(post(order(QStringLiteral("3700000001"), QStringLiteral("Demand"), QStringLiteral("Steel"), 500))
                 .status,
             200);
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1/ED/KVN.php").arg(m_hub->port)));
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    request.setRawHeader("Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    request.setRawHeader("User-Agent", "Mozilla/3.0 (compatible; Indy Library)");
    std::unique_ptr<QNetworkReply> reply(manager.post(request, QByteArray("act=get_kvn")));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    QVERIFY(finished.wait(10000));
    QCOMPARE(reply->error(), QNetworkReply::NoError);
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
    QCOMPARE(QJsonDocument::fromJson(reply->readAll()).array().size(), 1);
}

QTEST_GUILESS_MAIN(HubServerProcessTest)
#include "hubserver_process_test.moc"
