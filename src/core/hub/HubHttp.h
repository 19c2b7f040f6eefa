#pragma once

#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <deque>
#include <functional>
#include <vector>

using FormFields = QList<QPair<QString, QString>>;

// The hub's HTTP client: form-encoded POSTs to one endpoint, one at a time in
// the order they were asked for, never blocking the caller. Each request has
// a hard deadline and a limit on the size of its reply; redirects are not
// followed. What happens after a request is handed in as a callback and runs
// when the reply has arrived.
class HubHttpClient : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        FormFields fields;
        std::function<void(const QString& reply)> onReply;
        std::function<void(const QString& error)> onFailure;
    };

    explicit HubHttpClient(QObject* parent = nullptr);
    ~HubHttpClient() override;

    void setEndpoint(const QUrl& url) { m_endpoint = url; }
    const QUrl& endpoint() const { return m_endpoint; }
    // Hard deadline of one request, from its start to its last byte.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }
    void setReplyLimit(qint64 bytes) { m_replyLimit = bytes; }
    qint64 replyLimit() const { return m_replyLimit; }

    // Queues a request. One asked for while a reply is being handled is the
    // next step of that operation: it runs before every request queued
    // earlier, as it would have if the requests waited for their replies.
    void post(Request request);
    bool isIdle() const { return !m_current && m_queue.empty(); }
    // Runs the event loop until every queued request is done or `ms` passed.
    bool waitForIdle(int ms);

    // application/x-www-form-urlencoded: UTF-8, blank as "+", every byte
    // other than letters, digits and "*-._" as %HH.
    static QByteArray formEncode(const FormFields& fields);

signals:
    void idle();
    // A step after a reply threw; the text of the error.
    void stepFailed(const QString& error);

private:
    void startNext();
    void onReadyRead();
    void onFinished();
    void abortCurrent(const QString& why);

    QNetworkAccessManager m_nam;
    QUrl m_endpoint;
    int m_timeoutMs = 15000;
    qint64 m_replyLimit = 4 * 1024 * 1024;
    std::deque<Request> m_queue;
    // Next steps asked for while a reply is handled, in the order asked.
    std::vector<Request> m_nextBatch;
    bool m_inCallback = false;

    QPointer<QNetworkReply> m_current;
    Request m_currentRequest;
    QByteArray m_body;
    QString m_abortReason;
    QTimer m_deadline;
};
