#include "journal/JournalReader.h"

#include "journal/LogModel.h"

#include <QFile>
#include <QRegularExpression>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace {

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
    static const QString prefix = QStringLiteral("Błąd podczas odczytu pliku: ");
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString err = filePath.isEmpty() ? QStringLiteral("no journal file found") : file.errorString();
        reportFailure(QStringLiteral("open|") + filePath + QLatin1Char('|') + err, prefix + err);
        return false;
    }

    const qint64 size = file.size();
    std::vector<JournalBatch::Span> spans;
    QByteArray data;
    qint64 consumed = 0;
    bool readError = false;
    if (LastReadPos < size) {
        if (!file.seek(LastReadPos)) {
            readError = true;
        } else {
            data = file.read(size - LastReadPos);
            if (data.size() < size - LastReadPos && file.error() != QFileDevice::NoError)
                readError = true;
            qsizetype start = 0;
            if (data.startsWith("\xEF\xBB\xBF"))
                start = 3;
            const qsizetype used = splitCompleteLines(data, start, spans);
            consumed = spans.empty() && start == 3 ? 0 : start + used;
        }
    }
    if (readError)
        reportFailure(QStringLiteral("read|") + filePath + QLatin1Char('|') + file.errorString(),
                      prefix + file.errorString());
    else
        m_lastFailure.clear();

    LastReadPos += consumed;
    JournalLog = std::make_shared<const JournalBatch>(std::move(data), std::move(spans));
    if (!JournalLog->isEmpty())
        m_log.append(JournalLog);
    return true;
}

QString JournalReader::get_last_time(QByteArrayView line)
{
    static const QRegularExpression re(QStringLiteral("\"timestamp\":\"(.*?)\""));
    const auto m = re.match(QString::fromUtf8(line));
    if (!m.hasMatch())
        return QStringLiteral("na");
    return m.captured(1);
}
