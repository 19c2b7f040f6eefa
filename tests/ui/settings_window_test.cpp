#include "TestSupport.h"
#include "WindowSet.h"

#include "settings/SettingsStore.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_settings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
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
    QCOMPARE(w.tabs->count(), 2);
    QCOMPARE(w.tabs->tabText(1), QStringLiteral("Kelvane"));
    QCOMPARE(w.tabs->currentIndex(), 1);
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
    core.settings().load_settings();
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

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
