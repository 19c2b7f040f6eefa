#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableView;
class TessivarCore;

// The construction site window: where the ship is docked, the site's progress
// and the materials it still needs (ConstructionModule::lista_materialow),
// with the actions that carry them to the loading list.
class Tf_Construct : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_Construct(TessivarCore& core, QWidget* parent = nullptr);

    QLabel* label_system_val = nullptr;
    QLabel* label_station_val = nullptr;
    QLabel* label_type_val = nullptr;
    QLabel* label_marketid_val = nullptr;
    QLabel* label_progress_val = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QTableView* lista_materialow = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QPushButton* btn_Nowy_Zaladunek = nullptr;
    QCheckBox* ch_nowy_zaladunek = nullptr;
    QPushButton* btn_zapisz = nullptr;

public slots:
    void refresh();

private:
    int currentRow() const;
    // Runs a user action; an error is shown as the general error report does.
    template <typename F> void guarded(F&& action);

    TessivarCore& m_core;
};
