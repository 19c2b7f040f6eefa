#include "state/ShipInfo.h"

#include "state/StateParsers.h"

namespace {

const QString kIconShip = QString::fromUtf16(u"\U0001F680 ");
const QString kIconName = QString::fromUtf16(u"\U0001F3F7\uFE0F ");
const QString kIconCargo = QString::fromUtf16(u"\U0001F4E6 ");

}  // namespace

ShipInfo::ShipInfo(GameState& state)
    : statek_typ(kIconShip + ShipInfo::tr("Ship")), statek_nazwa(kIconName + ShipInfo::tr("Name")),
      statek_cargo(kIconCargo + ShipInfo::tr("Cargo")), m_state(state)
{}

void ShipInfo::Parse_Statek(const QByteArray& JSON)
{
    TLoadoutData parsed = Parse_DaneStatku(JSON);
    TLoadoutData& ship = m_state.DaneStatku;
    ship = std::move(parsed);
    statek_typ = kIconShip + ship.Ship;
    statek_nazwa = kIconName + ship.ShipName;
    statek_cargo = kIconCargo + QString::number(ship.CargoCapacity);
    emit changed();
}

QJsonObject ShipInfo::dumpJson() const
{
    return QJsonObject{{"f_statek", QJsonObject{{"statek_typ", statek_typ},
                                                {"statek_nazwa", statek_nazwa},
                                                {"statek_cargo", statek_cargo}}}};
}
