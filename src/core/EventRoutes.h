#pragma once

#include "journal/DispatchRow.h"
#include "state/Records.h"

#include <QString>
#include <functional>

class CargoModule;
class CarrierLedger;
class ColonyCockpit;
class ConstructionModule;
class MarketModule;
class MissionModule;
class ShipInfo;
class ShoppingDb;
class SystemInfo;

// The modules journal events are routed to.
struct EventTargets
{
    GameState& state;
    SystemInfo& bgs;
    ShipInfo& ship;
    CargoModule& cargo;
    ConstructionModule& construction;
    MissionModule& missions;
    ShoppingDb& db;
    MarketModule& market;
    std::function<QString()> journalFolder;  // where Market.json is read from
    CarrierLedger& ledger;
    ColonyCockpit& colony;
};

// Which journal event goes to which handlers, under which conditions, and
// what the phone is told after them. A new event gets a row here.
DispatchTable eventRoutes(const EventTargets& t);
