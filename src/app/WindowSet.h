#pragma once

#include "widgets/WindowAction.h"

#include <QObject>
#include <QTimer>
#include <memory>

class QSystemTrayIcon;
class TessivarCore;
class WidgetInteraction;
class Tf_ED;
class Tf_cargo;
class Tf_Construct;
class Tf_send_to_mobile;
class Tf_BGS;
class Tf_statek;
class Tf_about;
class Tf_DB;
class Tf_settings;
class Tf_KVN;
class Tf_KVN_add;
class Tf_market;
class Tf_mission;
class PanelLayout;
class NoticeStrip;

// The core's general error report, for the windows' actions.
ReportFn coreReport(TessivarCore& core);

// The program's windows, created in their fixed order; they start the core's
// journal following.
class WindowSet : public QObject
{
    Q_OBJECT
public:
    WindowSet(TessivarCore& core, WidgetInteraction& ui);
    ~WindowSet() override;

    TessivarCore& core() const { return m_core; }

    Tf_ED* f_ED = nullptr;
    Tf_cargo* f_cargo = nullptr;
    Tf_Construct* f_Construct = nullptr;
    Tf_send_to_mobile* f_send_to_mobile = nullptr;
    Tf_BGS* f_BGS = nullptr;
    Tf_statek* f_statek = nullptr;
    Tf_about* f_about = nullptr;
    Tf_DB* f_DB = nullptr;
    Tf_settings* f_settings = nullptr;
    Tf_KVN* f_KVN = nullptr;
    Tf_KVN_add* f_KVN_add = nullptr;
    Tf_market* f_market = nullptr;
    Tf_mission* f_mission = nullptr;
    // The main window's message strip.
    NoticeStrip* strip = nullptr;
    // Panel boxes, tool-bar windows and the "Lock panels" tiling.
    PanelLayout* panels = nullptr;

    // The core's main timer (JournalFollower::Timer1).
    QTimer& Timer1;

    // One pass of the main timer; never runs inside another pass. Passes go on
    // while a message box is open.
    void Timer1Timer();

protected:
    // Closing the main window ends the program, whatever else is open.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeProgram();

    TessivarCore& m_core;
    QSystemTrayIcon* m_tray = nullptr;  // made on the first message that needs it
};
