#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

class TessivarCore;

// The ship: the Loadout event into the ship record.
class ShipInfo : public QObject
{
    Q_OBJECT
public:
    explicit ShipInfo(TessivarCore& core);

    void Parse_Statek(const QByteArray& JSON);

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    TessivarCore& m_core;
};
