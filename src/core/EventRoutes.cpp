#include "EventRoutes.h"

#include "cargo/CargoModule.h"
#include "colony/CarrierLedger.h"
#include "colony/ColonyCockpit.h"
#include "construction/ConstructionModule.h"
#include "journal/EventScan.h"
#include "markets/MarketModule.h"
#include "markets/ShoppingDb.h"
#include "missions/MissionModule.h"
#include "state/ShipInfo.h"
#include "state/SystemInfo.h"

namespace {

bool directionToCarrier(QByteArrayView line)
{
    return lineContains(line, "\"Direction\":\"tocarrier\"");
}

}  // namespace

DispatchTable eventRoutes(const EventTargets& t)
{
    using G = DispatchGate;
    const auto endMission = [t](const QByteArray& l) { t.missions.parse_mission_end(l); };
    const auto ledgerCarrier = [t](const QByteArray& l) { t.ledger.parse_CarrierStats(l); };
    // Until a carrier is known no event can move a ledger.
    const auto namesCarrier = [](QByteArrayView l) { return lineContains(l, "\"CarrierID\""); };
    const auto carrierKnown = [t](QByteArrayView) { return t.ledger.knowsCarrier(); };
    const auto siteEnded = [](QByteArrayView l) {
        return lineContains(l, "\"ConstructionComplete\":true") ||
               lineContains(l, "\"ConstructionFailed\":true");
    };
    return {
        {1,
         "Commander",
         G::Always,
         {},
         {{"parse_CMDR", [t](const QByteArray& l) { t.bgs.parse_CMDR(l); }}},
         nullptr},
        {2,
         "CarrierLocation",
         G::Always,
         {},
         {{"parse_CarrierLocation", [t](const QByteArray& l) { t.bgs.parse_CarrierLocation(l); }}},
         nullptr},
        {3,
         "CarrierStats",
         G::Always,
         {},
         {{"parse_Carrier", [t](const QByteArray& l) { t.bgs.parse_Carrier(l); }}},
         nullptr},
        {4,
         "Location",
         G::Always,
         {},
         {{"parse_BGS", [t](const QByteArray& l) { t.bgs.parse_BGS(l, QStringLiteral("system")); }}},
         "info_dock"},
        {4,
         "FSDJump",
         G::NotFirstPass,
         {},
         {{"parse_BGS", [t](const QByteArray& l) { t.bgs.parse_BGS(l, QStringLiteral("system")); }}},
         "info_dock"},
        {5,
         "CarrierJump",
         G::Always,
         {},
         {{"parse_BGS", [t](const QByteArray& l) { t.bgs.parse_BGS(l, QStringLiteral("system")); }}},
         "info_dock"},
        {6,
         "CargoTransfer",
         G::NotFirstPass,
         directionToCarrier,
         {{"sprawdz_zaladunek", [t](const QByteArray& l) { t.cargo.reconciler().applyTransfer(l); }},
          {"add_zaladunek_ilosc_kursow", [t](const QByteArray&) { t.cargo.refreshTrips(); }}},
         nullptr},
        {7,
         "MarketSell",
         G::NotFirstPass,
         [t](QByteArrayView) { return t.state.dane_dokowania.StationType == QLatin1String("FleetCarrier"); },
         {{"sprawdz_zaladunek", [t](const QByteArray& l) { t.cargo.reconciler().applySale(l); }},
          {"add_zaladunek_ilosc_kursow", [t](const QByteArray&) { t.cargo.refreshTrips(); }}},
         nullptr},
        {8,
         "Docked",
         G::Always,
         {},
         {{"parse_BGS", [t](const QByteArray& l) { t.bgs.parse_BGS(l, QStringLiteral("docked")); }}},
         nullptr},
        {9,
         "Undocked",
         G::Always,
         {},
         {{"undock",
           [t](const QByteArray&) {
               t.state.dane_dokowania.StationName.clear();
               t.state.dane_dokowania.StationType.clear();
               t.bgs.undock();
           }}},
         nullptr},
        {10,
         "Loadout",
         G::NewestOfHistory,
         {},
         {{"Parse_Statek", [t](const QByteArray& l) { t.ship.Parse_Statek(l); }},
          {"add_zaladunek_ilosc_kursow", [t](const QByteArray&) { t.cargo.refreshTrips(); }}},
         nullptr},
        {11,
         "MarketBuy",
         G::NotFirstPass,
         {},
         {{"add_last_shopping", [t](const QByteArray& l) { t.db.add_last_shopping(l); }},
          {"przeszukaj_market", [t](const QByteArray&) { t.market.przeszukaj_market(t.journalFolder()); }}},
         nullptr},
        {12,
         "Market",
         G::NotFirstPass,
         {},
         {{"przeszukaj_market", [t](const QByteArray&) { t.market.przeszukaj_market(t.journalFolder()); }}},
         nullptr},
        // Written at every login: the totals are rebuilt from it each time, so
        // a relog changes nothing and a late start still gets them.
        {13,
         "Missions",
         G::Always,
         {},
         {{"parse_mission_list", [t](const QByteArray& l) { t.missions.parse_mission_list(l); }}},
         nullptr},
        {14,
         "MissionAccepted",
         G::NotFirstPass,
         {},
         {{"parser_mission_cargo", [t](const QByteArray& l) { t.missions.parser_mission_cargo(l); }}},
         nullptr},
        {15,
         "CargoDepot",
         G::NotFirstPass,
         {},
         {{"parse_cargo_depot", [t](const QByteArray& l) { t.missions.parse_cargo_depot(l); }}},
         nullptr},
        {16,
         "ColonisationConstructionDepot",
         G::NotFirstPass,
         {},
         {{"czytaj_budowe_z_logu", [t](const QByteArray& l) { t.construction.czytaj_budowe_z_logu(l); }}},
         "budowa"},
        {17, "MissionCompleted", G::Always, {}, {{"parse_mission_end", endMission}}, nullptr},
        {17, "MissionAbandoned", G::Always, {}, {{"parse_mission_end", endMission}}, nullptr},
        {17, "MissionFailed", G::Always, {}, {{"parse_mission_end", endMission}}, nullptr},
        {18,
         "ColonisationContribution",
         G::NotFirstPass,
         {},
         {{"parse_contribution", [t](const QByteArray& l) { t.construction.parse_contribution(l); }}},
         "budowa"},
        // The carrier ledger and the colony view: the carriers' stock moves
        // with counted events; the stats, the standing orders and a site's
        // end replace what was known, so the history may repeat them.
        {19, "CarrierStats", G::Always, namesCarrier, {{"ledger_carrier", ledgerCarrier}}, nullptr},
        {19, "CarrierLocation", G::Always, namesCarrier, {{"ledger_carrier", ledgerCarrier}}, nullptr},
        {20,
         "CargoTransfer",
         G::NotFirstPass,
         carrierKnown,
         {{"ledger_transfer", [t](const QByteArray& l) { t.ledger.parse_CargoTransfer(l); }}},
         nullptr},
        {21,
         "MarketBuy",
         G::NotFirstPass,
         carrierKnown,
         {{"ledger_buy", [t](const QByteArray& l) { t.ledger.parse_MarketBuy(l); }}},
         nullptr},
        {22,
         "MarketSell",
         G::NotFirstPass,
         carrierKnown,
         {{"ledger_sell", [t](const QByteArray& l) { t.ledger.parse_MarketSell(l); }}},
         nullptr},
        {23,
         "CarrierTradeOrder",
         G::Always,
         carrierKnown,
         {{"ledger_order", [t](const QByteArray& l) { t.ledger.parse_CarrierTradeOrder(l); }}},
         nullptr},
        {25,
         "ColonisationConstructionDepot",
         G::Always,
         siteEnded,
         {{"site_state", [t](const QByteArray& l) { t.colony.parse_depot(l); }}},
         nullptr},
    };
}
