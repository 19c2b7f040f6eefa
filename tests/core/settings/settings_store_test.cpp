#include "TestSupport.h"
#include "common/NoticeModel.h"
#include "common/ReportSink.h"
#include "common/UserInteraction.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The settings store on its own, on real files: no core around it.
class SettingsStoreTest : public QObject
{
    Q_OBJECT
private slots:
    void missingFile_readsTheTableFallbacks();
    void values_data();
    void values();
    void roundTrip_keepsUnknownLinesAndBytes();
    void hugeFile_refusedAndNeverWritten();
    void unwritableFile_reportedAndKeptForTheRun();
    void applyStored_announcesPanelsInTheirOrder();
};

namespace {

struct StoreFixture
{
    QTemporaryDir dir;
    ScriptedInteraction ui;
    NoticeModel notices;
    ReportSink reports{ui, notices};
    GameState state;

    QString dataDir() const { return dir.path() + QLatin1Char('/'); }
    QString path() const { return SettingsStore::filePath(dataDir()); }
    std::unique_ptr<SettingsStore> open()
    {
        return std::make_unique<SettingsStore>(dataDir(), state, SettingsStore::readFile(dataDir()), reports);
    }
};

}  // namespace

void SettingsStoreTest::missingFile_readsTheTableFallbacks()
{
    StoreFixture fx;
    const auto s = fx.open();
    QVERIFY(!s->contains(SettingKeys::WebPort));
    QCOMPARE(s->number(SettingKeys::WebPort), 18890);
    QCOMPARE(s->flag(SettingKeys::LockPanels), true);
    QCOMPARE(s->flag(SettingKeys::WebShared), false);
    QCOMPARE(s->value(SettingKeys::JournalDir), QString());
    QVERIFY(!QFile::exists(fx.path()));
}

void SettingsStoreTest::values_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("port");
    QTest::addColumn<bool>("shared");

    QTest::newRow("numbers") << QByteArray("[web]\r\nshare=1\r\nport=2000\r\n") << qint64(2000) << true;
    QTest::newRow("any integer but 0 is true") << QByteArray("[web]\nshare=-3\n") << qint64(18890) << true;
    QTest::newRow("names are not case sensitive")
        << QByteArray("[WEB]\nPort=7\nShare=0\n") << qint64(7) << false;
    QTest::newRow("no integer reads as the fallback")
        << QByteArray("[web]\nshare=yes\nport=12ab\n") << qint64(18890) << false;
}

void SettingsStoreTest::values()
{
    QFETCH(QByteArray, file);
    StoreFixture fx;
    writeFile(fx.path(), file);
    const auto s = fx.open();
    QTEST(s->number(SettingKeys::WebPort), "port");
    QTEST(s->flag(SettingKeys::WebShared), "shared");
}

void SettingsStoreTest::roundTrip_keepsUnknownLinesAndBytes()
{
    StoreFixture fx;
    // A hand-edited file: comments, a key of a later version, LF line ends.
    const QByteArray before = "; mine\n[paths]\njournal_dir=/j\n[future]\nthing=1\n[KVN]\nurl=http://h\n";
    writeFile(fx.path(), before);
    {
        const auto s = fx.open();
        QCOMPARE(s->value(SettingKeys::JournalDir), QStringLiteral("/j"));
        // Storing what is stored already leaves every byte as it was.
        QVERIFY(s->setValue(SettingKeys::HubUrl, QStringLiteral("http://h")));
        QCOMPARE(readFile(fx.path()), before);
        QVERIFY(s->setFlag(SettingKeys::ShowCargo, true));
        QVERIFY(s->setValue(SettingKeys::JournalDir, QStringLiteral("/k")));
        QCOMPARE(s->value(SettingKeys::JournalDir), QStringLiteral("/k"));
        s->setWindowGeometry(QStringLiteral("f_DB"), QRect(1, 2, 30, 40));
    }
    QCOMPARE(readFile(fx.path()),
             QByteArray("; mine\n[paths]\njournal_dir=/k\n[future]\nthing=1\n[KVN]\n"
                        "url=http://h\n[windows]\nch_cargo=1\n[geometry]\nf_DB=1,2,30,40\n"));
    // The next start reads what this one stored.
    const auto again = fx.open();
    QCOMPARE(again->flag(SettingKeys::ShowCargo), true);
    QCOMPARE(again->windowGeometry(QStringLiteral("f_DB")), QRect(1, 2, 30, 40));
    QVERIFY(fx.ui.messages().isEmpty());
}

void SettingsStoreTest::hugeFile_refusedAndNeverWritten()
{
    StoreFixture fx;
    const QByteArray huge = "[web]\r\nshare=1\r\n[geometry]\r\nf_DB=1,2,30,40\r\n" +
                            QByteArray(SettingsFile::kMaxBytes, ';') + "\r\n";
    writeFile(fx.path(), huge);
    const SettingsFile file = SettingsStore::readFile(fx.dataDir());
    QVERIFY(file.refused);
    QVERIFY2(file.problem.contains(QLatin1String("not loaded")), qPrintable(file.problem));
    const auto s = fx.open();
    QCOMPARE(s->flag(SettingKeys::WebShared), false);
    QCOMPARE(s->windowGeometry(QStringLiteral("f_DB")), std::nullopt);
    QVERIFY(s->setFlag(SettingKeys::WebShared, true));
    QCOMPARE(s->flag(SettingKeys::WebShared), true);  // for this run
    QCOMPARE(readFile(fx.path()), huge);
}

void SettingsStoreTest::unwritableFile_reportedAndKeptForTheRun()
{
    StoreFixture fx;
    // A folder where the file should be: nothing can replace it.
    QVERIFY(QDir(fx.dir.path()).mkdir(QStringLiteral("settings.ini")));
    const auto s = fx.open();
    QVERIFY(!s->setValue(SettingKeys::CommanderName, QStringLiteral("Jameson")));
    QCOMPARE(fx.ui.messages().size(), 1);
    QCOMPARE(s->value(SettingKeys::CommanderName), QStringLiteral("Jameson"));
    // A value the format cannot hold is refused with a message, not stored.
    fx.ui.clearMessages();
    QVERIFY(!s->setValue(SettingKeys::CarrierName, QStringLiteral("two\nlines")));
    QCOMPARE(fx.ui.messages().size(), 1);
    QVERIFY(!s->contains(SettingKeys::CarrierName));
}

void SettingsStoreTest::applyStored_announcesPanelsInTheirOrder()
{
    StoreFixture fx;
    writeFile(fx.path(), "[windows]\r\nlock_panels=0\r\nch_kvn=1\r\nch_db=1\r\nch_cargo=0\r\n[Carrier]\r\n"
                         "Name=N\r\nCarrierID=42\r\n");
    const auto s = fx.open();
    QSignalSpy panels(s.get(), &SettingsStore::panelStateLoaded);
    s->applyStoredSettings();
    QStringList seen;
    for (const QList<QVariant>& call : std::as_const(panels))
        seen.append(QString::fromLatin1(call.at(0).value<SettingKey>().name) + QLatin1Char('=') +
                    QString::number(call.at(1).toBool()));
    // The hub's window stays shut without the consent.
    QCOMPARE(seen, QStringList({"ch_cargo=0", "ch_db=1", "lock_panels=0"}));
    QCOMPARE(fx.state.dane_carriera.CarrierID, quint64(42));
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
