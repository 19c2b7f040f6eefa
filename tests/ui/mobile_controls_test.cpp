#include "TestSupport.h"

#include "MainWindowModel.h"
#include "WindowSet.h"
#include "markets/ShoppingDb.h"
#include "mobile/MobileLink.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_DB.h"
#include "windows/Tf_ED.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class MobileControlsTest : public QObject
{
    Q_OBJECT
private slots:
    void activeBoxFollowsTheLink();
};

void MobileControlsTest::activeBoxFollowsTheLink()
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
    windows.Timer1.stop();
    MobileLink& link = core.mobile();
    link.Listen_server.stop();
    QTcpServer phone;
    QVERIFY(phone.listen(QHostAddress::LocalHost, 0));
    link.setPort(phone.serverPort());

    Tf_ED& ed = *windows.f_ED;
    QVERIFY(!ed.ch_wysylaj->isEnabled());  // until the first dispatch
    core.mobile().enableActiveBox();
    // No address of anyone's device to start with: an empty field with a
    // hint, and Active cannot be ticked while it is empty.
    QVERIFY(ed.edit_mobile_ip->text().isEmpty());
    QVERIFY(!ed.edit_mobile_ip->placeholderText().isEmpty());
    QVERIFY(!ed.ch_wysylaj->isEnabled());
    QTest::keyClicks(ed.edit_mobile_ip, QStringLiteral("10.0.0.5"));
    QVERIFY(ed.ch_wysylaj->isEnabled());
    ed.edit_mobile_ip->selectAll();
    QTest::keyClick(ed.edit_mobile_ip, Qt::Key_Delete);
    QVERIFY(core.mobile().address().isEmpty());
    QVERIFY(!ed.ch_wysylaj->isEnabled());
    // Ticked anyway (by the model's own click), the box unticks again.
    link.ch_wysylajClick(true);
    QVERIFY(!ed.ch_wysylaj->isChecked());
    QCOMPARE(link.state(), MobileLink::LinkState::Off);

    QTest::keyClicks(ed.edit_mobile_ip, QStringLiteral("127.0.0.1"));
    ed.ch_wysylaj->click();
    QVERIFY(ed.ch_wysylaj->isChecked());
    QVERIFY(QTest::qWaitFor([&] { return link.isConnected(); }, 5000));
    QVERIFY(phone.hasPendingConnections() || phone.waitForNewConnection(5000));
    QTcpSocket* conn = phone.nextPendingConnection();
    while (conn->bytesAvailable() < 5 && conn->waitForReadyRead(5000)) {
    }
    QVERIFY(conn->readLine().startsWith("system:"));

    QCOMPARE(ed.label_mobile_state->text(), QStringLiteral("Link: connected"));

    // The phone's searches, even a flood of them, update the result without
    // raising a window over the game; the person opens it when they choose.
    QByteArray flood;
    for (int i = 0; i < 200; ++i)
        flood += "find:Gold " + QByteArray::number(i) + "\n";
    conn->write(flood);
    conn->flush();
    QVERIFY(QTest::qWaitFor([&] { return link.waitingRequestBytes() >= flood.size(); }, 5000));
    for (int i = 0; i < 200; ++i)
        link.Listen_serverTimer();
    QCOMPARE(core.lastShopping().edit_find, QStringLiteral("Gold 199"));
    QVERIFY(!windows.f_DB->isVisible());

    ed.ch_wysylaj->click();
    QVERIFY(!ed.ch_wysylaj->isChecked());
    QCOMPARE(link.state(), MobileLink::LinkState::ListeningOnly);
    QCOMPARE(ed.label_mobile_state->text(), QStringLiteral("Link: connected, not sending"));

    // The phone goes away: the window says so beside the box that is still ticked.
    ed.ch_wysylaj->click();
    conn->abort();
    QVERIFY(QTest::qWaitFor([&] { return !link.isConnected(); }, 5000));
    QVERIFY(ed.ch_wysylaj->isChecked());
    QCOMPARE(ed.label_mobile_state->text(), QStringLiteral("Link: lost; tick Active to retry"));
    ed.ch_wysylaj->click();
    QCOMPARE(ed.label_mobile_state->text(), QStringLiteral("Link: off"));
}

QTEST_MAIN(MobileControlsTest)
#include "mobile_controls_test.moc"
