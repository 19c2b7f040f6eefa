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

template <typename F> void JournalPass::guarded(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        m_reports.report(errorText(e));
    } catch (...) {
        m_reports.report(JournalPass::tr("Unknown error"));
    }
}

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
        guarded([&] { emit phoneUpdateDue(QLatin1String(row.mobileAfter)); });
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

void JournalPass::dispatchRead(JournalReader& journal)
{
    const NewestOfHistory newest = isFirstPass() ? newestOfHistory(journal) : NewestOfHistory();
    const qint64 total = journal.readBytes();
    const bool showProgress = total > progressBytes;
    MainWindowModel& mw = m_mainWindow;
    qint64 done = 0;
    if (showProgress)
        emit mw.passProgress(0, total);
    journal.visitInOrder([&](const JournalBatchPtr& piece) {
        dispatchLines(*piece, newest);
        done = std::min(total, done + piece->byteSize());
        if (showProgress && done < total)
            emit mw.passProgress(done, total);
        return true;
    });
    if (showProgress)
        emit mw.passProgress(total, total);
}

void JournalPass::refreshLabels()
{
    const GameState& st = m_state;
    m_mainWindow.setCommanderLabel(st.dane_CMDR.Name);
    m_mainWindow.setCarrierLabels(st.dane_carriera.CarrierName, st.dane_carriera.StarSystem,
                                  QString::number(st.dane_carriera.Body));
}

void JournalPass::Timer1Timer(bool sameNewest)
{
    ++passes;
    m_reports.beginPass();

    MainWindowModel& mw = m_mainWindow;
    JournalReader& journal = m_journal;

    const GameState& st = m_state;
    refreshLabels();

    if (!Settings_Loaded) {
        guarded([&] { emit settingsDue(); });
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
    if (!batch->isEmpty()) {
        const QString time_now = JournalReader::get_last_time(batch->line(batch->size() - 1));
        mw.setTimeLabel(time_now);
        if (const auto credits = newestCredits(journal))
            mw.setCreditsLabel(*credits);

        // Every line is dispatched exactly once: a batch kept from an earlier
        // read (the file could not be opened) is never dispatched again, and a
        // new batch is dispatched even when its newest timestamp repeats the
        // previous one.
        if (freshBatch) {
            dispatchRead(journal);
            last_time = time_now;
            guarded([&] { emit holdSnapshotDue(); });
            emit batchDispatched();
        }
        // The dock record follows the events one by one, so what is shown does
        // not depend on how the lines were split into passes.
        const TInfo_Docked dock = dockInfo(st);
        mw.setDockLabels(dock.StarSystem, dock.StationName, dock.StationType);
        guarded([&] { emit dockInfoRead(); });
    }

    // What this pass's lines changed is shown now, not a pass later, so the
    // labels do not depend on how the lines were split into passes.
    refreshLabels();

    lastReport = m_reports.endPass();
    mw.notifyChanged();
}
