#pragma once

#include <QByteArray>
#include <QList>
#include <utility>

// Bounds that keep one connection's memory small whatever a peer sends.
struct HttpLimits
{
    qsizetype maxHeadBytes = 16 * 1024;
    int maxHeaderLines = 64;
    qsizetype maxBodyBytes = 64 * 1024;
};

struct HttpRequest
{
    QByteArray method;
    QByteArray path;  // without the query
    int minorVersion = 1;
    QList<std::pair<QByteArray, QByteArray>> headers;  // names in lower case
    QByteArray body;

    // First value of a header (name in lower case), empty when absent.
    QByteArray header(const QByteArray& lowerName) const;
    bool hasHeader(const QByteArray& lowerName) const;
    bool keepAlive() const;
};

// Takes HTTP/1.x requests off a byte stream one at a time. The bytes of a
// request that follows (pipelining) stay buffered for the next call.
class HttpRequestParser
{
public:
    enum class Result
    {
        NeedMore,
        Complete,
        Error
    };

    explicit HttpRequestParser(HttpLimits limits = {});

    void feed(const QByteArray& bytes);
    // Bytes taken but not yet returned as a request.
    qsizetype buffered() const { return m_buffer.size(); }
    // Part of a request has arrived.
    bool inRequest() const { return m_headDone || !m_buffer.isEmpty(); }
    Result next(HttpRequest& request);

    // After Error: the status to answer with and a short reason.
    int errorStatus() const { return m_errorStatus; }
    const QByteArray& errorReason() const { return m_errorReason; }
    // The head asked for "100-continue" and its body has not arrived yet.
    bool awaitsContinue() const { return m_headDone && m_expectContinue; }

private:
    Result fail(int status, const char* reason);
    Result parseHead(const QByteArray& head);

    HttpLimits m_limits;
    QByteArray m_buffer;
    bool m_headDone = false;
    bool m_expectContinue = false;
    qsizetype m_bodyLength = 0;
    HttpRequest m_current;
    int m_errorStatus = 0;
    QByteArray m_errorReason;
};
