#include "MainWindowModel.h"
#include "TestSupport.h"
#include "WindowSet.h"
#include "cargo/CargoModule.h"
#include "markets/MarketModule.h"
#include "markets/ShoppingDb.h"
#include "mobile/MobileLink.h"
#include "widgets/WidgetInteraction.h"
#include "widgets/WindowParts.h"
#include "windows/Tf_DB.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
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
    void offersTable_listsMarketsSeenSellingIt();
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

void TfDbTest::offersTable_listsMarketsSeenSellingIt()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    // Two markets opened in the game, both selling liquid oxygen.
    for (const auto& [id, when, station, price] :
         {std::tuple{"128000001", "2025-06-20T20:00:00Z", "Alpha", "10000"},
          std::tuple{"128000002", "2025-06-20T21:00:00Z", "Beta", "900"}}) {
        writeFile(
            f.journalDir.filePath(QStringLiteral("Market.json")),
            QByteArray("{ \"timestamp\":\"") + when + "\", \"MarketID\":" + id + ", \"StationName\":\"" +
                station +
                "\", \"StationType\":\"Orbis\", \"StarSystem\":\"Sol\", \"Items\":[ { "
                "\"Name\":\"$liquidoxygen_name;\", \"Name_Localised\":\"Liquid oxygen\", \"BuyPrice\":" +
                price + ", \"Stock\":500, \"Demand\":0 } ] }");
        core.market().przeszukaj_market(f.journalDir.path());
    }
    Tf_DB w(core.lastShopping(), core.ui(), coreReport(core));
    QCOMPARE(w.marketsView->model()->rowCount(), 2);
    w.edit_find->setText(QStringLiteral("Liquid Oxygen"));
    w.btn_find->click();

    // Never bought: said plainly, with the newest market selling it.
    QVERIFY2(w.label_ww_system->text().contains(QStringLiteral("not bought")),
             qPrintable(w.label_ww_system->text()));
    QVERIFY(w.label_ww_system->text().contains(QStringLiteral("Beta")));
    QVERIFY(w.btn_copy_station->isEnabled());
    const QAbstractItemModel* offers = w.offersView->model();
    QCOMPARE(offers->rowCount(), 2);
    QCOMPARE(offers->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Price"));
    QCOMPARE(offers->index(0, 1).data().toString(), QStringLiteral("Beta"));
    // Prices sort as numbers, not as their texts.
    w.offersView->sortByColumn(3, Qt::AscendingOrder);
    QCOMPARE(offers->index(0, 1).data().toString(), QStringLiteral("Beta"));
    QCOMPARE(offers->index(1, 3).data().toString(), groupedNumber(10000));
    QVERIFY(!w.label_offers->isVisibleTo(&w));
}

QTEST_MAIN(TfDbTest)
#include "tf_db_test.moc"
