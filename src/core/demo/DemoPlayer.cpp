#include "demo/DemoPlayer.h"

#include "common/Error.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>

namespace {

// The session's start: what the game wrote in its first minute.
constexpr qint64 kHeadSeconds = 60;

QJsonObject lineObject(const QByteArray& line)
{
    return QJsonDocument::fromJson(line).object();
}

QDateTime lineTime(const QByteArray& line)
{
    return QDateTime::fromString(lineObject(line).value(QStringLiteral("timestamp")).toString(), Qt::ISODate);
}

}  // namespace

DemoPlayer::DemoPlayer(QString demoFolder, QString journalFolder, QObject* parent)
    : QObject(parent), m_demoFolder(std::move(demoFolder)), m_journalFolder(std::move(journalFolder))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        bool more = false;
        QString problem;
        try {
            more = step();
        } catch (const std::exception& e) {
            problem = errorText(e);
        }
        if (!problem.isEmpty())
            emit failed(problem);
        else if (more)
            scheduleNext();
        else
            emit finished();
    });
}

void DemoPlayer::load()
{
    const QDir demo(m_demoFolder);
    const QStringList journals = demo.entryList({QStringLiteral("Journal*.log")}, QDir::Files, QDir::Name);
    if (journals.isEmpty())
        throw TessivarError(
            tr("The demo folder %1 holds no journal.").arg(QDir::toNativeSeparators(m_demoFolder)));
    m_journalName = journals.last();
    QFile f(demo.filePath(m_journalName));
    if (!f.open(QIODevice::ReadOnly))
        throw TessivarError(tr("Cannot read the demo journal %1: %2")
                                .arg(QDir::toNativeSeparators(f.fileName()), f.errorString()));
    m_lines.clear();
    for (QByteArray line : f.readAll().split('\n')) {
        line = line.trimmed();
        if (!line.isEmpty())
            m_lines.append(line);
    }
    m_next = 0;
    if (!QDir().mkpath(m_journalFolder))
        throw TessivarError(tr("Cannot create the folder %1").arg(QDir::toNativeSeparators(m_journalFolder)));
}

QString DemoPlayer::journalFile() const
{
    return QDir(m_journalFolder).filePath(m_journalName);
}

void DemoPlayer::seedDataFolder(const QString& dataFolder) const
{
    for (const QString& name : {QStringLiteral("settings.ini"), QStringLiteral("zaladunek.ini")}) {
        const QString from = QDir(m_demoFolder).filePath(name);
        const QString to = QDir(dataFolder).filePath(name);
        if (QFile::exists(from) && !QFile::exists(to) && !QFile::copy(from, to))
            throw TessivarError(
                tr("Cannot copy %1 to %2").arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
        // A copy keeps the installed file's read-only mode; the program writes to it.
        QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
    }
}

void DemoPlayer::writeHead()
{
    if (m_lines.isEmpty())
        return;
    const QDateTime start = lineTime(m_lines.first());
    while (!atEnd()) {
        const QDateTime t = lineTime(m_lines[m_next]);
        if (start.isValid() && t.isValid() && start.secsTo(t) > kHeadSeconds)
            break;
        step();
    }
}

bool DemoPlayer::step()
{
    if (!m_pendingSearch.isEmpty())
        emit searchDue(std::exchange(m_pendingSearch, QString()));
    if (atEnd())
        return false;
    writeLine(m_lines[m_next++]);
    return !atEnd();
}

void DemoPlayer::writeLine(const QByteArray& line)
{
    const QJsonObject o = lineObject(line);
    const QString event = o.value(QStringLiteral("event")).toString();
    // The game writes its snapshot files before the line that announces them.
    if (event == QLatin1String("Cargo") && o.contains(QStringLiteral("Inventory")))
        writeFile(QStringLiteral("Cargo.json"), line + "\r\n");
    if (event == QLatin1String("Market")) {
        QFile market(QDir(m_demoFolder).filePath(QStringLiteral("Market.json")));
        if (market.open(QIODevice::ReadOnly))
            writeFile(QStringLiteral("Market.json"), market.readAll());
    }
    QFile journal(journalFile());
    if (!journal.open(QIODevice::Append) || journal.write(line + "\r\n") < 0)
        throw TessivarError(tr("Cannot write the demo journal %1: %2")
                                .arg(QDir::toNativeSeparators(journal.fileName()), journal.errorString()));
    // Looked up once the program has read the purchase (at the next step).
    if (event == QLatin1String("MarketBuy")) {
        const QString localised = o.value(QStringLiteral("Type_Localised")).toString();
        m_pendingSearch = localised.isEmpty() ? o.value(QStringLiteral("Type")).toString() : localised;
    }
}

void DemoPlayer::writeFile(const QString& name, const QByteArray& bytes) const
{
    QSaveFile f(QDir(m_journalFolder).filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw TessivarError(
            tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(f.fileName()), f.errorString()));
}

void DemoPlayer::start(double speed)
{
    m_speed = speed > 0 ? speed : 1.0;
    scheduleNext();
}

void DemoPlayer::scheduleNext()
{
    if (atEnd()) {
        emit finished();
        return;
    }
    qint64 gap = kMinGapMs;
    if (m_next > 0) {
        const QDateTime before = lineTime(m_lines[m_next - 1]);
        const QDateTime next = lineTime(m_lines[m_next]);
        if (before.isValid() && next.isValid())
            gap = std::clamp<qint64>(before.msecsTo(next), kMinGapMs, kMaxGapMs);
    }
    m_timer.start(int(double(gap) / m_speed));
}
