#pragma once

#include <QString>

// The two texts of the About window, in the interface's language.
namespace AboutTexts {

QString description();
QString changes();

}  // namespace AboutTexts
