#include "hub/HubClient.h"

#include "Core.h"

HubClient::HubClient(TessivarCore& core) : m_core(core) {}


QJsonObject HubClient::dumpJson() const
{
    return {};
}
