#include "journal/EventScan.h"

#include <QByteArrayMatcher>

EventNames scanEventNames(QByteArrayView line)
{
    static const QByteArrayMatcher matcher(QByteArrayView("\"event\":\""));
    constexpr qsizetype keyLen = 9;
    EventNames names;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = matcher.indexIn(line, from);
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
