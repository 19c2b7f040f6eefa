#include "TestSupport.h"

#include "web/WebShare.h"
#include "widgets/WebSharePanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

class WebSharePanelTest : public QObject
{
    Q_OBJECT
private slots:
    void switchSharesAndShowsAddressWithQrCode();
};

void WebSharePanelTest::switchSharesAndShowsAddressWithQrCode()
{
    CoreFixture fx;
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    writeFile(fx.dataDir.filePath(QStringLiteral("settings.ini")),
              "[web]\r\nlocal_only=1\r\nport=" + QByteArray::number(port) + "\r\n");
    TessivarCore& core = fx.start();
    WebSharePanel panel(core.web());
    QVERIFY(!panel.ch_share->isChecked());
    QVERIFY(panel.label_address->text().isEmpty());
    QVERIFY(!panel.btn_new_address->isEnabled());

    panel.ch_share->click();
    const QString token = core.web().token();
    QCOMPARE(token.size(), 32);
    QCOMPARE(panel.label_address->text(), QStringLiteral("http://127.0.0.1:%1/%2/").arg(port).arg(token));
    QVERIFY(!panel.image_qr->pixmap().isNull());
    const QByteArray ini = readFile(fx.dataDir.filePath(QStringLiteral("settings.ini")));
    QVERIFY(ini.contains("share=1"));
    QVERIFY(ini.contains("token=" + token.toLatin1()));

    panel.btn_new_address->click();
    QVERIFY(core.web().token() != token);
    QVERIFY(panel.label_address->text().endsWith(core.web().token() + QLatin1Char('/')));

    panel.ch_share->click();
    QVERIFY(!core.web().isListening());
    QVERIFY(panel.label_address->text().isEmpty());
    QVERIFY(readFile(fx.dataDir.filePath(QStringLiteral("settings.ini"))).contains("share=0"));
}

QTEST_MAIN(WebSharePanelTest)
#include "web_share_panel_test.moc"
