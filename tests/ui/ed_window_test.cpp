#include "TestSupport.h"

#include "MainWindowModel.h"
#include "PanelLayout.h"
#include "WindowSet.h"
#include "common/NumberFormat.h"
#include "construction/ConstructionModule.h"
#include "journal/JournalPass.h"
#include "mobile/MobileLink.h"
#include "settings/SettingsStore.h"
#include "state/SystemInfo.h"
#include "widgets/WidgetInteraction.h"
#include "widgets/WindowParts.h"
#include "windows/Tf_BGS.h"
#include "windows/Tf_Construct.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_KVN.h"
#include "windows/Tf_cargo.h"
#include "windows/Tf_settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString kDemo = QStringLiteral("Journal.2025-06-20T213114.01.log");

}  // namespace

class EdWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fillsFromReplayedJournal();
    void panelBoxesShowHideAndStore();
    void kelvaneWithoutConsentOnlyTells();
    void lockPanelsTilesWithoutLosingData();
    void copyButtonsAndSettings();
    void numbersInTheLocalesGrouping_data();
    void numbersInTheLocalesGrouping();

private:
    // The core and its windows on the folders of this test, as at program start.
    void start();

    std::unique_ptr<QTemporaryDir> journal;
    std::unique_ptr<QTemporaryDir> data;
    std::unique_ptr<WidgetInteraction> ui;
    std::unique_ptr<TessivarCore> core;
    std::unique_ptr<WindowSet> windows;
};

void EdWindowTest::init()
{
    journal = std::make_unique<QTemporaryDir>();
    data = std::make_unique<QTemporaryDir>();
    writeFile(journal->filePath(kDemo),
              readFile(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../data/demo/") + kDemo));
    ui = std::make_unique<WidgetInteraction>();
    ui->setRecordOnly(true);
    start();
}

void EdWindowTest::start()
{
    AppPaths paths;
    paths.journalDir = journal->path();
    paths.dataDir = data->path();
    core = std::make_unique<TessivarCore>(paths, StartupSettings{}, *ui);
    windows = std::make_unique<WindowSet>(*core, *ui);
    windows->Timer1.stop();
    windows->f_ED->show();
    QVERIFY(QTest::qWaitForWindowExposed(windows->f_ED));
}

void EdWindowTest::cleanup()
{
    windows.reset();
    core.reset();
    ui.reset();
}

void EdWindowTest::fillsFromReplayedJournal()
{
    Tf_ED& ed = *windows->f_ED;
    QCOMPARE(ed.Label_cmdr_val->text(), QStringLiteral("-/-"));
    QVERIFY(ed.ch_lock_panels->isChecked());
    QVERIFY(!ed.btn_help->isEnabled());
    QVERIFY(!ed.btn_full_info->isEnabled());
    QVERIFY(!ed.btn_new_version->isVisible());
    QVERIFY(!ed.ch_wysylaj->isEnabled());

    core->pass().Timer1Timer();  // the labels show what the pass read
    QCOMPARE(ed.Label_cmdr_val->text(), core->state.dane_CMDR.Name);
    QVERIFY(!ed.Label_cmdr_val->text().isEmpty());
    // The credits LoadGame tells.
    QCOMPARE(ed.Label_cr_val->text(), groupedNumber(273746503));
    QCOMPARE(ed.Label_carrier_body_val->text(), QStringLiteral("0"));
    // The session ends docked at a construction site, as its last login's Location says.
    QCOMPARE(ed.Label_dock_system_val->text(), QStringLiteral("Col 285 Sector PY-Y b14-3"));
    QCOMPARE(ed.Label_dock_station_val->text(),
             QStringLiteral("Planetary Construction Site: Zhao Drilling Base"));
    QCOMPARE(ed.Label_time->text(), QStringLiteral("2025-06-20T21:26:27Z"));
    QVERIFY(ed.Memo1->model()->rowCount() > 100);
    // Enabled by the dispatch once there is an address to send to.
    QVERIFY(!ed.ch_wysylaj->isEnabled());
    core->mobile().setAddress(QStringLiteral("10.0.0.5"));
    QVERIFY(ed.ch_wysylaj->isEnabled());

    // The new-version announcement shows the button with its caption.
    core->mainWindow().setNewVersionCaption(QStringLiteral("New version available: 1.4.0.0"));
    QVERIFY(ed.btn_new_version->isVisible());
    ed.btn_new_version->click();
    QCOMPARE(ui->openedUrls().size(), 1);
}

void EdWindowTest::panelBoxesShowHideAndStore()
{
    Tf_ED& ed = *windows->f_ED;
    const QString ini = core->settings().path();
    ed.panelBox(MainWindowModel::SystemInfoPanel)->click();
    QVERIFY(windows->f_BGS->isVisible());
    QVERIFY(core->mainWindow().isPanelChecked(MainWindowModel::SystemInfoPanel));
    QCOMPARE(readFile(ini), QByteArray("[windows]\r\nch_bgs=1\r\n"));
    ed.panelBox(MainWindowModel::SystemInfoPanel)->click();
    QVERIFY(!windows->f_BGS->isVisible());
    QCOMPARE(readFile(ini), QByteArray("[windows]\r\nch_bgs=0\r\n"));

    // A box stored when the program starts opens its window on the first pass and is written back.
    writeFile(ini, "[windows]\r\nch_cargo=1\r\n");
    windows.reset();
    core.reset();
    start();
    Tf_ED& started = *windows->f_ED;
    core->pass().Timer1Timer();
    QVERIFY(started.panelBox(MainWindowModel::CargoPanel)->isChecked());
    QVERIFY(windows->f_cargo->isVisible());
    QVERIFY(readFile(ini).startsWith("[windows]\r\nch_cargo=1\r\n[CMDR]\r\nName="));
    QCOMPARE(started.Label_carrier_name_val->text(), QString());
}

void EdWindowTest::kelvaneWithoutConsentOnlyTells()
{
    Tf_ED& ed = *windows->f_ED;
    QCheckBox* kvn = ed.panelBox(MainWindowModel::KelvanePanel);
    kvn->click();
    // The box shows the window, which stays closed.
    QVERIFY(!kvn->isChecked());
    QVERIFY(!windows->f_KVN->isVisible());
    QCOMPARE(
        ui->messages().last(),
        QStringLiteral(
            "To activate KVN, you must consent to communication with the external server. Go to Settings."));
}

void EdWindowTest::lockPanelsTilesWithoutLosingData()
{
    core->pass().Timer1Timer();
    Tf_ED& ed = *windows->f_ED;
    ed.panelBox(MainWindowModel::SystemInfoPanel)->click();
    ed.panelBox(MainWindowModel::CargoPanel)->click();
    const QRect area = ed.screen()->availableGeometry();
    QCOMPARE(ed.frameGeometry().topLeft(), area.topLeft());
    QVERIFY(ed.frameGeometry().width() >= area.width());  // never narrower than its layout allows
    const QRect cargo = windows->f_cargo->frameGeometry();
    QCOMPARE(cargo.right(), area.right());
    QCOMPARE(cargo.top(), ed.frameGeometry().bottom() + 1);
    QCOMPARE(windows->f_cargo->width(), 331);
    const QRect bgs = windows->f_BGS->frameGeometry();
    QCOMPARE(bgs.topLeft(), QPoint(area.left(), cargo.top()));

    // Released, the windows stay where the person puts them.
    ed.ch_lock_panels->click();
    QVERIFY(!core->mainWindow().ch_lock_panels);
    windows->f_BGS->move(area.left() + 40, area.top() + 60);
    ed.panelBox(MainWindowModel::CargoPanel)->click();
    QCOMPARE(windows->f_BGS->pos(), QPoint(area.left() + 40, area.top() + 60));

    // Locked again: the same windows come back tiled, still showing the game state.
    Tf_BGS* before = windows->f_BGS;
    const QString systemLabel = before->system_name->text();
    ed.ch_lock_panels->click();
    QCOMPARE(windows->f_BGS, before);
    QCOMPARE(windows->f_BGS->frameGeometry().topLeft(), QPoint(area.left(), ed.frameGeometry().bottom() + 1));
    QCOMPARE(windows->f_BGS->system_name->text(), systemLabel);
    QCOMPARE(systemLabel, QString::fromUtf16(u"\U0001FA90 Col 285 Sector PY-Y b14-3"));
    QVERIFY(core->systemInfo().sg_frakcje.rowCount() > 1);
}

void EdWindowTest::copyButtonsAndSettings()
{
    core->pass().Timer1Timer();
    Tf_ED& ed = *windows->f_ED;
    ed.btn_copy_dock_system->click();
    QCOMPARE(ui->ScriptedInteraction::clipboardText(), core->state.dane_systemu.StarSystem);
    core->state.dane_carriera.CarrierName = QStringLiteral("<b>QRT</b>");
    ed.btn_copy_carrier_name->click();
    QCOMPARE(ui->ScriptedInteraction::clipboardText(), QStringLiteral("<b>QRT</b>"));

    // The settings window opens modally; closing it stores the consent.
    QTimer::singleShot(0, windows->f_settings, [this] {
        QVERIFY(windows->f_settings->isVisible());
        windows->f_settings->ch_kvn_consent->click();
        windows->f_settings->btn_close->click();
    });
    ed.btn_settings->click();
    QVERIFY(!windows->f_settings->isVisible());
    QVERIFY(core->settings().kvn_consent);
    QVERIFY(readFile(core->settings().path()).endsWith("[KVN]\r\nkvn_consent=1\r\n"));
    ed.panelBox(MainWindowModel::KelvanePanel)->click();
    QVERIFY(windows->f_KVN->isVisible());
}

void EdWindowTest::numbersInTheLocalesGrouping_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("credits");
    QTest::addColumn<QString>("tonnes");
    // Polish groups with a no-break space.
    QTest::newRow("Polish") << QLocale(QLocale::Polish, QLocale::Poland)
                            << QStringLiteral("1\u00A0234\u00A0567") << QStringLiteral("12\u00A0345");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                             << QStringLiteral("1,234,567") << QStringLiteral("12,345");
}

void EdWindowTest::numbersInTheLocalesGrouping()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, credits);
    QFETCH(QString, tonnes);
    const QLocale before;
    QLocale::setDefault(locale);
    const auto restore = qScopeGuard([&before] { QLocale::setDefault(before); });

    // The window groups the digits; the replay dump keeps its own form.
    core->mainWindow().setCreditsLabel(1234567);
    QCOMPARE(windows->f_ED->Label_cr_val->text(), credits);
    QCOMPARE(core->dumpJson()
                 .value(QStringLiteral("f_ED"))
                 .toObject()
                 .value(QStringLiteral("Label_cr_val"))
                 .toString(),
             FormatNumberWithCommas(1234567));

    Tf_Construct site(core->construct(), coreReport(*core));
    core->construct().lista_materialow.setAll(
        {{}, {QStringLiteral("Steel"), QStringLiteral("12345"), QString()}});
    QCOMPARE(site.lista_materialow->model()->index(0, 1).data().toString(), tonnes);
    QCOMPARE(core->construct().lista_materialow.cell(1, 1), QStringLiteral("12345"));
}

QTEST_MAIN(EdWindowTest)
#include "ed_window_test.moc"
