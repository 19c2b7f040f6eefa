#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

// The complete lines of one journal read, kept as the bytes read plus the
// position of each line, so a large first read costs one buffer and no copy
// per line. Lines are UTF-8 bytes without their terminator and without any
// leading NUL bytes (the game leaves a run of them after a crash).
class JournalBatch
{
public:
    struct Span
    {
        qsizetype offset = 0;
        qsizetype length = 0;
    };

    JournalBatch() = default;
    JournalBatch(QByteArray data, std::vector<Span> lines)
        : m_data(std::move(data)), m_lines(std::move(lines))
    {}
    // A batch made of the given lines (tests, tools).
    static std::shared_ptr<const JournalBatch> fromLines(const QList<QByteArray>& lines);

    qsizetype size() const { return qsizetype(m_lines.size()); }
    bool isEmpty() const { return m_lines.empty(); }
    QByteArrayView line(qsizetype i) const
    {
        const Span& s = m_lines[size_t(i)];
        return QByteArrayView(m_data.constData() + s.offset, s.length);
    }
    QString lineText(qsizetype i) const { return QString::fromUtf8(line(i)); }
    qsizetype byteSize() const { return m_data.size(); }

private:
    QByteArray m_data;
    std::vector<Span> m_lines;
};

using JournalBatchPtr = std::shared_ptr<const JournalBatch>;

// Splits bytes into complete lines. A line ends at LF, CR LF, or a CR that is
// followed by more data; an unterminated tail (or a CR as the very last byte)
// is left unread. Returns the number of bytes consumed.
qsizetype splitCompleteLines(const QByteArray& data, qsizetype start, std::vector<JournalBatch::Span>& out);
