#include "mobile/ReplayMobileHook.h"

#include "Core.h"
#include "MainWindowModel.h"
#include "mobile/MobileLink.h"

namespace {

constexpr int kSettleMs = MobileLink::kConnectTimeoutMs + 5000;

}  // namespace

std::optional<MobileTarget> parseMobileTarget(const QString& hostPort)
{
    const qsizetype colon = hostPort.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return std::nullopt;
    bool ok = false;
    const uint port = hostPort.mid(colon + 1).toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    QString host = hostPort.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    if (host.isEmpty())
        return std::nullopt;
    return MobileTarget{host, static_cast<quint16>(port)};
}

ReplayMobileHook::ReplayMobileHook(TessivarCore& core, MobileTarget target)
    : m_core(core), m_target(std::move(target))
{}

void ReplayMobileHook::afterStep()
{
    MobileLink& link = m_core.mobile();
    if (!m_ticked && m_core.mainWindow().ch_wysylaj_enabled) {
        m_ticked = true;
        link.setPort(m_target.port);
        m_core.mainWindow().edit_mobile_ip = m_target.host;
        link.ch_wysylajClick(true);
    }
    link.waitUntilSettled(kSettleMs);
}
