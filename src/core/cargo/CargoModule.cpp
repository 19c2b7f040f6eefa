#include "cargo/CargoModule.h"

#include "Core.h"

CargoModule::CargoModule(TessivarCore& core) : m_core(core) {}

void CargoModule::sprawdz_zaladunek(const QByteArray&, const QString&) {}
void CargoModule::add_zaladunek_ilosc_kursow() {}
void CargoModule::read_cargo() {}

QJsonObject CargoModule::dumpJson() const
{
    return {};
}
