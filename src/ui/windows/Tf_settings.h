#pragma once

#include "widgets/WindowAction.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class MobileLink;
class Notifier;
class WebShare;
class QPushButton;
class QTabWidget;
class SettingsStore;

// SETTINGS: every setting a player changes, each saying when it takes
// effect. General: the journal folder (with the folders looked at when none
// was found), the phone's address, the language and desktop notifications. Kelvane: the hub consent, the
// carrier owner's code and the hub's address. Browser page: sharing, this computer only, and the port. The
// consent box sets the consent in core at once (the main window's KELVANE box reads it from there); closing
// the window by any means stores it in settings.ini, and a code pasted from another computer with it. The
// code stays hidden until the person asks to see it.
class Tf_settings : public QDialog
{
    Q_OBJECT
public:
    // What the window shows besides settings.ini; parts left out are shown
    // disabled.
    struct Sources
    {
        MobileLink* mobile = nullptr;
        WebShare* web = nullptr;
        QString journalDir;            // followed now
        QStringList journalDirsTried;  // looked at when none was given
        QString hubUrl;                // in use now
        Notifier* notifier = nullptr;
    };

    Tf_settings(SettingsStore& settings, ReportFn report, QWidget* parent = nullptr);
    Tf_settings(SettingsStore& settings, ReportFn report, Sources sources, QWidget* parent = nullptr);

    QTabWidget* tabs = nullptr;
    QCheckBox* ch_kvn_consent = nullptr;
    QLineEdit* edit_kvn_code = nullptr;
    QPushButton* btn_show_code = nullptr;
    QPushButton* btn_close = nullptr;
    // General
    QLineEdit* edit_journal_dir = nullptr;
    QPushButton* btn_browse_journal = nullptr;
    QLabel* label_journal_tried = nullptr;
    QLineEdit* edit_phone = nullptr;
    QComboBox* combo_language = nullptr;  // its items' data: the stored codes
    QCheckBox* ch_notify = nullptr;
    // Kelvane
    QLineEdit* edit_hub_url = nullptr;
    // Browser page
    QCheckBox* ch_web_share = nullptr;
    QCheckBox* ch_web_local_only = nullptr;
    QSpinBox* spin_web_port = nullptr;

    void done(int result) override;

public slots:
    void refresh();
    void showCode(bool shown);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildGeneralTab();
    QWidget* buildKelvaneTab();
    QWidget* buildBrowserTab();

    SettingsStore& m_settings;
    ReportFn m_report;
    Sources m_sources;
};
