#include "state/DockRecord.h"

#include "state/StateParsers.h"

namespace {

QString idText(quint64 id)
{
    return id == 0 ? QString() : QString::number(id);
}

void leaveStation(TDaneDokowania& dock)
{
    dock.StationName.clear();
    dock.StationType.clear();
}

}  // namespace

bool isDocked(const GameState& state)
{
    return !state.dane_dokowania.StationName.isEmpty();
}

TInfo_Docked dockInfo(const GameState& state)
{
    TInfo_Docked info;
    if (!isDocked(state)) {
        info.StarSystem = state.dane_systemu.StarSystem;
        info.SystemAdres = idText(state.dane_systemu.SystemAddress);
        return info;
    }
    const TDaneDokowania& d = state.dane_dokowania;
    info.StationName = d.StationName;
    info.StationType = d.StationType;
    // A dock record that does not name its system is in the current one.
    info.StarSystem = d.StarSystem.isEmpty() ? state.dane_systemu.StarSystem : d.StarSystem;
    info.SystemAdres = idText(d.SystemAddress == 0 ? state.dane_systemu.SystemAddress : d.SystemAddress);
    info.MarketID = idText(d.MarketID);
    return info;
}

bool dockedAtOwnCarrier(const GameState& state)
{
    const quint64 own = state.dane_carriera.CarrierID;
    return own != 0 && isDocked(state) && state.dane_dokowania.MarketID == own;
}

void applySystemEventToDock(GameState& state, const QByteArray& line)
{
    const TDaneSystemu& sys = state.dane_systemu;
    TDaneDokowania& dock = state.dane_dokowania;
    if (sys.Event == QLatin1String("Location")) {
        // A login docked names the station; what the event does not tell (the
        // landing pads) is unknown, never the previous station's.
        if (sys.Docked)
            dock = ParseSystemEventDock(line).Station;
        else
            leaveStation(dock);
        return;
    }
    // A hyperspace jump leaves any station behind.
    if (sys.Event == QLatin1String("FSDJump"))
        leaveStation(dock);
    if (sys.Event != QLatin1String("CarrierJump"))
        return;
    TSystemEventDock jumped = ParseSystemEventDock(line);
    if (jumped.Docked) {
        // Docked at the carrier that jumped: its pads did not change.
        if (isDocked(state) && dock.MarketID == jumped.Station.MarketID)
            jumped.Station.LandingPads = dock.LandingPads;
        dock = jumped.Station;
    } else if (isDocked(state) && dock.StationType == QLatin1String("FleetCarrier")) {
        // On foot aboard: the ship stays docked at the carrier, now in the new system.
        dock.StarSystem = sys.StarSystem;
        dock.SystemAddress = sys.SystemAddress;
        dock.DistFromStarLS = 0;
    }
    if (dockedAtOwnCarrier(state)) {
        TCarrier& own = state.dane_carriera;
        own.StarSystem = sys.StarSystem;
        if (jumped.BodyID >= 0)
            own.Body = jumped.BodyID;
    }
}
