#pragma once

#include <QTimer>
#include <QWidget>

class QAction;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeView;
class TessivarCore;

// The contracts window "KVN": the hub's orders and the accepted contracts as
// trees, the refresh countdown and the way to take an order or post one.
class Tf_KVN : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_KVN(TessivarCore& core, QWidget* parent = nullptr);

    QLabel* label_no_hub = nullptr;
    QPushButton* btn_refresh = nullptr;
    QPushButton* btn_add = nullptr;
    QTabWidget* tabs = nullptr;
    QTreeView* lista_zlecen = nullptr;
    QTreeView* przyjete_zlecenia = nullptr;
    QAction* Getcontract1 = nullptr;
    QLabel* label_delay = nullptr;
    QPushButton* btn_close = nullptr;
    // Ticks every second from start-up, shown or not.
    QTimer Timer_delay;

public slots:
    void refresh();
    void btn_refreshClick();
    void btn_addClick();
    void Getcontract1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TessivarCore& m_core;
};
