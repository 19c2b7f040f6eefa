// The way to the hub alone (no core): forms sent to a running tessivar-hub,
// and failures reported by who asked for the request.
#include "HubProtocol.h"
#include "TestSupport.h"
#include "common/NoticeModel.h"
#include "common/ReportSink.h"
#include "common/UserInteraction.h"
#include "hub/HubTransport.h"
#include "hub/VersionCheck.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kWait = 10000;

struct Sinks
{
    ScriptedInteraction ui;
    NoticeModel notices;
    ReportSink reports{ui, notices};
};

}  // namespace

class HubTransportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
#ifndef TESSIVAR_HUB
        QSKIP("tessivar-hub is not built");
#else
        if (!QFileInfo::exists(QStringLiteral(TESSIVAR_HUB)))
            QSKIP("tessivar-hub is not built");
        m_url = startHub(m_hub, QStringLiteral(TESSIVAR_HUB),
                         {QStringLiteral("--db"), m_dir.filePath(QStringLiteral("hub.sqlite")),
                          QStringLiteral("--version-text"), QStringLiteral("9.9.9.9")});
        QVERIFY(!m_url.isEmpty());
#endif
    }

    void cleanupTestCase()
    {
        if (m_hub.state() != QProcess::NotRunning) {
            m_hub.kill();
            m_hub.waitForFinished(kWait);
        }
    }

    void post_answersInTheOrderAsked()
    {
        Sinks s;
        HubTransport hub(m_url, s.reports);
        QCOMPARE(hub.endpointUrl(), m_url + QString(HubProtocol::kDefaultPath));
        QStringList answers;
        const FormFields version{
            {QString(HubProtocol::Field::kAct), QString(HubProtocol::Act::kCheckVersion)}};
        const FormFields orders{{QString(HubProtocol::Field::kAct), QString(HubProtocol::Act::kListOrders)}};
        hub.post(version, HubTransport::Origin::User, [&](const QString& a) { answers.append(a); });
        hub.post(orders, HubTransport::Origin::User, [&](const QString& a) { answers.append(a); });
        QVERIFY(hub.waitForIdle(kWait));
        QCOMPARE(answers, (QStringList{QStringLiteral("9.9.9.9"), QStringLiteral("[]")}));
        QCOMPARE(s.ui.messages(), QStringList());
    }

    void unreadableAnswer_isAFailure()
    {
        Sinks s;
        HubTransport hub(m_url, s.reports);
        bool ran = false;
        hub.post(
            {{QString(HubProtocol::Field::kAct), QString(HubProtocol::Act::kCheckVersion)}},
            HubTransport::Origin::User, [&](const QString&) { ran = true; },
            [](const QString& a) { return QStringLiteral("not wanted: ") + a; });
        QVERIFY(hub.waitForIdle(kWait));
        QVERIFY(!ran);
        QCOMPARE(s.ui.messages(),
                 QStringList{QStringLiteral("Kelvane hub (check_version): not wanted: 9.9.9.9")});
    }

    void failures_reportedByOrigin()
    {
        Sinks s;
        HubTransport hub(unusedLoopbackUrl(), s.reports);
        const FormFields form{{QString(HubProtocol::Field::kAct), QString(HubProtocol::Act::kListOrders)}};
        // Nobody clicked: one notice however often it fails.
        for (int i = 0; i < 3; ++i)
            hub.post(form, HubTransport::Origin::Automatic, {});
        QVERIFY(hub.waitForIdle(kWait));
        QCOMPARE(s.ui.messages(), QStringList());
        QCOMPARE(s.notices.notices().size(), 1);
        QCOMPARE(s.notices.notices()[0].count, 1);
        QVERIFY(s.notices.notices()[0].text.startsWith(QStringLiteral("Kelvane hub (get_kvn): ")));
        // The person asked: a box each time.
        hub.post(form, HubTransport::Origin::User, {});
        QVERIFY(hub.waitForIdle(kWait));
        QCOMPARE(s.ui.messages().size(), 1);
    }

    void versionCheck_announcesAnotherVersion()
    {
        Sinks s;
        HubTransport hub(m_url, s.reports);
        VersionCheck check(hub);
        QStringList announced;
        connect(&check, &VersionCheck::newVersionAnnounced, this,
                [&](const QString& caption) { announced.append(caption); });
        check.check();
        QVERIFY(hub.waitForIdle(kWait));
        QCOMPARE(announced, QStringList{QStringLiteral("New version available: 9.9.9.9")});
        QCOMPARE(check.newVersionCaption(), announced.value(0));
    }

    void noEndpoint_saysWhy_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("note");
        QTest::newRow("none") << QString() << QStringLiteral("No Kelvane hub address is configured");
        QTest::newRow("not http") << QStringLiteral("ftp://h/") << QStringLiteral("is not an http://");
    }

    void noEndpoint_saysWhy()
    {
        QFETCH(QString, configured);
        QFETCH(QString, note);
        Sinks s;
        HubTransport hub(configured, s.reports);
        QVERIFY(!hub.hasEndpoint());
        QVERIFY2(hub.endpointNote().contains(note), qPrintable(hub.endpointNote()));
    }

private:
    QTemporaryDir m_dir;
    QProcess m_hub;
    QString m_url;
};

QTEST_GUILESS_MAIN(HubTransportTest)
#include "hub_transport_test.moc"
