#include "TestSupport.h"
#include "WindowSet.h"
#include "cargo/CargoModule.h"
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
    QCOMPARE(w.btn_zaladunek_zapisz->text(), QStringLiteral("💾 Save Changes"));
    QCOMPARE(actionTexts(w.PopupZaladunek),
             (QStringList{QStringLiteral("➕ Dodaj własny towar"), QStringLiteral("❌ Usuń towar"),
                          QStringLiteral("📋 Wyczyść listę"), QStringLiteral("-"),
                          QStringLiteral("🔍 Find on markets (local files)")}));
    QCOMPARE(actionTexts(w.PopupMaterialy),
             (QStringList{QStringLiteral("⬅️ Add to loading list"), QStringLiteral("-"),
                          QStringLiteral("🔍 Find on markets (local files)")}));
    // The name takes what the numbers leave: nothing hides sideways.
    QVERIFY(w.sg_zaladunek->columnWidth(0) > w.sg_zaladunek->columnWidth(1));
    QVERIFY(w.sg_zaladunek->horizontalHeader()->length() <= w.sg_zaladunek->viewport()->width());
    QCOMPARE(w.sg_materialy->model()->rowCount(), 57);
    // My Carrier, Trade Missions, Still to buy.
    QCOMPARE(w.Carrier_loading_select->count(), 3);
    QCOMPARE(w.Carrier_loading_select->currentText(), QStringLiteral("My Carrier"));
    // Only the loading list and the materials can be typed into.
    QCOMPARE(w.sg_cargo->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(w.sg_zaladunek->model()->flags(w.sg_zaladunek->model()->index(0, 0)) & Qt::ItemIsEditable);
    QVERIFY(!(w.sg_cargo->model()->flags(w.sg_cargo->model()->index(0, 0)) & Qt::ItemIsEditable));
}

void CargoWindowTest::showing_loadsTheOwnList()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    Tf_cargo w(core.cargo(), coreReport(core));
    writeFile(zaladunekFile(fx), "[zaladunek]\r\nSteel=100\r\n");
    QCOMPARE(w.sg_zaladunek->model()->rowCount(), 2);
    w.show();
    QCOMPARE(w.sg_zaladunek->model()->rowCount(), 3);
    QCOMPARE(w.sg_zaladunek->model()->index(1, 0).data().toString(), QStringLiteral("Steel"));
}

void CargoWindowTest::undo_buttonAndCtrlZ_restoreTheListAndTheFile()
{
    CoreFixture fx;
    const QByteArray file("[zaladunek]\r\nSteel=100\r\nTea=5\r\n");
    writeFile(zaladunekFile(fx), file);
    TessivarCore& core = fx.start();
    Tf_cargo w(core.cargo(), coreReport(core));
    w.show();
    QAbstractItemModel* list = w.sg_zaladunek->model();
    QVERIFY(!w.btn_undo->isEnabled());

    w.Wyczylist1->trigger();
    QCOMPARE(list->rowCount(), 3);  // heading, the blank row, TOTAL 0
    QVERIFY(w.btn_undo->isEnabled());
    QTest::mouseClick(w.btn_undo, Qt::LeftButton);
    QCOMPARE(readFile(zaladunekFile(fx)), file);
    QCOMPARE(list->index(2, 0).data().toString(), QStringLiteral("Tea"));
    QVERIFY(!w.btn_undo->isEnabled());

    w.sg_zaladunek->setCurrentIndex(list->index(1, 0));
    w.Usutowar1->trigger();
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray("[zaladunek]\r\nTea=5\r\n"));
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.sg_zaladunek->setFocus();
    QTest::keyClick(w.sg_zaladunek, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(readFile(zaladunekFile(fx)), file);
    QCOMPARE(list->index(1, 0).data().toString(), QStringLiteral("Steel"));
    QVERIFY(fx.ui.messages().isEmpty());
}

void CargoWindowTest::menus_editTheListAndTheFile()
{
    CoreFixture fx;
    writeFile(zaladunekFile(fx), "[zaladunek]\r\nSteel=100\r\nTea=5\r\n");
    TessivarCore& core = fx.start();
    Tf_cargo w(core.cargo(), coreReport(core));
    w.show();
    QAbstractItemModel* list = w.sg_zaladunek->model();

    w.sg_zaladunek->setCurrentIndex(list->index(1, 0));
    w.Usutowar1->trigger();
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray("[zaladunek]\r\nTea=5\r\n"));
    QCOMPARE(list->index(1, 0).data().toString(), QStringLiteral("Tea"));

    fx.ui.setNextAnswer(QStringLiteral("Gold"));
    fx.ui.setNextAnswer(QStringLiteral("40"));
    w.add->trigger();
    w.sg_materialy->setCurrentIndex(w.sg_materialy->model()->index(16, 0));
    fx.ui.setNextAnswer(QStringLiteral("50"));
    w.Dodajdozaadunku1->trigger();
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray("[zaladunek]\r\nTea=5\r\nGold=40\r\nSteel=50\r\n"));
    QCOMPARE(fx.ui.prompts().size(), 3);

    w.Wyczylist1->trigger();
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray());
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->index(2, 0).data().toString(), QStringLiteral("TOTAL"));
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
    QAbstractItemModel* list = w.sg_zaladunek->model();
    const QModelIndex quantity = list->index(1, 1);
    w.sg_zaladunek->setCurrentIndex(quantity);
    w.sg_zaladunek->edit(quantity);
    auto* editor = w.sg_zaladunek->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(QStringLiteral("175"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits through a queued call
    QCOMPARE(quantity.data().toString(), QStringLiteral("175"));
    QTest::mouseClick(w.btn_zaladunek_zapisz, Qt::LeftButton);
    QCOMPARE(readFile(zaladunekFile(fx)), QByteArray("[zaladunek]\r\nSteel=175\r\n"));
    QCOMPARE(list->index(1, 2).data().toString(), QStringLiteral("3-25"));

    // An error is shown as a message; the file keeps its text.
    list->setData(list->index(1, 1), QStringLiteral("many"));
    QTest::mouseClick(w.btn_zaladunek_zapisz, Qt::LeftButton);
    QCOMPARE(fx.ui.messages().size(), 1);
    QVERIFY(fx.ui.messages()[0].contains(QStringLiteral("\"many\"")));
    fx.ui.setNextAnswer(QStringLiteral("A=B"));
    fx.ui.setNextAnswer(QStringLiteral("1"));
    w.add->trigger();
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
    w.Carrier_loading_select->setFocus();
    QTest::keyClick(w.Carrier_loading_select, Qt::Key_Down);
    QCOMPARE(core.cargo().Carrier_loading_select_index, 1);
    QCOMPARE(w.sg_zaladunek->model()->index(1, 0).data().toString(), QStringLiteral("TOTAL"));
    core.cargo().appendSelectorEntry(QStringLiteral("K7Q-12X"));
    QCOMPARE(w.Carrier_loading_select->count(), 4);
    QCOMPARE(w.Carrier_loading_select->currentText(), QStringLiteral("K7Q-12X"));
    core.cargo().selectEntry(QStringLiteral("My Carrier"));
    QCOMPARE(w.Carrier_loading_select->currentIndex(), 0);
}

void CargoWindowTest::rightClick_keepsTheCurrentRow()
{
    CoreFixture fx;
    writeFile(zaladunekFile(fx), "[zaladunek]\r\nSteel=100\r\nTea=5\r\nGold=1\r\n");
    TessivarCore& c = fx.start();
    Tf_cargo w(c.cargo(), coreReport(c));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.sg_zaladunek->setCurrentIndex(w.sg_zaladunek->model()->index(1, 0));
    QSignalSpy menu(w.sg_zaladunek, &QWidget::customContextMenuRequested);
    // Through the window, as a real click arrives, so that the pop-up menu is asked for too.
    QTest::mouseClick(w.windowHandle(), Qt::RightButton, {},
                      w.sg_zaladunek->viewport()->mapTo(&w, rowCentre(w.sg_zaladunek, 3)));
    QCOMPARE(w.sg_zaladunek->currentIndex().row(), 1);
    QCOMPARE(menu.count(), 1);
    w.PopupZaladunek->hide();
    QTest::mouseClick(w.sg_zaladunek->viewport(), Qt::LeftButton, {}, rowCentre(w.sg_zaladunek, 3));
    QCOMPARE(w.sg_zaladunek->currentIndex().row(), 3);
}

void CargoWindowTest::find_searchesTheCurrentRow()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    Tf_cargo w(core.cargo(), coreReport(core));
    w.show();
    QSignalSpy shown(&core.db(), &ShoppingDb::showRequested);
    w.sg_materialy->setCurrentIndex(w.sg_materialy->model()->index(2, 0));
    w.Findonmarketslocalfiles2->trigger();
    QCOMPARE(core.db().edit_find, QStringLiteral("Ceramic Composites"));
    w.sg_zaladunek->setCurrentIndex(w.sg_zaladunek->model()->index(0, 0));
    w.Findonmarketslocalfiles1->trigger();
    QCOMPARE(core.db().edit_find, QStringLiteral("TOWAR"));
    QCOMPARE(shown.count(), 2);
}

QTEST_MAIN(CargoWindowTest)
#include "cargo_window_test.moc"
