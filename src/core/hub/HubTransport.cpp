#include "hub/HubTransport.h"

#include "HubProtocol.h"
#include "common/ReportSink.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QUrl>

Q_LOGGING_CATEGORY(lcHubTransport, "tessivar.hub")

namespace {

QString endpointFrom(const QString& configured, QString& note)
{
    const QString t = configured.trimmed();
    if (t.isEmpty()) {
        note = QCoreApplication::translate(
            "HubTransport",
            "No Kelvane hub address is configured: enter it in Settings (🛠️ in the main window), "
            "tab Kelvane, and start the program again. Nothing is sent to the hub.");
        return {};
    }
    QUrl u(t, QUrl::StrictMode);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        u.host().isEmpty()) {
        note = QCoreApplication::translate("HubTransport",
                                           "The Kelvane hub address \"%1\" is not an http:// or https:// "
                                           "address. Nothing is sent to the hub.")
                   .arg(t);
        return {};
    }
    if (u.path().isEmpty() || u.path() == QLatin1String("/"))
        u.setPath(QString(HubProtocol::kDefaultPath));
    return u.toString();
}

}  // namespace

HubTransport::HubTransport(const QString& configuredUrl, ReportSink& reports) : m_reports(reports)
{
    m_url = endpointFrom(configuredUrl, m_note);
    m_http.setEndpoint(QUrl(m_url));
    connect(&m_http, &HubHttpClient::stepFailed, this,
            [this](const QString& error) { m_reports.report(error); });
}

HubTransport::~HubTransport() = default;

void HubTransport::post(const FormFields& fields, Origin origin, std::function<void(const QString&)> onReply,
                        std::function<QString(const QString&)> unreadable)
{
    QString act;
    for (const auto& [name, value] : fields)
        if (name == HubProtocol::Field::kAct)
            act = value;
    qCDebug(lcHubTransport) << "request" << act;
    HubHttpClient::Request r;
    r.fields = fields;
    r.onReply = [this, act, origin, onReply = std::move(onReply), unreadable](const QString& reply) {
        if (unreadable) {
            const QString why = unreadable(reply);
            if (!why.isEmpty()) {
                reportFailure(act, origin, why);
                return;
            }
        }
        m_autoFailureShown = false;
        if (onReply)
            onReply(reply);
    };
    r.onFailure = [this, act, origin](const QString& error) { reportFailure(act, origin, error); };
    m_http.post(std::move(r));
}

void HubTransport::reportFailure(const QString& act, Origin origin, const QString& error)
{
    const QString text = tr("Kelvane hub (%1): %2").arg(act, error);
    qCWarning(lcHubTransport).noquote() << text;
    if (origin == Origin::Automatic) {
        // Nobody clicked for it: to the strip, and an outage must not pile up
        // one line per sale or market visit there either.
        if (!m_autoFailureShown)
            m_reports.notice(text);
        m_autoFailureShown = true;
        return;
    }
    m_reports.report(text);
}
