#include "TestSupport.h"

#include "WindowSet.h"
#include "common/NoticeModel.h"
#include "common/ReportSink.h"
#include "journal/JournalPass.h"
#include "widgets/NoticeStrip.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_ED.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QToolButton>

class NoticeStripTest : public QObject
{
    Q_OBJECT
private slots:
    void hundredRepeats_oneLineWithItsCount();
    void mainWindow_stripAtTheFoot_passFaultsNoBox();
    void boxesForThePlayer_countRepeatsAndFitTheScreen();
};

void NoticeStripTest::hundredRepeats_oneLineWithItsCount()
{
    NoticeModel notices;
    QWidget window;
    NoticeStrip strip(notices, &window);
    strip.resize(900, strip.sizeHint().height());
    window.show();
    QVERIFY(!strip.isVisible());

    const QString text =
        QStringLiteral("Cannot read /home/cmdr/journal/Market.json: No such file or directory");
    for (int i = 0; i < 100; ++i)
        notices.add(text);
    QVERIFY(strip.isVisible());
    QCOMPARE(notices.notices().size(), 1);
    QVERIFY2(strip.lineText().contains(text), qPrintable(strip.lineText()));
    QVERIFY2(strip.lineText().contains(QStringLiteral("100 times")), qPrintable(strip.lineText()));
    // One line, whatever came: never taller than a line of text and its button.
    const int lineHeight = strip.label_notice->fontMetrics().height();
    QVERIFY(strip.sizeHint().height() <= std::max(lineHeight, strip.btn_dismiss->sizeHint().height()) + 4);

    // A long text several lines long is elided on one line, whole in the tooltip.
    notices.add(
        QStringLiteral("Sending to the mobile app failed: %1\nUntick and tick \"Active\" to connect again.")
            .arg(QString(300, QLatin1Char('x'))));
    strip.resize(400, strip.height());
    QVERIFY(!strip.label_notice->text().contains(QLatin1Char('\n')));
    QVERIFY(strip.label_notice->fontMetrics().horizontalAdvance(strip.label_notice->text()) <=
            strip.label_notice->width());
    QVERIFY(strip.label_notice->toolTip().contains(QStringLiteral("100 times")));
    QVERIFY(strip.label_notice->toolTip().contains(QString(300, QLatin1Char('x'))));
    QVERIFY(strip.lineText().contains(QStringLiteral("1 more")));

    QTest::mouseClick(strip.btn_dismiss, Qt::LeftButton);
    QVERIFY(notices.isEmpty());
    QVERIFY(!strip.isVisible());
}

void NoticeStripTest::mainWindow_stripAtTheFoot_passFaultsNoBox()
{
    QTemporaryDir journal;
    QTemporaryDir data;
    WidgetInteraction ui;
    ui.setRecordOnly(true);
    AppPaths paths;
    paths.journalDir = journal.path();
    paths.dataDir = data.path();
    TessivarCore core(paths, StartupSettings{}, ui);
    WindowSet windows(core, ui);
    QVERIFY(windows.strip);
    QCOMPARE(windows.strip->parentWidget(), windows.f_ED);
    QLayout* layout = windows.f_ED->layout();
    QCOMPARE(layout->itemAt(layout->count() - 1)->widget(), windows.strip);

    // A market seen before its file exists is no fault; a file that cannot be
    // read is, once per pass, and stays one line on the strip.
    const QString file = journal.filePath(QStringLiteral("Journal.2025-01-01T000000.01.log"));
    writeFile(file, journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    windows.Timer1Timer();
    writeFile(journal.filePath(QStringLiteral("Cargo.json")), R"({"Inventory":[]})");
    for (int i = 0; i < 3; ++i) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::Append));
        f.write(journalLine("2025-01-01T10:00:05Z", "Market", R"("MarketID":128)"));
        f.close();
        windows.Timer1Timer();
    }
    QVERIFY2(core.notices().isEmpty(), qPrintable(NoticeModel::line(core.notices().notices().value(0))));
    QVERIFY(QDir(journal.path()).mkdir(QStringLiteral("Market.json")));  // a folder cannot be read as one
    for (int i = 0; i < 17; ++i) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::Append));
        f.write(journalLine("2025-01-01T10:00:06Z", "Market", R"("MarketID":128)"));
        f.close();
        windows.Timer1Timer();
    }
    QVERIFY2(ui.messages().isEmpty(), qPrintable(ui.messages().join(QLatin1Char('\n'))));
    QCOMPARE(core.notices().notices().size(), 1);
    QCOMPARE(core.notices().notices()[0].count, 17);
    QVERIFY(core.notices().notices()[0].text.contains(QStringLiteral("Market.json")));
    QVERIFY(windows.f_ED->findChildren<QMessageBox*>().isEmpty());
    windows.f_ED->show();
    QVERIFY(windows.strip->isVisible());
    if (const QScreen* screen = windows.f_ED->screen())
        QVERIFY(windows.f_ED->sizeHint().height() <= screen->availableGeometry().height());
}

void NoticeStripTest::boxesForThePlayer_countRepeatsAndFitTheScreen()
{
    QWidget parent;
    WidgetInteraction ui;
    ui.setParentWidget(&parent);
    ui.showMessage(QStringLiteral("first"));
    QMessageBox* box = ui.openBox();
    QVERIFY(box);
    // What comes while a box is open waits for it, each text once with its count.
    for (int i = 0; i < 17; ++i)
        ui.showMessage(QStringLiteral("Cannot read Market.json"));
    box->done(QMessageBox::Ok);
    box = ui.openBox();
    QVERIFY(box);
    QCOMPARE(box->text(), QStringLiteral("Cannot read Market.json\n(17 times)"));
    for (int i = 0; i < 40; ++i)
        ui.showMessage(QStringLiteral("fault %1").arg(i));
    box->done(QMessageBox::Ok);
    box = ui.openBox();
    QVERIFY(box);
    QVERIFY(box->text().count(QLatin1Char('\n')) <= 13);
    QVERIFY(box->detailedText().contains(QStringLiteral("fault 39")));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        QVERIFY(box->sizeHint().height() <= screen->availableGeometry().height());
    box->done(QMessageBox::Ok);
}

QTEST_MAIN(NoticeStripTest)
#include "notice_strip_test.moc"
