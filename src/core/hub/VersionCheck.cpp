#include "hub/VersionCheck.h"

#include "HubProtocol.h"
#include "hub/HubTransport.h"

#include <QRegularExpression>

namespace {

// Longest answer shown on a button.
constexpr qsizetype kShownVersionChars = 100;

}  // namespace

VersionCheck::VersionCheck(HubTransport& transport) : m_transport(transport) {}

QString VersionCheck::appVersion()
{
    static const QRegularExpression fourNumbers(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$"));
    const QString v = QStringLiteral(TESSIVAR_VERSION_TEXT);
    return fourNumbers.match(v).hasMatch() ? v : QStringLiteral("Unknown");
}

void VersionCheck::check()
{
    if (!m_transport.hasEndpoint())
        return;
    using namespace HubProtocol;
    m_transport.post({{QString(Field::kAct), QString(Act::kCheckVersion)}}, HubTransport::Origin::Automatic,
                     [this](const QString& reply) {
                         // Any difference counts: versions are compared as texts, not ordered.
                         if (reply == appVersion())
                             return;
                         const QString shown = reply.size() <= kShownVersionChars
                                                   ? reply
                                                   : reply.left(kShownVersionChars) + QStringLiteral("…");
                         m_caption = tr("New version available: ") + shown;
                         emit newVersionAnnounced(m_caption);
                     });
}
