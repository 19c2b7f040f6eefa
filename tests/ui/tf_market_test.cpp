#include "TestSupport.h"
#include "markets/MarketModule.h"
#include "widgets/WindowParts.h"
#include "windows/Tf_market.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TfMarketTest : public QObject
{
    Q_OBJECT
private slots:
    void window_showsHeadingAndMarketOfDock();
    void closeButton_hidesWindow();
};

void TfMarketTest::window_showsHeadingAndMarketOfDock()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    core.state.dane_systemu.StarSystem = QStringLiteral("Sol <i>");
    core.state.dane_systemu.MarketID = 3702668288ULL;
    core.state.dane_dokowania.StationName = QStringLiteral("T9L-95Z");
    writeFile(
        f.journalDir.filePath(QStringLiteral("Market.json")),
        "{ \"MarketID\":3702668288, \"Items\":[ "
        "{ \"Name_Localised\":\"Meta-Alloys\", \"BuyPrice\":9998677, \"Demand\":0, \"Stock\":448 } ] }");
    Tf_market w(core.market());
    QCOMPARE(w.windowTitle(), QStringLiteral("Market"));
    w.show();
    core.market().przeszukaj_market(f.journalDir.path());

    const QAbstractItemModel* m = w.sg_Market->model();
    QCOMPARE(m->rowCount(), 1);
    QStringList heading;
    for (int c = 0; c < 4; ++c)
        heading.append(m->headerData(c, Qt::Horizontal).toString());
    QCOMPARE(heading, (QStringList{"COMMODITY", "PRICE", "DEMAND", "STOCK"}));
    QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("Meta-Alloys"));
    // Digits grouped in the window, plain in the grid the hub's check reads.
    QCOMPARE(m->index(0, 1).data().toString(), groupedNumber(9998677));
    QCOMPARE(core.market().sg_Market.cell(1, 1), QStringLiteral("9998677"));
    QCOMPARE(w.sg_Market->columnWidth(0), 154);
    QCOMPARE(w.label_market_info->textFormat(), Qt::PlainText);
    QCOMPARE(w.label_market_info->text(), QStringLiteral("🪐 Sol <i>\n🛰️ T9L-95Z\n🆔 3702668288"));
}

void TfMarketTest::closeButton_hidesWindow()
{
    CoreFixture f;
    TessivarCore& c = f.start();
    Tf_market w(c.market());
    w.show();
    QTest::mouseClick(w.btn_close, Qt::LeftButton);
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TfMarketTest)
#include "tf_market_test.moc"
