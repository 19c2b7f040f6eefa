#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class HubClient;
class MainWindowModel;
class UserInteraction;

// "About Tessivar": what the program is, its version and change log, the
// community chat link, and the start-up splash that closes itself. Every
// showing asks the hub for the newest version; a different answer makes the
// new-version buttons here and in the main window blink.
class Tf_about : public QWidget
{
    Q_OBJECT
public:
    // The new-version button opens `downloadUrl`; the chat box shows `chatUrl`.
    Tf_about(HubClient& kvn, MainWindowModel& mainWindow, UserInteraction& ui, QString downloadUrl,
             QString chatUrl, QWidget* parent = nullptr);

    QLabel* label_version = nullptr;
    QLabel* label_date = nullptr;
    QPushButton* btn_new_version = nullptr;
    QTabWidget* tabs = nullptr;
    QLineEdit* edit_chat = nullptr;
    QPushButton* btn_open_chat = nullptr;
    QPushButton* btn_copy_chat = nullptr;
    QPushButton* btn_close = nullptr;

    // Closes the window once, 5 s after it was created (tests may restart it shorter).
    QTimer Timer_hide_start_window;
    // Blinks the new-version buttons every 500 ms once a new version is announced.
    QTimer timer_checkVersion;

    // Shows the window as the start-up splash: modal until it closes.
    void showSplash();

public slots:
    void btn_closeClick();
    void Timer_hide_start_windowTimer();
    void timer_checkVersionTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void announce(const QString& caption);
    void setNewVersionColour(const QColor& c);

    HubClient& m_kvn;
    MainWindowModel& m_mainWindow;
    UserInteraction& m_ui;
    QString m_downloadUrl;
    QString m_chatUrl;
    QColor m_newVersionColour;
};
