#pragma once

#include "common/TextTableModel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

class TessivarCore;

// Construction sites: the materials a depot still needs and the per-site list files.
class ConstructionModule : public QObject
{
    Q_OBJECT
public:
    explicit ConstructionModule(TessivarCore& core);

    void Set_Construction_info();
    void czytaj_budowe_z_logu(const QByteArray& JSON);

    // The materials the site still needs (row 0 the title row).
    TextTableModel lista_materialow{3};

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    TessivarCore& m_core;
};
