#pragma once

#include "widgets/WindowAction.h"

#include <QWidget>

class CargoModule;
class QAbstractItemModel;
class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;

// The cargo window: the ship's hold, the carrier loading list with its
// source selector, and the common materials to pick from. The lists live in
// core; this window shows them and hands the user's actions to core.
class Tf_cargo : public QWidget
{
    Q_OBJECT
public:
    Tf_cargo(CargoModule& cargo, ReportFn report, QWidget* parent = nullptr);

    QTabWidget* tabs = nullptr;
    QTableView* sg_cargo = nullptr;
    QTableView* sg_zaladunek = nullptr;
    QTableView* sg_materialy = nullptr;
    QComboBox* Carrier_loading_select = nullptr;
    QPushButton* btn_zaladunek_zapisz = nullptr;
    QPushButton* btn_undo = nullptr;
    // Undo of the last loading list change (Ctrl+Z, the button and the list's menu).
    QAction* Undo1 = nullptr;

    // Pop-up menu of the loading list.
    QMenu* PopupZaladunek = nullptr;
    QAction* add = nullptr;
    QAction* Usutowar1 = nullptr;
    QAction* Wyczylist1 = nullptr;
    QAction* Findonmarketslocalfiles1 = nullptr;
    // Pop-up menu of the common materials.
    QMenu* PopupMaterialy = nullptr;
    QAction* Dodajdozaadunku1 = nullptr;
    QAction* Findonmarketslocalfiles2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* makeGrid(QWidget* parent, QAbstractItemModel* model, const QList<int>& widths);
    void refreshSelector();
    template <typename F> void run(F&& operation) { runAction(m_report, std::forward<F>(operation)); }

    CargoModule& m_cargo;
    ReportFn m_report;
};
