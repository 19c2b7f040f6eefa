#include "journal/JournalReader.h"

#include "journal/LogModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace {

QString readErrorText(const QString& why)
{
    return QCoreApplication::translate("JournalReader", "Error reading the file: %1").arg(why);
}

std::filesystem::path toFsPath(const QString& p)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(p.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(p).toStdString());
#endif
}

QString fromFsName(const std::filesystem::path& p)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(p.filename().wstring());
#else
    return QFile::decodeName(QByteArray::fromStdString(p.filename().string()));
#endif
}

bool isJournalName(const QString& name)
{
    // The name must begin with "Journal" exactly; the ".log" ending follows the
    // file system's case rules, as the Windows pattern search does.
    return name.startsWith(QLatin1String("Journal"), Qt::CaseSensitive) &&
           name.endsWith(QLatin1String(".log"), Qt::CaseInsensitive);
}

// Last-write time in 2-second steps, as a DOS date-time would hold it. Local
// time offsets are whole minutes, so stepping the UTC time gives the same
// order and the same ties without a time-zone look-up per file.
qint64 twoSecondStep(std::filesystem::file_time_type t)
{
    const auto sys = std::chrono::file_clock::to_sys(t);
    const auto secs = std::chrono::duration_cast<std::chrono::seconds>(sys.time_since_epoch()).count();
    return secs >= 0 ? secs / 2 : (secs - 1) / 2;
}

}  // namespace

QString JournalReader::GetNewestJournalFile(const QString& folderPath)
{
    if (folderPath.isEmpty())
        return {};
    std::error_code ec;
    std::filesystem::directory_iterator it(toFsPath(folderPath), ec);
    if (ec)
        return {};
    QString best;
    qint64 bestTime = std::numeric_limits<qint64>::min();
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const QString name = fromFsName(it->path());
        if (!isJournalName(name))
            continue;
        std::error_code tec;
        const auto t = it->last_write_time(tec);
        if (tec)
            continue;
        const qint64 step = twoSecondStep(t);
        if (best.isEmpty() || step > bestTime) {
            best = name;
            bestTime = step;
        }
    }
    if (best.isEmpty())
        return {};
    QString folder = folderPath;
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder + best;
}

void JournalReader::reportFailure(const QString& condition, const QString& message)
{
    // One box per condition: the same failure on the next pass is not raised again.
    if (condition == m_lastFailure)
        return;
    m_lastFailure = condition;
    if (m_report)
        m_report(message);
}

bool JournalReader::ReadJournalFile(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString err = filePath.isEmpty()
                                ? QCoreApplication::translate("JournalReader", "no journal file found")
                                : file.errorString();
        reportFailure(QStringLiteral("open|") + filePath + QLatin1Char('|') + err, readErrorText(err));
        return false;
    }

    const qint64 size = file.size();
    // A file shorter than the read position was replaced or cut short under
    // the same name: everything in it is new.
    if (LastReadPos > size)
        LastReadPos = 0;
    m_readPath = filePath;
    m_whole = true;
    m_readFrom = m_readTo = LastReadPos;
    std::vector<JournalBatch::Span> spans;
    QByteArray data;
    JournalBatchPtr batch;
    qint64 consumed = 0;
    bool readError = false;
    if (LastReadPos < size && !file.seek(LastReadPos)) {
        readError = true;
    } else if (LastReadPos < size && size - LastReadPos <= chunkBytes) {
        data = file.read(size - LastReadPos);
        if (data.size() < size - LastReadPos && file.error() != QFileDevice::NoError)
            readError = true;
        qsizetype start = 0;
        if (data.startsWith("\xEF\xBB\xBF"))
            start = 3;
        const qsizetype used = splitCompleteLines(data, start, spans);
        consumed = spans.empty() && start == 3 ? 0 : start + used;
        m_readFrom = LastReadPos + start;
        m_readTo = LastReadPos + consumed;
        batch = std::make_shared<const JournalBatch>(std::move(data), std::move(spans), LastReadPos);
    } else if (LastReadPos < size) {
        // Too much to hold: keep the newest piece, take the rest again piece
        // by piece when it is walked.
        m_whole = false;
        m_readFrom = LastReadPos + (file.peek(3) == "\xEF\xBB\xBF" ? 3 : 0);
        qint64 dataOffset = 0;
        for (qint64 len = chunkBytes;; len *= 2) {
            const qint64 lo = std::max(m_readFrom, size - len);
            const qint64 readLo = lo > m_readFrom ? lo - 1 : lo;
            if (!file.seek(readLo)) {
                readError = true;
                break;
            }
            data = file.read(size - readLo);
            if (data.size() < size - readLo) {
                readError = true;
                break;
            }
            const qsizetype first = lo > m_readFrom ? nextLineStart(data, 1) : 0;
            const qsizetype to = endOfCompleteLines(data, 0);
            if (first >= 0 && first < to) {
                dataOffset = readLo;
                data.truncate(to);
                splitLinesToEnd(data, first, spans);
                m_tailStart = readLo + first;
                m_readTo = readLo + to;
                break;
            }
            if (lo == m_readFrom) {
                m_readTo = m_readFrom;  // no complete line yet
                break;
            }
        }
        if (readError || spans.empty()) {
            m_whole = true;
            m_readTo = m_readFrom;
            data.clear();
            spans.clear();
        }
        consumed = m_readTo > m_readFrom ? m_readTo - LastReadPos : 0;
        batch = std::make_shared<const JournalBatch>(std::move(data), std::move(spans), dataOffset);
    }
    if (!batch)
        batch = std::make_shared<const JournalBatch>();
    if (readError)
        reportFailure(QStringLiteral("read|") + filePath + QLatin1Char('|') + file.errorString(),
                      readErrorText(file.errorString()));
    else
        m_lastFailure.clear();

    LastReadPos += consumed;
    JournalLog = std::move(batch);
    JournalLogCount = m_whole ? JournalLog->size() : 0;
    if (m_whole)
        m_log.append(JournalLog);
    else
        logNewestLines();
    return true;
}

void JournalReader::logNewestLines()
{
    // The log view keeps only its newest lines: gather them from the end.
    std::vector<JournalBatchPtr> pieces;
    qsizetype lines = 0;
    visitNewestFirst([&](const JournalBatchPtr& piece) {
        pieces.push_back(piece);
        lines += piece->size();
        return lines < LogModel::maxLines;
    });
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it)
        m_log.append(*it);
}

bool JournalReader::openForPieces(QFile& file)
{
    file.setFileName(m_readPath);
    if (file.open(QIODevice::ReadOnly))
        return true;
    reportFailure(QStringLiteral("open|") + m_readPath + QLatin1Char('|') + file.errorString(),
                  readErrorText(file.errorString()));
    return false;
}

bool JournalReader::readRange(QFile& file, qint64 from, qint64 to, QByteArray& into)
{
    // A buffer no piece holds any more is filled again in place.
    into.resize(to - from);
    if (file.seek(from) && file.read(into.data(), to - from) == to - from)
        return true;
    // The file changed under the walk (cut short or replaced).
    const QString err = file.error() != QFileDevice::NoError
                            ? file.errorString()
                            : QCoreApplication::translate("JournalReader", "the file became shorter");
    reportFailure(QStringLiteral("read|") + m_readPath + QLatin1Char('|') + err, readErrorText(err));
    return false;
}

void JournalReader::visitNewestFirst(const PieceVisitor& visit)
{
    if (!visit(JournalLog) || m_whole)
        return;
    QFile file;
    if (!openForPieces(file))
        return;
    qint64 hi = m_tailStart;
    qint64 len = chunkBytes;
    while (hi > m_readFrom) {
        const qint64 lo = std::max(m_readFrom, hi - len);
        const qint64 readLo = lo > m_readFrom ? lo - 1 : lo;
        QByteArray data;
        if (!readRange(file, readLo, hi, data))
            return;
        const qsizetype first = lo > m_readFrom ? nextLineStart(data, 1) : 0;
        if (first < 0) {
            len *= 2;  // one line longer than a piece
            continue;
        }
        std::vector<JournalBatch::Span> spans;
        splitLinesToEnd(data, first, spans);
        hi = readLo + first;
        len = chunkBytes;
        if (!visit(std::make_shared<const JournalBatch>(std::move(data), std::move(spans), readLo)))
            return;
    }
}

bool JournalReader::visitInOrder(const PieceVisitor& visit)
{
    InOrderWalk walk;
    while (const JournalBatchPtr piece = nextPieceInOrder(walk)) {
        if (!visit(piece)) {
            JournalLogCount = walk.lines;
            break;
        }
    }
    return !walk.failed;
}

JournalBatchPtr JournalReader::nextPieceInOrder(InOrderWalk& walk)
{
    if (walk.done)
        return nullptr;
    if (m_whole) {
        walk.done = true;
        walk.lines = JournalLog->size();
        return JournalLog;
    }
    if (walk.pos < 0)
        walk.pos = m_readFrom;
    const auto fail = [&walk] {
        walk.done = walk.failed = true;
        return nullptr;
    };
    if (walk.pos >= m_readTo) {
        walk.done = true;
        JournalLogCount = walk.lines;
        return nullptr;
    }
    QFile file;
    if (!openForPieces(file))
        return fail();
    qint64 len = chunkBytes;
    QByteArray data;
    for (;;) {
        const qint64 hi = std::min(m_readTo, walk.pos + len);
        if (!readRange(file, walk.pos, hi, data))
            return fail();
        std::vector<JournalBatch::Span> spans;
        const qsizetype used =
            hi == m_readTo ? splitLinesToEnd(data, 0, spans) : splitCompleteLines(data, 0, spans);
        if (spans.empty() && hi < m_readTo) {
            len *= 2;  // one line longer than a piece
            continue;
        }
        walk.lines += qsizetype(spans.size());
        auto piece = std::make_shared<const JournalBatch>(data, std::move(spans), walk.pos);
        walk.pos += used;
        if (walk.pos >= m_readTo) {
            walk.done = true;
            JournalLogCount = walk.lines;
        }
        return piece;
    }
}

QString JournalReader::get_last_time(QByteArrayView line)
{
    static const QRegularExpression re(QStringLiteral("\"timestamp\":\"(.*?)\""));
    const auto m = re.match(QString::fromUtf8(line));
    if (!m.hasMatch())
        return QStringLiteral("na");
    return m.captured(1);
}
