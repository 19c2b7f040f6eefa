#include "TestSupport.h"

#include "TessivarApplication.h"
#include "WindowSet.h"
#include "common/Error.h"
#include "common/NoticeModel.h"
#include "journal/JournalPass.h"
#include "journal/LogModel.h"
#include "settings/SettingsStore.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_DB.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_about.h"
#include "windows/Tf_cargo.h"
#include "windows/Tf_settings.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QRegularExpression>
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

void appendTo(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::Append));
    f.write(bytes);
}

// Handler calls of the recorded dispatches, as "event handler".
QStringList handlerCalls(const JournalPass& pass)
{
    QStringList out;
    for (const auto& d : pass.dispatched)
        out.append(d.event + QLatin1Char(' ') + d.handler);
    return out;
}

int visibleBoxes(const QWidget* parent)
{
    int n = 0;
    for (const QMessageBox* b : parent->findChildren<QMessageBox*>())
        n += b->isVisible() ? 1 : 0;
    return n;
}

// A line the handlers refuse: it names a system event but is a JSON array.
const QByteArray kRefusedLine = R"([{"event":"Location"}])"
                                "\r\n";

}  // namespace

class AppShellTest : public QObject
{
    Q_OBJECT
private slots:
    void windowsAreCreatedInOrderAndFollowAGrowingJournal();
    void escapingErrorIsLoggedAndTheProgramGoesOn();
    void passesGoOnWhileAMessageBoxIsOpen();
    void textsReportedDuringAPromptWaitForIt();
    void closingTheMainWindowEndsTheProgram();
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

    QVERIFY(windows.f_ED && windows.f_cargo && windows.f_Construct && windows.f_send_to_mobile &&
            windows.f_BGS && windows.f_statek && windows.f_about && windows.f_DB && windows.f_settings &&
            windows.f_KVN && windows.f_KVN_add && windows.f_market && windows.f_mission);
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

void AppShellTest::escapingErrorIsLoggedAndTheProgramGoesOn()
{
    // Nothing caught it where it happened: it is logged, and no box opens
    // from inside the event delivery.
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("uncaught.*handler failed")));
    Throwing t;
    QCoreApplication::postEvent(&t, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    bool after = false;
    QTimer::singleShot(0, &t, [&after] { after = true; });
    QTRY_VERIFY(after);
}

void AppShellTest::passesGoOnWhileAMessageBoxIsOpen()
{
    QTemporaryDir journal;
    QTemporaryDir data;
    WidgetInteraction ui;
    AppPaths paths;
    paths.journalDir = journal.path();
    paths.dataDir = data.path();
    TessivarCore core(paths, StartupSettings{}, ui);
    WindowSet windows(core, ui);
    core.pass().recordDispatches = true;
    writeFile(journal.filePath(QStringLiteral("Cargo.json")), R"({"Inventory":[]})");
    const QString file = journal.filePath(QStringLiteral("Journal.2025-01-01T000000.01.log"));
    writeFile(file, journalLine("2025-01-01T10:00:00Z", "Commander", R"("Name":"Jameson")"));
    windows.Timer1Timer();

    // An automatic failure opens a box; nobody answers it.
    ui.showMessage(QStringLiteral("The hub did not answer"));
    QMessageBox* first = ui.openBox();
    QVERIFY(first && first->isVisible());

    appendTo(file, kRefusedLine + journalLine("2025-01-01T10:00:04Z", "CarrierStats", R"("Name":"FIRST")"));
    windows.Timer1Timer();
    QCOMPARE(core.state.dane_carriera.CarrierName, QStringLiteral("FIRST"));
    appendTo(file, journalLine("2025-01-01T10:00:08Z", "CarrierStats", R"("Name":"SECOND")") + kRefusedLine);
    windows.Timer1Timer();
    windows.Timer1Timer();  // nothing new
    QCOMPARE(core.state.dane_carriera.CarrierName, QStringLiteral("SECOND"));
    QCOMPARE(
        handlerCalls(core.pass()),
        (QStringList{QStringLiteral("Commander parse_CMDR"), QStringLiteral("Location parse_BGS"),
                     QStringLiteral("CarrierStats parse_Carrier"),
                     QStringLiteral("CarrierStats parse_Carrier"), QStringLiteral("Location parse_BGS")}));

    // Still the one box; the passes' faults went to the message strip, once with their count.
    QCOMPARE(ui.openBox(), first);
    QCOMPARE(visibleBoxes(windows.f_ED), 1);
    QVERIFY(ui.waitingTexts().isEmpty());
    QCOMPARE(core.notices().notices().size(), 1);
    QCOMPARE(core.notices().notices()[0].text, QStringLiteral("Journal line is not a JSON object"));
    QCOMPARE(core.notices().notices()[0].count, 2);
    first->accept();
    QVERIFY(!ui.openBox());
}

void AppShellTest::textsReportedDuringAPromptWaitForIt()
{
    QTemporaryDir journal;
    QTemporaryDir data;
    WidgetInteraction ui;
    AppPaths paths;
    paths.journalDir = journal.path();
    paths.dataDir = data.path();
    TessivarCore core(paths, StartupSettings{}, ui);
    WindowSet windows(core, ui);
    writeFile(journal.filePath(QStringLiteral("Cargo.json")), R"({"Inventory":[]})");
    const QString file = journal.filePath(QStringLiteral("Journal.2025-01-01T000000.01.log"));
    writeFile(file, journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    windows.Timer1Timer();

    bool passRan = false;
    QTimer::singleShot(0, &windows, [&] {
        appendTo(file, kRefusedLine);
        windows.Timer1Timer();
        passRan = windows.f_ED->Memo1->model()->rowCount() == 2;
        // A text for the person (a reply to an earlier click) waits for the prompt.
        core.report(QStringLiteral("Order added"));
        QVERIFY(!ui.openBox());
        if (auto* prompt = qobject_cast<QInputDialog*>(QApplication::activeModalWidget()))
            prompt->reject();
    });
    QVERIFY(!ui.askText(QStringLiteral("Quantity"), QStringLiteral("Quantity:"), QStringLiteral("792")));
    QVERIFY(passRan);
    QVERIFY(ui.openBox());
    QCOMPARE(ui.openBox()->text(), QStringLiteral("Order added"));
    // The pass's fault is on the strip, not in the box.
    QCOMPARE(core.notices().notices().size(), 1);
    QCOMPARE(core.notices().notices()[0].text, QStringLiteral("Journal line is not a JSON object"));
}

void AppShellTest::closingTheMainWindowEndsTheProgram()
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
    windows.f_ED->show();
    const QList<QWidget*> tools{windows.f_cargo, windows.f_DB, windows.f_about, windows.f_settings};
    for (QWidget* w : tools)
        w->show();
    core.settings().setKvnConsent(true);

    QTimer::singleShot(0, windows.f_ED, &QWidget::close);
    // Only a program that does not end meets this.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    guard.start(60000);
    QCOMPARE(QApplication::exec(), 0);
    for (QWidget* w : tools)
        QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
    // The settings window stored its state as it closed.
    QVERIFY(readFile(data.filePath(QStringLiteral("settings.ini"))).contains("kvn_consent=1"));
}

int main(int argc, char** argv)
{
    TessivarApplication app(argc, argv);
    AppShellTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "app_shell_test.moc"
