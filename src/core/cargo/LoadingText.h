#pragma once

#include <QString>
#include <optional>

// Text rules shared by the ship's hold and the carrier loading list. Every
// cell of those lists is text; quantities are converted only when used.
namespace LoadingText {

// A quantity cell or file value as a whole number: decimal digits with an
// optional sign, surrounding blanks ignored. Anything else is not a quantity.
std::optional<qint64> quantity(const QString& text);

// Whether two loading-list names are the same cargo: the same commodity under
// any spelling, or (for names that are not commodities) the same text.
bool sameCargo(const QString& a, const QString& b);

// Why a name cannot be a key of zaladunek.ini, or empty text when it can.
// The INI format has no escapes: such a name would come back as a different
// entry or break the file. The TOTAL row is computed, never a commodity.
QString unstorableNameReason(const QString& name);

}  // namespace LoadingText
