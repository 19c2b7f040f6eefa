#include "TestSupport.h"

#include "TessivarApplication.h"
#include "common/Error.h"
#include "WindowSet.h"
#include "journal/JournalPass.h"
#include "journal/LogModel.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_ED.h"

#include <QLabel>
#include <QListView>
#include <QTest>
#include <QTimer>

namespace {

// An object whose event handler fails, as a broken handler would.
class Throwing : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw TessivarError(QStringLiteral("handler failed: <b>not bold</b>"));
        return QObject::event(e);
    }
};

} // namespace

class AppShellTest : public QObject
{
    Q_OBJECT
private slots:
    void windowsAreCreatedInOrderAndFollowAGrowingJournal();
    void escapingErrorBecomesAMessageAndTheProgramGoesOn();
};

void AppShellTest::windowsAreCreatedInOrderAndFollowAGrowingJournal()
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

    QVERIFY(windows.f_ED && windows.f_cargo && windows.f_Construct && windows.f_send_to_mobile && windows.f_BGS &&
            windows.f_statek && windows.f_about && windows.f_DB && windows.f_settings && windows.f_KVN &&
            windows.f_KVN_add && windows.f_market && windows.f_mission);
    QCOMPARE(windows.f_ED->windowTitle(), QStringLiteral("Tessivar"));
    QVERIFY(windows.Timer1.isActive());
    QCOMPARE(windows.Timer1.interval(), 1000);

    const QString file = journal.filePath(QStringLiteral("Journal.2025-01-01T000000.01.log"));
    writeFile(file, journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    windows.Timer1Timer();
    QCOMPARE(windows.Timer1.interval(), 4000);
    QCOMPARE(windows.f_ED->Memo1->model()->rowCount(), 1);

    QFile f(file);
    QVERIFY(f.open(QIODevice::Append));
    f.write(journalLine("2025-01-01T10:00:04Z", "Music"));
    f.close();
    windows.Timer1Timer();
    QCOMPARE(windows.f_ED->Memo1->model()->rowCount(), 2);
    QCOMPARE(windows.f_ED->Label_time->text(), QStringLiteral("2025-01-01T10:00:04Z"));
}

void AppShellTest::escapingErrorBecomesAMessageAndTheProgramGoesOn()
{
    WidgetInteraction ui;
    ui.setRecordOnly(true);
    static_cast<TessivarApplication*>(qApp)->setInteraction(&ui);
    Throwing t;
    QCoreApplication::postEvent(&t, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(ui.messages(), QStringList{QStringLiteral("handler failed: <b>not bold</b>")});
    static_cast<TessivarApplication*>(qApp)->setInteraction(nullptr);
}

int main(int argc, char** argv)
{
    TessivarApplication app(argc, argv);
    AppShellTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "app_shell_test.moc"
