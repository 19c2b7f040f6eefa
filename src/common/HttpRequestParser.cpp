#include "HttpRequestParser.h"

namespace {

bool isTokenChar(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool isToken(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (!isTokenChar(c))
            return false;
    }
    return true;
}

// Visible characters and blanks only: no control bytes (tab allowed), no DEL.
bool isFieldValue(QByteArrayView text)
{
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7f)
            return false;
    }
    return true;
}

bool isTarget(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7f)
            return false;
    }
    return true;
}

QByteArray trimmedBlanks(QByteArrayView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && (text[from] == ' ' || text[from] == '\t'))
        ++from;
    while (to > from && (text[to - 1] == ' ' || text[to - 1] == '\t'))
        --to;
    return text.sliced(from, to - from).toByteArray();
}

// The head ends at the first empty line; a bare LF line end is taken too.
qsizetype headEnd(const QByteArray& buffer, qsizetype* separatorLength)
{
    for (qsizetype i = buffer.indexOf('\n'); i >= 0; i = buffer.indexOf('\n', i + 1)) {
        if (i + 1 < buffer.size() && buffer[i + 1] == '\n') {
            *separatorLength = 2;
            return i;
        }
        if (i + 2 < buffer.size() && buffer[i + 1] == '\r' && buffer[i + 2] == '\n') {
            *separatorLength = 3;
            return i;
        }
    }
    return -1;
}

}  // namespace

QByteArray HttpRequest::header(const QByteArray& lowerName) const
{
    for (const auto& h : headers) {
        if (h.first == lowerName)
            return h.second;
    }
    return {};
}

bool HttpRequest::hasHeader(const QByteArray& lowerName) const
{
    for (const auto& h : headers) {
        if (h.first == lowerName)
            return true;
    }
    return false;
}

bool HttpRequest::keepAlive() const
{
    const QList<QByteArray> options = header("connection").toLower().split(',');
    for (const QByteArray& option : options) {
        const QByteArray o = option.trimmed();
        if (o == "close")
            return false;
        if (o == "keep-alive")
            return true;
    }
    return minorVersion >= 1;
}

HttpRequestParser::HttpRequestParser(HttpLimits limits) : m_limits(limits) {}

void HttpRequestParser::feed(const QByteArray& bytes)
{
    m_buffer.append(bytes);
}

HttpRequestParser::Result HttpRequestParser::fail(int status, const char* reason)
{
    m_errorStatus = status;
    m_errorReason = reason;
    m_buffer.clear();
    return Result::Error;
}

HttpRequestParser::Result HttpRequestParser::next(HttpRequest& request)
{
    if (m_errorStatus != 0)
        return Result::Error;
    if (!m_headDone) {
        // Blank lines before a request line are tolerated (some clients send a
        // CRLF after a body).
        qsizetype skip = 0;
        while (skip < m_buffer.size() && (m_buffer[skip] == '\r' || m_buffer[skip] == '\n'))
            ++skip;
        if (skip > 0)
            m_buffer.remove(0, skip);
        qsizetype separator = 0;
        const qsizetype end = headEnd(m_buffer, &separator);
        if (end < 0) {
            if (m_buffer.size() > m_limits.maxHeadBytes)
                return fail(400, "request head too large");
            return Result::NeedMore;
        }
        if (end > m_limits.maxHeadBytes)
            return fail(400, "request head too large");
        const QByteArray head = m_buffer.left(end);
        m_buffer.remove(0, end + separator);
        const Result result = parseHead(head);
        if (result == Result::Error)
            return result;
        m_headDone = true;
    }
    if (m_buffer.size() < m_bodyLength)
        return Result::NeedMore;
    m_current.body = m_buffer.left(m_bodyLength);
    m_buffer.remove(0, m_bodyLength);
    request = std::move(m_current);
    m_current = HttpRequest();
    m_headDone = false;
    m_expectContinue = false;
    m_bodyLength = 0;
    return Result::Complete;
}

HttpRequestParser::Result HttpRequestParser::parseHead(const QByteArray& head)
{
    QList<QByteArray> lines = head.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.contains('\r'))
            return fail(400, "stray carriage return");
    }
    if (lines.size() - 1 > m_limits.maxHeaderLines)
        return fail(400, "too many header lines");

    const QList<QByteArray> parts = lines.first().split(' ');
    if (parts.size() != 3 || !isToken(parts[0]) || !isTarget(parts[1]))
        return fail(400, "malformed request line");
    const QByteArray& version = parts[2];
    if (version.size() != 8 || !version.startsWith("HTTP/") || version[6] != '.')
        return fail(400, "malformed request line");
    if (version[5] != '1' || (version[7] != '0' && version[7] != '1'))
        return fail(505, "HTTP version not supported");
    m_current.method = parts[0];
    m_current.minorVersion = version[7] - '0';

    QByteArray target = parts[1];
    if (target.startsWith("http://") || target.startsWith("https://")) {
        const qsizetype slash = target.indexOf('/', target.indexOf("//") + 2);
        target = slash < 0 ? QByteArray("/") : target.mid(slash);
    }
    if (!target.startsWith('/') && target != "*")
        return fail(400, "malformed request target");
    const qsizetype query = target.indexOf('?');
    m_current.path = query < 0 ? target : target.left(query);

    bool haveLength = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return fail(400, "malformed header line");
        const QByteArray name = line.left(colon).toLower();
        if (!isToken(name))
            return fail(400, "malformed header name");
        const QByteArray value = trimmedBlanks(QByteArrayView(line).sliced(colon + 1));
        if (!isFieldValue(value))
            return fail(400, "malformed header value");
        if (name == "content-length") {
            bool ok = value.size() <= 18 && !value.isEmpty();
            for (const char c : value)
                ok = ok && c >= '0' && c <= '9';
            if (!ok)
                return fail(400, "malformed Content-Length");
            const qsizetype length = value.toLongLong();
            if (haveLength && length != m_bodyLength)
                return fail(400, "conflicting Content-Length");
            haveLength = true;
            m_bodyLength = length;
        }
        m_current.headers.append({name, value});
    }
    if (m_current.hasHeader("transfer-encoding"))
        return fail(501, "Transfer-Encoding not supported");
    if (m_current.minorVersion >= 1 && !m_current.hasHeader("host"))
        return fail(400, "missing Host header");
    if (m_bodyLength > m_limits.maxBodyBytes)
        return fail(400, "request body too large");
    m_expectContinue = m_current.header("expect").toLower() == "100-continue";
    return Result::Complete;
}
