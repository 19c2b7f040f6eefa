#include "MainWindowModel.h"
#include "TestSupport.h"
#include "WindowSet.h"
#include "cargo/CargoModule.h"
#include "markets/ShoppingDb.h"
#include "mobile/MobileLink.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_DB.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

const QByteArray kStore = "[liquidoxygen]\r\n"
                          "System_Name=Capricorni Sector OS-U c2-13\r\n"
                          "System_Adres=3657198080754\r\n"
                          "Station_Name=<b>Kawasato's Pride</b>\r\n"
                          "Station_Distance=540.377125\r\n"
                          "Station_Type=CraterOutpost [L]\r\n"
                          "MarketID=4241957379\r\n"
                          "Price=121\r\n"
                          "Count=1\r\n"
                          "[steel]\r\nPrice=1\r\n";

}  // namespace

class TfDbTest : public QObject
{
    Q_OBJECT
private slots:
    void window_beforeFirstSearch_showsHintsNotNames();
    void findButton_showsResultAsPlainText();
    void copyButtons_copyFieldsWithoutPrefix();
    void closeButton_hidesWindow();
    void hidingByAnyMeans_tellsThePhone_data();
    void hidingByAnyMeans_tellsThePhone();
    void findCommodity_showsWindowFromAnyEntryPoint();
};

void TfDbTest::window_beforeFirstSearch_showsHintsNotNames()
{
    CoreFixture f;
    TessivarCore& c = f.start();
    Tf_DB w(c.lastShopping(), c.ui(), coreReport(c));
    // The title names the tool; no designer's names anywhere before a search.
    QVERIFY(w.windowTitle().contains(QStringLiteral("Last Shopping")));
    // No empty placeholder tab: the search and the markets seen.
    QCOMPARE(w.tabs->count(), 2);
    QCOMPARE(w.tabs->tabText(1), QStringLiteral("Markets"));
    QCOMPARE(w.tabs->tabText(w.tabs->currentIndex()), QStringLiteral("Last Shopping"));
    QCOMPARE(w.edit_find->text(), QString());
    QCOMPARE(w.edit_find->placeholderText(), QStringLiteral("Commodity name"));
    for (const QLabel* l : w.findChildren<QLabel*>())
        QVERIFY2(!l->text().startsWith(QStringLiteral("label_")), qPrintable(l->text()));
    QVERIFY(!w.btn_copy_system->isEnabled());

    // Not found: one line naming the commodity, nothing to copy.
    w.edit_find->setText(QStringLiteral("Unobtainium"));
    w.btn_find->click();
    QVERIFY(w.label_ww_system->text().contains(QStringLiteral("Unobtainium")));
    QVERIFY(w.label_ww_price->text().isEmpty());
    QVERIFY(!w.btn_copy_system->isEnabled());
    QVERIFY(!w.btn_copy_marketid->isEnabled());
    QCOMPARE(w.btn_copy_marketid->text(), QStringLiteral("📋 Copy"));
    QCOMPARE(w.btn_close->text(), QStringLiteral("✔️ CLOSE"));
}

void TfDbTest::findButton_showsResultAsPlainText()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    writeFile(core.lastShopping().storePath(), kStore);
    core.cargo().loadingList.setAll({{"TOWAR", "ILOSC", ""}, {"Steel", "100", ""}});
    Tf_DB w(core.lastShopping(), core.ui(), coreReport(core));
    w.show();
    w.edit_find->clear();
    QTest::keyClicks(w.edit_find, QStringLiteral("Liquid Oxygen"));
    QTest::mouseClick(w.btn_find, Qt::LeftButton);

    QCOMPARE(core.lastShopping().Wynik_wyszukiwania.ItemType, QStringLiteral("liquidoxygen"));
    QCOMPARE(w.label_ww_station->text(), QStringLiteral("🛰️ <b>Kawasato's Pride</b>"));
    QCOMPARE(w.label_ww_station->textFormat(), Qt::PlainText);
    QCOMPARE(w.label_ww_distance->text(), QStringLiteral("📍540Ls"));
    QCOMPARE(w.label_ww_price->text(), QStringLiteral("💰121CR (Buying: 1)"));
    QCOMPARE(w.label_ww_also_needed->text(), QStringLiteral("✅ [FC] Steel; \n✅ [CON] "));
    QVERIFY(f.ui.messages().isEmpty());
}

void TfDbTest::copyButtons_copyFieldsWithoutPrefix()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    writeFile(core.lastShopping().storePath(), kStore);
    Tf_DB w(core.lastShopping(), core.ui(), coreReport(core));
    core.lastShopping().findCommodity(QStringLiteral("liquidoxygen"));
    const QList<QPair<QPushButton*, QString>> cases{
        {w.btn_copy_system, QStringLiteral("Capricorni Sector OS-U c2-13")},
        {w.btn_copy_station, QStringLiteral("<b>Kawasato's Pride</b>")},
        {w.btn_copy_marketid, QStringLiteral("4241957379")}};
    for (const auto& [button, copied] : cases) {
        QCOMPARE(button->toolTip(), QStringLiteral("Copy to clipboard"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(f.ui.clipboardText(), copied);
    }
}

void TfDbTest::closeButton_hidesWindow()
{
    CoreFixture f;
    TessivarCore& c = f.start();
    Tf_DB w(c.lastShopping(), c.ui(), coreReport(c));
    w.show();
    QVERIFY(w.isVisible());
    QTest::mouseClick(w.btn_close, Qt::LeftButton);
    QVERIFY(!w.isVisible());
}

void TfDbTest::hidingByAnyMeans_tellsThePhone_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close button") << "button";
    QTest::newRow("title-bar close box") << "close";
    QTest::newRow("main window check box") << "hide";
}

void TfDbTest::hidingByAnyMeans_tellsThePhone()
{
    QFETCH(QString, how);
    QTcpServer phone;
    QVERIFY(phone.listen(QHostAddress::LocalHost, 0));
    CoreFixture f;
    TessivarCore& core = f.start();
    MobileLink& link = core.mobile();
    link.Listen_server.stop();
    link.setPort(phone.serverPort());
    core.mobile().enableActiveBox();
    core.mobile().setAddress(QStringLiteral("127.0.0.1"));
    link.ch_wysylajClick(true);
    QVERIFY(phone.waitForNewConnection(5000));
    QTcpSocket* conn = phone.nextPendingConnection();
    QVERIFY(QTest::qWaitFor([&] { return link.isConnected(); }, 5000));

    Tf_DB w(core.lastShopping(), core.ui(), coreReport(core));
    w.show();
    if (how == QLatin1String("button"))
        QTest::mouseClick(w.btn_close, Qt::LeftButton);
    else if (how == QLatin1String("close"))
        w.close();
    else
        w.hide();
    QVERIFY(!w.isVisible());

    QByteArray received;
    QVERIFY(QTest::qWaitFor(
        [&] {
            received += conn->readAll();
            return received.contains("CMD_close_db\r\n");
        },
        5000));
    QCOMPARE(received.count("CMD_close_db"), 1);
}

void TfDbTest::findCommodity_showsWindowFromAnyEntryPoint()
{
    QTemporaryDir journal;
    QTemporaryDir data;
    WidgetInteraction ui;
    ui.setRecordOnly(true);
    AppPaths paths;
    paths.journalDir = journal.path();
    paths.dataDir = data.path();
    TessivarCore core(paths, {}, ui);
    writeFile(core.lastShopping().storePath(), kStore);
    WindowSet windows(core, ui);
    windows.Timer1.stop();
    QVERIFY(!windows.f_DB->isVisible());

    core.lastShopping().findCommodity(QStringLiteral("Steel"));
    QVERIFY(windows.f_DB->isVisible());
    QCOMPARE(windows.f_DB->edit_find->text(), QStringLiteral("Steel"));
    QCOMPARE(windows.f_DB->label_ww_price->text(), QStringLiteral("💰1CR (Buying: 0)"));
}

QTEST_MAIN(TfDbTest)
#include "tf_db_test.moc"
