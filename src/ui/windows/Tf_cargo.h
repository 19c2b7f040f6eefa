#pragma once

#include "widgets/WindowAction.h"

#include <QWidget>

class CargoModule;
class QAbstractItemModel;
class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class QSortFilterProxyModel;
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
    QTableView* holdGrid = nullptr;
    QTableView* loadingGrid = nullptr;
    QTableView* materialsGrid = nullptr;
    QComboBox* sourceSelector = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* undoButton = nullptr;
    // Undo of the last loading list change (Ctrl+Z, the button and the list's menu).
    QAction* undoAction = nullptr;

    // Pop-up menu of the loading list.
    QMenu* loadingMenu = nullptr;
    QAction* addCommodityAction = nullptr;
    QAction* removeAction = nullptr;
    QAction* clearAction = nullptr;
    QAction* findLoadingAction = nullptr;
    // Pop-up menu of the common materials.
    QMenu* materialsMenu = nullptr;
    QAction* addMaterialAction = nullptr;
    QAction* findMaterialAction = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* makeGrid(QWidget* parent, QAbstractItemModel* model, const QList<int>& widths);
    void refreshSelector();
    template <typename F> void run(F&& operation) { runAction(m_report, std::forward<F>(operation)); }

    CargoModule& m_cargo;
    ReportFn m_report;
    QSortFilterProxyModel* m_holdRows = nullptr;     // the hold as shown
    QSortFilterProxyModel* m_loadingRows = nullptr;  // the loading list as shown
};
