#include "state/StateParsers.h"

#include "common/Error.h"
#include "common/JsonRead.h"

#include <QCoreApplication>
#include <utility>

namespace {

constexpr KeyRead Req = KeyRead::Required;

QLatin1String L(const char* s)
{
    return QLatin1String(s);
}

QJsonObject elementObject(const QJsonValue& v, const char* what)
{
    if (!v.isObject())
        throw TessivarError(
            QCoreApplication::translate("StateParsers", "Journal line: an element of \"%1\" is not an object")
                .arg(QLatin1String(what)));
    return v.toObject();
}

// The elements of a journal array, each an object read into a record by `read`.
template <typename T, typename Read>
QList<T> readElements(const QJsonArray& JsonArray, const char* what, Read read)
{
    QList<T> out;
    out.reserve(JsonArray.size());
    for (const QJsonValue& v : JsonArray) {
        const QJsonObject o = elementObject(v, what);
        T item;
        read(o, item);
        out.append(std::move(item));
    }
    return out;
}

void requireObject(JsonLine kind)
{
    if (kind != JsonLine::Object)
        throw TessivarError(QCoreApplication::translate("StateParsers", "Journal line is not a JSON object"));
}

}  // namespace

TStarPos JsonToStarPos(const QJsonArray& JsonArray)
{
    if (JsonArray.size() < 3)
        throw TessivarError(QCoreApplication::translate(
            "StateParsers", "Journal line: \"StarPos\" has fewer than three numbers"));
    TStarPos pos{0, 0, 0};
    for (int i = 0; i < 3; ++i)
        if (!convertJson(JsonArray.at(i), pos[size_t(i)]))
            throw TessivarError(QCoreApplication::translate(
                "StateParsers", "Journal line: an element of \"StarPos\" is not a number"));
    return pos;
}

QStringList JsonToStringArray(const QJsonArray& JsonArray)
{
    QStringList out;
    out.reserve(JsonArray.size());
    for (const QJsonValue& v : JsonArray)
        out.append(jsonScalarText(v));
    return out;
}

QList<TPowerConflict> JsonToPowerConflicts(const QJsonArray& JsonArray)
{
    return readElements<TPowerConflict>(JsonArray, "PowerplayConflictProgress",
                                        [](const QJsonObject& o, TPowerConflict& p) {
                                            readKey(o, L("Power"), p.Power, Req);
                                            readKey(o, L("ConflictProgress"), p.ConflictProgress, Req);
                                        });
}

QList<TFaction> JsonToFactions(const QJsonArray& JsonArray)
{
    return readElements<TFaction>(JsonArray, "Factions", [](const QJsonObject& o, TFaction& f) {
        readKey(o, L("Name"), f.Name, Req);
        readKey(o, L("FactionState"), f.FactionState, Req);
        readKey(o, L("Government"), f.Government, Req);
        readKey(o, L("Influence"), f.Influence, Req);
        readKey(o, L("Allegiance"), f.Allegiance, Req);
        readKey(o, L("MyReputation"), f.MyReputation);
    });
}

QList<TConflict> JsonToConflicts(const QJsonArray& JsonArray)
{
    return readElements<TConflict>(JsonArray, "Conflicts", [](const QJsonObject& o, TConflict& c) {
        readKey(o, L("WarType"), c.WarType, Req);
        readKey(o, L("Status"), c.Status, Req);
    });
}

void SortFactionsByInfluence(QList<TFaction>& Factions)
{
    const qsizetype n = Factions.size();
    for (qsizetype i = 0; i + 1 < n; ++i)
        for (qsizetype j = i + 1; j < n; ++j)
            if (Factions[j].Influence > Factions[i].Influence)
                std::swap(Factions[i], Factions[j]);
}

TDaneSystemu ParseDaneSystemu(const QByteArray& JsonStr)
{
    TDaneSystemu r;
    QJsonObject o;
    const JsonLine kind = parseJsonLine(JsonStr, o);
    if (kind == JsonLine::Invalid)
        return r;
    requireObject(kind);

    if (!readKey(o, L("timestamp"), r.Timestamp))
        return TDaneSystemu{};
    if (!readKey(o, L("event"), r.Event))
        return r;

    readKey(o, L("StarSystem"), r.StarSystem);
    readKey(o, L("SystemAddress"), r.SystemAddress);
    QJsonArray a;
    if (readKey(o, L("StarPos"), a))
        r.StarPos = JsonToStarPos(a);
    readKey(o, L("Population"), r.Population);
    readKey(o, L("SystemAllegiance"), r.SystemAllegiance);
    readKey(o, L("SystemEconomy"), r.SystemEconomy);
    readKey(o, L("SystemEconomy_Localised"), r.SystemEconomy_Localised);
    readKey(o, L("SystemSecondEconomy"), r.SystemSecondEconomy);
    readKey(o, L("SystemSecondEconomy_Localised"), r.SystemSecondEconomy_Localised);
    readKey(o, L("SystemGovernment"), r.SystemGovernment);
    readKey(o, L("SystemGovernment_Localised"), r.SystemGovernment_Localised);
    readKey(o, L("SystemSecurity"), r.SystemSecurity);
    readKey(o, L("SystemSecurity_Localised"), r.SystemSecurity_Localised);
    if (readKey(o, L("Powers"), a))
        r.Powers = JsonToStringArray(a);
    readKey(o, L("PowerplayState"), r.PowerplayState);
    if (readKey(o, L("PowerplayConflictProgress"), a))
        r.PowerConflicts = JsonToPowerConflicts(a);
    if (readKey(o, L("Factions"), a))
        r.Factions = JsonToFactions(a);
    readKey(o, L("SystemFaction.Name"), r.SystemFactionName);
    readKey(o, L("SystemFaction.FactionState"), r.SystemFactionState);
    if (readKey(o, L("Conflicts"), a))
        r.Conflicts = JsonToConflicts(a);

    if (r.Event == QLatin1String("Location")) {
        readKey(o, L("Docked"), r.Docked);
        readKey(o, L("StationName"), r.StationName);
        readKey(o, L("StationType"), r.StationType);
        readKey(o, L("MarketID"), r.MarketID);
        readKey(o, L("StationFaction.Name"), r.StationFactionName);
        readKey(o, L("StationGovernment_Localised"), r.StationGovernment_Localised);
        readKey(o, L("StationEconomy_Localised"), r.StationEconomy_Localised);
        if (readKey(o, L("StationServices"), a))
            r.StationServices = JsonToStringArray(a);
    } else if (r.Event == QLatin1String("FSDJump")) {
        readKey(o, L("Taxi"), r.Taxi);
        readKey(o, L("Multicrew"), r.Multicrew);
        readKey(o, L("ControllingPower"), r.ControllingPower);
        readKey(o, L("PowerplayStateControlProgress"), r.PowerplayStateControlProgress);
        readKey(o, L("PowerplayStateReinforcement"), r.PowerplayStateReinforcement);
        readKey(o, L("PowerplayStateUndermining"), r.PowerplayStateUndermining);
        readKey(o, L("JumpDist"), r.JumpDist);
        readKey(o, L("FuelUsed"), r.FuelUsed);
        readKey(o, L("FuelLevel"), r.FuelLevel);
    }
    return r;
}

TDaneDokowania ParseDockedData(const QByteArray& JsonStr)
{
    TDaneDokowania r;
    QJsonObject o;
    requireObject(parseJsonLine(JsonStr, o));

    readKey(o, L("timestamp"), r.Timestamp, Req);
    readKey(o, L("event"), r.Event, Req);
    readKey(o, L("StationName"), r.StationName, Req);
    readKey(o, L("StationType"), r.StationType, Req);
    // Taxi and Multicrew came with the 2021 game update; older lines were
    // written aboard one's own ship, so both stay false.
    readKey(o, L("Taxi"), r.Taxi);
    readKey(o, L("Multicrew"), r.Multicrew);
    readKey(o, L("StarSystem"), r.StarSystem, Req);
    readKey(o, L("SystemAddress"), r.SystemAddress, Req);
    readKey(o, L("MarketID"), r.MarketID, Req);

    QJsonObject faction;
    readKey(o, L("StationFaction"), faction, Req);
    readKey(faction, L("Name"), r.StationFactionName, Req);
    readKey(faction, L("FactionState"), r.StationFactionState);

    readKey(o, L("StationGovernment"), r.StationGovernment, Req);
    readKey(o, L("StationGovernment_Localised"), r.StationGovernment_Localised, Req);
    QJsonArray a;
    readKey(o, L("StationServices"), a, Req);
    r.StationServices = JsonToStringArray(a);
    readKey(o, L("StationEconomy"), r.StationEconomy, Req);
    readKey(o, L("StationEconomy_Localised"), r.StationEconomy_Localised, Req);

    readKey(o, L("StationEconomies"), a, Req);
    r.StationEconomies =
        readElements<TStationEconomy>(a, "StationEconomies", [](const QJsonObject& e, TStationEconomy& se) {
            readKey(e, L("Name"), se.Name, Req);
            readKey(e, L("Name_Localised"), se.Name_Localised, Req);
            readKey(e, L("Proportion"), se.Proportion, Req);
        });

    readKey(o, L("DistFromStarLS"), r.DistFromStarLS, Req);
    QJsonObject pads;
    readKey(o, L("LandingPads"), pads, Req);
    readKey(pads, L("Small"), r.LandingPads.Small, Req);
    readKey(pads, L("Medium"), r.LandingPads.Medium, Req);
    readKey(pads, L("Large"), r.LandingPads.Large, Req);
    return r;
}

TSystemEventDock ParseSystemEventDock(const QByteArray& JsonStr)
{
    TSystemEventDock r;
    QJsonObject o;
    if (parseJsonLine(JsonStr, o) != JsonLine::Object)
        return r;
    readKey(o, L("Docked"), r.Docked);
    readKey(o, L("BodyID"), r.BodyID);
    TDaneDokowania& d = r.Station;
    readKey(o, L("timestamp"), d.Timestamp);
    readKey(o, L("event"), d.Event);
    readKey(o, L("StationName"), d.StationName);
    readKey(o, L("StationType"), d.StationType);
    readKey(o, L("Taxi"), d.Taxi);
    readKey(o, L("Multicrew"), d.Multicrew);
    readKey(o, L("StarSystem"), d.StarSystem);
    readKey(o, L("SystemAddress"), d.SystemAddress);
    readKey(o, L("MarketID"), d.MarketID);
    readKey(o, L("StationFaction.Name"), d.StationFactionName);
    readKey(o, L("StationFaction.FactionState"), d.StationFactionState);
    readKey(o, L("StationGovernment"), d.StationGovernment);
    readKey(o, L("StationGovernment_Localised"), d.StationGovernment_Localised);
    QJsonArray a;
    if (readKey(o, L("StationServices"), a))
        d.StationServices = JsonToStringArray(a);
    readKey(o, L("StationEconomy"), d.StationEconomy);
    readKey(o, L("StationEconomy_Localised"), d.StationEconomy_Localised);
    // A malformed economy is left out rather than losing the whole dock.
    if (readKey(o, L("StationEconomies"), a))
        for (const QJsonValue& v : std::as_const(a)) {
            const QJsonObject e = v.toObject();
            TStationEconomy se;
            readKey(e, L("Name"), se.Name);
            readKey(e, L("Name_Localised"), se.Name_Localised);
            readKey(e, L("Proportion"), se.Proportion);
            if (v.isObject())
                d.StationEconomies.append(se);
        }
    readKey(o, L("DistFromStarLS"), d.DistFromStarLS);
    return r;
}

TLoadoutData Parse_DaneStatku(const QByteArray& JsonStr)
{
    TLoadoutData r;
    QJsonObject o;
    const JsonLine kind = parseJsonLine(JsonStr, o);
    if (kind == JsonLine::Invalid)
        return r;
    requireObject(kind);

    if (!readKey(o, L("timestamp"), r.Timestamp) || !readKey(o, L("event"), r.Event) ||
        !readKey(o, L("Ship"), r.Ship))
        return r;

    readKey(o, L("ShipID"), r.ShipID);
    readKey(o, L("ShipName"), r.ShipName);
    readKey(o, L("ShipIdent"), r.ShipIdent);
    readKey(o, L("HullValue"), r.HullValue);
    readKey(o, L("ModulesValue"), r.ModulesValue);
    readKey(o, L("HullHealth"), r.HullHealth);
    readKey(o, L("UnladenMass"), r.UnladenMass);
    readKey(o, L("CargoCapacity"), r.CargoCapacity);
    readKey(o, L("MaxJumpRange"), r.MaxJumpRange);
    readKey(o, L("Rebuy"), r.Rebuy);

    QJsonObject fuel;
    if (readKey(o, L("FuelCapacity"), fuel)) {
        readKey(fuel, L("Main"), r.FuelCapacity.Main);
        readKey(fuel, L("Reserve"), r.FuelCapacity.Reserve);
    }
    QJsonArray modules;
    if (readKey(o, L("Modules"), modules))
        r.Modules = readElements<TModule>(modules, "Modules", [](const QJsonObject& m, TModule& mod) {
            readKey(m, L("Slot"), mod.Slot);
            readKey(m, L("Item"), mod.Item);
            readKey(m, L("On"), mod.On_);
            readKey(m, L("Priority"), mod.Priority);
            readKey(m, L("Health"), mod.Health);
            readKey(m, L("Value"), mod.Value);
        });
    return r;
}
