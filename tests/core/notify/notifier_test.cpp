#include "notify/Notifier.h"

#include <QProcess>
#include <QTest>

#ifdef TESSIVAR_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>

// The desktop's notification service under its freedesktop name, on a
// private session bus: it keeps what it was asked to show.
class NotificationService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList shown;
    QStringList capabilities{QStringLiteral("body")};

public slots:
    QStringList GetCapabilities() { return capabilities; }
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout)
    {
        Q_UNUSED(replaces)
        Q_UNUSED(icon)
        Q_UNUSED(actions)
        Q_UNUSED(hints)
        Q_UNUSED(timeout)
        shown.append(app + QLatin1Char('|') + summary + QLatin1Char('|') + body);
        return uint(shown.size());
    }
};
#endif

class NotifierTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void reachesTheSessionBusService_unlessSwitchedOff();
    void bodyEscapedWhereTheServiceRendersMarkup();
    void cleanupTestCase();

private:
    QProcess daemon;
#ifdef TESSIVAR_HAVE_DBUS
    NotificationService service;
#endif
};

// One private session bus for the whole run: the program's own connection to
// it is made once.
void NotifierTest::initTestCase()
{
#ifndef TESSIVAR_HAVE_DBUS
    QSKIP("built without D-Bus");
#else
    daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                 QStringLiteral("--print-address")});
    if (!daemon.waitForStarted(5000))
        QSKIP("dbus-daemon is not installed");
    QVERIFY(daemon.waitForReadyRead(5000));
    const QByteArray address = daemon.readLine().trimmed();
    QVERIFY(!address.isEmpty());
    // The program's own session bus is this one (set before its first use).
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);

    QDBusConnection standIn =
        QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("stand-in"));
    QVERIFY(standIn.isConnected());
    QVERIFY(standIn.registerService(QStringLiteral("org.freedesktop.Notifications")));
    QVERIFY(standIn.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                   QDBusConnection::ExportAllSlots));
#endif
}

void NotifierTest::cleanupTestCase()
{
#ifdef TESSIVAR_HAVE_DBUS
    QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
#endif
    daemon.kill();
    daemon.waitForFinished(5000);
}

void NotifierTest::reachesTheSessionBusService_unlessSwitchedOff()
{
#ifdef TESSIVAR_HAVE_DBUS
    bool on = false;
    Notifier notifier([&on] { return on; }, [&on](bool v) { on = v; });
    QStringList tray;
    connect(&notifier, &Notifier::trayMessage, this,
            [&tray](const QString& t, const QString&) { tray.append(t); });
    notifier.notify(QStringLiteral("Off"), QStringLiteral("not shown"));
    notifier.setEnabled(true);
    notifier.notify(QStringLiteral("Construction site complete"),
                    QStringLiteral("Zhao Drilling Base is complete."));
    QTRY_COMPARE_WITH_TIMEOUT(
        service.shown,
        QStringList{QStringLiteral("Tessivar|Construction site complete|Zhao Drilling Base is complete.")},
        10000);
    QVERIFY(tray.isEmpty());
#endif
}

// A station's name is the game's text: a service that renders a subset of
// HTML in the body gets it escaped, one that shows plain text gets it as it is.
void NotifierTest::bodyEscapedWhereTheServiceRendersMarkup()
{
#ifdef TESSIVAR_HAVE_DBUS
    Notifier notifier([] { return true; }, [](bool) {});
    const QString name = QStringLiteral("<b>A & B</b> \"Port\"");
    service.shown.clear();
    service.capabilities = QStringList{QStringLiteral("body"), QStringLiteral("body-markup")};
    notifier.notify(QStringLiteral("Buy here: ") + name, name);
    QTRY_COMPARE_WITH_TIMEOUT(service.shown.size(), 1, 10000);
    service.capabilities = QStringList{QStringLiteral("body")};
    notifier.notify(QStringLiteral("Buy here: ") + name, name);
    QTRY_COMPARE_WITH_TIMEOUT(service.shown.size(), 2, 10000);
    QCOMPARE(
        service.shown,
        (QStringList{"Tessivar|Buy here: <b>A & B</b> \"Port\"|&lt;b&gt;A &amp; B&lt;/b&gt; &quot;Port&quot;",
                     "Tessivar|Buy here: <b>A & B</b> \"Port\"|<b>A & B</b> \"Port\""}));
#endif
}

QTEST_GUILESS_MAIN(NotifierTest)
#include "notifier_test.moc"
