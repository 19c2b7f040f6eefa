#include "journal/JournalBatch.h"

#include <cstring>

std::shared_ptr<const JournalBatch> JournalBatch::fromLines(const QList<QByteArray>& lines)
{
    QByteArray data;
    std::vector<Span> spans;
    for (const QByteArray& l : lines) {
        spans.push_back({data.size(), l.size()});
        data += l;
    }
    return std::make_shared<const JournalBatch>(std::move(data), std::move(spans));
}

namespace {

qsizetype firstNonNul(const char* base, qsizetype from, qsizetype to)
{
    while (from < to && base[from] == '\0')
        ++from;
    return from;
}

}  // namespace

qsizetype splitCompleteLines(const QByteArray& data, qsizetype start, std::vector<JournalBatch::Span>& out)
{
    const char* base = data.constData();
    const qsizetype n = data.size();
    qsizetype pos = start;
    while (pos < n) {
        const char* p = base + pos;
        const size_t rest = size_t(n - pos);
        const auto* nl = static_cast<const char*>(std::memchr(p, '\n', rest));
        const size_t searchCr = nl ? size_t(nl - p) : rest;
        const auto* cr = static_cast<const char*>(std::memchr(p, '\r', searchCr));
        qsizetype lineEnd;
        qsizetype next;
        if (cr) {
            lineEnd = cr - base;
            if (lineEnd + 1 >= n)
                break;  // CR as the last byte: an LF may still follow
            next = base[lineEnd + 1] == '\n' ? lineEnd + 2 : lineEnd + 1;
        } else if (nl) {
            lineEnd = nl - base;
            next = lineEnd + 1;
        } else {
            break;  // unterminated tail: wait for the rest of the line
        }
        const qsizetype lineStart = firstNonNul(base, pos, lineEnd);
        out.push_back({lineStart, lineEnd - lineStart});
        pos = next;
    }
    return pos - start;
}

qsizetype splitLinesToEnd(const QByteArray& data, qsizetype start, std::vector<JournalBatch::Span>& out)
{
    const qsizetype used = splitCompleteLines(data, start, out);
    const qsizetype pos = start + used;
    const qsizetype n = data.size();
    if (pos < n && data[n - 1] == '\r') {
        const qsizetype lineStart = firstNonNul(data.constData(), pos, n - 1);
        out.push_back({lineStart, n - 1 - lineStart});
        return n - start;
    }
    return used;
}

qsizetype endOfCompleteLines(const QByteArray& data, qsizetype start)
{
    const char* base = data.constData();
    qsizetype i = data.size() - 1;
    if (i >= start && base[i] == '\r')
        --i;  // a CR as the last byte may still get its LF
    for (; i >= start; --i)
        if (base[i] == '\n' || base[i] == '\r')
            return i + 1;
    return start;
}

qsizetype nextLineStart(const QByteArray& data, qsizetype from)
{
    const char* base = data.constData();
    const qsizetype n = data.size();
    for (qsizetype s = from; s < n; ++s) {
        const char before = base[s - 1];
        if (before == '\n' || (before == '\r' && base[s] != '\n'))
            return s;
    }
    return -1;
}
