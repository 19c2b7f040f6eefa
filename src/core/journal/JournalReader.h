#pragma once

#include "journal/JournalBatch.h"

#include <QString>
#include <functional>

class LogModel;
class QFile;

// Follows the newest journal file: finds it, reads the complete lines added
// since the previous read, and keeps the byte offset where the next read
// starts.
//
// A read larger than one piece (chunkBytes) is not held in memory: JournalLog
// then keeps only the newest piece, and the lines are taken again from the
// file piece by piece (visitInOrder, visitNewestFirst), so memory does not
// grow with the journal.
class JournalReader
{
public:
    using Reporter = std::function<void(const QString&)>;
    // Receives one piece of the read; returning false stops a newest-first walk.
    using PieceVisitor = std::function<bool(const JournalBatchPtr& piece)>;

    JournalReader(LogModel& log, Reporter report) : m_log(log), m_report(std::move(report)) {}

    // Journal state, as the pass and the diagnostics see it.
    QString JournalFolder;    // ends with '/', empty when no folder was found
    QString LastJournalFile;  // full path of the file being followed
    qint64 LastReadPos = 0;   // where the next read starts
    JournalBatchPtr JournalLog = std::make_shared<const JournalBatch>();
    // Lines of the latest read: known after the read when it fits one piece,
    // else once visitInOrder has walked it.
    qsizetype JournalLogCount = 0;
    qint64 chunkBytes = qint64(4) << 20;

    // Full path of the newest Journal*.log in the folder (by last-write time at
    // 2-second resolution, the first enumerated winning ties), or empty text.
    static QString GetNewestJournalFile(const QString& folderPath);
    // Reads the lines added since LastReadPos. Returns true when the file was
    // read (JournalLog then holds the new lines, possibly none); false when it
    // could not be opened (JournalLog and LastReadPos keep their values).
    bool ReadJournalFile(const QString& filePath);
    // Whether the latest read is held whole in JournalLog.
    bool wholeReadInMemory() const { return m_whole; }
    // Bytes of the latest read.
    qint64 readBytes() const { return m_readTo - m_readFrom; }
    // Walks the lines of the latest read oldest first, a piece at a time.
    // Returns false when the file could not be read to the end (reported).
    bool visitInOrder(const PieceVisitor& visit);
    // The same walk, a piece per call, for a caller that lets other work run
    // between the pieces (the file is opened again for each one).
    struct InOrderWalk
    {
        qint64 pos = -1;      // where the next piece starts; -1 before the first
        qsizetype lines = 0;  // lines handed out so far
        bool done = false;    // the last piece has been handed out, or the file failed
        bool failed = false;  // the file could not be read to the end (reported)
    };
    // The next piece of the latest read, or null once the walk is done. The
    // piece that ends the read sets done (and JournalLogCount).
    JournalBatchPtr nextPieceInOrder(InOrderWalk& walk);
    // Walks the lines of the latest read newest first, a piece at a time (the
    // lines of each piece are in file order), until visit returns false.
    void visitNewestFirst(const PieceVisitor& visit);

    // The timestamp text of a line, or "na".
    static QString get_last_time(QByteArrayView line);

private:
    void reportFailure(const QString& condition, const QString& message);
    bool openForPieces(QFile& file);
    // Bytes [from, to) of the file into the buffer; false (and reported) when
    // they are not all there.
    bool readRange(QFile& file, qint64 from, qint64 to, QByteArray& into);
    void logNewestLines();

    LogModel& m_log;
    Reporter m_report;
    QString m_lastFailure;  // condition last reported; cleared by a good read
    QString m_readPath;
    qint64 m_readFrom = 0;   // first byte of the latest read's lines
    qint64 m_readTo = 0;     // end of its last complete line
    qint64 m_tailStart = 0;  // where the lines held in JournalLog start, when not whole
    bool m_whole = true;
};
