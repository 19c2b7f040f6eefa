#include "common/NoticeModel.h"
#include "common/ReportSink.h"
#include "common/UserInteraction.h"

#include <QSignalSpy>
#include <QTest>

class ReportSinkTest : public QObject
{
    Q_OBJECT
private slots:
    void outsidePass_shownAtOnce();
    void duringPass_goesToTheStrip();
    void repeatedFailure_oneStripLineWithCount();
    void strip_keepsTheNewestFew();
};

void ReportSinkTest::outsidePass_shownAtOnce()
{
    ScriptedInteraction ui;
    NoticeModel notices;
    ReportSink sink(ui, notices);
    sink.report(QStringLiteral("one"));
    QCOMPARE(ui.messages(), QStringList{"one"});
    sink.report(QStringLiteral("two"));
    QCOMPARE(ui.messages(), (QStringList{"one", "two"}));
    QVERIFY(notices.isEmpty());
}

void ReportSinkTest::duringPass_goesToTheStrip()
{
    ScriptedInteraction ui;
    NoticeModel notices;
    ReportSink sink(ui, notices);
    sink.beginPass();
    sink.report(QStringLiteral("first"));
    sink.report(QStringLiteral("second"));
    const QStringList gathered = sink.endPass();
    QCOMPARE(gathered, (QStringList{"first", "second"}));
    QVERIFY(ui.messages().isEmpty());
    QCOMPARE(notices.notices().size(), 2);
    QCOMPARE(notices.notices()[0].text, QStringLiteral("first"));
    QCOMPARE(notices.notices()[1].text, QStringLiteral("second"));

    // After the pass, what the person started gets its box again; what came on its own does not.
    sink.report(QStringLiteral("after"));
    QCOMPARE(ui.messages(), QStringList{"after"});
    sink.notice(QStringLiteral("background"));
    QCOMPARE(ui.messages().size(), 1);
    QCOMPARE(notices.notices().last().text, QStringLiteral("background"));
}

void ReportSinkTest::repeatedFailure_oneStripLineWithCount()
{
    ScriptedInteraction ui;
    NoticeModel notices;
    ReportSink sink(ui, notices);
    QSignalSpy changed(&notices, &NoticeModel::changed);
    const QDateTime start(QDate(2026, 1, 2), QTime(10, 0, 0));
    sink.notice(QStringLiteral("other"));
    for (int i = 0; i < 100; ++i) {
        // Half of them from journal passes, half from the background.
        if (i % 2 == 0) {
            sink.beginPass();
            notices.add(QStringLiteral("Cannot read Market.json"), start.addSecs(i));
            sink.endPass();
        } else {
            sink.notice(QStringLiteral("Cannot read Market.json"));
        }
    }
    QVERIFY(ui.messages().isEmpty());
    QCOMPARE(notices.notices().size(), 2);
    const NoticeModel::Notice& n = notices.notices().last();
    QCOMPARE(n.text, QStringLiteral("Cannot read Market.json"));
    QCOMPARE(n.count, 100);
    QVERIFY(n.last >= start.addSecs(98));
    QVERIFY(NoticeModel::line(n).contains(QStringLiteral("100")));
    QCOMPARE(changed.size(), 101);

    sink.beginPass();
    for (int i = 0; i < 5; ++i)
        sink.report(QStringLiteral("other"));
    sink.endPass();
    QCOMPARE(notices.notices().size(), 2);
    QCOMPARE(notices.notices().last().text, QStringLiteral("other"));
    QCOMPARE(notices.notices().last().count, 6);
}

void ReportSinkTest::strip_keepsTheNewestFew()
{
    NoticeModel notices;
    for (int i = 0; i < 3 * NoticeModel::kMaxNotices; ++i)
        notices.add(QStringLiteral("fault %1").arg(i));
    QCOMPARE(notices.notices().size(), NoticeModel::kMaxNotices);
    QCOMPARE(notices.notices().last().text, QStringLiteral("fault %1").arg(3 * NoticeModel::kMaxNotices - 1));
    notices.add(QStringLiteral("  "));
    QCOMPARE(notices.notices().size(), NoticeModel::kMaxNotices);
    notices.clear();
    QVERIFY(notices.isEmpty());
}

QTEST_GUILESS_MAIN(ReportSinkTest)
#include "report_sink_test.moc"
