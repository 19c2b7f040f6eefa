#pragma once

#include <QString>
#include <QStringList>

// One identity for a commodity, whatever spelling names it. The journal gives
// the game's internal name ("computercomponents", "$computercomponents_name;"),
// markets and construction sites the localised one ("Computer Components"),
// and the program's own pick lists and the hub's orders their own ("Computer",
// "Components Computer", "H.E. Suits"). All of them map to the internal name.
//
// Shared by the client and the hub server, so it needs nothing but Qt Core.
namespace CommodityNames {

// Letters lowered, everything but letters and digits dropped; the journal's
// "$name_name;" wrapping is taken off first. "Non-Lethal Weapons" gives
// nonlethalweapons.
QString normalised(const QString& name);

// The game's internal name (normalised) of any spelling the table knows; for
// any other name its normalised form. Empty for a name without letters or digits.
QString key(const QString& name);

// Whether two names mean the same cargo. Names without letters or digits
// (blank rows, dashes) are never the same as anything.
bool same(const QString& a, const QString& b);

// The name the game shows for a commodity ("CMM Composite", "Liquid oxygen",
// "Limpet"), found by any spelling key() knows or by the shown name itself.
// A name the table lacks is shown as it came, without the journal's
// "$..._name;" wrapping. Only for display: files and wire texts keep the
// names they stored.
QString displayName(const QString& name);

// The journal's localised name where the line gives one (in the game's
// language), else displayName(name).
QString displayName(const QString& name, const QString& localised);

// The hub order form's commodities: those colony sites ask for most, then the
// others. Each is the spelling the hub stores and sends back in its orders.
struct OrderFormChoices
{
    QStringList base;
    QStringList other;
};
const OrderFormChoices& orderFormChoices();

}  // namespace CommodityNames
