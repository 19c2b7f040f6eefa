#pragma once

#include <QObject>
#include <QString>
#include <functional>

// Desktop notifications for what happens while the player is in the game.
// On Linux they go to the freedesktop notification service over the session
// bus (asynchronously: a missing or slow service never holds the program up);
// elsewhere, or without a session bus, the application shows them from its
// tray icon (trayMessage), always as plain text. Off when settings.ini
// [colony] notify=0.
class Notifier : public QObject
{
    Q_OBJECT
public:
    // enabled: reads the setting; store: keeps a new one.
    Notifier(std::function<bool()> enabled, std::function<void(bool)> store, QObject* parent = nullptr);

    bool enabled() const { return m_enabled(); }
    // Kept at once; every switch showing it follows.
    void setEnabled(bool on);

public slots:
    void notify(const QString& title, const QString& text);

signals:
    // For the tray icon where the notification service is not at hand.
    void trayMessage(const QString& title, const QString& text);
    void enabledChanged(bool on);

private:
    std::function<bool()> m_enabled;
    std::function<void(bool)> m_store;
};
