#include "MainWindowModel.h"
#include "TestSupport.h"
#include "mobile/MobileLink.h"
#include "settings/SettingsStore.h"
#include "web/WebShare.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString kConsentMessage = QStringLiteral(
    "To activate KVN, you must consent to communication with the external server. Go to Settings.");

}  // namespace

class SettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void writes();
    void load_data();
    void load();
    void load_missingFile_changesNothing();
    void load_runsOnFirstPassOnly();
    void load_usesTheFileAsReadAtStart();
    void hugeFile_notLoadedAndNeverWritten();
    void panelClicks_storeAndShow_data();
    void panelClicks_storeAndShow();
    void kelvane_needsConsent();
    void saveSettings_writesConsent();
    void copyButtons_copyFromGameState();
};

void SettingsTest::writes()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    SettingsStore& s = core.settings();
    QCOMPARE(s.path(), fx.dataDir.filePath(QStringLiteral("settings.ini")));
    s.setValue(SettingKeys::PhoneAddress, QStringLiteral("10.0.0.2"));
    s.setFlag(SettingKeys::ShowSystemInfo, true);
    s.setNumber(SettingKeys::WebPort, -4);
    s.setFlag(SettingKeys::ShowSystemInfo, false);
    QCOMPARE(
        readFile(s.path()),
        QByteArray("[connection]\r\nmobile_ip=10.0.0.2\r\n[windows]\r\nch_bgs=0\r\n[web]\r\nport=-4\r\n"));
}

void SettingsTest::load_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QList<bool>>("panels");  // bgs, cargo, construct
    QTest::addColumn<QString>("carrierName");
    QTest::addColumn<quint64>("carrierId");
    QTest::addColumn<bool>("consent");
    QTest::addColumn<QByteArray>("fileAfter");

    QTest::newRow("only ch_cargo") << QByteArray("[windows]\r\nch_cargo=1\r\n") << ""
                                   << QList<bool>{false, true, false} << "" << quint64(0) << false
                                   << QByteArray("[windows]\r\nch_cargo=1\r\n");
    QTest::newRow("everything")
        << QByteArray("[connection]\nmobile_ip=10.1.1.9\n[windows]\nch_bgs=1\nch_cargo=0\nch_construct=5\n"
                      "[Carrier]\nName=FUXBAU\nCarrierID=3704402432\n[KVN]\nkvn_consent=1\n[CMDR]\nName=X\n")
        << "10.1.1.9" << QList<bool>{true, false, true} << "FUXBAU" << quint64(3704402432) << true
        << QByteArray("[connection]\nmobile_ip=10.1.1.9\n[windows]\nch_bgs=1\nch_cargo=0\nch_construct=1\n"
                      "[Carrier]\nName=FUXBAU\nCarrierID=3704402432\n[KVN]\nkvn_consent=1\n[CMDR]\nName=X\n");
    QTest::newRow("values that are no integers read as defaults")
        << QByteArray("[windows]\nch_bgs=yes\n[Carrier]\nCarrierID=abc\n[KVN]\nkvn_consent=true\n") << ""
        << QList<bool>{false, false, false} << "" << quint64(0) << false
        << QByteArray("[windows]\nch_bgs=yes\n[Carrier]\nCarrierID=abc\n[KVN]\nkvn_consent=true\n");
    QTest::newRow("negative carrier number means none")
        << QByteArray("[Carrier]\nName=Q\nCarrierID=-5\n[KVN]\nkvn_consent=1\n") << ""
        << QList<bool>{false, false, false} << "Q" << quint64(0) << true
        << QByteArray("[Carrier]\nName=Q\nCarrierID=-5\n[KVN]\nkvn_consent=1\n");
    QTest::newRow("empty ip applied")
        << QByteArray("[Connection]\nMOBILE_IP=\n") << "" << QList<bool>{false, false, false} << ""
        << quint64(0) << false << QByteArray("[Connection]\nMOBILE_IP=\n");
}

void SettingsTest::load()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<bool>, panels);
    CoreFixture fx;
    writeFile(fx.dataDir.filePath(QStringLiteral("settings.ini")), file);
    TessivarCore& core = fx.start();
    MainWindowModel& mw = core.mainWindow();
    QSignalSpy shown(&mw, &MainWindowModel::panelVisibilityRequested);
    core.state.dane_carriera.CarrierID = 99;
    core.settings().applyStoredSettings();

    QTEST(core.mobile().address(), "ip");
    const QList<bool> state{mw.isPanelChecked(MainWindowModel::SystemInfoPanel),
                            mw.isPanelChecked(MainWindowModel::CargoPanel),
                            mw.isPanelChecked(MainWindowModel::ConstructionPanel)};
    QCOMPARE(state, panels);
    QCOMPARE(shown.count(), int(panels.count(true)));
    for (const QList<QVariant>& call : std::as_const(shown))
        QVERIFY(call.at(1).toBool());
    QTEST(mw.carrierName.value_or(QStringLiteral("-/-")), "carrierName");
    QTEST(core.state.dane_carriera.CarrierName, "carrierName");
    QTEST(core.state.dane_carriera.CarrierID, "carrierId");
    QTEST(core.settings().kvn_consent, "consent");
    QTEST(readFile(core.settings().path()), "fileAfter");
}

void SettingsTest::load_usesTheFileAsReadAtStart()
{
    CoreFixture fx;
    const QString path = fx.dataDir.filePath(QStringLiteral("settings.ini"));
    writeFile(path, "[Carrier]\r\nName=Read at start\r\n");
    TessivarCore& core = fx.start();
    writeFile(path, "[Carrier]\r\nName=Changed later\r\n");
    core.settings().applyStoredSettings();
    QCOMPARE(core.state.dane_carriera.CarrierName, QStringLiteral("Read at start"));
}

void SettingsTest::hugeFile_notLoadedAndNeverWritten()
{
    // Up to the bound a file is read as usual.
    const QByteArray head = "[Carrier]\r\nName=Big\r\n[web]\r\nshare=1\r\n[notes]\r\n";
    QByteArray edge = head;
    while (edge.size() + 104 <= SettingsFile::kMaxBytes)
        edge += "n=" + QByteArray(100, 'x') + "\r\n";
    edge += QByteArray(SettingsFile::kMaxBytes - edge.size() - 2, 'y') + "\r\n";
    QCOMPARE(edge.size(), SettingsFile::kMaxBytes);
    {
        CoreFixture fx;
        writeFile(fx.dataDir.filePath(QStringLiteral("settings.ini")), edge);
        TessivarCore& core = fx.start();
        core.settings().applyStoredSettings();
        QCOMPARE(core.state.dane_carriera.CarrierName, QStringLiteral("Big"));
        QVERIFY(fx.ui.messages().isEmpty());
    }

    // One byte more and it is not loaded: the program runs on its defaults and says why.
    CoreFixture fx;
    const QString path = fx.dataDir.filePath(QStringLiteral("settings.ini"));
    const QByteArray huge = edge + "z";
    writeFile(path, huge);
    TessivarCore& core = fx.start();
    QCOMPARE(fx.ui.messages().size(), 1);
    QVERIFY2(fx.ui.messages().constFirst().contains(QLatin1String("not loaded")),
             qPrintable(fx.ui.messages().constFirst()));
    core.settings().applyStoredSettings();
    QCOMPARE(core.state.dane_carriera.CarrierName, QString());
    QVERIFY(!core.web().isShared());

    // Nothing the program stores goes over it; the hub code still holds for the run.
    core.settings().setFlag(SettingKeys::ShowSystemInfo, true);
    core.settings().setKvnConsent(true);
    core.settings().storeHubConsent();
    core.web().setShared(true);
    core.web().setShared(false);
    const QString code = core.settings().kvnCode();
    QVERIFY(!code.isEmpty());
    QCOMPARE(core.settings().kvnCode(), code);
    QCOMPARE(readFile(path), huge);
}

void SettingsTest::load_missingFile_changesNothing()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    core.state.dane_carriera.CarrierID = 7;
    core.settings().applyStoredSettings();
    QVERIFY(!core.mainWindow().carrierName);
    QCOMPARE(core.state.dane_carriera.CarrierID, quint64(7));
    QVERIFY(!QFile::exists(core.settings().path()));
}

void SettingsTest::load_runsOnFirstPassOnly()
{
    CoreFixture fx;
    const QString ini = fx.dataDir.filePath(QStringLiteral("settings.ini"));
    writeFile(ini, "[Carrier]\nName=First\n");
    TessivarCore& core = fx.start();
    fx.pass();  // empty journal folder: the settings are still applied
    QCOMPARE(core.state.dane_carriera.CarrierName, QStringLiteral("First"));
    QCOMPARE(core.mainWindow().carrierName.value_or(QStringLiteral("-/-")), QStringLiteral("First"));
    writeFile(ini, "[Carrier]\nName=Second\n");
    fx.pass();
    QCOMPARE(core.state.dane_carriera.CarrierName, QStringLiteral("First"));
}

void SettingsTest::panelClicks_storeAndShow_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("key");  // empty: not stored
    QTest::newRow("SYSTEM INFO") << int(MainWindowModel::SystemInfoPanel) << "ch_bgs";
    QTest::newRow("CARGO") << int(MainWindowModel::CargoPanel) << "ch_cargo";
    QTest::newRow("CONSTRUCTION SITE") << int(MainWindowModel::ConstructionPanel) << "ch_construct";
    // The other windows are kept too, so the next start opens what was open.
    QTest::newRow("DATA BASE") << int(MainWindowModel::DataBasePanel) << "ch_db";
    QTest::newRow("MARKET") << int(MainWindowModel::MarketPanel) << "ch_market";
}

void SettingsTest::panelClicks_storeAndShow()
{
    QFETCH(int, panel);
    QFETCH(QString, key);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    MainWindowModel& mw = core.mainWindow();
    const auto p = MainWindowModel::Panel(panel);
    QSignalSpy shown(&mw, &MainWindowModel::panelVisibilityRequested);
    mw.panelClick(p, true);
    QVERIFY(mw.isPanelChecked(p));
    const QString ini = core.settings().path();
    if (!key.isEmpty())
        QCOMPARE(readFile(ini), QByteArray("[windows]\r\n") + key.toLatin1() + "=1\r\n");
    mw.panelClick(p, false);
    QCOMPARE(shown.count(), 2);
    QCOMPARE(shown.at(0).at(0).value<MainWindowModel::Panel>(), p);
    QVERIFY(shown.at(0).at(1).toBool() && !shown.at(1).at(1).toBool());
    if (key.isEmpty())
        QVERIFY(!QFile::exists(ini));
    else
        QCOMPARE(readFile(ini), QByteArray("[windows]\r\n") + key.toLatin1() + "=0\r\n");

    // The same state again through the settings: no click handling.
    mw.setPanelChecked(p, false);
    QCOMPARE(shown.count(), 2);
    QVERIFY(fx.ui.messages().isEmpty());
}

void SettingsTest::kelvane_needsConsent()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    MainWindowModel& mw = core.mainWindow();
    QSignalSpy shown(&mw, &MainWindowModel::panelVisibilityRequested);
    mw.panelClick(MainWindowModel::KelvanePanel, true);
    // The box shows whether the window is open: it stays unticked.
    QVERIFY(!mw.isPanelChecked(MainWindowModel::KelvanePanel));
    QCOMPARE(shown.count(), 0);
    QCOMPARE(fx.ui.messages(), QStringList{kConsentMessage});

    core.settings().setKvnConsent(true);
    mw.panelClick(MainWindowModel::KelvanePanel, true);
    QVERIFY(mw.isPanelChecked(MainWindowModel::KelvanePanel));
    QCOMPARE(shown.count(), 1);
    QCOMPARE(fx.ui.messages().size(), 1);
    QCOMPARE(readFile(core.settings().path()), QByteArray("[windows]\r\nch_kvn=1\r\n"));
}

void SettingsTest::saveSettings_writesConsent()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    core.settings().storeHubConsent();
    QCOMPARE(readFile(core.settings().path()), QByteArray("[KVN]\r\nkvn_consent=0\r\n"));
    core.settings().setKvnConsent(true);
    core.settings().storeHubConsent();
    QCOMPARE(readFile(core.settings().path()), QByteArray("[KVN]\r\nkvn_consent=1\r\n"));
    const QJsonObject dump = core.dumpJson().value(QStringLiteral("f_settings")).toObject();
    QVERIFY(dump.value(QStringLiteral("kvn_consent")).toBool());
    QCOMPARE(dump.value(QStringLiteral("settings_ini")).toObject().value(QStringLiteral("KVN")).toObject(),
             (QJsonObject{{"kvn_consent", "1"}}));
}

void SettingsTest::copyButtons_copyFromGameState()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    MainWindowModel& mw = core.mainWindow();
    core.state.dane_carriera.CarrierName = QStringLiteral("FUXBAU");
    core.state.dane_carriera.StarSystem = QStringLiteral("Teurbolg");
    core.state.dane_systemu.StarSystem = QStringLiteral("Sol");
    core.state.dane_dokowania.StationName = QStringLiteral("Abraham Lincoln");
    mw.dockSystem = QStringLiteral("shown, not copied");
    const std::pair<MainWindowModel::CopyField, QString> cases[] = {
        {MainWindowModel::CopyCarrierName, QStringLiteral("FUXBAU")},
        {MainWindowModel::CopyCarrierSystem, QStringLiteral("Teurbolg")},
        {MainWindowModel::CopyDockSystem, QStringLiteral("Sol")},
        {MainWindowModel::CopyDockStation, QStringLiteral("Abraham Lincoln")},
    };
    for (const auto& [field, text] : cases) {
        mw.copyToClipboard(field);
        QCOMPARE(fx.ui.clipboardText(), text);
    }
}

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"
