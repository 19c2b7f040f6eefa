#pragma once

#include "widgets/WindowAction.h"

#include <QDateTime>
#include <QTimer>
#include <QWidget>

class QAction;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeView;
class HubClient;
struct GameState;

// The contracts window "KVN": the hub's orders and the accepted contracts as
// trees, the refresh countdown and the way to take an order or post one.
class Tf_KVN : public QWidget
{
    Q_OBJECT
public:
    // The new order form fills its commander and carrier from `state`.
    Tf_KVN(HubClient& kvn, const GameState& state, ReportFn report, QWidget* parent = nullptr);

    QLabel* label_no_hub = nullptr;
    QPushButton* btn_refresh = nullptr;
    QPushButton* btn_add = nullptr;
    QTabWidget* tabs = nullptr;
    QTreeView* lista_zlecen = nullptr;
    QTreeView* przyjete_zlecenia = nullptr;
    QAction* Getcontract1 = nullptr;
    QLabel* label_delay = nullptr;
    QPushButton* btn_close = nullptr;
    // Counts the refresh pause down, every second from start-up, shown or not.
    QTimer Timer_delay;

    // Whole seconds from `now` until `allowedAt`, rounded up; 0 once it has
    // passed or when no pause is set.
    static int secondsLeft(const QDateTime& allowedAt, const QDateTime& now);

public slots:
    void refresh();
    void btn_refreshClick();
    void btn_addClick();
    void Getcontract1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    HubClient& m_kvn;
    const GameState& m_state;
    ReportFn m_report;
};
