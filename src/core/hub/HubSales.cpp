#include "hub/HubSales.h"

#include "HubProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

HubSales::HubSales(Sources sources, QObject* parent) : QObject(parent), m_sources(std::move(sources))
{
    m_http.setEndpoint(QUrl(m_sources.hubUrl));
    connect(&m_timer, &QTimer::timeout, this, &HubSales::poll);
}

void HubSales::start(int minutes)
{
    m_timer.start(minutes * 60 * 1000);
}

void HubSales::poll()
{
    const quint64 carrier = m_sources.carrierId ? m_sources.carrierId() : 0;
    const QString code = m_sources.ownerCode ? m_sources.ownerCode() : QString();
    if (m_sources.hubUrl.isEmpty() || carrier == 0 || code.isEmpty() || !m_sources.consent ||
        !m_sources.consent() || !m_http.isIdle())
        return;
    // Every sale the hub keeps is asked for: the ledger knows the ones it counted by their keys.
    HubHttpClient::Request request;
    request.fields = {{QString(HubProtocol::Field::kAct), QString(HubProtocol::Act::kListSales)},
                      {QStringLiteral("CarrierID"), QString::number(carrier)},
                      {QStringLiteral("code"), code}};
    request.onReply = [this, carrier](const QString& reply) {
        const QJsonDocument doc = QJsonDocument::fromJson(reply.toUtf8());
        if (!doc.isArray()) {
            emit failed(
                tr("The hub's list of sales at your carrier could not be read: %1").arg(reply.left(200)));
            return;
        }
        for (const QJsonValue& v : doc.array()) {
            const QJsonObject o = v.toObject();
            const qint64 count = o.value(QLatin1String("count")).toString().toLongLong();
            const QString key = o.value(QLatin1String("key")).toString();
            const QString commodity = o.value(QLatin1String("commodity")).toString();
            if (count > 0 && !key.isEmpty() && !commodity.isEmpty())
                emit saleReported(carrier, commodity, count, key);
        }
    };
    request.onFailure = [this](const QString& error) {
        emit failed(tr("The hub did not list the sales at your carrier: %1").arg(error));
    };
    m_http.post(std::move(request));
}
