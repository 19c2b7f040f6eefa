#include "missions/MissionModule.h"

#include "Core.h"

MissionModule::MissionModule(TessivarCore& core) : m_core(core) {}

void MissionModule::parse_mission_list(const QByteArray&) {}
void MissionModule::parser_mission_cargo(const QByteArray&) {}
void MissionModule::parse_cargo_depot(const QByteArray&) {}

QJsonObject MissionModule::dumpJson() const
{
    return {};
}
