#include "MainWindowModel.h"
#include "TestSupport.h"
#include "common/NoticeModel.h"
#include "common/ReportSink.h"
#include "common/UserInteraction.h"
#include "journal/JournalPass.h"
#include "journal/JournalReader.h"
#include "journal/LogModel.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// A handler connected to one of a pass's signals fails: it reports at its own
// edge, and the pass goes on with every line and every later signal. Built
// from the pass's own pieces only, without a core.
class PassSignalsTest : public QObject
{
    Q_OBJECT
private slots:
    void failingHandler_reportedAndThePassGoesOn_data();
    void failingHandler_reportedAndThePassGoesOn();
};

void PassSignalsTest::failingHandler_reportedAndThePassGoesOn_data()
{
    QTest::addColumn<QString>("signal");
    for (const char* s : {"settingsDue", "phoneUpdateDue", "holdSnapshotDue", "dockInfoRead"})
        QTest::newRow(s) << QString::fromLatin1(s);
}

void PassSignalsTest::failingHandler_reportedAndThePassGoesOn()
{
    QFETCH(QString, signal);
    QTemporaryDir journalDir;
    writeFile(journalDir.filePath(QStringLiteral("Journal.2030-01-01T000000.01.log")),
              journalLine("2030-01-01T00:00:00Z", "Fileheader") +
                  journalLine("2030-01-01T00:00:01Z", "Music") +
                  journalLine("2030-01-01T00:00:02Z", "Music"));

    ScriptedInteraction ui;
    NoticeModel notices;
    ReportSink reports(ui, notices);
    GameState state;
    LogModel log;
    JournalReader journal(log, [&reports](const QString& t) { reports.report(t); });
    journal.JournalFolder = journalDir.path() + QLatin1Char('/');
    MainWindowModel mainWindow(state, ui, reports, QString(), [] { return false; });
    int musicLines = 0;
    DispatchTable routes;
    routes.push_back({1,
                      "Music",
                      DispatchGate::Always,
                      {},
                      {{"count", [&](const QByteArray&) { ++musicLines; }}},
                      "music"});
    JournalPass pass(std::move(routes), journal, log, mainWindow, state, reports);

    const auto fail =
        reports.edge([signal](auto&&...) { throw TessivarError(signal + QStringLiteral(" failed")); });
    if (signal == QLatin1String("settingsDue"))
        connect(&pass, &JournalPass::settingsDue, &pass, fail);
    else if (signal == QLatin1String("phoneUpdateDue"))
        connect(&pass, &JournalPass::phoneUpdateDue, &pass, fail);
    else if (signal == QLatin1String("holdSnapshotDue"))
        connect(&pass, &JournalPass::holdSnapshotDue, &pass, fail);
    else
        connect(&pass, &JournalPass::dockInfoRead, &pass, fail);
    QSignalSpy dock(&pass, &JournalPass::dockInfoRead);
    QSignalSpy dispatched(&pass, &JournalPass::batchDispatched);

    pass.Timer1Timer();

    // Reported once per emit (the phone is told after each Music line).
    const int times = signal == QLatin1String("phoneUpdateDue") ? 2 : 1;
    QStringList expected;
    for (int i = 0; i < times; ++i)
        expected.append(signal + QStringLiteral(" failed"));
    QCOMPARE(pass.lastReport, expected);
    QVERIFY(ui.messages().isEmpty());  // a pass's faults go to the strip, not a box
    QCOMPARE(musicLines, 2);
    QCOMPARE(dispatched.count(), 1);
    QCOMPARE(dock.count(), 1);
    QCOMPARE(pass.last_time, QStringLiteral("2030-01-01T00:00:02Z"));
}

QTEST_GUILESS_MAIN(PassSignalsTest)
#include "pass_signals_test.moc"
