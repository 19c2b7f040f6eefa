#pragma once

#include <QStringList>

// The pick list of the cargo window's third tab: a heading, the basic
// materials construction sites ask for, a second heading and the further
// ones, each group in alphabetical order.
QStringList commonMaterialNames();
