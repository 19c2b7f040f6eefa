#pragma once

#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

// The ship: the Loadout event into the ship record, and the texts of the
// System Info window's SHIP group.
class ShipInfo : public QObject
{
    Q_OBJECT
public:
    explicit ShipInfo(GameState& state);

    // Replaces DaneStatku with the parsed line; on a parse error the record
    // and the labels keep their previous content.
    void Parse_Statek(const QByteArray& JSON);

    QString statek_typ;
    QString statek_nazwa;
    QString statek_cargo;

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    GameState& m_state;
};
