#include "TestSupport.h"
#include "WindowSet.h"
#include "cargo/CargoModule.h"
#include "demo/DemoPlayer.h"
#include "markets/ShoppingDb.h"
#include "windows/Tf_cargo.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

QString zaladunekFile(CoreFixture& fx)
{
    return fx.dataDir.filePath(QStringLiteral("zaladunek.ini"));
}

QStringList actionTexts(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QPoint rowCentre(QTableView* view, int row)
{
    return view->visualRect(view->model()->index(row, 0)).center();
}

}  // namespace

class CargoWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void layout();
    void showing_loadsTheOwnList();
    void menus_editTheListAndTheFile();
    void undo_buttonAndCtrlZ_restoreTheListAndTheFile();
    void typedEdits_areSavedAndErrorsShown();
    void selector_followsCore();
    void rightClick_keepsTheCurrentRow();
    void find_searchesTheCurrentRow();
    void headers_areCaptionsNotRows();
    void trips_fitTheirColumn_data();
    void trips_fitTheirColumn();
};

void CargoWindowTest::layout()
{
    CoreFixture fx;
    TessivarCore& c = fx.start();
    Tf_cargo w(c.cargo(), coreReport(c));
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("Cargo"));
    QCOMPARE(w.tabs->count(), 3);
    QCOMPARE(w.tabs->tabText(0), QStringLiteral("📦 Ship Cargo"));
    QCOMPARE(w.tabs->tabText(1), QStringLiteral("📥 Carrier Loading"));
    QCOMPARE(w.tabs->tabText(2), QStringLiteral("⬅️ Add to list"));
    QCOMPARE(w.tabs->currentIndex(), 1);
    QCOMPARE(w.saveButton->text(), QStringLiteral("💾 Save Changes"));
    QCOMPARE(actionTexts(w.loadingMenu),
             (QStringList{QStringLiteral("➕ Add your own commodity"), QStringLiteral("❌ Remove commodity"),
                          QStringLiteral("📋 Clear the list"), QStringLiteral("-"),
                          QStringLiteral("🔍 Find on markets (local files)")}));
    QCOMPARE(actionTexts(w.materialsMenu),
             (QStringList{QStringLiteral("⬅️ Add to loading list"), QStringLiteral("-"),
                          QStringLiteral("🔍 Find on markets (local files)")}));
    // The name takes what the numbers leave: nothing hides sideways.
    QVERIFY(w.loadingGrid->columnWidth(0) > w.loadingGrid->columnWidth(1));
    QVERIFY(w.loadingGrid->horizontalHeader()->length() <= w.loadingGrid->viewport()->width());
    QCOMPARE(w.materialsGrid->model()->rowCount(), 57);
    // My Carrier, Trade Missions, Still to buy.
    QCOMPARE(w.sourceSelector->count(), 3);
    QCOMPARE(w.sourceSelector->currentText(), QStringLiteral("My Carrier"));
    // Only the loading list and the materials can be typed into.
    QCOMPARE(w.holdGrid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(w.loadingGrid->model()->flags(w.loadingGrid->model()->index(0, 0)) & Qt::ItemIsEditable);
    QVERIFY(!(w.holdGrid->model()->flags(w.holdGrid->model()->index(0, 0)) & Qt::ItemIsEditable));
}

void CargoWindowTest::showing_loadsTheOwnList()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    Tf_cargo w(core.cargo(), coreReport(core));
    writeFile(zaladunekFile(fx), "[zaladunek]\r\nSteel=100\r\n");
    QCOMPARE(w.loadingGrid->model()->rowCount(), 1);
    w.show();
    QCOMPARE(w.loadingGrid->model()->rowCount(), 2);
    QCOMPARE(w.loadingGrid->model()->index(0, 0).data().toString(), QStringLiteral("Steel"));
}

void CargoWindowTest::undo_buttonAndCtrlZ_restoreTheListAndTheFile()
{
    CoreFixture fx;
    const QByteArray file("[zaladunek]\r\nSteel=100\r\nTea=5\r\n");
    writeFile(zaladunekFile(fx), file);
    TessivarCore& core = fx.start();
    Tf_cargo w(core.cargo(), coreReport(core));
    w.show();
    QAbstractItemModel* list = w.loadingGrid->model();
    QVERIFY(!w.undoButton->isEnabled());

    w.clearAction->trigger();
    QCOMPARE(list->rowCount(), 2);  // the blank row, TOTAL 0
    QVERIFY(w.undoButton->isEnabled());
    QTest::mouseClick(w.undoButton, Qt::LeftButton);
    QCOMPARE(readFile(zaladunekFile(fx)), file);
    QCOMPARE(list->index(1, 0).data().toString(), QStringLiteral("Tea"));
    QVERIFY(!w.undoButton->isEnabled());

    w.loadingGrid->setCurrentIndex(list->index(0, 0));
    w.removeAction->trigger();
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray("[zaladunek]\r\nTea=5\r\n"));
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.loadingGrid->setFocus();
    QTest::keyClick(w.loadingGrid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(readFile(zaladunekFile(fx)), file);
    QCOMPARE(list->index(0, 0).data().toString(), QStringLiteral("Steel"));
    QVERIFY(fx.ui.messages().isEmpty());
}

void CargoWindowTest::menus_editTheListAndTheFile()
{
    CoreFixture fx;
    writeFile(zaladunekFile(fx), "[zaladunek]\r\nSteel=100\r\nTea=5\r\n");
    TessivarCore& core = fx.start();
    Tf_cargo w(core.cargo(), coreReport(core));
    w.show();
    QAbstractItemModel* list = w.loadingGrid->model();

    w.loadingGrid->setCurrentIndex(list->index(0, 0));
    w.removeAction->trigger();
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray("[zaladunek]\r\nTea=5\r\n"));
    QCOMPARE(list->index(0, 0).data().toString(), QStringLiteral("Tea"));

    fx.ui.setNextAnswer(QStringLiteral("Gold"));
    fx.ui.setNextAnswer(QStringLiteral("40"));
    w.addCommodityAction->trigger();
    w.materialsGrid->setCurrentIndex(w.materialsGrid->model()->index(16, 0));
    fx.ui.setNextAnswer(QStringLiteral("50"));
    w.addMaterialAction->trigger();
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray("[zaladunek]\r\nTea=5\r\nGold=40\r\nSteel=50\r\n"));
    QCOMPARE(fx.ui.prompts().size(), 3);

    w.clearAction->trigger();
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray());
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->index(1, 0).data().toString(), QStringLiteral("TOTAL"));
    QVERIFY(fx.ui.messages().isEmpty());
}

void CargoWindowTest::typedEdits_areSavedAndErrorsShown()
{
    CoreFixture fx;
    writeFile(zaladunekFile(fx), "[zaladunek]\r\nSteel=100\r\n");
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = 50;
    Tf_cargo w(core.cargo(), coreReport(core));
    w.show();
    QAbstractItemModel* list = w.loadingGrid->model();
    const QModelIndex quantity = list->index(0, 1);
    w.loadingGrid->setCurrentIndex(quantity);
    w.loadingGrid->edit(quantity);
    auto* editor = w.loadingGrid->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(QStringLiteral("175"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits through a queued call
    QCOMPARE(quantity.data().toString(), QStringLiteral("175"));
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray("[zaladunek]\r\nSteel=175\r\n"));
    QCOMPARE(list->index(0, 2).data().toString(), QString::fromUtf8("3 × 25"));
    QCOMPARE(list->index(0, 2).data(Qt::ToolTipRole).toString(), QStringLiteral("3 full trips and 25 t"));

    // An error is shown as a message; the file keeps its text.
    list->setData(list->index(0, 1), QStringLiteral("many"));
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    QCOMPARE(fx.ui.messages().size(), 1);
    QVERIFY(fx.ui.messages()[0].contains(QStringLiteral("\"many\"")));
    fx.ui.setNextAnswer(QStringLiteral("A=B"));
    fx.ui.setNextAnswer(QStringLiteral("1"));
    w.addCommodityAction->trigger();
    QCOMPARE(fx.ui.messages().size(), 2);
    QVERIFY(fx.ui.messages()[1].contains(QStringLiteral("\"A=B\"")));
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray("[zaladunek]\r\nSteel=175\r\n"));
}

void CargoWindowTest::selector_followsCore()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    Tf_cargo w(core.cargo(), coreReport(core));
    w.show();
    w.sourceSelector->setFocus();
    QTest::keyClick(w.sourceSelector, Qt::Key_Down);
    QCOMPARE(core.cargo().selectedIndex(), 1);
    QCOMPARE(w.loadingGrid->model()->index(0, 0).data().toString(), QStringLiteral("TOTAL"));
    core.cargo().appendSelectorEntry(QStringLiteral("K7Q-12X"));
    QCOMPARE(w.sourceSelector->count(), 4);
    QCOMPARE(w.sourceSelector->currentText(), QStringLiteral("K7Q-12X"));
    core.cargo().selectEntry(QStringLiteral("My Carrier"));
    QCOMPARE(w.sourceSelector->currentIndex(), 0);
}

void CargoWindowTest::rightClick_keepsTheCurrentRow()
{
    CoreFixture fx;
    writeFile(zaladunekFile(fx), "[zaladunek]\r\nSteel=100\r\nTea=5\r\nGold=1\r\n");
    TessivarCore& c = fx.start();
    Tf_cargo w(c.cargo(), coreReport(c));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.loadingGrid->setCurrentIndex(w.loadingGrid->model()->index(0, 0));
    QSignalSpy menu(w.loadingGrid, &QWidget::customContextMenuRequested);
    // Through the window, as a real click arrives, so that the pop-up menu is asked for too.
    QTest::mouseClick(w.windowHandle(), Qt::RightButton, {},
                      w.loadingGrid->viewport()->mapTo(&w, rowCentre(w.loadingGrid, 2)));
    QCOMPARE(w.loadingGrid->currentIndex().row(), 0);
    QCOMPARE(menu.count(), 1);
    w.loadingMenu->hide();
    QTest::mouseClick(w.loadingGrid->viewport(), Qt::LeftButton, {}, rowCentre(w.loadingGrid, 2));
    QCOMPARE(w.loadingGrid->currentIndex().row(), 2);
}

void CargoWindowTest::find_searchesTheCurrentRow()
{
    CoreFixture fx;
    writeFile(zaladunekFile(fx), "[zaladunek]\r\nSteel=100\r\n");
    TessivarCore& core = fx.start();
    Tf_cargo w(core.cargo(), coreReport(core));
    w.show();
    QSignalSpy shown(&core.lastShopping(), &ShoppingDb::showRequested);
    w.materialsGrid->setCurrentIndex(w.materialsGrid->model()->index(2, 0));
    w.findMaterialAction->trigger();
    QCOMPARE(core.lastShopping().edit_find, QStringLiteral("Ceramic Composites"));
    w.loadingGrid->setCurrentIndex(w.loadingGrid->model()->index(0, 0));
    w.findLoadingAction->trigger();
    QCOMPARE(core.lastShopping().edit_find, QStringLiteral("Steel"));
    // With no row picked there is nothing to look for (the captions are no row).
    w.loadingGrid->setCurrentIndex({});
    w.findLoadingAction->trigger();
    QCOMPARE(core.lastShopping().edit_find, QStringLiteral("Steel"));
    QCOMPARE(shown.count(), 2);
}

void CargoWindowTest::headers_areCaptionsNotRows()
{
    CoreFixture fx;
    writeFile(zaladunekFile(fx), "[zaladunek]\r\nSteel=490\r\n");
    writeFile(fx.journalDir.filePath(QStringLiteral("Cargo.json")),
              R"({"Vessel":"Ship","Inventory":[{"Name":"steel","Name_Localised":"Steel","Count":10}]})");
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = 100;
    core.cargo().hold().read();
    Tf_cargo w(core.cargo(), coreReport(core));
    w.show();
    const auto captions = [](const QTableView* v) {
        QStringList out;
        for (int c = 0; c < v->model()->columnCount(); ++c)
            out.append(v->model()->headerData(c, Qt::Horizontal).toString());
        return out;
    };
    QVERIFY(!w.loadingGrid->horizontalHeader()->isHidden());
    QCOMPARE(captions(w.loadingGrid), (QStringList{"Commodity", "Amount", "Trips"}));
    QCOMPARE(captions(w.holdGrid), (QStringList{"Commodity", "Amount"}));
    const QAbstractItemModel* list = w.loadingGrid->model();
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->index(0, 2).data().toString(), QString::fromUtf8("4 × 90"));
    QCOMPARE(list->index(0, 2).data(Qt::ToolTipRole).toString(), QStringLiteral("4 full trips and 90 t"));
    QVERIFY(!list->index(0, 0).data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(list->index(1, 0).data().toString(), QStringLiteral("TOTAL"));
    QVERIFY(list->index(1, 1).data(Qt::FontRole).value<QFont>().bold());
    const QAbstractItemModel* materials = w.materialsGrid->model();
    QCOMPARE(materials->index(0, 0).data().toString(), QStringLiteral("Basic materials"));
    QCOMPARE(materials->index(21, 0).data().toString(), QStringLiteral("Further materials"));
    QVERIFY(materials->index(21, 0).data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(!(materials->flags(materials->index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(materials->flags(materials->index(1, 0)) & Qt::ItemIsEditable);
    QCOMPARE(w.holdGrid->model()->rowCount(), 1);
    QCOMPARE(w.holdGrid->model()->index(0, 0).data().toString(), QStringLiteral("Steel"));
    // What leaves the program keeps its heading row and its trips text.
    QCOMPARE(core.cargo().loadingList.row(0).mid(0, 2), (QStringList{"TOWAR", "ILOSC"}));
    QCOMPARE(core.cargo().loadingList.cell(1, 2), QStringLiteral("4-90"));
}

void CargoWindowTest::trips_fitTheirColumn_data()
{
    // What happens after the window is shown.
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("totalTrips");
    QTest::newRow("shown with the list") << "nothing"
                                         << "122 × 352";
    QTest::newRow("the list grows while shown") << "grows"
                                                << "122 × 352";
    QTest::newRow("the ship is known after the list") << "ship"
                                                      << "122 × 352";
    // Its own list, shrinking by transfers to the carrier.
    QTest::newRow("the demo's deliveries") << "demo"
                                           << "6 × 182";
}

void CargoWindowTest::trips_fitTheirColumn()
{
    QFETCH(QString, then);
    QFETCH(QString, totalTrips);
    CoreFixture fx;
    // A site's worth of commodities: enough rows for the vertical scroll bar.
    QByteArray file("[zaladunek]\r\n");
    for (int i = 0; i < 24; ++i)
        file += "Commodity " + QByteArray::number(i) + "=" + QByteArray::number(then == "grows" ? 1 : 4000) +
                "\r\n";
    if (then == "demo")
        fx.demoDir = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../data/demo/live");
    else
        writeFile(zaladunekFile(fx), file);
    TessivarCore& core = fx.start();
    if (then != "ship" && then != "demo")
        core.state.DaneStatku.CargoCapacity = 784;
    Tf_cargo w(core.cargo(), coreReport(core));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (then == "grows") {
        QStringList lines;
        for (int i = 0; i < 24; ++i)
            lines.append(QStringLiteral("Commodity %1:4000").arg(i));
        core.cargo().addLines(false, lines);
    } else if (then == "ship") {
        // The Loadout line after the list: every trips cell changes in place.
        core.state.DaneStatku.CargoCapacity = 784;
        core.cargo().refreshTrips();
    } else if (then == "demo") {
        // The window paints between the passes, as in the program.
        fx.pass();
        QCoreApplication::processEvents();
        while (core.demo()->step()) {
            fx.pass();
            QCoreApplication::processEvents();
        }
    }
    QCoreApplication::processEvents();
    const QAbstractItemModel* list = w.loadingGrid->model();
    const int last = list->rowCount() - 1;
    QCOMPARE(list->index(last, 0).data().toString(), QStringLiteral("TOTAL"));
    QCOMPARE(list->index(last, 2).data().toString(), totalTrips);
    // Every trips text, the bold TOTAL's included, fits its cell unelided.
    const int margins = 2 * (w.loadingGrid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (int r = 0; r <= last; ++r) {
        const QModelIndex trips = list->index(r, 2);
        const QFont font = trips.data(Qt::FontRole).value<QFont>().resolve(w.loadingGrid->font());
        const int needed = QFontMetrics(font).horizontalAdvance(trips.data().toString()) + margins;
        QVERIFY2(
            w.loadingGrid->columnWidth(2) >= needed,
            qPrintable(
                QStringLiteral("row %1: %2 < %3").arg(r).arg(w.loadingGrid->columnWidth(2)).arg(needed)));
    }
    // Nothing hides sideways.
    QVERIFY(w.loadingGrid->horizontalHeader()->length() <= w.loadingGrid->viewport()->width());
    QVERIFY(w.loadingGrid->columnWidth(0) > w.loadingGrid->columnWidth(2));
}

QTEST_MAIN(CargoWindowTest)
#include "cargo_window_test.moc"
