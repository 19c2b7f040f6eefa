#include "TestSupport.h"
#include "WindowSet.h"

#include "mobile/MobileLink.h"
#include "notify/Notifier.h"
#include "settings/SettingsStore.h"
#include "web/WebShare.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_settings.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

class SettingsWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void consentIsStoredOnEveryClose_data();
    void consentIsStoredOnEveryClose();
    void showsTheLoadedConsent();
    void ownerCode_hiddenUntilAskedAndTakenWhenPasted();
    void everySettingInTheWindow();
};

void SettingsWindowTest::consentIsStoredOnEveryClose_data()
{
    QTest::addColumn<bool>("tick");
    QTest::addColumn<int>("how");  // 0 button, 1 window close, 2 Escape
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("untouched, button") << false << 0 << QByteArray("0");
    QTest::newRow("ticked, button") << true << 0 << QByteArray("1");
    QTest::newRow("ticked, title bar") << true << 1 << QByteArray("1");
    QTest::newRow("untouched, Escape") << false << 2 << QByteArray("0");
}

void SettingsWindowTest::consentIsStoredOnEveryClose()
{
    QFETCH(bool, tick);
    QFETCH(int, how);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    Tf_settings w(core.settings(), coreReport(core));
    QCOMPARE(w.windowTitle(), QStringLiteral("SETTINGS"));
    // Every tab has a caption; the first one, General, is shown.
    QCOMPARE(w.tabs->count(), 3);
    QCOMPARE(w.tabs->tabText(1), QStringLiteral("Kelvane"));
    for (int i = 0; i < w.tabs->count(); ++i)
        QVERIFY(!w.tabs->tabText(i).isEmpty());
    QCOMPARE(w.tabs->currentIndex(), 0);
    QCOMPARE(w.btn_close->text(), QStringLiteral("✔️ CLOSE"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (tick)
        w.ch_kvn_consent->click();
    QCOMPARE(core.settings().kvn_consent, tick);
    if (how == 0)
        w.btn_close->click();
    else if (how == 1)
        w.close();
    else
        QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QTEST(readFile(core.settings().path()).mid(QByteArray("[KVN]\r\nkvn_consent=").size(), 1), "stored");
}

void SettingsWindowTest::showsTheLoadedConsent()
{
    CoreFixture fx;
    writeFile(fx.dataDir.filePath(QStringLiteral("settings.ini")), "[KVN]\nkvn_consent=1\n");
    TessivarCore& core = fx.start();
    Tf_settings w(core.settings(), coreReport(core));
    QVERIFY(!w.ch_kvn_consent->isChecked());
    core.settings().applyStoredSettings();
    QVERIFY(w.ch_kvn_consent->isChecked());
}

void SettingsWindowTest::ownerCode_hiddenUntilAskedAndTakenWhenPasted()
{
    CoreFixture fx;
    writeFile(fx.dataDir.filePath(QStringLiteral("settings.ini")), "[KVN]\ncode=Secret-1\n");
    TessivarCore& core = fx.start();
    Tf_settings w(core.settings(), coreReport(core));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.edit_kvn_code->text(), QStringLiteral("Secret-1"));
    QCOMPARE(w.edit_kvn_code->echoMode(), QLineEdit::Password);
    w.btn_show_code->click();
    QCOMPARE(w.edit_kvn_code->echoMode(), QLineEdit::Normal);
    w.btn_show_code->click();
    QCOMPARE(w.edit_kvn_code->echoMode(), QLineEdit::Password);

    // The code of another computer, pasted in, is kept on closing.
    w.edit_kvn_code->setText(QStringLiteral(" Other-2 "));
    w.btn_close->click();
    QCOMPARE(core.settings().storedKvnCode(), QStringLiteral("Other-2"));
    w.show();
    QCOMPARE(w.edit_kvn_code->echoMode(), QLineEdit::Password);
    QCOMPARE(w.edit_kvn_code->text(), QStringLiteral("Other-2"));
}

void SettingsWindowTest::everySettingInTheWindow()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    Tf_settings w(core.settings(), coreReport(core),
                  {&core.mobile(),
                   &core.web(),
                   QString(),
                   {QStringLiteral("/nowhere/Saved Games")},
                   QString(),
                   &core.notifier()});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // No journal found: the folders looked at are listed under the field.
    QVERIFY(w.label_journal_tried->isVisible());
    QVERIFY(w.label_journal_tried->text().contains(QStringLiteral("Saved Games")));

    // Journal folder and hub address: stored for the next start, under their keys.
    w.edit_journal_dir->setText(QStringLiteral("/games/journal"));
    emit w.edit_journal_dir->editingFinished();
    w.edit_hub_url->setText(QStringLiteral("https://hub.example/kvn"));
    emit w.edit_hub_url->editingFinished();
    const StartupSettings next = StartupSettings::read(QFileInfo(core.settings().path()).path());
    QCOMPARE(next.journalDir, QStringLiteral("/games/journal"));
    QCOMPARE(next.hubUrl, QStringLiteral("https://hub.example/kvn"));

    // Phone address and page port: at once.
    QTest::keyClicks(w.edit_phone, QStringLiteral("10.0.0.7"));
    QCOMPARE(core.mobile().address(), QStringLiteral("10.0.0.7"));
    w.spin_web_port->setValue(18999);
    emit w.spin_web_port->editingFinished();
    QCOMPARE(core.web().port(), quint16(18999));
    QVERIFY(readFile(core.settings().path()).contains("port=18999"));

    // Desktop notifications: kept at once, and a switch elsewhere shows here too.
    QVERIFY(w.ch_notify->isChecked());
    w.ch_notify->click();
    QVERIFY(!core.notifier().enabled());
    QVERIFY(readFile(core.settings().path()).contains("notify=0"));
    core.notifier().setEnabled(true);
    QVERIFY(w.ch_notify->isChecked());
}

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
