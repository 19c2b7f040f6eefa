#pragma once

#include <QStringList>

// The pick list of the cargo window's third tab: a heading, the basic
// materials construction sites ask for, a second heading and the further
// ones, each group in alphabetical order.
QStringList commonMaterialNames();

// Whether a pick list entry is one of its two headings ("PODSTAWOWE:",
// "DODATKOWE:", kept so in the list the replay dump records); windows show
// them in the person's language, and neither is a commodity.
bool isCommonMaterialHeading(const QString& name);
