#pragma once

#include <QWidget>

class QLabel;
class QTableView;
class SystemInfo;
class ShipInfo;
class InfluencePieChart;
class FirstRowHeaderProxy;

// System Info: the current system, station and ship, the factions' influence
// pie and the faction grid with a state description per row. Everything
// shown lives in core (SystemInfo, ShipInfo); the window only renders it.
class Tf_BGS : public QWidget
{
    Q_OBJECT
public:
    Tf_BGS(SystemInfo& bgs, const ShipInfo& ship, QWidget* parent = nullptr);

    QLabel* system_name = nullptr;
    QLabel* system_population = nullptr;
    QLabel* system_przynaleznosc = nullptr;
    QLabel* system_rzad = nullptr;
    QLabel* system_ekonomie = nullptr;
    QLabel* system_security = nullptr;
    QLabel* stacja_name = nullptr;
    QLabel* stacja_marketid = nullptr;
    QLabel* stacja_frakcja = nullptr;
    QLabel* stacja_ekonomia = nullptr;
    QLabel* stacja_rzad = nullptr;
    QLabel* statek_typ = nullptr;
    QLabel* statek_nazwa = nullptr;
    QLabel* statek_cargo = nullptr;
    QTableView* sg_frakcje = nullptr;
    InfluencePieChart* Chart1 = nullptr;

public slots:
    void refresh();
    void refreshShip();

private:
    const SystemInfo& m_bgs;
    const ShipInfo& m_ship;
    FirstRowHeaderProxy* m_gridProxy = nullptr;
};
