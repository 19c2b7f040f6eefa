#pragma once

#include <QString>
#include <optional>

class MobileLink;

// Where a listener standing in for the phone waits.
struct MobileTarget
{
    QString host;
    quint16 port = 0;
};

// "HOST:PORT", "[IPv6]:PORT"; std::nullopt when malformed.
std::optional<MobileTarget> parseMobileTarget(const QString& hostPort);

// Lets a replayed session be watched by a listener: once the first dispatch
// has enabled "Active", the listener's address is typed into the field and
// the box ticked, as a person would. The replay has no event loop of its
// own, so after every step it waits here (bounded) for the connection
// attempt and the writes to finish.
class ReplayMobileHook
{
public:
    ReplayMobileHook(MobileLink& link, MobileTarget target);
    void afterStep();

private:
    MobileLink& m_link;
    MobileTarget m_target;
    bool m_ticked = false;
};
