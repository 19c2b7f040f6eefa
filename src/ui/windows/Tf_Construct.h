#pragma once

#include "widgets/WindowAction.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTabWidget;
class ConstructionModule;

// The construction site window: where the ship is docked, the site's progress
// and the materials it still needs (ConstructionModule::lista_materialow),
// with the actions that carry them to the loading list.
class Tf_Construct : public QWidget
{
    Q_OBJECT
public:
    Tf_Construct(ConstructionModule& module, ReportFn report, QWidget* parent = nullptr);

    QLabel* label_system_val = nullptr;
    QLabel* label_station_val = nullptr;
    QLabel* label_type_val = nullptr;
    QLabel* label_marketid_val = nullptr;
    QLabel* label_progress_val = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QTableView* lista_materialow = nullptr;
    QLabel* label_list_title = nullptr;  // a list file's site name and start date
    QMenu* PopupMenu1 = nullptr;
    QPushButton* btn_Nowy_Zaladunek = nullptr;
    QCheckBox* ch_nowy_zaladunek = nullptr;
    QPushButton* btn_zapisz = nullptr;
    QTabWidget* tabs = nullptr;

public slots:
    void refresh();

private:
    int currentRow() const;
    template <typename F> void guarded(F&& action) { runAction(m_report, std::forward<F>(action)); }

    ConstructionModule& m_module;
    ReportFn m_report;
    QSortFilterProxyModel* m_rows = nullptr;
};
