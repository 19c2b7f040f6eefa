#pragma once

#include "hub/HubHttp.h"

#include <QObject>
#include <QString>
#include <functional>

class ReportSink;

// The way to the hub: the endpoint as configured, the queue of requests and
// what a failure looks like to the person. A request the person started
// reports its failure in a message box; an automatic one (after a sale, the
// market verification, the version check) reports the first failure only,
// as a notice, until a request gets through again.
class HubTransport : public QObject
{
    Q_OBJECT
public:
    enum class Origin
    {
        User,
        Automatic
    };

    // configuredUrl as in [KVN] url or --hub-url; an address without a path
    // gets the hub's default path. Empty or not http(s): no endpoint, and
    // endpointNote() says why.
    HubTransport(const QString& configuredUrl, ReportSink& reports);
    ~HubTransport() override;

    const QString& endpointUrl() const { return m_url; }
    bool hasEndpoint() const { return !m_url.isEmpty(); }
    // What the contracts window says when there is no endpoint.
    const QString& endpointNote() const { return m_note; }

    // Queues a form; `onReply` runs with the answer. `unreadable` tells why
    // an answer cannot be used (empty when it can): such an answer is a
    // failure like a lost connection, and onReply does not run.
    void post(const FormFields& fields, Origin origin, std::function<void(const QString&)> onReply,
              std::function<QString(const QString&)> unreadable = {});

    HubHttpClient& http() { return m_http; }
    bool isIdle() const { return m_http.isIdle(); }
    bool waitForIdle(int ms) { return m_http.waitForIdle(ms); }

private:
    void reportFailure(const QString& act, Origin origin, const QString& error);

    ReportSink& m_reports;
    QString m_url;
    QString m_note;
    HubHttpClient m_http;
    bool m_autoFailureShown = false;
};
