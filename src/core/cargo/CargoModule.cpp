#include "cargo/CargoModule.h"

#include "Core.h"

CargoModule::CargoModule(TessivarCore& core) : m_core(core) {}

void CargoModule::sprawdz_zaladunek(const QByteArray&, const QString&) {}
void CargoModule::add_zaladunek_ilosc_kursow() {}
void CargoModule::read_cargo() {}
void CargoModule::add_zaladunek(bool, const QStringList&) {}
void CargoModule::read_zaladunek_from_file() {}
void CargoModule::Aktualizuj_Zaladunek(const QString&, int) {}
void CargoModule::selectEntry(const QString&) {}

QJsonObject CargoModule::dumpJson() const
{
    return {};
}
