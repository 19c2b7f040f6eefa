#include "mobile/ReplayMobileHook.h"

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

ReplayMobileHook::ReplayMobileHook(MobileLink& link, MobileTarget target)
    : m_link(link), m_target(std::move(target))
{}

void ReplayMobileHook::afterStep()
{
    if (!m_ticked && m_link.activeBoxEnabled()) {
        m_ticked = true;
        m_link.setPort(m_target.port);
        m_link.setAddress(m_target.host);
        m_link.ch_wysylajClick(true);
    }
    m_link.waitUntilSettled(kSettleMs);
}
