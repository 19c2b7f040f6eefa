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
        qsizetype lineStart = pos;
        while (lineStart < lineEnd && base[lineStart] == '\0')
            ++lineStart;
        out.push_back({lineStart, lineEnd - lineStart});
        pos = next;
    }
    return pos - start;
}
