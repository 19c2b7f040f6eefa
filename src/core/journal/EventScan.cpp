#include "journal/EventScan.h"

#include <QByteArrayMatcher>

#include <cstring>

namespace {

constexpr char kKey[] = "\"event\":\"";
constexpr qsizetype keyLen = sizeof(kKey) - 1;

// Every line is searched whole (the pair may stand anywhere), so this is the
// hottest loop of a first pass over a large journal.
qsizetype findKey(QByteArrayView line, qsizetype from)
{
#if defined(__GLIBC__)
    const void* hit = memmem(line.data() + from, size_t(line.size() - from), kKey, size_t(keyLen));
    return hit ? static_cast<const char*>(hit) - line.data() : -1;
#else
    static const QByteArrayMatcher matcher(QByteArrayView(kKey, keyLen));
    return matcher.indexIn(line, from);
#endif
}

} // namespace

EventNames scanEventNames(QByteArrayView line)
{
    EventNames names;
    qsizetype from = 0;
    while (from <= line.size() - keyLen) {
        const qsizetype at = findKey(line, from);
        if (at < 0)
            break;
        const qsizetype nameStart = at + keyLen;
        const qsizetype close = line.indexOf('"', nameStart);
        if (close < 0)
            break;
        names.append(line.sliced(nameStart, close - nameStart));
        from = close + 1;
    }
    return names;
}

bool lineContains(QByteArrayView line, QByteArrayView text)
{
    return line.indexOf(text) >= 0;
}
