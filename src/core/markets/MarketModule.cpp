#include "markets/MarketModule.h"

#include "Core.h"

MarketModule::MarketModule(TessivarCore& core) : m_core(core) {}

void MarketModule::przeszukaj_market(const QString&) {}
void MarketModule::KVN_aktualizuj_zlecenia(quint64) {}

QJsonObject MarketModule::dumpJson() const
{
    return {};
}
