#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <array>
#include <functional>

class JournalReader;
class QFileSystemWatcher;

// Decides when a journal pass runs. The main timer runs one every four
// seconds, as it always has; besides, the journal folder, the followed
// journal, Cargo.json and Market.json are watched, and a write by the game
// brings the next pass forward at once, so what it wrote reaches every screen
// within a blink. Where the file system sends no notifications (network
// folders, some compatibility layers) the timer alone follows the game.
//
// Passes never run inside one another, and a pass brought forward restarts the
// timer, so the game writing keeps the passes no more frequent than its
// writes, and a quiet journal wakes the program no more often than before.
class JournalFollower : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFirstPassMs = 1000;
    static constexpr int kPassMs = 4000;
    // Writes arriving this close together (the game often writes several
    // lines, or a line and a snapshot file, at once) make one pass.
    static constexpr int kGatherMs = 5;

    // runPass runs one slice of a pass (its argument: no journal file came or
    // went since the last pass that listed the folder) and returns true while
    // the pass has more to read; the next slice then runs from this object's
    // own zero-time timer, so the windows paint and take input between the
    // slices. An error it throws ends the pass and is handed to report.
    using PassFn = std::function<bool(bool sameNewest)>;
    JournalFollower(const JournalReader& journal, PassFn runPass, std::function<void(const QString&)> report,
                    QObject* parent = nullptr);
    ~JournalFollower() override;

    // The main timer: the first pass about a second after start, then every
    // kPassMs. Stopping it stops the following altogether.
    QTimer Timer1;
    // The timer's period after the first pass (tests shorten it).
    int passMs = kPassMs;

    // Starts the timer (the watch is armed after the first pass).
    void start();
    // One pass, unless one is running already (it then runs once more after
    // that one); re-arms the watch afterwards.
    void Timer1Timer();
    // A pass is under way (between its slices, or inside one).
    bool isPassRunning() const { return m_running; }

    // Off: no notifications are asked for, only the timer follows.
    void setWatching(bool on);
    bool isWatching() const { return m_watching; }
    // The paths watched now (for diagnostics and tests).
    QStringList watchedPaths() const;

signals:
    // A pass has ended (however it was started).
    void passEnded();

private:
    // Size and modification time of each watched path, as last seen before a pass.
    struct Stamp
    {
        bool exists = false;
        qint64 size = -1;
        qint64 modified = 0;
        bool operator==(const Stamp&) const = default;
    };
    static constexpr int kWatchedFiles = 4;  // folder, journal, Cargo.json, Market.json
    using Stamps = std::array<Stamp, kWatchedFiles>;

    QStringList wantedPaths() const;
    Stamps stamps() const;
    void runPass(bool sameNewest);
    // Runs a slice; false when the pass has ended (however it ended).
    bool runSlice(bool sameNewest);
    void onSlice();
    void passDone();
    void onNotified();
    void onGathered();
    void rearm();

    const JournalReader& m_journal;
    PassFn m_runPass;
    std::function<void(const QString&)> m_report;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer m_gather;
    QTimer m_slice;  // the next slice of a long pass, as soon as the event loop is idle
    Stamps m_seen;
    Stamp m_folderListed;  // the folder when it was last listed
    bool m_watching = true;
    bool m_running = false;
    bool m_again = false;
};
