#include "CommodityKey.h"
#include "FormData.h"
#include "HttpRequestParser.h"
#include "HubService.h"

#include <QTest>

// The hub server's parts on their own: form decoding, commodity keys, the
// request parser fed in pieces, and the order list's JSON text.
class HubServerPartsTest : public QObject
{
    Q_OBJECT
private slots:
    void formDecode_data();
    void formDecode();
    void commodityKey_displayNameMeetsInternalName_data();
    void commodityKey_displayNameMeetsInternalName();
    void commodityKey_keepsOtherNamesApart_data();
    void commodityKey_keepsOtherNamesApart();
    void parser_takesRequestFedByteByByte();
    void parser_takesPipelinedRequestsInTurn();
    void orderListJson_escapesStringsAndBrackets();
};

void HubServerPartsTest::formDecode_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");  // "name=value" joined by "|", or "error"

    QTest::newRow("fields in order") << QByteArray("act=add_kvn&count=5")
                                     << QStringLiteral("act=add_kvn|count=5");
    QTest::newRow("plus is a blank") << QByteArray("cmdr=CMDR+Jan") << QStringLiteral("cmdr=CMDR Jan");
    QTest::newRow("%2B is a plus") << QByteArray("FC=A%2BB") << QStringLiteral("FC=A+B");
    QTest::newRow("utf-8 bytes") << QByteArray("FC=%C5%BB%C3%B3%C5%82w+%F0%9F%90%A2")
                                 << QStringLiteral("FC=Żółw 🐢");
    QTest::newRow("lower-case hex") << QByteArray("a=%c5%bc") << QStringLiteral("a=ż");
    QTest::newRow("encoded name") << QByteArray("%61ct=x") << QStringLiteral("act=x");
    QTest::newRow("name without value") << QByteArray("code") << QStringLiteral("code=");
    QTest::newRow("empty value at end") << QByteArray("price=1&code=") << QStringLiteral("price=1|code=");
    QTest::newRow("empty segments") << QByteArray("&&a=1&&") << QStringLiteral("a=1");
    QTest::newRow("equals in value") << QByteArray("a=b=c") << QStringLiteral("a=b=c");
    QTest::newRow("empty body") << QByteArray() << QString();
    QTest::newRow("lone percent") << QByteArray("a=%") << QStringLiteral("error");
    QTest::newRow("one hex digit") << QByteArray("a=%4") << QStringLiteral("error");
    QTest::newRow("not hex") << QByteArray("a=%G1") << QStringLiteral("error");
    QTest::newRow("bad percent in name") << QByteArray("%zz=1") << QStringLiteral("error");
    QTest::newRow("not utf-8") << QByteArray("a=%E9t%E9") << QStringLiteral("error");
    QTest::newRow("overlong utf-8") << QByteArray("a=%C0%AF") << QStringLiteral("error");
    QTest::newRow("name twice") << QByteArray("act=get_kvn&act=add_kvn") << QStringLiteral("error");
}

void HubServerPartsTest::formDecode()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QString error;
    const auto form = FormData::decode(body, &error);
    if (expected == QLatin1String("error")) {
        QVERIFY(!form);
        QVERIFY(!error.isEmpty());
        return;
    }
    QVERIFY2(form, qPrintable(error));
    QStringList fields;
    for (const auto& [name, value] : form->fields())
        fields << name + QLatin1Char('=') + value;
    QCOMPARE(fields.join(QLatin1Char('|')), expected);
}

void HubServerPartsTest::commodityKey_displayNameMeetsInternalName_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("internal");

    // Every commodity a commander can order from the client's list, with the
    // name the journal gives it in a sale.
    const char* const pairs[][2] = {
        {"Aluminium", "aluminium"},
        {"Ceramic Composites", "ceramiccomposites"},
        {"CMM Composite", "cmmcomposite"},
        {"Components Computer", "computercomponents"},
        {"Copper", "copper"},
        {"Food Cartridges", "foodcartridges"},
        {"Fruit and Vegetables", "fruitandvegetables"},
        {"Insulating Membrane", "insulatingmembrane"},
        {"Liquid Oxygen", "liquidoxygen"},
        {"Medical Diagnostic Equipment", "medicaldiagnosticequipment"},
        {"Non-Lethal Weapons", "nonlethalweapons"},
        {"Polymers", "polymers"},
        {"Power Generators", "powergenerators"},
        {"Semiconductors", "semiconductors"},
        {"Steel", "steel"},
        {"Superconductors", "superconductors"},
        {"Titanium", "titanium"},
        {"Water", "water"},
        {"Water Purifiers", "waterpurifiers"},
        {"Advanced Catalysers", "advancedcatalysers"},
        {"Agri-Medicines", "agriculturalmedicines"},
        {"Animal Meat", "animalmeat"},
        {"Basic Medicines", "basicmedicines"},
        {"Battle Weapons", "battleweapons"},
        {"Beer", "beer"},
        {"Bioreducing Lichen", "bioreducinglichen"},
        {"Biowaste", "biowaste"},
        {"Building Fabricators", "buildingfabricators"},
        {"Coffee", "coffee"},
        {"Combat Stabilizers", "combatstabilisers"},
        {"Crop Harvesters", "cropharvesters"},
        {"Emergency Power Cells", "emergencypowercells"},
        {"Evacuation Shelter", "evacuationshelter"},
        {"Fish", "fish"},
        {"Geological Equipment", "geologicalequipment"},
        {"Grain", "grain"},
        {"H.E. Suits", "hazardousenvironmentsuits"},
        {"Land Enrichment Systems", "terrainenrichmentsystems"},
        {"Liquor", "liquor"},
        {"Micro Controllers", "microcontrollers"},
        {"Microbial Furnaces", "heliostaticfurnaces"},
        {"Military Grade Fabrics", "militarygradefabrics"},
        {"Mineral Extractors", "mineralextractors"},
        {"Muon Imager", "mutomimager"},
        {"Pesticides", "pesticides"},
        {"Reactive Armour", "reactivearmour"},
        {"Resonating Separators", "resonatingseparators"},
        {"Robotics", "robotics"},
        {"Structural Regulators", "structuralregulators"},
        {"Surface Stabilisers", "surfacestabilisers"},
        {"Survival Equipment", "survivalequipment"},
        {"Tea", "tea"},
        {"Thermal Cooling Units", "thermalcoolingunits"},
        {"Wine", "wine"},
        // The game's own display name beside the client's spelling.
        {"Computer Components", "computercomponents"},
        {"Hazardous Environment Suits", "hazardousenvironmentsuits"},
        // Sale types come in other letter cases and in the "$..._name;" form.
        {"Steel", "Steel"},
        {"Non-Lethal Weapons", "NonLethalWeapons"},
        {"Liquid Oxygen", "$liquidoxygen_name;"},
        {"liquid  oxygen ", "LiquidOxygen"},
    };
    for (const auto& [display, internal] : pairs)
        QTest::newRow(display) << QString::fromUtf8(display) << QString::fromUtf8(internal);
}

void HubServerPartsTest::commodityKey_displayNameMeetsInternalName()
{
    QFETCH(QString, display);
    QFETCH(QString, internal);
    QCOMPARE(CommodityKey::of(display), CommodityKey::of(internal));
    QCOMPARE(CommodityKey::of(display), CommodityKey::normalised(internal));
}

void HubServerPartsTest::commodityKey_keepsOtherNamesApart_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("different goods") << QStringLiteral("Steel") << QStringLiteral("titanium");
    QTest::newRow("prefix") << QStringLiteral("Water") << QStringLiteral("waterpurifiers");
    QTest::newRow("suits are not weapons")
        << QStringLiteral("H.E. Suits") << QStringLiteral("nonlethalweapons");
    QTest::newRow("digits count") << QStringLiteral("Item 1") << QStringLiteral("item2");
}

void HubServerPartsTest::commodityKey_keepsOtherNamesApart()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QVERIFY(CommodityKey::of(a) != CommodityKey::of(b));
    QVERIFY(CommodityKey::of(QStringLiteral("-----------------------------")).isEmpty());
}

void HubServerPartsTest::parser_takesRequestFedByteByByte()
{
    const QByteArray raw("POST /ED/KVN.php?x=1 HTTP/1.1\r\nHost: hub\r\nContent-Type: "
                         "application/x-www-form-urlencoded\r\nContent-Length: 11\r\n\r\nact=get_kvn");
    HttpRequestParser parser;
    HttpRequest request;
    for (qsizetype i = 0; i < raw.size() - 1; ++i) {
        parser.feed(raw.mid(i, 1));
        QCOMPARE(parser.next(request), HttpRequestParser::Result::NeedMore);
    }
    parser.feed(raw.right(1));
    QCOMPARE(parser.next(request), HttpRequestParser::Result::Complete);
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path, QByteArray("/ED/KVN.php"));
    QCOMPARE(request.header("content-type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(request.body, QByteArray("act=get_kvn"));
    QVERIFY(request.keepAlive());
}

void HubServerPartsTest::parser_takesPipelinedRequestsInTurn()
{
    HttpRequestParser parser;
    parser.feed("POST /a HTTP/1.1\r\nHost: h\r\nContent-Length: 3\r\n\r\nonePOST /b "
                "HTTP/1.0\nContent-Length: 3\n\ntwo"
                "\r\nGET /c HTTP/1.1\r\nHost: h\r\nConnection: close\r\n\r\n");
    HttpRequest first, second, third, none;
    QCOMPARE(parser.next(first), HttpRequestParser::Result::Complete);
    QCOMPARE(parser.next(second), HttpRequestParser::Result::Complete);
    QCOMPARE(parser.next(third), HttpRequestParser::Result::Complete);
    QCOMPARE(parser.next(none), HttpRequestParser::Result::NeedMore);
    QCOMPARE(first.path + first.body, QByteArray("/aone"));
    QCOMPARE(second.path + second.body, QByteArray("/btwo"));
    QVERIFY(!second.keepAlive());  // HTTP/1.0 without keep-alive
    QCOMPARE(third.path, QByteArray("/c"));
    QVERIFY(!third.keepAlive());
}

void HubServerPartsTest::orderListJson_escapesStringsAndBrackets()
{
    HubOrder order;
    order.fc = QStringLiteral("[AB][CD] \"Q\" \\");
    order.cmdr = QStringLiteral("CMDR Żółw");
    order.carrierId = QStringLiteral("3700000001");
    order.action = QStringLiteral("Demand");
    order.location = QStringLiteral("Sol / Body 5");
    order.commodity = QStringLiteral("Steel");
    order.count = 500;
    order.price = 110;
    const QByteArray one = "{\"FC\":\"\\u005bAB\\u005d\\u005bCD\\u005d \\\"Q\\\" \\\\\","
                           "\"cmdr\":\"CMDR Żółw\",\"CarrierID\":\"3700000001\",\"action\":\"Demand\","
                           "\"location\":\"Sol / Body 5\",\"commodity\":\"Steel\",\"price\":\"110\","
                           "\"count\":\"500\"}";
    QCOMPARE(HubService::orderListJson({order, order}), "[" + one + "," + one + "]");
    QCOMPARE(HubService::orderListJson({}), QByteArray("[]"));
}

QTEST_GUILESS_MAIN(HubServerPartsTest)
#include "hubserver_parts_test.moc"
