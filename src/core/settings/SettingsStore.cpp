#include "settings/SettingsStore.h"

#include "Core.h"

SettingsStore::SettingsStore(TessivarCore& core) : m_core(core) {}

void SettingsStore::set_String(const QString&, const QString&, const QString&) {}
void SettingsStore::set_Integer(const QString&, const QString&, int) {}
void SettingsStore::set_Boolean(const QString&, const QString&, bool) {}
void SettingsStore::load_settings() {}
void SettingsStore::save_settings() {}

QJsonObject SettingsStore::dumpJson() const
{
    return {};
}
