#include "construction/ConstructionModule.h"

#include "Core.h"

ConstructionModule::ConstructionModule(TessivarCore& core) : m_core(core) {}

void ConstructionModule::Set_Construction_info() {}
void ConstructionModule::czytaj_budowe_z_logu(const QByteArray&) {}

QJsonObject ConstructionModule::dumpJson() const
{
    return {};
}
