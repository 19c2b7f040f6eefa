#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <deque>
#include <optional>

// Splits the bytes the phone sends into request lines (ended by LF) without
// ever holding more than a bounded amount: a line longer than kMaxLine bytes
// is dropped as it streams in, and the owner stops feeding once
// queuedBytes() reaches its own limit, so a flood waits in the socket.
class RequestReader
{
public:
    static constexpr qsizetype kMaxLine = 4096;

    void feed(QByteArrayView bytes);
    // The oldest complete line, decoded; std::nullopt while none is complete.
    std::optional<QString> takeLine();
    bool hasLine() const { return !m_lines.empty(); }
    // Complete lines waiting plus the line begun.
    qsizetype queuedBytes() const { return m_queued + m_partial.size(); }
    qsizetype droppedLines() const { return m_dropped; }
    void clear();

private:
    void completeLine();

    std::deque<QByteArray> m_lines;
    QByteArray m_partial;
    qsizetype m_queued = 0;
    qsizetype m_dropped = 0;
    bool m_discarding = false;  // inside a line already too long
};
