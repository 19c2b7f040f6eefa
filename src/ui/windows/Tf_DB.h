#pragma once

#include "widgets/WindowAction.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class ShoppingDb;
class UserInteraction;

// The Data Base window: the Last Shopping search and the markets seen. It
// shows the result texts and tables that ShoppingDb computes and forwards the
// search and copy buttons.
class Tf_DB : public QWidget
{
    Q_OBJECT
public:
    Tf_DB(ShoppingDb& db, UserInteraction& ui, ReportFn report, QWidget* parent = nullptr);

    QTabWidget* tabs = nullptr;
    QLineEdit* edit_find = nullptr;
    QPushButton* btn_find = nullptr;
    QLabel* label_ww_system = nullptr;
    QLabel* label_ww_station = nullptr;
    QLabel* label_ww_station_type = nullptr;
    QLabel* label_ww_distance = nullptr;
    QLabel* label_ww_marketid = nullptr;
    QLabel* label_ww_price = nullptr;
    QLabel* label_ww_also_needed = nullptr;
    QPushButton* btn_copy_system = nullptr;
    QPushButton* btn_copy_station = nullptr;
    QPushButton* btn_copy_marketid = nullptr;
    QPushButton* btn_close = nullptr;
    // The markets seen selling the searched commodity, and every market seen.
    QLabel* label_offers = nullptr;
    QTableView* offersView = nullptr;
    QTableView* marketsView = nullptr;

public slots:
    void refresh();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void btn_findClick();

    ShoppingDb& m_db;
    ReportFn m_report;
};
