#include "common/ReportSink.h"
#include "common/UserInteraction.h"

#include <QTest>

class ReportSinkTest : public QObject
{
    Q_OBJECT
private slots:
    void outsidePass_shownAtOnce();
    void duringPass_shownTogetherOnceItEnds();
};

void ReportSinkTest::outsidePass_shownAtOnce()
{
    ScriptedInteraction ui;
    ReportSink sink(ui);
    sink.report(QStringLiteral("one"));
    QCOMPARE(ui.messages(), QStringList{"one"});
    sink.report(QStringLiteral("two"));
    QCOMPARE(ui.messages(), (QStringList{"one", "two"}));
}

void ReportSinkTest::duringPass_shownTogetherOnceItEnds()
{
    ScriptedInteraction ui;
    ReportSink sink(ui);
    sink.beginPass();
    sink.report(QStringLiteral("first"));
    sink.report(QStringLiteral("second"));
    QVERIFY(ui.messages().isEmpty());
    const QStringList gathered = sink.endPass();
    QCOMPARE(gathered, (QStringList{"first", "second"}));
    sink.showGathered(gathered);
    QCOMPARE(ui.messages(), (QStringList{"first", "second"}));

    // A pass without reports shows nothing, and the next text after it goes at once.
    sink.beginPass();
    sink.showGathered(sink.endPass());
    QCOMPARE(ui.messages().size(), 2);
    sink.report(QStringLiteral("after"));
    QCOMPARE(ui.messages().last(), QStringLiteral("after"));
}

QTEST_GUILESS_MAIN(ReportSinkTest)
#include "report_sink_test.moc"
