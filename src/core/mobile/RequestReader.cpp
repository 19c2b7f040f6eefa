#include "mobile/RequestReader.h"

#include "mobile/MobileMessages.h"

namespace {

// Length of a line without the CR that may end it.
qsizetype contentLength(const QByteArray& line)
{
    return line.endsWith('\r') ? line.size() - 1 : line.size();
}

}  // namespace

void RequestReader::feed(QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qsizetype lf = bytes.indexOf('\n');
        const QByteArrayView piece = lf < 0 ? bytes : bytes.first(lf);
        if (!m_discarding) {
            m_partial.append(piece);
            // One byte of slack for the CR that may still come before the LF.
            if (m_partial.size() > kMaxLine + 1) {
                m_partial.clear();
                m_discarding = true;
            }
        }
        if (lf < 0)
            return;
        completeLine();
        bytes = bytes.sliced(lf + 1);
    }
}

void RequestReader::completeLine()
{
    if (m_discarding || contentLength(m_partial) > kMaxLine) {
        ++m_dropped;
    } else {
        m_queued += m_partial.size();
        m_lines.push_back(m_partial);
    }
    m_partial.clear();
    m_discarding = false;
}

std::optional<QString> RequestReader::takeLine()
{
    if (m_lines.empty())
        return std::nullopt;
    const QByteArray line = std::move(m_lines.front());
    m_lines.pop_front();
    m_queued -= line.size();
    return fromMobileRequest(line);
}

void RequestReader::clear()
{
    m_lines.clear();
    m_partial.clear();
    m_queued = 0;
    m_discarding = false;
}
