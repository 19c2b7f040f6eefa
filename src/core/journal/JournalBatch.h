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
    // fileOffset: where the first byte of data stands in its file.
    JournalBatch(QByteArray data, std::vector<Span> lines, qint64 fileOffset = 0)
        : m_data(std::move(data)), m_lines(std::move(lines)), m_fileOffset(fileOffset)
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
    // Where the line stands in its file: the same line read in another piece
    // has the same position.
    qint64 lineFileOffset(qsizetype i) const { return m_fileOffset + m_lines[size_t(i)].offset; }
    qsizetype byteSize() const { return m_data.size(); }

private:
    QByteArray m_data;
    std::vector<Span> m_lines;
    qint64 m_fileOffset = 0;
};

using JournalBatchPtr = std::shared_ptr<const JournalBatch>;

// Splits bytes into complete lines. A line ends at LF, CR LF, or a CR that is
// followed by more data; an unterminated tail (or a CR as the very last byte)
// is left unread. Returns the number of bytes consumed.
qsizetype splitCompleteLines(const QByteArray& data, qsizetype start, std::vector<JournalBatch::Span>& out);
// The same, for bytes known to end at a line boundary: a CR as the very last
// byte ends the last line.
qsizetype splitLinesToEnd(const QByteArray& data, qsizetype start, std::vector<JournalBatch::Span>& out);
// The position just after the last complete line of data[start..], by the
// rules of splitCompleteLines; start when there is none.
qsizetype endOfCompleteLines(const QByteArray& data, qsizetype start);
// The first position at or after `from` where a line starts, given that
// data[from - 1] exists; -1 when no line starts there.
qsizetype nextLineStart(const QByteArray& data, qsizetype from);
