#pragma once

#include "state/Records.h"

// Where the player is docked. GameState::dane_dokowania is the one record of
// it: Docked fills it whole, a Location or CarrierJump written while docked
// fills it as far as the event tells, Undocked and a Location written while
// not docked empty its station name and type. Every window, feed and route
// reads it through these helpers, so none of them can disagree.

// Docked somewhere: the record names a station.
bool isDocked(const GameState& state);

// The six fields the windows show of the dock: the station's while docked,
// otherwise only the current system.
TInfo_Docked dockInfo(const GameState& state);

// The commander's own carrier is known and the player is docked at it: only
// there does cargo sold or transferred come off the own loading list.
bool dockedAtOwnCarrier(const GameState& state);

// A Location or CarrierJump line just parsed into state.dane_systemu: the dock
// record and the own carrier's place follow it.
void applySystemEventToDock(GameState& state, const QByteArray& line);
