#include "mobile/MobileLink.h"

#include "Core.h"

MobileLink::MobileLink(TessivarCore& core) : m_core(core) {}

void MobileLink::send_to_host(const QString&) {}

QJsonObject MobileLink::dumpJson() const
{
    return {};
}
