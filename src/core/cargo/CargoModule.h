#pragma once

#include "common/TextTableModel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>

class TessivarCore;

// The ship's hold, the carrier loading list and its reconciliation with transfers and sales.
class CargoModule : public QObject
{
    Q_OBJECT
public:
    explicit CargoModule(TessivarCore& core);

    void sprawdz_zaladunek(const QByteArray& JSON, const QString& typ);
    void add_zaladunek_ilosc_kursow();
    void read_cargo();
    void add_zaladunek(bool dodac_do_istniejacego, const QStringList& materialy);
    void read_zaladunek_from_file();
    void Aktualizuj_Zaladunek(const QString& mat, int ilosc);

    // The loading list: name, quantity, trips (row 0 an ordinary row).
    TextTableModel zaladunek_list{3};
    // The selector's entries ("My Carrier", "Trade Missions", carrier ids) and the selected one.
    QStringList Carrier_loading_select{QStringLiteral("My Carrier"), QStringLiteral("Trade Missions")};
    int Carrier_loading_select_index = 0;
    // Picks a selector entry as the user would (the first entry with that text).
    void selectEntry(const QString& entry);

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    TessivarCore& m_core;
};
