#pragma once

#include "widgets/WindowAction.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class SettingsStore;

// SETTINGS: the hub consent and the carrier owner's code. The box sets the
// consent in core at once (the main window's KELVANE box reads it from
// there); closing the window by any means stores it in settings.ini, and a
// code pasted from another computer with it. The code stays hidden until the
// person asks to see it.
class Tf_settings : public QDialog
{
    Q_OBJECT
public:
    Tf_settings(SettingsStore& settings, ReportFn report, QWidget* parent = nullptr);

    QTabWidget* tabs = nullptr;
    QCheckBox* ch_kvn_consent = nullptr;
    QLineEdit* edit_kvn_code = nullptr;
    QPushButton* btn_show_code = nullptr;
    QPushButton* btn_close = nullptr;

    void done(int result) override;

public slots:
    void refresh();
    void showCode(bool shown);

protected:
    void showEvent(QShowEvent* event) override;

private:
    SettingsStore& m_settings;
    ReportFn m_report;
};
