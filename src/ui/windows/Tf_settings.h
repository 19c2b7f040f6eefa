#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTabWidget;
class TessivarCore;

// SETTINGS: the hub consent. The box sets the consent in core at once (the
// main window's KELVANE box reads it from there); closing the window by any
// means stores it in settings.ini.
class Tf_settings : public QDialog
{
    Q_OBJECT
public:
    explicit Tf_settings(TessivarCore& core, QWidget* parent = nullptr);

    QTabWidget* tabs = nullptr;
    QCheckBox* ch_kvn_consent = nullptr;
    QPushButton* btn_close = nullptr;

    void done(int result) override;

public slots:
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TessivarCore& m_core;
};
