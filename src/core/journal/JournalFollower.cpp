#include "journal/JournalFollower.h"

#include "common/Error.h"
#include "journal/JournalReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>

JournalFollower::JournalFollower(const JournalReader& journal, PassFn runPass,
                                 std::function<void(const QString&)> report, QObject* parent)
    : QObject(parent), m_journal(journal), m_runPass(std::move(runPass)), m_report(std::move(report))
{
    Timer1.setInterval(kFirstPassMs);
    connect(&Timer1, &QTimer::timeout, this, &JournalFollower::Timer1Timer);
    m_gather.setSingleShot(true);
    m_gather.setInterval(kGatherMs);
    m_gather.setTimerType(Qt::PreciseTimer);
    connect(&m_gather, &QTimer::timeout, this, &JournalFollower::onGathered);
    m_slice.setSingleShot(true);
    m_slice.setInterval(0);
    connect(&m_slice, &QTimer::timeout, this, &JournalFollower::onSlice);
}

JournalFollower::~JournalFollower() = default;

void JournalFollower::start()
{
    Timer1.setInterval(kFirstPassMs);
    Timer1.start();
}

void JournalFollower::setWatching(bool on)
{
    m_watching = on;
    if (!on) {
        m_gather.stop();
        delete m_watcher;
        m_watcher = nullptr;
    } else if (Timer1.isActive()) {
        rearm();
    }
}

QStringList JournalFollower::watchedPaths() const
{
    return m_watcher ? m_watcher->directories() + m_watcher->files() : QStringList();
}

QStringList JournalFollower::wantedPaths() const
{
    const QString folder = m_journal.JournalFolder;
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    return {QDir::cleanPath(folder), m_journal.LastJournalFile, dir.filePath(QStringLiteral("Cargo.json")),
            dir.filePath(QStringLiteral("Market.json"))};
}

JournalFollower::Stamps JournalFollower::stamps() const
{
    Stamps out;
    const QStringList paths = wantedPaths();
    for (int i = 0; i < paths.size() && i < kWatchedFiles; ++i) {
        if (paths[i].isEmpty())
            continue;
        const QFileInfo info(paths[i]);
        Stamp& s = out[std::size_t(i)];
        s.exists = info.exists();
        if (!s.exists)
            continue;
        s.size = info.isDir() ? 0 : info.size();
        s.modified = info.lastModified().toMSecsSinceEpoch();
    }
    return out;
}

void JournalFollower::Timer1Timer()
{
    runPass(false);
}

void JournalFollower::runPass(bool sameNewest)
{
    Timer1.setInterval(passMs);  // restarts the timer: the next look is a full period away
    // A pass finds another running between that one's slices, or when
    // something inside it turned the event loop (a prompt, a network wait);
    // it then runs once more after.
    if (m_running) {
        m_again = true;
        return;
    }
    m_running = true;
    m_gather.stop();
    // Taken before the read: whatever the game writes from here on differs
    // from it, while the pass's own reads (access times) do not.
    if (m_watching) {
        m_seen = stamps();
        if (!sameNewest)
            m_folderListed = m_seen[0];
    }
    if (runSlice(sameNewest))
        m_slice.start();
    else
        passDone();
}

bool JournalFollower::runSlice(bool sameNewest)
{
    try {
        return m_runPass(sameNewest);
    } catch (const std::exception& e) {
        if (m_report)
            m_report(errorText(e));
    } catch (...) {
        if (m_report)
            m_report(tr("Unknown error"));
    }
    return false;
}

void JournalFollower::onSlice()
{
    if (runSlice(true))
        m_slice.start();
    else
        passDone();
}

void JournalFollower::passDone()
{
    m_running = false;
    if (m_watching && Timer1.isActive())
        rearm();
    emit passEnded();
    if (m_again) {
        m_again = false;
        m_gather.start();
    }
}

void JournalFollower::onNotified()
{
    if (!m_gather.isActive())
        m_gather.start();
}

void JournalFollower::onGathered()
{
    if (!Timer1.isActive())
        return;  // following has been stopped
    if (m_running) {
        m_again = true;
        return;
    }
    // A notification that changed nothing the pass looks at (the pass's own
    // reads touch access times) does not cost a pass.
    const Stamps now = stamps();
    if (now == m_seen)
        return;
    // Listing a folder of thousands of journals is most of a pass's cost; a
    // write to the followed journal needs none while no file came or went
    // (the timer's passes still list it every time).
    runPass(m_folderListed.exists && now[0] == m_folderListed && now[1].exists);
}

void JournalFollower::rearm()
{
    if (!m_watching)
        return;
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &JournalFollower::onNotified);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &JournalFollower::onNotified);
    }
    QStringList wanted = wantedPaths();
    wanted.removeAll(QString());
    // A replaced or deleted file drops out of the watch (the notification
    // follows the old file); the one now under its name is watched again here.
    const QStringList watched = watchedPaths();
    QStringList stale;
    for (const QString& p : watched)
        if (!wanted.contains(p))
            stale.append(p);
    if (!stale.isEmpty())
        m_watcher->removePaths(stale);
    QStringList missing;
    for (const QString& p : wanted)
        if (!watched.contains(p) && QFile::exists(p))
            missing.append(p);
    if (missing.isEmpty())
        return;
    // What the game wrote to a newly watched file between the pass's read and
    // this moment sent no notification: look once more.
    if (m_watcher->addPaths(missing).size() < missing.size())
        m_gather.start();
}
