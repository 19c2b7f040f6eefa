#include "hub/HubClient.h"

#include "Core.h"

HubClient::HubClient(TessivarCore& core) : m_core(core) {}

void HubClient::get_KVN() {}
void HubClient::check_update_KVN(const QString&, const QString&) {}

QJsonObject HubClient::dumpJson() const
{
    return {};
}
