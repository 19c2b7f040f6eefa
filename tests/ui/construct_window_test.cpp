#include "MainWindowModel.h"
#include "TestSupport.h"
#include "WindowSet.h"
#include "construction/ConstructionModule.h"
#include "ini/IniFile.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_Construct.h"
#include "windows/Tf_mission.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
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

QColor cellColour(QTableView* view, int row, int column)
{
    const QRect r = view->visualRect(view->model()->index(row, column));
    return view->viewport()->grab().toImage().pixelColor(r.center());
}

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
    QCOMPARE(w.lista_materialow->model()->rowCount(), 2);
    // The name takes what the numbers leave: nothing hides sideways.
    QVERIFY(w.lista_materialow->columnWidth(0) > w.lista_materialow->columnWidth(1));
    QVERIFY(w.lista_materialow->horizontalHeader()->length() <= w.lista_materialow->viewport()->width());
    QCOMPARE(cellColour(w.lista_materialow, 0, 2), QColor(255, 127, 80));

    // Docked at a site whose name carries markup: shown as plain text.
    TDaneDokowania& d = core.state.dane_dokowania;
    d.StationName = QStringLiteral("<b>Zhao</b> Drilling Base");
    d.StationType = QStringLiteral("PlanetaryConstructionDepot");
    d.StarSystem = QStringLiteral("Col 285");
    d.MarketID = 4256179715ULL;
    core.construct().Set_Construction_info();
    QCOMPARE(w.label_station_val->text(), QStringLiteral("<b>Zhao</b> Drilling Base"));
    QCOMPARE(w.label_station_val->textFormat(), Qt::PlainText);
    QCOMPARE(w.label_marketid_val->text(), QStringLiteral("4256179715"));

    core.construct().czytaj_budowe_z_logu(
        "{ \"event\":\"ColonisationConstructionDepot\", \"ConstructionProgress\":0.4567, "
        "\"ResourcesRequired\":[ "
        "{ \"Name_Localised\":\"Steel\", \"RequiredAmount\":100, \"ProvidedAmount\":10 } ] }");
    QCOMPARE(w.label_progress_val->text(), QStringLiteral("46%"));
    QCOMPARE(w.ProgressBar1->value(), 46);
    QVERIFY(w.btn_zapisz->isEnabled());
    QCOMPARE(w.lista_materialow->model()->rowCount(), 3);
    QVERIFY(cellColour(w.lista_materialow, 0, 2) != QColor(255, 127, 80));

    // Loading a list through the pop-up menu's dialog.
    const QString file = c.dataDir.filePath(QStringLiteral("constructions/77.ini"));
    writeFile(file, "[MATS]\nSteel=5\nCopper=7\n[INFO]\nPostep=12\n");
    c.ui.setNextAnswer(file);
    menuAction(w.PopupMenu1, QStringLiteral("Zaadujlistzpliku1"))->trigger();
    QCOMPARE(w.lista_materialow->model()->index(0, 0).data().toString(), QStringLiteral("-/-  [77.ini]"));
    QCOMPARE(w.label_progress_val->text(), QStringLiteral("12%"));
    QCOMPARE(w.ProgressBar1->value(), 12);

    // A bad quantity typed into the grid is reported, not saved.
    w.lista_materialow->model()->setData(w.lista_materialow->model()->index(1, 1), QStringLiteral("x"));
    c.ui.clearMessages();
    w.btn_zapisz->click();
    QCOMPARE(c.ui.messages().size(), 1);
    QCOMPARE(IniFile(file).readString(QStringLiteral("MATS"), QStringLiteral("Steel")), QStringLiteral("5"));

    // A new window starts empty again.
    Tf_Construct again(core.construct(), coreReport(core));
    QCOMPARE(again.label_progress_val->text(), QStringLiteral("-/-"));
    QCOMPARE(again.lista_materialow->model()->rowCount(), 2);

    Tf_mission missions(core.mission());
    QCOMPARE(missions.windowTitle(), QStringLiteral("Missions"));
    QVERIFY(!missions.isVisible());
}

QTEST_MAIN(ConstructWindowTest)
#include "construct_window_test.moc"
