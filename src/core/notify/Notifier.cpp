#include "notify/Notifier.h"

#ifdef TESSIVAR_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QVariantMap>
#endif

Notifier::Notifier(std::function<bool()> enabled, std::function<void(bool)> store, QObject* parent)
    : QObject(parent), m_enabled(std::move(enabled)), m_store(std::move(store))
{}

void Notifier::notify(const QString& title, const QString& text)
{
    if (!enabled())
        return;
#ifdef TESSIVAR_HAVE_DBUS
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
        // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (server's default)
        call << QStringLiteral("Tessivar") << uint(0) << QStringLiteral("tessivar") << title << text
             << QStringList() << QVariantMap() << int(-1);
        // Nobody waits for the answer: a notification lost is no fault of the game's state.
        bus.asyncCall(call);
        return;
    }
#endif
    emit trayMessage(title, text);
}
