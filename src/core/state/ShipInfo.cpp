#include "state/ShipInfo.h"

#include "Core.h"

ShipInfo::ShipInfo(TessivarCore& core) : m_core(core) {}

void ShipInfo::Parse_Statek(const QByteArray&) {}

QJsonObject ShipInfo::dumpJson() const
{
    return {};
}
