#include "hub/HubHttp.h"

#include "common/Error.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>

namespace {

void encodeInto(QByteArray& out, const QString& text)
{
    static const char hex[] = "0123456789ABCDEF";
    for (const char ch : text.toUtf8()) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '*' ||
            c == '-' || c == '.' || c == '_') {
            out += char(c);
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
}

// The reply as text: the charset the server declares when we know it, else UTF-8.
QString decodeBody(const QByteArray& body, const QByteArray& contentType)
{
    QByteArray charset;
    for (const QByteArray& part : contentType.split(';')) {
        const QByteArray p = part.trimmed();
        if (p.toLower().startsWith("charset="))
            charset = p.mid(8).trimmed().replace('"', QByteArray());
    }
    if (!charset.isEmpty()) {
        QStringDecoder dec(charset.constData());
        if (dec.isValid())
            return dec.decode(body);
    }
    return QString::fromUtf8(body);
}

QString secondsText(int ms)
{
    return QString::number(ms / 1000.0, 'g', 3);
}

}  // namespace

HubHttpClient::HubHttpClient(QObject* parent) : QObject(parent)
{
    m_nam.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this,
            [this] { abortCurrent(QStringLiteral("no reply within %1 s").arg(secondsText(m_timeoutMs))); });
}

HubHttpClient::~HubHttpClient()
{
    if (m_current) {
        m_current->disconnect(this);
        m_current->abort();
    }
}

QByteArray HubHttpClient::formEncode(const FormFields& fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += '&';
        encodeInto(out, fields[i].first);
        out += '=';
        encodeInto(out, fields[i].second);
    }
    return out;
}

void HubHttpClient::post(Request request)
{
    if (m_inCallback) {
        m_nextBatch.push_back(std::move(request));
        return;
    }
    m_queue.push_back(std::move(request));
    startNext();
}

bool HubHttpClient::waitForIdle(int ms)
{
    if (isIdle())
        return true;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(this, &HubHttpClient::idle, &loop, &QEventLoop::quit);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(ms);
    loop.exec();
    return isIdle();
}

void HubHttpClient::startNext()
{
    if (m_current || m_queue.empty())
        return;
    m_currentRequest = std::move(m_queue.front());
    m_queue.pop_front();

    QNetworkRequest req(m_endpoint);
    req.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
    req.setRawHeader("Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    req.setHeader(QNetworkRequest::UserAgentHeader,
                  QByteArrayLiteral("Mozilla/3.0 (compatible; Indy Library)"));
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    req.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    req.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    m_body.clear();
    m_abortReason.clear();
    QNetworkReply* reply = m_nam.post(req, formEncode(m_currentRequest.fields));
    m_current = reply;
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const qint64 declared = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (reply == m_current && declared > m_replyLimit)
            abortCurrent(QStringLiteral("the reply of %1 bytes is larger than the limit of %2 bytes")
                             .arg(declared)
                             .arg(m_replyLimit));
    });
    connect(reply, &QNetworkReply::readyRead, this, &HubHttpClient::onReadyRead);
    connect(reply, &QNetworkReply::finished, this, &HubHttpClient::onFinished);
    m_deadline.start(m_timeoutMs);
}

void HubHttpClient::onReadyRead()
{
    if (!m_current || sender() != m_current)
        return;
    m_body += m_current->readAll();
    if (m_body.size() > m_replyLimit)
        abortCurrent(QStringLiteral("the reply is larger than the limit of %1 bytes; it was cut off")
                         .arg(m_replyLimit));
}

void HubHttpClient::abortCurrent(const QString& why)
{
    if (!m_current)
        return;
    m_abortReason = why;
    m_current->abort();
}

void HubHttpClient::onFinished()
{
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    if (reply != m_current)
        return;
    m_deadline.stop();

    QString error = m_abortReason;
    if (error.isEmpty()) {
        m_body += reply->readAll();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 300 && status < 400) {
            error =
                QStringLiteral("the hub answered with a redirect (HTTP %1) to \"%2\", which is not followed")
                    .arg(status)
                    .arg(QString::fromUtf8(reply->rawHeader("Location")));
        } else if (status != 0 && (status < 200 || status >= 300)) {
            error = QStringLiteral("HTTP %1 %2")
                        .arg(status)
                        .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())
                        .trimmed();
        } else if (reply->error() != QNetworkReply::NoError) {
            error = reply->errorString();
        } else if (m_body.size() > m_replyLimit) {
            error = QStringLiteral("the reply is larger than the limit of %1 bytes; it was cut off")
                        .arg(m_replyLimit);
        }
    }
    const QString text =
        error.isEmpty() ? decodeBody(m_body, reply->header(QNetworkRequest::ContentTypeHeader).toByteArray())
                        : QString();
    m_body.clear();
    m_current = nullptr;
    Request done = std::move(m_currentRequest);
    m_currentRequest = {};

    m_inCallback = true;
    try {
        if (error.isEmpty()) {
            if (done.onReply)
                done.onReply(text);
        } else if (done.onFailure) {
            done.onFailure(error);
        }
    } catch (const std::exception& e) {
        emit stepFailed(errorText(e));
    }
    m_inCallback = false;
    for (auto it = m_nextBatch.rbegin(); it != m_nextBatch.rend(); ++it)
        m_queue.push_front(std::move(*it));
    m_nextBatch.clear();

    startNext();
    if (isIdle())
        emit idle();
}
