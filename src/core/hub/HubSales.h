#pragma once

#include "hub/HubHttp.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

// The sales other haulers reported to the hub at the player's own carrier:
// with the carrier's owner code set (and the consent to talk to the hub),
// asked for every few minutes and announced each time, so the carrier's
// ledger counts each once by its key.
class HubSales : public QObject
{
    Q_OBJECT
public:
    struct Sources
    {
        QString hubUrl;  // the endpoint, as the hub client completed it
        std::function<bool()> consent;
        std::function<QString()> ownerCode;  // the stored code; empty while none was made
        std::function<quint64()> carrierId;  // the own carrier, 0 while unknown
    };
    explicit HubSales(Sources sources, QObject* parent = nullptr);

    // Asks every `minutes` from now on (the application starts it).
    void start(int minutes = 5);
    // Asks once, when the hub, the consent, the code and the carrier are there.
    void poll();
    bool waitForIdle(int ms) { return m_http.waitForIdle(ms); }

signals:
    void saleReported(quint64 carrierId, const QString& commodity, qint64 count, const QString& key);
    void failed(const QString& text);

private:
    Sources m_sources;
    HubHttpClient m_http;
    QTimer m_timer;
};
