#pragma once

#include <QString>

// The key under which the hub compares commodity names. A sale reports the
// game's internal name ("nonlethalweapons", "hazardousenvironmentsuits") while
// orders carry the display name a commander picked ("Non-Lethal Weapons",
// "H.E. Suits"); both must land on the same key.
namespace CommodityKey {

// Letters lowered, everything but letters and digits dropped; the journal's
// "$name_name;" wrapping is taken off first.
QString normalised(const QString& name);

// The normalised name, with display names whose letters differ from the game's
// internal name mapped to that internal name. Empty for a name without letters
// or digits.
QString of(const QString& name);

}  // namespace CommodityKey
