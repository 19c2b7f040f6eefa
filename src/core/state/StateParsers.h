#pragma once

#include "state/Records.h"

#include <QByteArray>
#include <QJsonArray>

// Journal lines into the game-state records. Each parser reads one line into
// a fresh record; the caller stores it only when the parse succeeded. An
// error (TessivarError) ends the whole parse and no partial record escapes.

// Location, FSDJump or CarrierJump. Text that is not JSON gives the empty
// record; JSON that is not an object, a broken faction, conflict or power
// conflict, or a short StarPos is an error.
TDaneSystemu ParseDaneSystemu(const QByteArray& JsonStr);

TStarPos JsonToStarPos(const QJsonArray& JsonArray);
QStringList JsonToStringArray(const QJsonArray& JsonArray);
QList<TPowerConflict> JsonToPowerConflicts(const QJsonArray& JsonArray);
QList<TFaction> JsonToFactions(const QJsonArray& JsonArray);
QList<TConflict> JsonToConflicts(const QJsonArray& JsonArray);

// Highest influence first, by plain exchange: equal influences are never
// swapped with each other, though swaps with a third faction can reorder them.
void SortFactionsByInfluence(QList<TFaction>& Factions);

// Docked: every key is required except the station faction's state.
TDaneDokowania ParseDockedData(const QByteArray& JsonStr);

// The docked station a Location or CarrierJump line tells of, every key
// optional (these events never carry the landing pads, which stay 0 as
// unknown); whether the line was written docked; the body it places the
// player at (-1 when absent). Text that is not a JSON object gives the defaults.
struct TSystemEventDock
{
    bool Docked = false;
    int BodyID = -1;
    TDaneDokowania Station;
};
TSystemEventDock ParseSystemEventDock(const QByteArray& JsonStr);

// Loadout: text that is not JSON gives the empty record; JSON that is not an
// object, or a module that is not an object, is an error; every other key is
// optional.
TLoadoutData Parse_DaneStatku(const QByteArray& JsonStr);
