#include "state/SystemInfo.h"

#include "Core.h"

SystemInfo::SystemInfo(TessivarCore& core) : m_core(core) {}

void SystemInfo::parse_BGS(const QByteArray&, const QString&) {}
void SystemInfo::undock() {}
void SystemInfo::parse_CMDR(const QByteArray&) {}
void SystemInfo::parse_CarrierLocation(const QByteArray&) {}
void SystemInfo::parse_Carrier(const QByteArray&) {}

QJsonObject SystemInfo::dumpJson() const
{
    return {};
}
