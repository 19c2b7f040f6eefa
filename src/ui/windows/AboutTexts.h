#pragma once

#include <QString>

// The four texts of the About window, in Polish and English.
namespace AboutTexts {

QString descriptionPl();
QString changesPl();
QString descriptionEn();
QString changesEn();

}  // namespace AboutTexts
