#pragma once

#include "journal/JournalBatch.h"

#include <QString>
#include <functional>

class LogModel;

// Follows the newest journal file: finds it, reads the complete lines added
// since the previous read, and keeps the byte offset where the next read
// starts.
class JournalReader
{
public:
    using Reporter = std::function<void(const QString&)>;

    JournalReader(LogModel& log, Reporter report) : m_log(log), m_report(std::move(report)) {}

    // Journal state, as the pass and the diagnostics see it.
    QString JournalFolder;    // ends with '/', empty when no folder was found
    QString LastJournalFile;  // full path of the file being followed
    qint64 LastReadPos = 0;   // where the next read starts
    JournalBatchPtr JournalLog = std::make_shared<const JournalBatch>();

    // Full path of the newest Journal*.log in the folder (by last-write time at
    // 2-second resolution, the first enumerated winning ties), or empty text.
    static QString GetNewestJournalFile(const QString& folderPath);
    // Reads the lines added since LastReadPos. Returns true when the file was
    // read (JournalLog then holds the new lines, possibly none); false when it
    // could not be opened (JournalLog and LastReadPos keep their values).
    bool ReadJournalFile(const QString& filePath);
    // The timestamp text of a line, or "na".
    static QString get_last_time(QByteArrayView line);

private:
    void reportFailure(const QString& condition, const QString& message);

    LogModel& m_log;
    Reporter m_report;
    QString m_lastFailure;  // condition last reported; cleared by a good read
};
