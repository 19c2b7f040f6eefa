#pragma once

// The plain value records in which the program keeps what the journal last
// said about the commander, ship, system, station, carrier, purchases and
// missions. A default-constructed record is the empty state: texts empty,
// numbers 0, Booleans false, lists empty.

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

using TStarPos = std::array<double, 3>;

struct TFaction
{
    QString Name;
    QString FactionState;
    QString Government;
    double Influence = 0;
    QString Allegiance;
    QString Happiness;
    QString Happiness_Localised;
    double MyReputation = 0;
    QStringList RecoveringStates;
    QStringList ActiveStates;
    QStringList PendingStates;
};

struct TPowerConflict
{
    QString Power;
    double ConflictProgress = 0;
};

struct TConflict
{
    QString WarType;
    QString Status;
    TFaction Faction1;
    TFaction Faction2;
};

struct TDaneSystemu
{
    QString Timestamp;
    QString Event;
    QString StarSystem;
    quint64 SystemAddress = 0;
    TStarPos StarPos{0, 0, 0};
    qint64 Population = 0;
    QString SystemAllegiance;
    QString SystemEconomy;
    QString SystemEconomy_Localised;
    QString SystemSecondEconomy;
    QString SystemSecondEconomy_Localised;
    QString SystemGovernment;
    QString SystemGovernment_Localised;
    QString SystemSecurity;
    QString SystemSecurity_Localised;
    QStringList Powers;
    QString PowerplayState;
    QList<TPowerConflict> PowerConflicts;
    QString Body;
    int BodyID = 0;
    QString BodyType;
    QList<TFaction> Factions;
    QString SystemFactionName;
    QString SystemFactionState;
    QList<TConflict> Conflicts;
    bool Docked = false;
    QString StationName;
    QString StationType;
    quint64 MarketID = 0;
    QString StationFactionName;
    QString StationGovernment_Localised;
    QString StationEconomy_Localised;
    QStringList StationServices;
    bool Taxi = false;
    bool Multicrew = false;
    QString ControllingPower;
    double PowerplayStateControlProgress = 0;
    int PowerplayStateReinforcement = 0;
    int PowerplayStateUndermining = 0;
    double JumpDist = 0;
    double FuelUsed = 0;
    double FuelLevel = 0;
};

struct TStationEconomy
{
    QString Name;
    QString Name_Localised;
    double Proportion = 0;
};

struct TLandingPads
{
    int Small = 0;
    int Medium = 0;
    int Large = 0;
};

struct TDaneDokowania
{
    QString Timestamp;
    QString Event;
    QString StationName;
    QString StationType;
    bool Taxi = false;
    bool Multicrew = false;
    QString StarSystem;
    quint64 SystemAddress = 0;
    quint64 MarketID = 0;
    QString StationFactionName;
    QString StationFactionState;
    QString StationGovernment;
    QString StationGovernment_Localised;
    QStringList StationServices;
    QString StationEconomy;
    QString StationEconomy_Localised;
    QList<TStationEconomy> StationEconomies;
    double DistFromStarLS = 0;
    TLandingPads LandingPads;
};

struct TCMDR
{
    QString Name;
};

struct TCarrier
{
    quint64 CarrierID = 0;
    QString CarrierName;
    QString StarSystem;
    int Body = 0;
    qint64 CarrierBalance = 0;
    qint64 AvailableBalance = 0;
};

struct TFuelCapacity
{
    double Main = 0;
    double Reserve = 0;
};

struct TModule
{
    QString Slot;
    QString Item;
    bool On_ = false;
    int Priority = 0;
    double Health = 0;
    quint64 Value = 0;
};

struct TLoadoutData
{
    QString Timestamp;
    QString Event;
    QString Ship;
    int ShipID = 0;
    QString ShipName;
    QString ShipIdent;
    quint64 HullValue = 0;
    quint64 ModulesValue = 0;
    double HullHealth = 0;
    double UnladenMass = 0;
    int CargoCapacity = 0;
    double MaxJumpRange = 0;
    TFuelCapacity FuelCapacity;
    quint64 Rebuy = 0;
    QList<TModule> Modules;
};

struct TMarketBuyData
{
    QString Timestamp;
    quint64 MarketID = 0;
    QString ItemType;
    int Count = 0;
    int BuyPrice = 0;
    int TotalCost = 0;
    QString System_Name;
    quint64 System_Adres = 0;
    QString Station_Name;
    double Station_Distance = 0;
    QString Station_Type;
    QString Also_needed;
};

struct TMission_cargo
{
    double Timestamp = 0; // UTC day count since 1899-12-30, fraction = time of day
    QString Event;
    QString Faction;
    QString Name;
    QString LocalisedName;
    QString Commodity;
    QString Commodity_Localised;
    int Count = 0;
    QString DestinationSystem;
    QString DestinationStation;
    double Expiry = 0;
    bool Wing = false;
    QString Influence;
    QString Reputation;
    qint64 Reward = 0;
    qint64 MissionID = 0;
};

// Where the ship is docked, derived from each journal batch (main window and
// construction site keep one each).
struct TInfo_Docked
{
    QString StationName;
    QString StationType;
    QString StarSystem;
    QString SystemAdres;
    QString MarketID;
    QString StationFaction;
};

// The live game state: the four records shown by the System Info window and
// the ship record. Owned by the core, not by any window, so re-creating the
// windows never loses it.
struct GameState
{
    TCMDR dane_CMDR;
    TDaneSystemu dane_systemu;
    TDaneDokowania dane_dokowania;
    TCarrier dane_carriera;
    TLoadoutData DaneStatku;
};
