#include "mobile/MobileFeed.h"

#include "mobile/MobileLink.h"

MobileFeed::MobileFeed(MobileLink& link, MobileSources sources) : m_link(link), m_sources(sources)
{
    m_link.setMessageSource([this](const QString& typ) { return mobileMessageLines(m_sources, typ); });
}

void MobileFeed::push(const QString& kind)
{
    m_link.send_to_host(kind);
}
