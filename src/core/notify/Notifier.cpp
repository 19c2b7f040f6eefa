#include "notify/Notifier.h"

#ifdef TESSIVAR_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#endif

namespace {

#ifdef TESSIVAR_HAVE_DBUS
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// A service that does not answer in this time is not waited for longer.
constexpr int kAnswerMs = 5000;

QDBusMessage notificationsCall(const QString& method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}
#endif

}  // namespace

Notifier::Notifier(std::function<bool()> enabled, std::function<void(bool)> store, QObject* parent)
    : QObject(parent), m_enabled(std::move(enabled)), m_store(std::move(store))
{}

void Notifier::setEnabled(bool on)
{
    if (on == m_enabled())
        return;
    m_store(on);
    emit enabledChanged(on);
}

void Notifier::notify(const QString& title, const QString& text)
{
    if (!enabled())
        return;
#ifdef TESSIVAR_HAVE_DBUS
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        // A service that renders markup in the body reads "<" and "&" of a
        // station's name as markup: there the body goes escaped, elsewhere as
        // it is (escaped, it would show "&amp;"). The summary is never markup.
        // Asked each time: notifications are rare and the desktop's service
        // may have been replaced since the last one.
        auto* asked = new QDBusPendingCallWatcher(
            bus.asyncCall(notificationsCall(QStringLiteral("GetCapabilities")), kAnswerMs), this);
        connect(asked, &QDBusPendingCallWatcher::finished, this, [title, text](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            const QDBusPendingReply<QStringList> capabilities = *w;
            const bool markup =
                !capabilities.isError() && capabilities.value().contains(QStringLiteral("body-markup"));
            QDBusMessage call = notificationsCall(QStringLiteral("Notify"));
            // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (server's
            // default)
            call << QStringLiteral("Tessivar") << uint(0) << QStringLiteral("tessivar") << title
                 << (markup ? text.toHtmlEscaped() : text) << QStringList() << QVariantMap() << int(-1);
            // Nobody waits for the answer: a notification lost is no fault of the game's state.
            QDBusConnection::sessionBus().asyncCall(call, kAnswerMs);
        });
        return;
    }
#endif
    emit trayMessage(title, text);
}
