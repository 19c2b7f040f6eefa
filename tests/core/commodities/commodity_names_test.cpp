#include "cargo/CommonMaterials.h"
#include "commodities/CommodityNames.h"
#include "commodities/CommodityTally.h"
#include "hub/HubClient.h"
#include "hub/OrderCommodities.h"

#include "TestSupport.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>

// One table decides what is the same cargo, for the client's lists, searches
// and market check and for the hub server alike.
class CommodityNamesTest : public QObject
{
    Q_OBJECT
private slots:
    void spellingsMeetTheInternalName_data();
    void spellingsMeetTheInternalName();
    void otherNamesStayApart_data();
    void otherNamesStayApart();
    void everyPickListNameHasARow();
    void tallyFindsTheFirstEntryOfACargo();
    void displayNameAsTheGameShowsIt_data();
    void displayNameAsTheGameShowsIt();
    void everyMarketCommodityHasItsShownName_data();
    void everyMarketCommodityHasItsShownName();
    void orderFormChoicesAreTheHubFormsNames();
};

namespace {

// Every commodity a commander can order from the client's list, with the
// name the journal gives it in a sale.
const char* const kSpellings[][2] = {
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
    // The pick list's own names, and what markets and sites show.
    {"Computer", "computercomponents"},
    {"Components", "computercomponents"},
    {"Liquid oxygen", "$liquidoxygen_name;"},
    {"Micro-weave Cooling Hoses", "coolinghoses"},
    {"Low Temp. Diamonds", "lowtemperaturediamond"},
    {"Void Opal", "opal"},
    {"Power Transfer Bus", "powertransferconduits"},
    {"Energy Grid Assembly", "powergridassembly"},
    {"Atmospheric Processors", "$atmosphericextractors_name;"},
    {"Thargoid Sensor", "unknownartifact"},
    {"Anomaly Particles", "$p_particulatesample_name;"},
    // Sale types come in other letter cases and in the "$..._name;" form.
    {"Steel", "Steel"},
    {"Non-Lethal Weapons", "NonLethalWeapons"},
    {"Liquid Oxygen", "$liquidoxygen_name;"},
    {"liquid  oxygen ", "LiquidOxygen"},
};

}  // namespace

void CommodityNamesTest::spellingsMeetTheInternalName_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("internal");

    for (const auto& [display, internal] : kSpellings)
        QTest::newRow(display) << QString::fromUtf8(display) << QString::fromUtf8(internal);
}

void CommodityNamesTest::spellingsMeetTheInternalName()
{
    QFETCH(QString, display);
    QFETCH(QString, internal);
    QCOMPARE(CommodityNames::key(display), CommodityNames::key(internal));
    QCOMPARE(CommodityNames::key(display), CommodityNames::normalised(internal));
    QVERIFY(CommodityNames::same(display, internal));
    QVERIFY(CommodityNames::same(internal, display));
}

void CommodityNamesTest::otherNamesStayApart_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("different goods") << QStringLiteral("Steel") << QStringLiteral("titanium");
    QTest::newRow("prefix") << QStringLiteral("Water") << QStringLiteral("waterpurifiers");
    QTest::newRow("suits are not weapons")
        << QStringLiteral("H.E. Suits") << QStringLiteral("nonlethalweapons");
    QTest::newRow("digits count") << QStringLiteral("Item 1") << QStringLiteral("item2");
    QTest::newRow("other components")
        << QStringLiteral("Components") << QStringLiteral("Conductive Components");
    QTest::newRow("blank is nothing") << QString() << QString();
    QTest::newRow("dashes are nothing") << QStringLiteral("-----") << QStringLiteral("---");
}

void CommodityNamesTest::otherNamesStayApart()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QVERIFY(!CommodityNames::same(a, b));
    QVERIFY(!CommodityNames::same(b, a));
}

void CommodityNamesTest::everyPickListNameHasARow()
{
    // A pick-list name without a row above would pass for its own normalised
    // form, which the journal may not use.
    QSet<QString> listed;
    for (const auto& [display, internal] : kSpellings)
        listed.insert(QString::fromUtf8(display));
    QStringList names = commonMaterialNames();
    names += HubClient::orderCommodities();
    for (const QString& name : std::as_const(names)) {
        if (CommodityNames::key(name).isEmpty() || name.endsWith(QLatin1Char(':')))
            continue;  // headings and separators
        QVERIFY2(listed.contains(name), qPrintable(name));
    }
}

void CommodityNamesTest::tallyFindsTheFirstEntryOfACargo()
{
    // Found by letter case or by identity, the earliest entry wins; after a
    // removal the entry behind it is found in its place.
    CommodityTally t{{QStringLiteral("Computer"), 5}, {QStringLiteral("---"), 1}};
    t.append({QStringLiteral("computercomponents"), 7});
    t.append({QStringLiteral("COMPUTER"), 9});
    QCOMPARE(t.indexOf(QStringLiteral("Computer Components")), 0);
    QCOMPARE(t.indexOf(QStringLiteral("computer")), 0);
    QCOMPARE(t.indexOf(QStringLiteral("---")), 1);  // no identity, but the same text
    QCOMPARE(t.indexOf(QStringLiteral("--")), -1);
    t.removeAt(0);
    QCOMPARE(t.indexOf(QStringLiteral("$ComputerComponents_Name;")), 1);
    QCOMPARE(t.indexOf(QStringLiteral("computer")), 1);
    t.set(QStringLiteral("Steel"), 3);
    t.set(QStringLiteral("steel"), 4);
    QCOMPARE(t.size(), 4);
    QCOMPARE(t.units(QStringLiteral("STEEL")), std::optional<int>(4));
    QCOMPARE(t.at(3).first, QStringLiteral("Steel"));
}

void CommodityNamesTest::displayNameAsTheGameShowsIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("localised");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* tag, const char* name, const char* localised, const char* shown) {
        QTest::newRow(tag) << QString::fromUtf8(name) << QString::fromUtf8(localised)
                           << QString::fromUtf8(shown);
    };
    row("journal's localised name", "drones", "Drohne", "Drohne");
    row("localised name trimmed", "$steel_name;", " Steel ", "Steel");
    row("internal name", "cmmcomposite", "", "CMM Composite");
    row("journal form", "$liquidoxygen_name;", "", "Liquid oxygen");
    row("cargo file's lower case", "drones", "", "Limpet");
    row("internal name not spelled like it", "$atmosphericextractors_name;", "", "Atmospheric Processors");
    row("underscored internal name", "$m3_tissuesample_membrane_name;", "", "Mollusc Membrane");
    row("pick list's own name", "Computer", "", "Computer Components");
    row("hub's spelling", "Combat Stabilizers", "", "Combat Stabilisers");
    row("hub's letter case", "Liquid Oxygen", "", "Liquid oxygen");
    row("shown name kept", "Low Temp. Diamonds", "", "Low Temp. Diamonds");
    row("shown name of wrapped cargo", "Black Box", "", "Black Box");
    row("mission cargo", "$usscargoblackbox_name;", "", "Black Box");
    row("unknown journal id", "$newgoods_name;", "", "newgoods");
    row("unknown name", " Crate of Things ", "", "Crate of Things");
    row("blank", "", "", "");
    row("dashes", "-----", "", "-----");
}

void CommodityNamesTest::displayNameAsTheGameShowsIt()
{
    QFETCH(QString, name);
    QFETCH(QString, localised);
    QFETCH(QString, shown);
    QCOMPARE(CommodityNames::displayName(name, localised), shown);
    if (localised.isEmpty())
        QCOMPARE(CommodityNames::displayName(name), shown);
}

void CommodityNamesTest::everyMarketCommodityHasItsShownName_data()
{
    // Every Market.json the game wrote that we hold: the full sample folder
    // beside the repository, and the few kept with the tests.
    QTest::addColumn<QString>("folder");
    const QString kept = testData(QStringLiteral("journal-samples/companion"));
    const QString found = sharedFixture(QStringLiteral("companion"));
    QTest::newRow("kept with the tests") << kept;
    QTest::newRow("full samples") << (found == kept ? QString() : found);
}

void CommodityNamesTest::everyMarketCommodityHasItsShownName()
{
    QFETCH(QString, folder);
    if (folder.isEmpty())
        QSKIP("shared fixtures are not available");
    int items = 0;
    QDirIterator files(folder, {QStringLiteral("Market.json")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QJsonArray list =
            QJsonDocument::fromJson(readFile(path)).object().value(QStringLiteral("Items")).toArray();
        QVERIFY2(!list.isEmpty(), qPrintable(path));
        for (const QJsonValue& v : list) {
            const QJsonObject item = v.toObject();
            const QString name = item.value(QStringLiteral("Name")).toString();
            const QString shown = item.value(QStringLiteral("Name_Localised")).toString();
            // An older market may show a name the game has since changed
            // ("Low Temperature Diamonds"); it must still be the same cargo.
            const QString ours = CommodityNames::displayName(name);
            QVERIFY2(ours == shown || CommodityNames::same(shown, name),
                     qPrintable(name + QStringLiteral(" → ") + shown + QStringLiteral(", not ") + ours));
            ++items;
        }
    }
    QVERIFY(items > 0);
}

void CommodityNamesTest::orderFormChoicesAreTheHubFormsNames()
{
    // Until the form reads the table, the two lists must not drift apart.
    const CommodityNames::OrderFormChoices& choices = CommodityNames::orderFormChoices();
    QStringList orderable;
    for (const QString& entry : HubClient::orderCommodities())
        if (isOrderableCommodity(entry))
            orderable.append(entry);
    QCOMPARE(choices.base + choices.other, orderable);
    QCOMPARE(choices.base.size(), 19);
}

QTEST_GUILESS_MAIN(CommodityNamesTest)
#include "commodity_names_test.moc"
