#include "MainWindowModel.h"
#include "TestSupport.h"
#include "WindowSet.h"
#include "colony/ColonyCockpit.h"
#include "colony/CsvExport.h"
#include "construction/ConstructionModule.h"
#include "ini/IniFile.h"
#include "widgets/ColonyTab.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_Construct.h"
#include "windows/Tf_mission.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {

struct UiCore
{
    QTemporaryDir journalDir;
    QTemporaryDir dataDir;
    WidgetInteraction ui;
    std::unique_ptr<TessivarCore> core;

    UiCore()
    {
        ui.setRecordOnly(true);
        AppPaths paths;
        paths.dataDir = dataDir.path();
        paths.journalDir = journalDir.path();
        core = std::make_unique<TessivarCore>(paths, StartupSettings{}, ui);
    }
};

QAction* menuAction(QMenu* menu, const QString& name)
{
    for (QAction* a : menu->actions())
        if (a->objectName() == name)
            return a;
    return nullptr;
}

}  // namespace

class ConstructWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void showsTheSiteAndItsMaterials();
    void colonyTabCopiesAndSavesItsTables();
};

void ConstructWindowTest::showsTheSiteAndItsMaterials()
{
    UiCore c;
    TessivarCore& core = *c.core;
    Tf_Construct w(core.construct(), coreReport(core));
    w.show();

    QCOMPARE(w.windowTitle(), QStringLiteral("Construction Site"));
    QCOMPARE(w.label_station_val->text(), QStringLiteral("-/-"));
    QCOMPARE(w.label_progress_val->text(), QStringLiteral("-/-"));
    QCOMPARE(w.btn_Nowy_Zaladunek->text(), QStringLiteral("⬅️ Add all to Loading list"));
    QCOMPARE(w.btn_zapisz->text(), QStringLiteral("💾 Save changes"));
    QCOMPARE(w.ch_nowy_zaladunek->text(), QStringLiteral("Add to the current list"));
    QVERIFY(w.ch_nowy_zaladunek->isChecked());
    QVERIFY(!w.btn_zapisz->isEnabled());
    QStringList captions;
    for (QAction* a : w.PopupMenu1->actions())
        captions.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(captions,
             (QStringList{"⬅️ Add to Carrier Loading list", "⬇️ Loading Construction from file", "-",
                          "🔍 Find on markets (local files)"}));
    // The captions are in the header bar; the list's own first row is not a row of the grid.
    QAbstractItemModel* grid = w.lista_materialow->model();
    QCOMPARE(grid->rowCount(), 1);
    QStringList headers;
    for (int c = 0; c < grid->columnCount(); ++c)
        headers.append(grid->headerData(c, Qt::Horizontal).toString());
    QCOMPARE(headers, (QStringList{"Commodity", "Needed", "Trips"}));
    QVERIFY(!w.lista_materialow->horizontalHeader()->isHidden());
    // The name takes what the numbers leave: nothing hides sideways.
    QVERIFY(w.lista_materialow->columnWidth(0) > w.lista_materialow->columnWidth(1));
    QVERIFY(w.lista_materialow->horizontalHeader()->length() <= w.lista_materialow->viewport()->width());

    // Docked at a site whose name carries markup: shown as plain text.
    TDaneDokowania& d = core.state.dane_dokowania;
    d.StationName = QStringLiteral("<b>Zhao</b> Drilling Base");
    d.StationType = QStringLiteral("PlanetaryConstructionDepot");
    d.StarSystem = QStringLiteral("Col 285");
    d.MarketID = 4256179715ULL;
    core.state.DaneStatku.CargoCapacity = 224;
    core.construct().Set_Construction_info();
    QCOMPARE(w.label_station_val->text(), QStringLiteral("<b>Zhao</b> Drilling Base"));
    QCOMPARE(w.label_station_val->textFormat(), Qt::PlainText);
    QCOMPARE(w.label_marketid_val->text(), QStringLiteral("4256179715"));

    core.construct().czytaj_budowe_z_logu(
        "{ \"event\":\"ColonisationConstructionDepot\", \"ConstructionProgress\":0.4567, "
        "\"ResourcesRequired\":[ "
        "{ \"Name_Localised\":\"Liquid oxygen\", \"RequiredAmount\":1000, \"ProvidedAmount\":14 } ] }");
    QCOMPARE(w.label_progress_val->text(), QStringLiteral("46%"));
    QCOMPARE(w.ProgressBar1->value(), 46);
    QVERIFY(w.btn_zapisz->isEnabled());
    // Names as the game shows them, trips as full holds × the rest, TOTAL bold;
    // the list keeps its own texts for the phone and the page.
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->index(0, 0).data().toString(), QStringLiteral("Liquid oxygen"));
    QCOMPARE(grid->index(0, 1).data().toString(), QStringLiteral("986"));
    QCOMPARE(grid->index(0, 2).data().toString(), QStringLiteral("4 × 90"));
    QCOMPARE(grid->index(0, 2).data(Qt::ToolTipRole).toString(), QStringLiteral("4 full trips and 90 t"));
    QVERIFY(!grid->index(0, 0).data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(grid->index(1, 0).data().toString(), QStringLiteral("TOTAL"));
    QVERIFY(grid->index(1, 0).data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(core.construct().lista_materialow.row(1), (QStringList{"Liquid oxygen", "986", "4-90"}));

    // Loading a list through the pop-up menu's dialog.
    const QString file = c.dataDir.filePath(QStringLiteral("constructions/77.ini"));
    writeFile(file, "[MATS]\nSteel=5\nCopper=7\n[INFO]\nPostep=12\n");
    c.ui.setNextAnswer(file);
    menuAction(w.PopupMenu1, QStringLiteral("Zaadujlistzpliku1"))->trigger();
    QCOMPARE(w.label_list_title->text(), QStringLiteral("-/-  [77.ini]  -/-"));
    QVERIFY(w.label_list_title->isVisibleTo(&w));
    QCOMPARE(grid->index(0, 0).data().toString(), QStringLiteral("Steel"));
    QCOMPARE(w.label_progress_val->text(), QStringLiteral("12%"));
    QCOMPARE(w.ProgressBar1->value(), 12);

    // A bad quantity typed into the grid is reported, not saved.
    w.lista_materialow->model()->setData(w.lista_materialow->model()->index(0, 1), QStringLiteral("x"));
    c.ui.clearMessages();
    w.btn_zapisz->click();
    QCOMPARE(c.ui.messages().size(), 1);
    QCOMPARE(IniFile(file).readString(QStringLiteral("MATS"), QStringLiteral("Steel")), QStringLiteral("5"));

    // A new window starts empty again.
    Tf_Construct again(core.construct(), coreReport(core));
    QCOMPARE(again.label_progress_val->text(), QStringLiteral("-/-"));
    QCOMPARE(again.lista_materialow->model()->rowCount(), 1);
    QVERIFY(!again.label_list_title->isVisibleTo(&again));

    Tf_mission missions(core.mission());
    QCOMPARE(missions.windowTitle(), QStringLiteral("Missions"));
    QVERIFY(!missions.isVisible());
}

void ConstructWindowTest::colonyTabCopiesAndSavesItsTables()
{
    UiCore c;
    TessivarCore& core = *c.core;
    QVERIFY(QDir(c.dataDir.path()).mkpath(QStringLiteral("constructions")));
    writeFile(c.dataDir.filePath(QStringLiteral("constructions/4256179715.ini")),
              "[INFO]\r\nPostep=40\r\nStationName=Planetary Construction Site: Alpha, \"Depot\"\r\n"
              "StarSystem=Col 285\r\n"
              "[MATS]\r\nSteel=300\r\nPolymers=20\r\n");
    core.state.DaneStatku.CargoCapacity = 256;
    core.colony().refresh();
    // In the construction window as short as a 1366×768 screen leaves it:
    // the buttons stay in view, the tables give way.
    Tf_Construct w(core.construct(), coreReport(core));
    auto* colonyTab = new ColonyTab(core.colony(), core.notifier(), c.ui, coreReport(core));
    ColonyTab& tab = *colonyTab;
    w.tabs->addTab(colonyTab, QStringLiteral("Colony"));
    w.tabs->setCurrentWidget(colonyTab);
    w.resize(322, 331);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (QWidget* shown : std::initializer_list<QWidget*>{tab.copy, tab.saveCsv, tab.forget, tab.notify})
        QVERIFY(w.rect().contains(QRect(shown->mapTo(&w, QPoint(0, 0)), shown->size())));
    // The site's own name; the game's whole name is in the tool tip.
    QCOMPARE(tab.sites->item(0, 1)->text(), QStringLiteral("Alpha, \"Depot\""));
    // Trips read as in the other lists; the export keeps the lists' own "1-44".
    QCOMPARE(tab.still->item(1, 2)->text(), QStringLiteral("1 × 44"));
    QCOMPARE(tab.still->item(1, 2)->toolTip(), QStringLiteral("1 full trips and 44 t"));
    const QList<QStringList> rows{
        {"Commodity", "Needed", "On carrier", "In hold", "To buy", "Trips", "Fits carrier"},
        {"Polymers", "20", "0", "0", "20", "0-20", "?"},
        {"Steel", "300", "0", "0", "300", "1-44", "?"},
        {},
        {"Carrier", "Commodity", "Tonnes", "Anchored"},
        {},
        {"Site", "System", "Market ID", "Commodity", "Remaining", "State"},
        {"Planetary Construction Site: Alpha, \"Depot\"", "Col 285", "4256179715", "Polymers", "20", "open"},
        {"Planetary Construction Site: Alpha, \"Depot\"", "Col 285", "4256179715", "Steel", "300", "open"}};

    // Copy: one line per row, tab between the fields, for a spreadsheet's paste.
    tab.copy->click();
    QStringList lines;
    for (const QStringList& r : rows)
        lines.append(r.join(QLatin1Char('\t')));
    QCOMPARE(c.ui.ScriptedInteraction::clipboardText(), lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    // Save: the file the dialog names holds the same rows as CSV.
    const QString csv = c.dataDir.filePath(QStringLiteral("colony export.csv"));
    c.ui.setNextAnswer(csv);
    tab.saveCsv->click();
    QVERIFY(c.ui.prompts().last().startsWith(QStringLiteral("Save as CSV | colony.csv | ")));
    QList<QStringList> back = fromCsv(QString::fromUtf8(readFile(csv)));
    QList<QStringList> want = rows;
    for (QStringList& r : want)
        if (r.isEmpty())
            r = QStringList{QString()};  // an empty row reads back as one empty field
    QCOMPARE(back, want);
    QVERIFY(c.ui.messages().isEmpty());

    // A cancelled dialog writes nothing; a folder that is not there is told, the tab stays.
    c.ui.setNextAnswer(std::nullopt);
    tab.saveCsv->click();
    QVERIFY(c.ui.messages().isEmpty());
    const QString nowhere = c.dataDir.filePath(QStringLiteral("no such folder/colony.csv"));
    c.ui.setNextAnswer(nowhere);
    tab.saveCsv->click();
    QCOMPARE(c.ui.messages().size(), 1);
    QVERIFY2(c.ui.messages().first().startsWith(QStringLiteral("Cannot write ") +
                                                QDir::toNativeSeparators(nowhere)),
             qPrintable(c.ui.messages().first()));
    QVERIFY(!QFile::exists(nowhere));
    QCOMPARE(tab.still->rowCount(), 2);
}

QTEST_MAIN(ConstructWindowTest)
#include "construct_window_test.moc"
