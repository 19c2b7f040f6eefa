#include "journal/JournalPass.h"

#include "Core.h"
#include "MainWindowModel.h"
#include "cargo/CargoModule.h"
#include "common/Error.h"
#include "common/JsonRead.h"
#include "common/UserInteraction.h"
#include "construction/ConstructionModule.h"
#include "journal/EventScan.h"
#include "journal/JournalReader.h"
#include "journal/LogModel.h"
#include "markets/MarketModule.h"
#include "markets/ShoppingDb.h"
#include "missions/MissionModule.h"
#include "mobile/MobileLink.h"
#include "settings/SettingsStore.h"
#include "state/ShipInfo.h"
#include "state/SystemInfo.h"

#include <QVarLengthArray>
#include <algorithm>

namespace {

constexpr int kLogViewLimit = 100;

bool directionToCarrier(TessivarCore&, QByteArrayView line)
{
    return lineContains(line, "\"Direction\":\"tocarrier\"");
}

bool dockedAtFleetCarrier(TessivarCore& core, QByteArrayView)
{
    return core.state.dane_dokowania.StationType == QLatin1String("FleetCarrier");
}

void endMission(TessivarCore& core, const QByteArray& line)
{
    core.mission().parse_mission_end(line);
}

void clearStationAndUndock(TessivarCore& core, const QByteArray&)
{
    core.state.dane_dokowania.StationName.clear();
    core.state.dane_dokowania.StationType.clear();
    core.bgs().undock();
}

}  // namespace

const std::vector<DispatchRow>& dispatchTable()
{
    using G = DispatchGate;
    static const std::vector<DispatchRow> rows = {
        {1,
         "Commander",
         G::Always,
         nullptr,
         {{"parse_CMDR", [](TessivarCore& c, const QByteArray& l) { c.bgs().parse_CMDR(l); }}},
         nullptr},
        {2,
         "CarrierLocation",
         G::Always,
         nullptr,
         {{"parse_CarrierLocation",
           [](TessivarCore& c, const QByteArray& l) { c.bgs().parse_CarrierLocation(l); }}},
         nullptr},
        {3,
         "CarrierStats",
         G::Always,
         nullptr,
         {{"parse_Carrier", [](TessivarCore& c, const QByteArray& l) { c.bgs().parse_Carrier(l); }}},
         nullptr},
        {4,
         "Location",
         G::Always,
         nullptr,
         {{"parse_BGS",
           [](TessivarCore& c, const QByteArray& l) { c.bgs().parse_BGS(l, QStringLiteral("system")); }}},
         "info_dock"},
        {4,
         "FSDJump",
         G::NotFirstPass,
         nullptr,
         {{"parse_BGS",
           [](TessivarCore& c, const QByteArray& l) { c.bgs().parse_BGS(l, QStringLiteral("system")); }}},
         "info_dock"},
        {5,
         "CarrierJump",
         G::Always,
         nullptr,
         {{"parse_BGS",
           [](TessivarCore& c, const QByteArray& l) { c.bgs().parse_BGS(l, QStringLiteral("system")); }}},
         "info_dock"},
        {6,
         "CargoTransfer",
         G::NotFirstPass,
         directionToCarrier,
         {{"sprawdz_zaladunek",
           [](TessivarCore& c, const QByteArray& l) {
               c.cargo().sprawdz_zaladunek(l, QStringLiteral("transfer"));
           }},
          {"add_zaladunek_ilosc_kursow",
           [](TessivarCore& c, const QByteArray&) { c.cargo().add_zaladunek_ilosc_kursow(); }}},
         nullptr},
        {7,
         "MarketSell",
         G::NotFirstPass,
         dockedAtFleetCarrier,
         {{"sprawdz_zaladunek",
           [](TessivarCore& c, const QByteArray& l) {
               c.cargo().sprawdz_zaladunek(l, QStringLiteral("sell"));
           }},
          {"add_zaladunek_ilosc_kursow",
           [](TessivarCore& c, const QByteArray&) { c.cargo().add_zaladunek_ilosc_kursow(); }}},
         nullptr},
        {8,
         "Docked",
         G::Always,
         nullptr,
         {{"parse_BGS",
           [](TessivarCore& c, const QByteArray& l) { c.bgs().parse_BGS(l, QStringLiteral("docked")); }}},
         nullptr},
        {9, "Undocked", G::Always, nullptr, {{"undock", clearStationAndUndock}}, nullptr},
        {10,
         "Loadout",
         G::NewestOfHistory,
         nullptr,
         {{"Parse_Statek", [](TessivarCore& c, const QByteArray& l) { c.statek().Parse_Statek(l); }},
          {"add_zaladunek_ilosc_kursow",
           [](TessivarCore& c, const QByteArray&) { c.cargo().add_zaladunek_ilosc_kursow(); }}},
         nullptr},
        {11,
         "MarketBuy",
         G::NotFirstPass,
         nullptr,
         {{"add_last_shopping", [](TessivarCore& c, const QByteArray& l) { c.db().add_last_shopping(l); }},
          {"przeszukaj_market",
           [](TessivarCore& c, const QByteArray&) {
               c.market().przeszukaj_market(c.journal().JournalFolder);
           }}},
         nullptr},
        {12,
         "Market",
         G::NotFirstPass,
         nullptr,
         {{"przeszukaj_market",
           [](TessivarCore& c, const QByteArray&) {
               c.market().przeszukaj_market(c.journal().JournalFolder);
           }}},
         nullptr},
        {13,
         "Missions",
         G::FirstPassOnly,
         nullptr,
         {{"parse_mission_list",
           [](TessivarCore& c, const QByteArray& l) { c.mission().parse_mission_list(l); }}},
         nullptr},
        {14,
         "MissionAccepted",
         G::NotFirstPass,
         nullptr,
         {{"parser_mission_cargo",
           [](TessivarCore& c, const QByteArray& l) { c.mission().parser_mission_cargo(l); }}},
         nullptr},
        {15,
         "CargoDepot",
         G::NotFirstPass,
         nullptr,
         {{"parse_cargo_depot",
           [](TessivarCore& c, const QByteArray& l) { c.mission().parse_cargo_depot(l); }}},
         nullptr},
        {16,
         "ColonisationConstructionDepot",
         G::NotFirstPass,
         nullptr,
         {{"czytaj_budowe_z_logu",
           [](TessivarCore& c, const QByteArray& l) { c.construct().czytaj_budowe_z_logu(l); }}},
         "budowa"},
        {17, "MissionCompleted", G::Always, nullptr, {{"parse_mission_end", endMission}}, nullptr},
        {17, "MissionAbandoned", G::Always, nullptr, {{"parse_mission_end", endMission}}, nullptr},
        {17, "MissionFailed", G::Always, nullptr, {{"parse_mission_end", endMission}}, nullptr},
    };
    return rows;
}

template <typename F> void JournalPass::guarded(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        m_core.report(errorText(e));
    } catch (...) {
        m_core.report(QStringLiteral("Unknown error"));
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
            call.call(m_core, lineBytes);
        } catch (const std::exception& e) {
            m_core.report(errorText(e));
            return false;
        } catch (...) {
            m_core.report(QStringLiteral("Unknown error"));
            return false;
        }
    }
    if (row.mobileAfter) {
        if (recordDispatches)
            dispatched.push_back({passes, QStringLiteral("send_to_host"), QString::fromUtf8(matchedEvent)});
        guarded([&] { m_core.mobile().send_to_host(QLatin1String(row.mobileAfter)); });
    }
    return true;
}

JournalPass::NewestOfHistory JournalPass::newestOfHistory(JournalReader& journal) const
{
    NewestOfHistory newest;
    for (const DispatchRow& row : dispatchTable())
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
    const auto& table = dispatchTable();
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
            if (row.condition && !row.condition(m_core, line))
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
                if (at == olderNames.end() || (row.condition && !row.condition(m_core, older)))
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
    MainWindowModel& mw = m_core.mainWindow();
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

void JournalPass::Timer1Timer()
{
    ++passes;
    m_core.m_inPass = true;
    m_core.m_passReports.clear();

    MainWindowModel& mw = m_core.mainWindow();
    JournalReader& journal = m_core.journal();
    const GameState& st = m_core.state;

    mw.Label_cmdr_val = st.dane_CMDR.Name;
    mw.Label_carrier_name_val = st.dane_carriera.CarrierName;
    mw.Label_carrier_system_val = st.dane_carriera.StarSystem;
    mw.Label_carrier_body_val = QString::number(st.dane_carriera.Body);

    if (!Settings_Loaded) {
        guarded([&] { m_core.settings().load_settings(); });
        Settings_Loaded = true;
    }

    const QString newest = JournalReader::GetNewestJournalFile(journal.JournalFolder);
    if (newest != journal.LastJournalFile) {
        journal.LastReadPos = 0;
        journal.LastJournalFile = newest;
    }
    const bool freshBatch = journal.ReadJournalFile(newest);

    LogModel& log = m_core.log();
    if (log.count() > kLogViewLimit)
        log.removeFirst();

    // JournalLog holds the newest lines of the read; a long read is walked
    // again piece by piece from the file.
    const JournalBatchPtr batch = journal.JournalLog;
    if (!batch->isEmpty()) {
        const QString time_now = JournalReader::get_last_time(batch->line(batch->size() - 1));
        mw.Label_time = time_now;

        guarded([&] { mw.get_Docked_Info(journal); });
        mw.Label_dock_system_val = mw.Info_Docked.StarSystem;
        mw.Label_dock_station_val = mw.Info_Docked.StationName;
        mw.Label_dock_type_val = mw.Info_Docked.StationType;
        guarded([&] { m_core.construct().Set_Construction_info(); });

        // Every line is dispatched exactly once: a batch kept from an earlier
        // read (the file could not be opened) is never dispatched again, and a
        // new batch is dispatched even when its newest timestamp repeats the
        // previous one.
        if (freshBatch) {
            dispatchRead(journal);
            last_time = time_now;
            guarded([&] { m_core.cargo().read_cargo(); });
            mw.ch_wysylaj_enabled = true;
        }
    }

    m_core.m_inPass = false;
    lastReport = m_core.m_passReports;
    m_core.m_passReports.clear();
    emit mw.changed();
    if (!lastReport.isEmpty())
        m_core.ui().showReport(lastReport);
}
