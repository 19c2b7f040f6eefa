#include "journal/JournalPass.h"

#include "MainWindowModel.h"
#include "common/Error.h"
#include "common/JsonRead.h"
#include "common/ReportSink.h"
#include "journal/CreditsScan.h"
#include "journal/EventScan.h"
#include "journal/JournalReader.h"
#include "journal/LogModel.h"
#include "state/DockRecord.h"

#include <QScopeGuard>
#include <QVarLengthArray>
#include <algorithm>

namespace {

constexpr int kLogViewLimit = 100;

}  // namespace

JournalPass::JournalPass(DispatchTable routes, JournalReader& journal, LogModel& log,
                         MainWindowModel& mainWindow, const GameState& state, ReportSink& reports)
    : m_routes(std::move(routes)), m_journal(journal), m_log(log), m_mainWindow(mainWindow), m_state(state),
      m_reports(reports)
{}

bool JournalPass::runRow(const DispatchRow& row, QByteArrayView line, QByteArrayView matchedEvent)
{
    const QByteArray lineBytes = validUtf8(line);
    for (const DispatchCall& call : row.calls) {
        if (recordDispatches)
            dispatched.push_back({passes, QLatin1String(call.handler), QString::fromUtf8(matchedEvent)});
        // An error ends this row for this line; the walk goes on with the next row.
        try {
            call.call(lineBytes);
        } catch (const std::exception& e) {
            m_reports.report(errorText(e));
            return false;
        } catch (...) {
            m_reports.report(JournalPass::tr("Unknown error"));
            return false;
        }
    }
    if (row.mobileAfter) {
        if (recordDispatches)
            dispatched.push_back({passes, QStringLiteral("send_to_host"), QString::fromUtf8(matchedEvent)});
        emit phoneUpdateDue(QLatin1String(row.mobileAfter));
    }
    return true;
}

JournalPass::NewestOfHistory JournalPass::newestOfHistory(JournalReader& journal) const
{
    NewestOfHistory newest;
    for (const DispatchRow& row : m_routes)
        if (row.gate == DispatchGate::NewestOfHistory)
            newest.append({row.event, -1});
    journal.visitNewestFirst([&](const JournalBatchPtr& piece) {
        for (qsizetype i = piece->size() - 1; i >= 0; --i) {
            bool pending = false;
            const EventNames names = scanEventNames(piece->line(i));
            for (auto& [event, at] : newest) {
                if (at < 0 && std::find(names.begin(), names.end(), event) != names.end())
                    at = piece->lineFileOffset(i);
                pending = pending || at < 0;
            }
            if (!pending)
                return false;
        }
        return true;
    });
    return newest;
}

void JournalPass::dispatchLines(const JournalBatch& batch, const NewestOfHistory& newest)
{
    const auto& table = m_routes;
    const bool first = isFirstPass();
    // On the first pass only the newest line of the history runs such a row.
    auto olderHistory = [&](const DispatchRow& row, qsizetype i) {
        for (const auto& [event, at] : newest)
            if (event == row.event)
                return batch.lineFileOffset(i) != at;
        return false;
    };
    for (qsizetype i = 0; i < batch.size(); ++i) {
        const QByteArrayView line = batch.line(i);
        const EventNames names = scanEventNames(line);
        if (names.isEmpty())
            continue;
        int lastNumber = -1;
        for (const DispatchRow& row : table) {
            if (row.number == lastNumber)
                continue;  // one row whose pattern has two alternatives runs once
            const auto hit = std::find(names.begin(), names.end(), row.event);
            if (hit == names.end())
                continue;
            if ((row.gate == DispatchGate::NotFirstPass && first) ||
                (row.gate == DispatchGate::FirstPassOnly && !first) ||
                (row.gate == DispatchGate::NewestOfHistory && first && olderHistory(row, i)))
                continue;
            if (row.condition && !row.condition(line))
                continue;
            lastNumber = row.number;
            if (runRow(row, line, *hit) || row.gate != DispatchGate::NewestOfHistory || !first)
                continue;
            // The newest line of the history failed: the line before it would
            // have stood had every line been parsed, so it is tried in turn.
            for (qsizetype k = i - 1; k >= 0; --k) {
                const QByteArrayView older = batch.line(k);
                const EventNames olderNames = scanEventNames(older);
                const auto at = std::find(olderNames.begin(), olderNames.end(), row.event);
                if (at == olderNames.end() || (row.condition && !row.condition(older)))
                    continue;
                if (runRow(row, older, *at))
                    break;
            }
        }
    }
}

void JournalPass::refreshLabels()
{
    const GameState& st = m_state;
    m_mainWindow.setCommanderLabel(st.dane_CMDR.Name);
    m_mainWindow.setCarrierLabels(st.dane_carriera.CarrierName, st.dane_carriera.StarSystem,
                                  st.dane_carriera.Body);
}

void JournalPass::Timer1Timer(bool sameNewest)
{
    while (runSlice(sameNewest)) {
    }
}

bool JournalPass::runSlice(bool sameNewest)
{
    // A failure escaping a slice ends its pass: the next slice starts a new one.
    auto abandon = qScopeGuard([this] { m_walk.reset(); });
    if (m_walk) {
        m_reports.resumePass();
    } else if (!beginPass(sameNewest)) {
        abandon.dismiss();
        return false;
    }
    const bool more = dispatchNextPiece();
    abandon.dismiss();
    if (more) {
        // Until the next slice, what happens is not this pass's doing.
        m_reports.pausePass();
        return true;
    }
    m_walk.reset();
    endPass(true);
    return false;
}

bool JournalPass::beginPass(bool sameNewest)
{
    ++passes;
    m_reports.beginPass();

    MainWindowModel& mw = m_mainWindow;
    JournalReader& journal = m_journal;
    refreshLabels();

    if (!Settings_Loaded) {
        emit settingsDue();
        Settings_Loaded = true;
    }

    const QString newest = sameNewest && !journal.LastJournalFile.isEmpty()
                               ? journal.LastJournalFile
                               : JournalReader::GetNewestJournalFile(journal.JournalFolder);
    if (newest != journal.LastJournalFile) {
        journal.LastReadPos = 0;
        journal.LastJournalFile = newest;
    }
    const bool freshBatch = journal.ReadJournalFile(newest);

    if (m_log.count() > kLogViewLimit)
        m_log.removeFirst();

    // JournalLog holds the newest lines of the read; a long read is walked
    // again piece by piece from the file.
    const JournalBatchPtr batch = journal.JournalLog;
    if (batch->isEmpty()) {
        endPass(false);
        return false;
    }
    m_readTime = JournalReader::get_last_time(batch->line(batch->size() - 1));
    mw.setTimeLabel(m_readTime);
    if (const auto credits = newestCredits(journal))
        mw.setCreditsLabel(*credits);

    // Every line is dispatched exactly once: a batch kept from an earlier
    // read (the file could not be opened) is never dispatched again, and a
    // new batch is dispatched even when its newest timestamp repeats the
    // previous one.
    if (!freshBatch) {
        endPass(false);
        return false;
    }
    m_newest = isFirstPass() ? newestOfHistory(journal) : NewestOfHistory();
    m_readTotal = journal.readBytes();
    m_readDone = 0;
    m_showProgress = m_readTotal > progressBytes;
    if (m_showProgress)
        emit mw.passProgress(0, m_readTotal);
    m_walk.emplace();
    return true;
}

bool JournalPass::dispatchNextPiece()
{
    if (const JournalBatchPtr piece = m_journal.nextPieceInOrder(*m_walk)) {
        dispatchLines(*piece, m_newest);
        m_readDone = std::min(m_readTotal, m_readDone + piece->byteSize());
        if (m_showProgress && m_readDone < m_readTotal)
            emit m_mainWindow.passProgress(m_readDone, m_readTotal);
    }
    return !m_walk->done;
}

void JournalPass::endPass(bool dispatched)
{
    MainWindowModel& mw = m_mainWindow;
    if (dispatched) {
        if (m_showProgress)
            emit mw.passProgress(m_readTotal, m_readTotal);
        m_newest.clear();
        last_time = m_readTime;
        emit holdSnapshotDue();
        emit batchDispatched();
    }
    if (!m_journal.JournalLog->isEmpty()) {
        // The dock record follows the events one by one, so what is shown does
        // not depend on how the lines were split into passes.
        const TInfo_Docked dock = dockInfo(m_state);
        mw.setDockLabels(dock.StarSystem, dock.StationName, dock.StationType);
        emit dockInfoRead();
    }

    // What this pass's lines changed is shown now, not a pass later, so the
    // labels do not depend on how the lines were split into passes.
    refreshLabels();

    lastReport = m_reports.endPass();
    mw.notifyChanged();
}
