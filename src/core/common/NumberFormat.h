#pragma once

#include <QLocale>
#include <QString>

// Number texts as the program shows them. Rounding is to nearest with halves
// to the even neighbour, as the program has always rounded displayed
// percentages and distances.

// Rounds to a whole number, halves to even (12.5 -> 12, 13.5 -> 14).
double roundHalfEven(double value);
// Rounds to the given number of decimals, halves to even (23.4567, 2 -> 23.46).
double roundHalfEven(double value, int decimals);

// "#,##0": digits grouped by threes with the locale's group separator, no
// decimals, a leading '-' when negative.
QString FormatNumberWithCommas(qint64 Number, const QLocale& locale = QLocale::system());

// The general number format: the shortest decimal form with up to 15
// significant digits, the locale's decimal separator, no trailing zeros and
// no separator for a whole value (12.5, 100, 0).
QString FormatGeneral(double value, const QLocale& locale = QLocale::system());

// "#,##0.###": grouped whole part, up to three decimals, trailing zeros dropped.
QString FormatGrouped3(double value, const QLocale& locale = QLocale::system());
