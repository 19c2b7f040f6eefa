#include "TestSupport.h"

#include "MainWindowModel.h"
#include "WindowSet.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_BGS.h"
#include "windows/Tf_Construct.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_cargo.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

// The screens the test runs on, side by side.
const QSize kScreens[] = {{1366, 768}, {1920, 1080}, {2560, 1440}};

QString describe(const QWidget* w)
{
    const QRect g = w->frameGeometry();
    return QStringLiteral("%1 %2x%3+%4+%5")
        .arg(w->windowTitle())
        .arg(g.width())
        .arg(g.height())
        .arg(g.x())
        .arg(g.y());
}

}  // namespace

class PanelTilingTest : public QObject
{
    Q_OBJECT
private slots:
    void lockedPanelsTileWithoutOverlap_data();
    void lockedPanelsTileWithoutOverlap();
};

void PanelTilingTest::lockedPanelsTileWithoutOverlap_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<bool>("systemInfo");
    QTest::addColumn<bool>("cargo");
    QTest::addColumn<bool>("construction");
    for (int s = 0; s < int(std::size(kScreens)); ++s)
        for (int panels = 0; panels < 8; ++panels)
            QTest::addRow("%dx%d %s%s%s", kScreens[s].width(), kScreens[s].height(), panels & 1 ? "I" : "-",
                          panels & 2 ? "C" : "-", panels & 4 ? "S" : "-")
                << s << bool(panels & 1) << bool(panels & 2) << bool(panels & 4);
}

void PanelTilingTest::lockedPanelsTileWithoutOverlap()
{
    QFETCH(int, screen);
    QFETCH(bool, systemInfo);
    QFETCH(bool, cargo);
    QFETCH(bool, construction);
    const QList<QScreen*> screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), int(std::size(kScreens)));
    QScreen* const target = screens[screen];

    // Long names and many factions: the content must not widen the windows.
    CoreFixture f;
    QByteArray factions;
    for (int i = 0; i < 10; ++i)
        factions += (i ? "," : "") +
                    QByteArray(R"({"Name":"The Very Long Named Independent Faction Of Somewhere )") +
                    QByteArray::number(i) + R"(","FactionState":"Boom","Influence":0.1})";
    f.append(journalLine("2025-01-01T10:00:00Z", "Location",
                         R"("StarSystem":"A System With An Uncommonly Long Name Indeed","Factions":[)" +
                             factions + R"(],"StationName":"Station Whose Name Goes On And On And On")"));
    TessivarCore& core = f.start();
    WidgetInteraction ui;
    ui.setRecordOnly(true);
    WindowSet windows(core, ui);
    windows.Timer1Timer();
    QVERIFY(core.mainWindow().ch_lock_panels);

    windows.f_ED->setScreen(target);
    windows.f_ED->move(target->geometry().topLeft());
    windows.f_ED->show();
    const std::pair<MainWindowModel::Panel, bool> wanted[] = {
        {MainWindowModel::SystemInfoPanel, systemInfo},
        {MainWindowModel::CargoPanel, cargo},
        {MainWindowModel::ConstructionPanel, construction}};
    for (const auto& [panel, on] : wanted)
        if (on)
            windows.f_ED->panelBox(panel)->click();
    QCoreApplication::processEvents();

    QList<QWidget*> tiled{windows.f_ED};
    for (QWidget* w : {static_cast<QWidget*>(windows.f_BGS), static_cast<QWidget*>(windows.f_cargo),
                       static_cast<QWidget*>(windows.f_Construct)})
        if (w->isVisible())
            tiled.append(w);
    QCOMPARE(tiled.size(), 1 + int(systemInfo) + int(cargo) + int(construction));

    const QRect area = target->availableGeometry();
    for (qsizetype i = 0; i < tiled.size(); ++i) {
        QVERIFY2(area.contains(tiled[i]->frameGeometry()), qPrintable(describe(tiled[i])));
        for (qsizetype k = i + 1; k < tiled.size(); ++k)
            QVERIFY2(!tiled[i]->frameGeometry().intersects(tiled[k]->frameGeometry()),
                     qPrintable(describe(tiled[i]) + QStringLiteral(" overlaps ") + describe(tiled[k])));
    }
    // The main window keeps the full width; the Cargo tab captions stay whole.
    QCOMPARE(windows.f_ED->frameGeometry().width(), area.width());
    if (cargo) {
        const QTabBar* bar = windows.f_cargo->tabs->tabBar();
        const QList<QToolButton*> arrows = bar->findChildren<QToolButton*>();
        const bool scrolls =
            std::any_of(arrows.begin(), arrows.end(), [](auto* b) { return b->isVisible(); });
        for (int i = 0; i < bar->count(); ++i) {
            QVERIFY2(bar->tabRect(i).width() > bar->fontMetrics().horizontalAdvance(bar->tabText(i)),
                     qPrintable(bar->tabText(i)));
            QVERIFY2(!scrolls && bar->rect().contains(bar->tabRect(i)), qPrintable(bar->tabText(i)));
        }
    }
    // The faction grid sizes its columns to their texts and scrolls sideways instead.
    if (systemInfo) {
        const QTableView* grid = windows.f_BGS->sg_frakcje;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            QVERIFY(grid->columnWidth(c) >= grid->horizontalHeader()->sectionSizeHint(c));
    }
}

int main(int argc, char** argv)
{
    QTemporaryDir config;
    useOffscreenScreens(config.filePath(QStringLiteral("screens.json")),
                        {std::begin(kScreens), std::end(kScreens)});
    QApplication app(argc, argv);
    PanelTilingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "panel_tiling_test.moc"
