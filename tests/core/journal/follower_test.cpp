#include "TestSupport.h"

#include "MainWindowModel.h"
#include "journal/JournalFollower.h"
#include "journal/JournalPass.h"
#include "journal/JournalReader.h"
#include "journal/LogModel.h"

#include <QDateTime>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>

namespace {

// Waits well below the timer's four seconds: a line followed within it was
// followed because the game's write was noticed.
constexpr int kNoticedMs = 1000;

QStringList handlerCalls(const JournalPass& pass)
{
    QStringList out;
    for (const auto& d : pass.dispatched)
        out.append(d.handler + QLatin1Char(':') + d.event);
    return out;
}

void setModified(const QString& path, const QDateTime& t)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
}

// Starts following the way the program does, with the first pass run at once
// (so the timer's next pass is a whole period away).
JournalFollower& follow(TessivarCore& core)
{
    JournalFollower& f = core.follower();
    f.start();
    f.Timer1Timer();
    return f;
}

}  // namespace

class FollowerTest : public QObject
{
    Q_OBJECT
private slots:
    void burstInOneSecondSplitAcrossWrites_dispatchedOnceEachInOrder();
    void replacedJournal_followedAtOnce_data();
    void replacedJournal_followedAtOnce();
    void withoutNotifications_theTimerStillFollows();
    void stoppedTimer_stopsTheFollowing();
    void writeDuringAPass_followedAfterItNotInside();
    void slicedPass_eventLoopRunsBetweenSlices();
};

void FollowerTest::burstInOneSecondSplitAcrossWrites_dispatchedOnceEachInOrder()
{
    CoreFixture fx;
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    writeFile(fx.journalPath(QStringLiteral("Cargo.json")), R"({"Inventory":[]})");
    TessivarCore& core = fx.start();
    JournalFollower& follower = follow(core);
    QVERIFY(follower.watchedPaths().contains(fx.journalPath()));
    QVERIFY(follower.watchedPaths().contains(fx.journalPath(QStringLiteral("Cargo.json"))));
    QSignalSpy passes(&follower, &JournalFollower::passEnded);

    // Every line of the same second; the second write ends in half a line.
    const QByteArray third = journalLine("2025-01-01T10:00:05Z", "Commander", R"("Name":"B")");
    fx.append(journalLine("2025-01-01T10:00:05Z", "Commander", R"("Name":"A")"));
    QTRY_COMPARE_WITH_TIMEOUT(handlerCalls(core.pass()).size(), 1, kNoticedMs);
    fx.append(journalLine("2025-01-01T10:00:05Z", "CarrierStats", R"("Name":"CARRIER")") + third.left(30));
    QTRY_COMPARE_WITH_TIMEOUT(handlerCalls(core.pass()).size(), 2, kNoticedMs);
    fx.append(third.mid(30) + journalLine("2025-01-01T10:00:05Z", "Undocked"));
    QTRY_COMPARE_WITH_TIMEOUT(handlerCalls(core.pass()).size(), 4, kNoticedMs);
    QTest::qWait(50);  // anything late would show now

    QCOMPARE(handlerCalls(core.pass()), (QStringList{"parse_CMDR:Commander", "parse_Carrier:CarrierStats",
                                                     "parse_CMDR:Commander", "undock:Undocked"}));
    QCOMPARE(core.state.dane_CMDR.Name, QStringLiteral("B"));
    // The main window's labels follow in the same pass.
    QCOMPARE(core.mainWindow().commanderName.value_or(QStringLiteral("-/-")), QStringLiteral("B"));
    QCOMPARE(core.mainWindow().carrierName.value_or(QStringLiteral("-/-")), QStringLiteral("CARRIER"));
    QCOMPARE(core.pass().last_time, QStringLiteral("2025-01-01T10:00:05Z"));
    QVERIFY(passes.size() >= 3);
    QCOMPARE(fx.ui.messages(), QStringList());
}

void FollowerTest::replacedJournal_followedAtOnce_data()
{
    QTest::addColumn<QString>("newName");
    // The game started again: a newer journal beside the old one.
    QTest::newRow("new journal file") << QStringLiteral("Journal.2025-01-02T000000.01.log");
    // The followed file replaced under its own name: the watch is armed again
    // on the file now there.
    QTest::newRow("same name") << QStringLiteral("Journal.2025-01-01T000000.01.log");
}

void FollowerTest::replacedJournal_followedAtOnce()
{
    QFETCH(QString, newName);
    CoreFixture fx;
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader") +
              journalLine("2025-01-01T10:00:01Z", "Location", R"("StarSystem":"Old")"));
    setModified(fx.journalPath(), QDateTime::currentDateTimeUtc().addSecs(-60));
    TessivarCore& core = fx.start();
    follow(core);

    // Written aside, then moved into the folder in one step, as a game that
    // replaces files does.
    QTemporaryDir aside;
    const QString staged = aside.filePath(newName);
    writeFile(staged, journalLine("2025-01-02T10:00:00Z", "Fileheader"));
    std::error_code ec;
    std::filesystem::rename(staged.toStdString(), fx.journalPath(newName).toStdString(), ec);
    QVERIFY2(!ec, ec.message().c_str());
    QTRY_COMPARE_WITH_TIMEOUT(core.journal().LastJournalFile, fx.journalPath(newName), kNoticedMs);
    QTRY_COMPARE_WITH_TIMEOUT(core.log().count(), 3, kNoticedMs);

    // The new file is watched in turn: what is appended to it follows at once.
    fx.append(journalLine("2025-01-02T10:00:01Z", "Commander", R"("Name":"Next")"), newName);
    QTRY_COMPARE_WITH_TIMEOUT(core.state.dane_CMDR.Name, QStringLiteral("Next"), kNoticedMs);
    QVERIFY(core.follower().watchedPaths().contains(fx.journalPath(newName)));
}

void FollowerTest::withoutNotifications_theTimerStillFollows()
{
    CoreFixture fx;
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    TessivarCore& core = fx.start();
    JournalFollower& follower = core.follower();
    follower.setWatching(false);
    follower.passMs = 200;
    follow(core);
    QVERIFY(follower.watchedPaths().isEmpty());

    fx.append(journalLine("2025-01-01T10:00:04Z", "Commander", R"("Name":"Timer")"));
    QTRY_COMPARE_WITH_TIMEOUT(core.state.dane_CMDR.Name, QStringLiteral("Timer"), 5000);
    QCOMPARE(handlerCalls(core.pass()), QStringList{"parse_CMDR:Commander"});
}

void FollowerTest::stoppedTimer_stopsTheFollowing()
{
    CoreFixture fx;
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    TessivarCore& core = fx.start();
    JournalFollower& follower = follow(core);
    follower.Timer1.stop();
    QSignalSpy passes(&follower, &JournalFollower::passEnded);
    fx.append(journalLine("2025-01-01T10:00:04Z", "Commander", R"("Name":"Late")"));
    QTest::qWait(100);
    QCOMPARE(passes.size(), 0);
    QCOMPARE(core.state.dane_CMDR.Name, QString());
}

void FollowerTest::writeDuringAPass_followedAfterItNotInside()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Journal.2025-01-01T000000.01.log"));
    writeFile(file, journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    LogModel log;
    JournalReader journal(log, {});
    journal.JournalFolder = dir.path() + QLatin1Char('/');
    journal.LastJournalFile = file;
    int passes = 0;
    int depth = 0;
    int deepest = 0;
    // The second pass turns the event loop (as a prompt or a network wait
    // would) while the game writes: the notification comes inside it.
    JournalFollower follower(journal,
                             [&](bool) {
                                 deepest = std::max(deepest, ++depth);
                                 if (++passes == 2) {
                                     QFile f(file);
                                     if (f.open(QIODevice::Append))
                                         f.write(journalLine("2025-01-01T10:00:02Z", "Music"));
                                     f.close();
                                     QTest::qWait(100);
                                 }
                                 --depth;
                                 return false;
                             },
                             {});
    follower.start();
    follower.Timer1Timer();
    QCOMPARE(passes, 1);
    QFile f(file);
    QVERIFY(f.open(QIODevice::Append));
    f.write(journalLine("2025-01-01T10:00:01Z", "Music"));
    f.close();
    QTRY_COMPARE_WITH_TIMEOUT(passes, 3, kNoticedMs);
    QCOMPARE(deepest, 1);
}

void FollowerTest::slicedPass_eventLoopRunsBetweenSlices()
{
    LogModel log;
    JournalReader journal(log, {});
    QStringList order;
    int slices = 0;
    bool fresh = false;
    JournalFollower follower(journal,
                             [&](bool sameNewest) {
                                 // Only the first slice starts the pass; the rest continue it.
                                 if (slices == 0)
                                     fresh = !sameNewest;
                                 order.append(QStringLiteral("slice %1").arg(++slices));
                                 if (slices == 1)
                                     QTimer::singleShot(0,
                                                        [&order] { order.append(QStringLiteral("timer")); });
                                 return slices < 3;
                             },
                             {});
    QSignalSpy ended(&follower, &JournalFollower::passEnded);
    follower.Timer1Timer();
    QVERIFY(follower.isPassRunning());
    QCOMPARE(ended.count(), 0);
    // A pass asked for meanwhile waits for this one.
    follower.Timer1Timer();
    QCOMPARE(slices, 1);
    QTRY_COMPARE(ended.count(), 1);
    QVERIFY(fresh);
    QCOMPARE(order.mid(0, 4), QStringList({"slice 1", "timer", "slice 2", "slice 3"}));
    QVERIFY(!follower.isPassRunning());
    QCOMPARE(slices, 3);
}

QTEST_GUILESS_MAIN(FollowerTest)
#include "follower_test.moc"
