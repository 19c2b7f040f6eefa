#include "state/RecordsJson.h"

#include <limits>

QJsonValue u64ToJson(quint64 v)
{
    if (v <= quint64(std::numeric_limits<qint64>::max()))
        return QJsonValue(qint64(v));
    return QJsonValue(QString::number(v));
}

QJsonArray toJson(const QStringList& list)
{
    return QJsonArray::fromStringList(list);
}

QJsonObject toJson(const TFaction& r)
{
    return QJsonObject{{"Name", r.Name},
                       {"FactionState", r.FactionState},
                       {"Government", r.Government},
                       {"Influence", r.Influence},
                       {"Allegiance", r.Allegiance},
                       {"Happiness", r.Happiness},
                       {"Happiness_Localised", r.Happiness_Localised},
                       {"MyReputation", r.MyReputation},
                       {"RecoveringStates", toJson(r.RecoveringStates)},
                       {"ActiveStates", toJson(r.ActiveStates)},
                       {"PendingStates", toJson(r.PendingStates)}};
}

QJsonObject toJson(const TPowerConflict& r)
{
    return QJsonObject{{"Power", r.Power}, {"ConflictProgress", r.ConflictProgress}};
}

QJsonObject toJson(const TConflict& r)
{
    return QJsonObject{{"WarType", r.WarType},
                       {"Status", r.Status},
                       {"Faction1", toJson(r.Faction1)},
                       {"Faction2", toJson(r.Faction2)}};
}

QJsonObject toJson(const TDaneSystemu& r)
{
    return QJsonObject{{"Timestamp", r.Timestamp},
                       {"Event", r.Event},
                       {"StarSystem", r.StarSystem},
                       {"SystemAddress", u64ToJson(r.SystemAddress)},
                       {"StarPos", QJsonArray{r.StarPos[0], r.StarPos[1], r.StarPos[2]}},
                       {"Population", r.Population},
                       {"SystemAllegiance", r.SystemAllegiance},
                       {"SystemEconomy", r.SystemEconomy},
                       {"SystemEconomy_Localised", r.SystemEconomy_Localised},
                       {"SystemSecondEconomy", r.SystemSecondEconomy},
                       {"SystemSecondEconomy_Localised", r.SystemSecondEconomy_Localised},
                       {"SystemGovernment", r.SystemGovernment},
                       {"SystemGovernment_Localised", r.SystemGovernment_Localised},
                       {"SystemSecurity", r.SystemSecurity},
                       {"SystemSecurity_Localised", r.SystemSecurity_Localised},
                       {"Powers", toJson(r.Powers)},
                       {"PowerplayState", r.PowerplayState},
                       {"PowerConflicts", listToJson(r.PowerConflicts)},
                       {"Body", r.Body},
                       {"BodyID", r.BodyID},
                       {"BodyType", r.BodyType},
                       {"Factions", listToJson(r.Factions)},
                       {"SystemFactionName", r.SystemFactionName},
                       {"SystemFactionState", r.SystemFactionState},
                       {"Conflicts", listToJson(r.Conflicts)},
                       {"Docked", r.Docked},
                       {"StationName", r.StationName},
                       {"StationType", r.StationType},
                       {"MarketID", u64ToJson(r.MarketID)},
                       {"StationFactionName", r.StationFactionName},
                       {"StationGovernment_Localised", r.StationGovernment_Localised},
                       {"StationEconomy_Localised", r.StationEconomy_Localised},
                       {"StationServices", toJson(r.StationServices)},
                       {"Taxi", r.Taxi},
                       {"Multicrew", r.Multicrew},
                       {"ControllingPower", r.ControllingPower},
                       {"PowerplayStateControlProgress", r.PowerplayStateControlProgress},
                       {"PowerplayStateReinforcement", r.PowerplayStateReinforcement},
                       {"PowerplayStateUndermining", r.PowerplayStateUndermining},
                       {"JumpDist", r.JumpDist},
                       {"FuelUsed", r.FuelUsed},
                       {"FuelLevel", r.FuelLevel}};
}

QJsonObject toJson(const TStationEconomy& r)
{
    return QJsonObject{{"Name", r.Name}, {"Name_Localised", r.Name_Localised}, {"Proportion", r.Proportion}};
}

QJsonObject toJson(const TLandingPads& r)
{
    return QJsonObject{{"Small", r.Small}, {"Medium", r.Medium}, {"Large", r.Large}};
}

QJsonObject toJson(const TDaneDokowania& r)
{
    return QJsonObject{{"Timestamp", r.Timestamp},
                       {"Event", r.Event},
                       {"StationName", r.StationName},
                       {"StationType", r.StationType},
                       {"Taxi", r.Taxi},
                       {"Multicrew", r.Multicrew},
                       {"StarSystem", r.StarSystem},
                       {"SystemAddress", u64ToJson(r.SystemAddress)},
                       {"MarketID", u64ToJson(r.MarketID)},
                       {"StationFactionName", r.StationFactionName},
                       {"StationFactionState", r.StationFactionState},
                       {"StationGovernment", r.StationGovernment},
                       {"StationGovernment_Localised", r.StationGovernment_Localised},
                       {"StationServices", toJson(r.StationServices)},
                       {"StationEconomy", r.StationEconomy},
                       {"StationEconomy_Localised", r.StationEconomy_Localised},
                       {"StationEconomies", listToJson(r.StationEconomies)},
                       {"DistFromStarLS", r.DistFromStarLS},
                       {"LandingPads", toJson(r.LandingPads)}};
}

QJsonObject toJson(const TCMDR& r)
{
    return QJsonObject{{"Name", r.Name}};
}

QJsonObject toJson(const TCarrier& r)
{
    return QJsonObject{{"CarrierID", u64ToJson(r.CarrierID)},
                       {"CarrierName", r.CarrierName},
                       {"StarSystem", r.StarSystem},
                       {"Body", r.Body},
                       {"CarrierBalance", r.CarrierBalance},
                       {"AvailableBalance", r.AvailableBalance}};
}

QJsonObject toJson(const TFuelCapacity& r)
{
    return QJsonObject{{"Main", r.Main}, {"Reserve", r.Reserve}};
}

QJsonObject toJson(const TModule& r)
{
    return QJsonObject{{"Slot", r.Slot},         {"Item", r.Item},     {"On_", r.On_},
                       {"Priority", r.Priority}, {"Health", r.Health}, {"Value", u64ToJson(r.Value)}};
}

QJsonObject toJson(const TLoadoutData& r)
{
    return QJsonObject{{"Timestamp", r.Timestamp},
                       {"Event", r.Event},
                       {"Ship", r.Ship},
                       {"ShipID", r.ShipID},
                       {"ShipName", r.ShipName},
                       {"ShipIdent", r.ShipIdent},
                       {"HullValue", u64ToJson(r.HullValue)},
                       {"ModulesValue", u64ToJson(r.ModulesValue)},
                       {"HullHealth", r.HullHealth},
                       {"UnladenMass", r.UnladenMass},
                       {"CargoCapacity", r.CargoCapacity},
                       {"MaxJumpRange", r.MaxJumpRange},
                       {"FuelCapacity", toJson(r.FuelCapacity)},
                       {"Rebuy", u64ToJson(r.Rebuy)},
                       {"Modules", listToJson(r.Modules)}};
}

QJsonObject toJson(const TMarketBuyData& r)
{
    return QJsonObject{{"Timestamp", r.Timestamp},
                       {"MarketID", u64ToJson(r.MarketID)},
                       {"ItemType", r.ItemType},
                       {"Count", r.Count},
                       {"BuyPrice", r.BuyPrice},
                       {"TotalCost", r.TotalCost},
                       {"System_Name", r.System_Name},
                       {"System_Adres", u64ToJson(r.System_Adres)},
                       {"Station_Name", r.Station_Name},
                       {"Station_Distance", r.Station_Distance},
                       {"Station_Type", r.Station_Type},
                       {"Also_needed", r.Also_needed}};
}

QJsonObject toJson(const TMission_cargo& r)
{
    return QJsonObject{{"Timestamp", r.Timestamp},
                       {"Event", r.Event},
                       {"Faction", r.Faction},
                       {"Name", r.Name},
                       {"LocalisedName", r.LocalisedName},
                       {"Commodity", r.Commodity},
                       {"Commodity_Localised", r.Commodity_Localised},
                       {"Count", r.Count},
                       {"DestinationSystem", r.DestinationSystem},
                       {"DestinationStation", r.DestinationStation},
                       {"Expiry", r.Expiry},
                       {"Wing", r.Wing},
                       {"Influence", r.Influence},
                       {"Reputation", r.Reputation},
                       {"Reward", r.Reward},
                       {"MissionID", r.MissionID}};
}

QJsonObject toJson(const TInfo_Docked& r)
{
    return QJsonObject{{"StationName", r.StationName}, {"StationType", r.StationType},
                       {"StarSystem", r.StarSystem},   {"SystemAdres", r.SystemAdres},
                       {"MarketID", r.MarketID},       {"StationFaction", r.StationFaction}};
}
