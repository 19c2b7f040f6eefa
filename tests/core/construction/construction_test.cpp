#include "MainWindowModel.h"
#include "TestSupport.h"
#include "cargo/CargoModule.h"
#include "common/Error.h"
#include "construction/ConstructionModule.h"
#include "ini/IniFile.h"
#include "journal/JournalPass.h"
#include "markets/ShoppingDb.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

namespace {

// The progress as the header shows it, "-/-" while none is known.
QString progressText(const ConstructionModule& m)
{
    return m.progressPercent ? QString::number(*m.progressPercent) + QLatin1Char('%') : QStringLiteral("-/-");
}

const QString kSite = QStringLiteral("4256179715");

// Rows joined by "|", cells by ",", trailing empty cells dropped.
QString gridText(const TextTableModel& m)
{
    QStringList rows;
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList cells = m.row(r);
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        rows.append(cells.join(QLatin1Char(',')));
    }
    return rows.join(QLatin1Char('|'));
}

// A section of an INI file as "key=value" texts joined by "|".
QString sectionText(const QString& path, const QString& section)
{
    QStringList out;
    for (const auto& [k, v] : IniFile(path).sectionValues(section))
        out.append(k + QLatin1Char('=') + v);
    return out.join(QLatin1Char('|'));
}

QByteArray depotLine(const QByteArray& progress, const QList<QByteArray>& materials)
{
    QByteArray res;
    for (const QByteArray& m : materials)
        res += (res.isEmpty() ? "" : ", ") + m;
    return journalLine("2025-06-20T21:24:39Z", "ColonisationConstructionDepot",
                       "\"MarketID\":4256179715, \"ConstructionProgress\":" + progress +
                           ", \"ConstructionComplete\":false, \"ConstructionFailed\":false, "
                           "\"ResourcesRequired\":[ " +
                           res + " ]")
        .trimmed();
}

QByteArray material(const char* name, int required, int provided)
{
    return QByteArray("{ \"Name\":\"$x_name;\", \"Name_Localised\":\"") + name +
           "\", \"RequiredAmount\":" + QByteArray::number(required) +
           ", \"ProvidedAmount\":" + QByteArray::number(provided) + ", \"Payment\":1000 }";
}

// What a depot event writes besides the progress: the site's name, system and type.
const QString kSiteNames = QStringLiteral("|StationName=Planetary Construction Site: Zhao Drilling Base"
                                          "|StarSystem=Col 285 Sector AB-C d1-2"
                                          "|StationType=PlanetaryConstructionDepot");

// A core docked at a site with the given market id and a hold of 224 t.
struct Site
{
    CoreFixture fx;
    TessivarCore& core;
    ConstructionModule& m;

    explicit Site(const QString& marketId = kSite) : core(fx.start()), m(core.construct())
    {
        core.state.DaneStatku.CargoCapacity = 224;
        dock(marketId);
    }
    // An empty id: not docked.
    void dock(const QString& marketId)
    {
        TDaneDokowania d;
        if (!marketId.isEmpty()) {
            d.StationName = QStringLiteral("Planetary Construction Site: Zhao Drilling Base");
            d.StationType = QStringLiteral("PlanetaryConstructionDepot");
            d.StarSystem = QStringLiteral("Col 285 Sector AB-C d1-2");
            d.SystemAddress = 83718394834ULL;
            d.MarketID = marketId.toULongLong();
            d.StationFactionName = QStringLiteral("Brewer Corporation");
        }
        core.state.dane_dokowania = d;
        m.Set_Construction_info();
    }
    QString siteFile(const QString& id = kSite) const
    {
        return fx.dataDir.filePath(QStringLiteral("constructions/") + id + QStringLiteral(".ini"));
    }
};

}  // namespace

class ConstructionTest : public QObject
{
    Q_OBJECT
private slots:
    void tripsText_data();
    void tripsText();
    void progressRounding_data();
    void progressRounding();
    void marketIdsUsableAsFileNames_data();
    void marketIdsUsableAsFileNames();
    void followsTheDockedStation();
    void realDepotEvent_fillsListAndSiteFile();
    void threeMaterials_fiveRowsAndFourKeys();
    void oddMaterialNames_wholeListStoredAndLoaded();
    void secondEvent_rewritesKeysAndKeepsOthers();
    void contribution_takesTheCargoOffListAndFile();
    void notDockedOrOddMarketId_writesNoFile_data();
    void notDockedOrOddMarketId_writesNoFile();
    void badDepotLines_data();
    void badDepotLines();
    void unwritableFolder_reportsAndKeepsRows();
    void loadListFile_data();
    void loadListFile();
    void loadBadAmount_stopsWithError();
    void loadThroughDialog();
    void titleRowSurvivesTheNextDepotEvent();
    void saveChanges_writesMaterialRowsOnly();
    void saveChanges_badAmountWritesNothing();
    void saveChanges_targetsTheLoadedFile();
    void addToLoadingList();
    void findOnMarkets();
    void colonisationJournal_replayed();
    void modelIsSound();
};

void ConstructionTest::tripsText_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("text");
    QTest::newRow("three holds and a rest") << qint64(1000) << 256 << "3-232";
    QTest::newRow("zero counts as holds") << qint64(0) << 256 << "0-0";
    QTest::newRow("negative rounds down") << qint64(-10) << 256 << "-1-246";
    QTest::newRow("negative whole holds") << qint64(-512) << 256 << "-2-0";
    QTest::newRow("exact holds") << qint64(512) << 256 << "2-0";
    QTest::newRow("no capacity") << qint64(500) << 0 << "0";
    QTest::newRow("negative capacity") << qint64(500) << -5 << "0";
}

void ConstructionTest::tripsText()
{
    QFETCH(qint64, count);
    QFETCH(int, capacity);
    QFETCH(QString, text);
    QCOMPARE(constructionTrips(count, capacity), text);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = capacity;
    QCOMPARE(core.construct().get_ilosc_kursow(count), text);  // read afresh at every call
}

void ConstructionTest::progressRounding_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("percent");
    QTest::newRow("0.4567") << 0.4567 << 46;
    QTest::newRow("0.125 half to even") << 0.125 << 12;
    QTest::newRow("0.015 half to even") << 0.015 << 2;
    QTest::newRow("real site") << 0.415954 << 42;
    QTest::newRow("complete") << 1.0 << 100;
    QTest::newRow("nothing") << 0.0 << 0;
}

void ConstructionTest::progressRounding()
{
    QFETCH(double, fraction);
    QFETCH(int, percent);
    QCOMPARE(constructionPercent(fraction), percent);
    Site s;
    s.m.czytaj_budowe_z_logu(depotLine(QByteArray::number(fraction, 'f', 6), {material("Steel", 10, 0)}));
    QCOMPARE(s.m.progressPercent, std::optional<int>(percent));
    QCOMPARE(s.m.ProgressBar1, percent);
    QCOMPARE(IniFile(s.siteFile()).readString(QStringLiteral("INFO"), QStringLiteral("Postep")),
             QString::number(percent));
}

void ConstructionTest::marketIdsUsableAsFileNames_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("usable");
    QTest::newRow("real") << "4256179715" << true;
    QTest::newRow("largest 64-bit") << "18446744073709551615" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("path") << "../settings" << false;
    QTest::newRow("sign") << "-5" << false;
    QTest::newRow("blank") << "42 " << false;
    QTest::newRow("other digits") << QStringLiteral("\u0663\u0664") << false;
    QTest::newRow("too long") << QString(21, QLatin1Char('1')) << false;
}

void ConstructionTest::marketIdsUsableAsFileNames()
{
    QFETCH(QString, id);
    QFETCH(bool, usable);
    QCOMPARE(isMarketIdText(id), usable);
}

void ConstructionTest::followsTheDockedStation()
{
    Site s;
    QCOMPARE(s.m.Info_Docked.StationName, QStringLiteral("Planetary Construction Site: Zhao Drilling Base"));
    QCOMPARE(s.m.Info_Docked.MarketID, kSite);
    QCOMPARE(s.m.Info_Docked.SystemAdres, QStringLiteral("83718394834"));
    QVERIFY(s.m.Info_Docked.StationFaction.isEmpty());  // not copied
    QCOMPARE(s.m.Budowa_file, s.core.dataFile(QStringLiteral("constructions/4256179715.ini")));
    QCOMPARE(s.m.siteStation.value_or(QStringLiteral("-/-")),
             QStringLiteral("Planetary Construction Site: Zhao Drilling Base"));
    QCOMPARE(s.m.siteType.value_or(QStringLiteral("-/-")), QStringLiteral("PlanetaryConstructionDepot"));
    QCOMPARE(s.m.siteSystem.value_or(QStringLiteral("-/-")), QStringLiteral("Col 285 Sector AB-C d1-2"));
    QCOMPARE(s.m.siteMarketId.value_or(QStringLiteral("-/-")), kSite);

    s.dock(QString());
    QVERIFY(s.m.Budowa_file.isEmpty());
    QCOMPARE(s.m.siteStation.value_or(QStringLiteral("-/-")), QString());
    QCOMPARE(s.m.siteMarketId.value_or(QStringLiteral("-/-")), QString());
}

void ConstructionTest::realDepotEvent_fillsListAndSiteFile()
{
    const auto lines = fixtureLines(QStringLiteral("ColonisationConstructionDepot.jsonl"));
    if (lines.isEmpty())
        QSKIP("shared fixtures are not available");
    Site s;
    QSignalSpy changed(&s.m, &ConstructionModule::changed);
    s.m.czytaj_budowe_z_logu(lines[0]);
    QVERIFY(changed.count() >= 1);
    QCOMPARE(s.m.lista_materialow.rowCount(), 22);  // title, 20 materials, TOTAL
    QCOMPARE(s.m.lista_materialow.row(1), (QStringList{"Aluminium", "0", "0-0"}));
    QCOMPARE(s.m.lista_materialow.row(2), (QStringList{"Bioreducing Lichen", "167", "0-167"}));
    QCOMPARE(s.m.lista_materialow.cell(21, 0), QStringLiteral("TOTAL"));
    qint64 sum = 0;
    for (int r = 1; r < 21; ++r)
        sum += s.m.lista_materialow.cell(r, 1).toLongLong();
    QCOMPARE(s.m.lista_materialow.cell(21, 1), QString::number(sum));
    QCOMPARE(s.m.lista_materialow.cell(21, 2), constructionTrips(sum, 224));
    QCOMPARE(s.m.progressPercent, std::optional<int>(42));
    QVERIFY(!s.m.headerShaded);
    QCOMPARE(s.m.ak_budowa, kSite);
    QVERIFY(s.m.canSave());

    const IniDocument doc = IniFile(s.siteFile()).document();
    QCOMPARE(doc.sectionKeys(QStringLiteral("MATS")).size(), 20);
    QCOMPARE(doc.value(QStringLiteral("MATS"), QStringLiteral("Bioreducing Lichen")), QStringLiteral("167"));
    QCOMPARE(doc.value(QStringLiteral("INFO"), QStringLiteral("Postep")), QStringLiteral("42"));

    // The re-serialised sample of a finished site.
    const auto done = fixtureLines(QStringLiteral("reserialised/ColonisationConstructionDepot.jsonl"));
    if (done.size() > 1) {
        s.m.czytaj_budowe_z_logu(done[1]);
        QCOMPARE(s.m.progressPercent, std::optional<int>(100));
        const int last = s.m.lista_materialow.rowCount() - 1;
        QCOMPARE(s.m.lista_materialow.row(last), (QStringList{"TOTAL", "0", "0-0"}));
    }
}

void ConstructionTest::threeMaterials_fiveRowsAndFourKeys()
{
    Site s;
    s.m.czytaj_budowe_z_logu(
        depotLine("0.125000", {material("Steel", 1000, 0), material("Aluminium", 500, 500),
                               material("Ceramic Composites", 300, 100)}));
    QCOMPARE(
        gridText(s.m.lista_materialow),
        QStringLiteral("|Steel,1000,4-104|Aluminium,0,0-0|Ceramic Composites,200,0-200|TOTAL,1200,5-80"));
    QCOMPARE(sectionText(s.siteFile(), QStringLiteral("MATS")),
             QStringLiteral("Steel=1000|Aluminium=0|Ceramic Composites=200"));
    QCOMPARE(sectionText(s.siteFile(), QStringLiteral("INFO")), QStringLiteral("Postep=12") + kSiteNames);
}

void ConstructionTest::oddMaterialNames_wholeListStoredAndLoaded()
{
    // Twenty materials; names written by others may hold what an INI line cannot.
    Site s;
    QList<QByteArray> materials;
    QStringList rows;
    for (int i = 1; i <= 20; ++i) {
        QByteArray name = "Material " + QByteArray::number(i);
        if (i == 3)
            name = "Steel=Grade A";
        else if (i == 7)
            name = "[INFO]";
        else if (i == 11)
            name = "Tea\\nPostep=100";  // a line break in JSON
        materials.append(material(name.constData(), 10 * i, 0));
        rows.append(QString::fromUtf8(name.replace("\\n", "\n")) + ',' + QString::number(10 * i) + ",0-" +
                    QString::number(10 * i));
    }
    s.m.czytaj_budowe_z_logu(depotLine("0.500000", materials));
    const QString list = rows.join(QLatin1Char('|')) + QStringLiteral("|TOTAL,2100,9-84");
    QCOMPARE(gridText(s.m.lista_materialow), QStringLiteral("|") + list);
    const QByteArray file = readFile(s.siteFile());
    for (const QByteArray line :
         {"\r\nSteel%3DGrade A=30\r\n", "\r\n%5BINFO]=70\r\n", "\r\nTea%0APostep%3D100=110\r\n"})
        QVERIFY2(file.contains(line), file.constData());
    QVERIFY2(file.contains("\r\nMaterial 20=200\r\n[INFO]\r\nPostep=50\r\n"), file.constData());

    // Read back from the file, then saved again unchanged.
    s.m.loadListFile(s.siteFile());
    QCOMPARE(gridText(s.m.lista_materialow).section(QLatin1Char('|'), 1), list + QLatin1Char('|'));
    s.m.btn_zapiszClick();
    QCOMPARE(readFile(s.siteFile()), file);
}

void ConstructionTest::secondEvent_rewritesKeysAndKeepsOthers()
{
    Site s;
    s.m.czytaj_budowe_z_logu(
        depotLine("0.100000", {material("Steel", 1000, 0), material("Aluminium", 500, 0)}));
    s.m.czytaj_budowe_z_logu(depotLine("0.200000", {material("Steel", 1000, 400)}));
    QCOMPARE(gridText(s.m.lista_materialow), QStringLiteral("|Steel,600,2-152|TOTAL,600,2-152"));
    QCOMPARE(sectionText(s.siteFile(), QStringLiteral("MATS")), QStringLiteral("Steel=600|Aluminium=500"));
    QCOMPARE(sectionText(s.siteFile(), QStringLiteral("INFO")), QStringLiteral("Postep=20") + kSiteNames);
}

// Each write of a site file is announced with what the file now holds.
QString recordText(const SiteRecord& r)
{
    QStringList needs;
    for (const SiteFileNeed& n : r.needs)
        needs.append(n.name + QLatin1Char('=') + n.value);
    return QStringLiteral("%1 %2 (%3) %4%: %5")
        .arg(r.marketId, r.stationName, r.starSystem)
        .arg(r.progress)
        .arg(needs.join(QLatin1Char(',')));
}

void ConstructionTest::contribution_takesTheCargoOffListAndFile()
{
    Site s;
    QStringList written;
    connect(&s.m, &ConstructionModule::siteFileWritten, this,
            [&written](const SiteRecord& r) { written.append(recordText(r)); });
    s.m.czytaj_budowe_z_logu(depotLine(
        "0.100000", {material("Steel", 1000, 0), material("Aluminium", 500, 0), material("Copper", 10, 0)}));
    // By the shown name, by the game's id, twice for one material, more than is needed.
    s.m.parse_contribution(journalLine(
        "2025-06-20T21:30:00Z", "ColonisationContribution",
        "\"MarketID\":4256179715, \"Contributions\":[ "
        "{ \"Name\":\"$steel_name;\", \"Name_Localised\":\"Steel\", \"Amount\":300 }, "
        "{ \"Name\":\"$aluminium_name;\", \"Amount\":200 }, { \"Name_Localised\":\"Steel\", \"Amount\":50 }, "
        "{ \"Name\":\"$copper_name;\", \"Name_Localised\":\"Copper\", \"Amount\":20 } ]"));
    QCOMPARE(gridText(s.m.lista_materialow),
             QStringLiteral("|Steel,650,2-202|Aluminium,300,1-76|Copper,0,0-0|TOTAL,950,4-54"));
    QCOMPARE(sectionText(s.siteFile(), QStringLiteral("MATS")),
             QStringLiteral("Steel=650|Aluminium=300|Copper=0"));
    const QString site = QStringLiteral("4256179715 Planetary Construction Site: Zhao Drilling Base "
                                        "(Col 285 Sector AB-C d1-2) 10%: ");
    QCOMPARE(written, (QStringList{site + QStringLiteral("Steel=1000,Aluminium=500,Copper=10"),
                                   site + QStringLiteral("Steel=650,Aluminium=300,Copper=0")}));
}

void ConstructionTest::notDockedOrOddMarketId_writesNoFile_data()
{
    QTest::addColumn<QString>("marketId");
    QTest::addColumn<QString>("shownId");
    // The dock record holds a number: a path or letters never reach a file name.
    QTest::newRow("not docked") << QString() << QString();
    QTest::newRow("docked without a market id") << QStringLiteral("0") << QString();
}

void ConstructionTest::notDockedOrOddMarketId_writesNoFile()
{
    QFETCH(QString, marketId);
    QFETCH(QString, shownId);
    Site s(marketId);
    QVERIFY(s.m.Budowa_file.isEmpty());
    s.m.czytaj_budowe_z_logu(depotLine("0.500000", {material("Steel", 10, 0)}));
    QCOMPARE(gridText(s.m.lista_materialow), QStringLiteral("|Steel,10,0-10|TOTAL,10,0-10"));
    QCOMPARE(s.m.progressPercent, std::optional<int>(50));
    QCOMPARE(s.m.siteMarketId.value_or(QStringLiteral("-/-")), shownId);
    QVERIFY(!s.m.canSave());
    QVERIFY(s.m.ak_budowa.isEmpty());
    // Nothing was written: no list folder, no file named after the id, in or beside the data folder.
    QVERIFY(!QFileInfo::exists(s.fx.dataDir.filePath(QStringLiteral("constructions"))));
    QVERIFY(!QFileInfo::exists(s.fx.dataDir.filePath(QStringLiteral("../escape.ini"))));
    QVERIFY(!QFileInfo::exists(s.fx.dataDir.filePath(QStringLiteral("escape.ini"))));
}

void ConstructionTest::badDepotLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("progress");
    QTest::addColumn<QString>("error");
    QTest::newRow("no ResourcesRequired")
        << journalLine("2025-06-20T21:24:39Z", "ColonisationConstructionDepot",
                       "\"MarketID\":4256179715, \"ConstructionProgress\":0.5")
        << "Title,day"
        << "50%"
        << "\"ResourcesRequired\" is missing";
    QTest::newRow("element not an object")
        << depotLine("0.300000", {material("Steel", 10, 0), "42"}) << "Title,day|Steel,10,0-10"
        << "30%"
        << "element 2 of \"ResourcesRequired\" is not an object";
    QTest::newRow("no Name_Localised")
        << depotLine("0.300000",
                     {"{ \"Name\":\"$steel_name;\", \"RequiredAmount\":5, \"ProvidedAmount\":0 }"})
        << "Title,day"
        << "30%"
        << "\"Name_Localised\"";
    QTest::newRow("no ProvidedAmount")
        << depotLine("0.300000",
                     {material("Steel", 10, 0), "{ \"Name_Localised\":\"Copper\", \"RequiredAmount\":5 }"})
        << "Title,day|Steel,10,0-10"
        << "30%"
        << "\"ProvidedAmount\"";
    QTest::newRow("amount not whole")
        << depotLine("0.300000",
                     {"{ \"Name_Localised\":\"Copper\", \"RequiredAmount\":5.5, \"ProvidedAmount\":0 }"})
        << "Title,day"
        << "30%"
        << "\"RequiredAmount\"";
    QTest::newRow("amount as text")
        << depotLine("0.300000",
                     {"{ \"Name_Localised\":\"Copper\", \"RequiredAmount\":\"5\", \"ProvidedAmount\":0 }"})
        << "Title,day"
        << "30%"
        << "\"RequiredAmount\"";
    QTest::newRow("not JSON at all") << QByteArray("{ \"event\":\"ColonisationConstructionDepot\", ")
                                     << "Title,day"
                                     << "0%"
                                     << "\"ResourcesRequired\" is missing";
    QTest::newRow("JSON but no object")
        << QByteArray("[ \"ColonisationConstructionDepot\" ]") << "Title,day|Old,5"
        << "-/-"
        << "not a JSON object";
}

void ConstructionTest::badDepotLines()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, rows);
    QFETCH(QString, progress);
    QFETCH(QString, error);
    Site s;
    s.m.lista_materialow.setAll({{"Title", "day"}, {"Old", "5"}});
    writeFile(s.siteFile(), "[MATS]\r\nOld=5\r\n");
    try {
        s.m.czytaj_budowe_z_logu(line);
        QFAIL("no error");
    } catch (const TessivarError& e) {
        QVERIFY2(e.message().contains(error), qPrintable(e.message()));
    }
    QCOMPARE(gridText(s.m.lista_materialow), rows);
    QCOMPARE(progressText(s.m), progress);
    // The site's file keeps its last complete picture.
    QCOMPARE(readFile(s.siteFile()), QByteArray("[MATS]\r\nOld=5\r\n"));
}

void ConstructionTest::unwritableFolder_reportsAndKeepsRows()
{
    Site s;
    // A plain file where the folder should be: the folder cannot be made.
    writeFile(s.fx.dataDir.filePath(QStringLiteral("constructions")), "x");
    QVERIFY_THROWS_EXCEPTION(TessivarError,
                             s.m.czytaj_budowe_z_logu(depotLine("0.100000", {material("Steel", 10, 0)})));
    QCOMPARE(gridText(s.m.lista_materialow), QStringLiteral("|Steel,10,0-10|TOTAL,10,0-10"));
}

void ConstructionTest::loadListFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("progress");
    QTest::newRow("written by depot events")
        << QByteArray("[MATS]\r\nSteel=100\r\nAluminium=50\r\n[INFO]\r\nPostep=42\r\n")
        << "-/-  [3951663874.ini],-/-|Steel,100,0-100|Aluminium,50,0-50|TOTAL,150,0-150|"
        << "42%";
    QTest::newRow("named list")
        << QByteArray("[INFO]\nName=Zhao Drilling Base\nStart_date=2025-06-20\nPostep=7\n[MATS]\nCopper=-3\n")
        << "Zhao Drilling Base  [3951663874.ini],2025-06-20|Copper,-3,-1-221|TOTAL,-3,-1-221|"
        << "7%";
    QTest::newRow("empty MATS") << QByteArray("[MATS]\n[INFO]\nPostep=250\n") << "-/-  [3951663874.ini],-/-|"
                                << "100%";
    QTest::newRow("not an INI file") << QByteArray("\x89PNG\r\n\x1a\n binary = 5 [ ]")
                                     << "-/-  [3951663874.ini],-/-|"
                                     << "0%";
    QTest::newRow("value with =") << QByteArray("[MATS]\nSteel=1=2\nTea=4\n")
                                  << "-/-  [3951663874.ini],-/-|Tea,4,0-4|TOTAL,4,0-4|"
                                  << "0%";
}

void ConstructionTest::loadListFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, rows);
    QFETCH(QString, progress);
    Site s;
    const QString path = s.siteFile(QStringLiteral("3951663874"));
    writeFile(path, file);
    s.m.loadListFile(path);
    QCOMPARE(gridText(s.m.lista_materialow), rows);
    QCOMPARE(progressText(s.m), progress);
    QVERIFY(s.m.headerShaded);  // only a depot event ends the heading look
    QCOMPARE(s.m.ak_budowa, QStringLiteral("3951663874"));
    QVERIFY(s.m.canSave());
    QCOMPARE(readFile(path), file);  // loading never writes
}

void ConstructionTest::loadBadAmount_stopsWithError()
{
    Site s;
    s.m.czytaj_budowe_z_logu(depotLine("0.900000", {material("Steel", 10, 0)}));
    const QString path = s.siteFile(QStringLiteral("1"));
    writeFile(path, "[MATS]\nSteel=100\nWater=lots\nTea=5\n[INFO]\nPostep=3\n");
    try {
        s.m.loadListFile(path);
        QFAIL("no error");
    } catch (const TessivarError& e) {
        QVERIFY(e.message().contains(QStringLiteral("lots")));
    }
    QCOMPARE(gridText(s.m.lista_materialow), QStringLiteral("-/-  [1.ini],-/-|Steel,100,0-100|"));
    QCOMPARE(s.m.progressPercent, std::optional<int>(90));  // not updated
}

void ConstructionTest::loadThroughDialog()
{
    Site s;
    writeFile(s.siteFile(QStringLiteral("77")), "[MATS]\nSteel=1\n");
    s.m.Zaadujlistzpliku1Click();  // cancelled
    QCOMPARE(gridText(s.m.lista_materialow), QStringLiteral("|"));
    s.fx.ui.setNextAnswer(s.siteFile(QStringLiteral("77")));
    s.m.Zaadujlistzpliku1Click();
    QCOMPARE(gridText(s.m.lista_materialow), QStringLiteral("-/-  [77.ini],-/-|Steel,1,0-1|TOTAL,1,0-1|"));
    const QString expected = QStringLiteral("⬇️ Loading Construction from file | ") +
                             s.core.paths().dataDir +
                             QStringLiteral("constructions/ | Construction files (.ini)|*.ini");
    QCOMPARE(s.fx.ui.prompts(), (QStringList{expected, expected}));
}

void ConstructionTest::titleRowSurvivesTheNextDepotEvent()
{
    Site s;
    const QString path = s.siteFile(QStringLiteral("3951663874"));
    writeFile(path, "[INFO]\nName=Other site\nStart_date=2025-04-01\n[MATS]\nSteel=5\n");
    s.m.loadListFile(path);
    s.m.czytaj_budowe_z_logu(depotLine("0.100000", {material("Copper", 30, 0)}));
    QCOMPARE(gridText(s.m.lista_materialow),
             QStringLiteral("Other site  [3951663874.ini],2025-04-01|Copper,30,0-30|TOTAL,30,0-30"));
    // The depot event's figures went to the docked site's file, not to the loaded one.
    QCOMPARE(sectionText(s.siteFile(), QStringLiteral("MATS")), QStringLiteral("Copper=30"));
    QCOMPARE(sectionText(path, QStringLiteral("MATS")), QStringLiteral("Steel=5"));
    QCOMPARE(s.m.ak_budowa, kSite);
}

void ConstructionTest::saveChanges_writesMaterialRowsOnly()
{
    Site s;
    QVERIFY(!s.m.canSave());
    s.m.btn_zapiszClick();  // nothing to save to yet
    QVERIFY(!QFileInfo::exists(s.siteFile()));

    s.m.czytaj_budowe_z_logu(depotLine("0.100000", {material("Steel", 1000, 0), material("Copper", 30, 0)}));
    // The person corrects a figure and adds a row and an empty one.
    s.m.lista_materialow.setData(s.m.lista_materialow.index(1, 1), QStringLiteral("900"), Qt::EditRole);
    s.m.lista_materialow.insertRowAt(3, {QStringLiteral("Tea"), QStringLiteral("12")});
    s.m.lista_materialow.appendRow({});
    s.m.lista_materialow.setCell(0, 0, QStringLiteral("Title"));
    s.m.lista_materialow.setCell(0, 1, QStringLiteral("5"));
    s.m.btn_zapiszClick();
    QCOMPARE(sectionText(s.siteFile(), QStringLiteral("MATS")), QStringLiteral("Steel=900|Copper=30|Tea=12"));
    QCOMPARE(sectionText(s.siteFile(), QStringLiteral("INFO")), QStringLiteral("Postep=10") + kSiteNames);
    QCOMPARE(gridText(s.m.lista_materialow),
             QStringLiteral("Title,5|Steel,900,4-4|Copper,30,0-30|Tea,12,0-12|TOTAL,942,4-46|"));
}

void ConstructionTest::saveChanges_badAmountWritesNothing()
{
    Site s;
    s.m.czytaj_budowe_z_logu(depotLine("0.100000", {material("Steel", 1000, 0), material("Copper", 30, 0)}));
    const QByteArray before = readFile(s.siteFile());
    s.m.lista_materialow.setCell(1, 1, QStringLiteral("800"));
    s.m.lista_materialow.setCell(2, 1, QStringLiteral("thirty"));
    try {
        s.m.btn_zapiszClick();
        QFAIL("no error");
    } catch (const TessivarError& e) {
        QVERIFY(e.message().contains(QStringLiteral("thirty")));
    }
    QCOMPARE(readFile(s.siteFile()), before);
}

void ConstructionTest::saveChanges_targetsTheLoadedFile()
{
    Site s;
    const QString inside = s.siteFile(QStringLiteral("3951663874"));
    writeFile(inside, "[MATS]\nSteel=100\n");
    s.m.loadListFile(inside);
    s.m.lista_materialow.setCell(1, 1, QStringLiteral("60"));
    s.m.btn_zapiszClick();
    QCOMPARE(sectionText(inside, QStringLiteral("MATS")), QStringLiteral("Steel=60"));
    QVERIFY(!QFileInfo::exists(s.siteFile()));

    // A list from outside the program's folder is shown but never written to.
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath(QStringLiteral("5.ini"));
    writeFile(outside, "[MATS]\nSteel=100\n");
    s.m.loadListFile(outside);
    QVERIFY(!s.m.canSave());
    s.m.lista_materialow.setCell(1, 1, QStringLiteral("1"));
    s.m.btn_zapiszClick();
    QCOMPARE(readFile(outside), QByteArray("[MATS]\nSteel=100\n"));
}

void ConstructionTest::addToLoadingList()
{
    Site s;
    const QString path = s.siteFile(QStringLiteral("3951663874"));
    writeFile(path, "[MATS]\nSteel=100\nAluminium=50\n");
    s.m.loadListFile(path);
    s.m.btn_Nowy_ZaladunekClick(true);
    const QString zaladunek = s.core.dataFile(QStringLiteral("zaladunek.ini"));
    QCOMPARE(sectionText(zaladunek, QStringLiteral("zaladunek")), QStringLiteral("Steel=100|Aluminium=50"));

    s.m.m_Dodajdozaadunku1Click(1);  // Steel once more
    QCOMPARE(sectionText(zaladunek, QStringLiteral("zaladunek")), QStringLiteral("Steel=200|Aluminium=50"));
    s.m.m_Dodajdozaadunku1Click(4);  // the empty last row adds nothing
    s.m.m_Dodajdozaadunku1Click(-1);
    QCOMPARE(sectionText(zaladunek, QStringLiteral("zaladunek")), QStringLiteral("Steel=200|Aluminium=50"));

    // Without "Nowy załadunek" the shown list starts afresh; the file keeps its entries.
    s.m.btn_Nowy_ZaladunekClick(false);
    QStringList names;
    for (int r = 0; r < s.core.cargo().loadingList.rowCount(); ++r)
        names.append(s.core.cargo().loadingList.cell(r, 0));
    QCOMPARE(names.count(QStringLiteral("Steel")), 1);
    QCOMPARE(sectionText(zaladunek, QStringLiteral("zaladunek")), QStringLiteral("Steel=100|Aluminium=50"));
}

void ConstructionTest::findOnMarkets()
{
    Site s;
    s.m.czytaj_budowe_z_logu(depotLine("0.100000", {material("Ceramic Composites", 10, 0)}));
    s.m.lista_materialow.appendRow({});
    QSignalSpy shown(&s.core.lastShopping(), &ShoppingDb::showRequested);
    const QString before = s.core.lastShopping().edit_find;
    s.m.Findonmarkets1Click(3);  // empty row
    s.m.Findonmarkets1Click(2);  // TOTAL
    s.m.lista_materialow.setCell(0, 0, QStringLiteral("Site  [7.ini]"));
    s.m.Findonmarkets1Click(0);  // the site's heading
    QCOMPARE(s.core.lastShopping().edit_find, before);
    QCOMPARE(shown.count(), 0);
    s.m.Findonmarkets1Click(1);
    QCOMPARE(s.core.lastShopping().edit_find, QStringLiteral("Ceramic Composites"));
    QCOMPARE(shown.count(), 1);
}

void ConstructionTest::colonisationJournal_replayed()
{
    REQUIRE_SHARED(journal, "journals/rster2002__ed-journals/Journal.2025-06-20T213114.01.log");
    const QList<QByteArray> lines = readFile(journal).split('\n');
    // The program starts while the commander flies to the site; the rest is
    // written while it runs.
    const int startLines = 1012;
    QByteArray head;
    QByteArray tail;
    for (int i = 0; i < lines.size(); ++i)
        (i < startLines ? head : tail) += lines[i] + (i + 1 < lines.size() ? "\n" : "");
    CoreFixture fx;
    fx.append(head, QStringLiteral("Journal.2025-06-20T213114.01.log"));
    TessivarCore& core = fx.start();
    fx.pass();
    QCOMPARE(core.construct().lista_materialow.rowCount(), 2);
    fx.append(tail, QStringLiteral("Journal.2025-06-20T213114.01.log"));
    fx.pass();

    const ConstructionModule& m = core.construct();
    QCOMPARE(m.siteStation.value_or(QStringLiteral("-/-")),
             QStringLiteral("Planetary Construction Site: Zhao Drilling Base"));
    QCOMPARE(m.siteMarketId.value_or(QStringLiteral("-/-")), kSite);
    QCOMPARE(m.progressPercent, std::optional<int>(42));
    QCOMPARE(m.lista_materialow.rowCount(), 22);
    QCOMPARE(m.lista_materialow.cell(2, 2), QStringLiteral("0-167"));  // the ship holds 224 t
    const QString file = fx.dataDir.filePath(QStringLiteral("constructions/4256179715.ini"));
    QCOMPARE(IniFile(file).document().sectionKeys(QStringLiteral("MATS")).size(), 20);
    // Other parts may miss the game's companion files here; this part reports nothing.
    for (const QString& report : core.pass().lastReport)
        QVERIFY2(!report.contains(QStringLiteral("ColonisationConstructionDepot")) &&
                     !report.contains(QStringLiteral("constructions/")),
                 qPrintable(report));

    const QJsonObject dump = core.dumpJson();
    QCOMPARE(dump.value(QStringLiteral("lista_materialow")).toArray().size(), 22);
    QCOMPARE(
        dump.value(QStringLiteral("f_Construct")).toObject().value(QStringLiteral("ak_budowa")).toString(),
        kSite);
    QVERIFY(dump.value(QStringLiteral("constructions"))
                .toObject()
                .value(QStringLiteral("4256179715.ini"))
                .toString()
                .contains(QStringLiteral("Bioreducing Lichen=167")));
}

void ConstructionTest::modelIsSound()
{
    Site s;
    QAbstractItemModelTester tester(&s.m.lista_materialow,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    s.m.czytaj_budowe_z_logu(depotLine("0.100000", {material("Steel", 10, 0), material("Copper", 30, 0)}));
    const QString path = s.siteFile(QStringLiteral("9"));
    writeFile(path, "[MATS]\nSteel=100\n");
    s.m.loadListFile(path);
    s.m.resetWindow();
    QCOMPARE(gridText(s.m.lista_materialow), QStringLiteral("|"));
    QVERIFY(!s.m.siteStation);
    QVERIFY(s.m.headerShaded);
    QVERIFY(!s.m.canSave());
    QCOMPARE(s.m.Budowa_file,
             s.core.dataFile(QStringLiteral("constructions/4256179715.ini")));  // module state stays
}

QTEST_GUILESS_MAIN(ConstructionTest)
#include "construction_test.moc"
