#pragma once

#include "MainWindowModel.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QToolButton;
class LogModel;
class MobileLink;
class WebShare;

// The main window: commander, carrier and dock information, the journal log
// view, the panel switches and the tool bar. It shows the core's
// MainWindowModel and forwards every click to it; showing and arranging the
// other windows is the window set's job (signals below and the model's).
class Tf_ED : public QWidget
{
    Q_OBJECT
public:
    Tf_ED(MainWindowModel& mainWindow, LogModel& log, MobileLink& mobile, WebShare& web,
          QWidget* parent = nullptr);

    // Tool bar
    QToolButton* btn_about = nullptr;
    QToolButton* btn_settings = nullptr;
    QToolButton* btn_help = nullptr;
    QCheckBox* ch_lock_panels = nullptr;
    QPushButton* btn_new_version = nullptr;
    // Commander Info
    QLabel* Label_cmdr_val = nullptr;
    QLabel* Label_cr_val = nullptr;
    QPushButton* btn_full_info = nullptr;
    // Show/Hide Panels, indexed by MainWindowModel::Panel
    std::array<QCheckBox*, 6> panelBoxes{};
    // Send a copy to mobile
    QLineEdit* edit_mobile_ip = nullptr;
    QCheckBox* ch_wysylaj = nullptr;
    QLabel* label_mobile_state = nullptr;  // connected, connecting, lost, off
    // Carrier Info
    QLabel* Label_carrier_name_val = nullptr;
    QLabel* Label_carrier_system_val = nullptr;
    QLabel* Label_carrier_body_val = nullptr;
    QPushButton* btn_copy_carrier_name = nullptr;
    QPushButton* btn_copy_carrier_system = nullptr;
    // Dock Info
    QLabel* Label_dock_system_val = nullptr;
    QLabel* Label_dock_station_val = nullptr;
    QLabel* Label_dock_type_val = nullptr;
    QPushButton* btn_copy_dock_system = nullptr;
    QPushButton* btn_copy_dock_station = nullptr;

    QListView* Memo1 = nullptr;
    QLabel* Label_time = nullptr;
    // Shown while a pass reads a long stretch of the journal.
    QProgressBar* progress_pass = nullptr;

    QCheckBox* panelBox(MainWindowModel::Panel p) const { return panelBoxes[size_t(p)]; }

signals:
    void aboutRequested();
    void settingsRequested();

public slots:
    void refresh();
    void refreshMobile();

private:
    void showPassProgress(qint64 done, qint64 total);
    QWidget* buildToolBar();
    QWidget* buildUpperBand();
    QWidget* buildLowerBand();

    MainWindowModel& m_mainWindow;
    LogModel& m_log;
    MobileLink& m_mobile;
    WebShare& m_web;
};
