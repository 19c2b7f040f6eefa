#pragma once

#include "state/Records.h"

#include <QObject>
#include <QString>

class TessivarCore;

// What the main window shows, kept in core: its label texts, the dock
// information derived from each batch, and the panel switches.
class MainWindowModel : public QObject
{
    Q_OBJECT
public:
    enum Panel { SystemInfoPanel, CargoPanel, ConstructionPanel, DataBasePanel, KelvanePanel, MarketPanel };
    Q_ENUM(Panel)

    explicit MainWindowModel(TessivarCore& core);

    // Label texts; every value label starts as "-/-".
    QString Label_cmdr_val = QStringLiteral("-/-");
    QString Label_cr_val = QStringLiteral("-/-");
    QString Label_carrier_name_val = QStringLiteral("-/-");
    QString Label_carrier_system_val = QStringLiteral("-/-");
    QString Label_carrier_body_val = QStringLiteral("-/-");
    QString Label_dock_system_val = QStringLiteral("-/-");
    QString Label_dock_station_val = QStringLiteral("-/-");
    QString Label_dock_type_val = QStringLiteral("-/-");
    QString Label_time = QStringLiteral("-/-");
    QString edit_mobile_ip = QStringLiteral("192.168.100.7");
    bool ch_wysylaj_enabled = false; // mobile "Active" box, enabled after the first dispatch

    TInfo_Docked Info_Docked;

    // Refreshes Info_Docked from a batch of journal lines.
    void get_Docked_Info(const class JournalBatch& lines);

    void notifyChanged() { emit changed(); }

signals:
    void changed();

private:
    TessivarCore& m_core;
};
