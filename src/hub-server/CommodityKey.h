#pragma once

#include "commodities/CommodityNames.h"

#include <QString>

// The key under which the hub compares commodity names. A sale reports the
// game's internal name ("nonlethalweapons", "hazardousenvironmentsuits") while
// orders carry the display name a commander picked ("Non-Lethal Weapons",
// "H.E. Suits"); both land on the same key. The table is the client's own.
namespace CommodityKey {

// Empty for a name without letters or digits.
inline QString of(const QString& name)
{
    return CommodityNames::key(name);
}

}  // namespace CommodityKey
