#pragma once

#include <QString>
#include <optional>

// Text rules shared by the ship's hold and the carrier loading list. Every
// cell of those lists is text; quantities are converted only when used.
namespace LoadingText {

// A quantity cell or file value as a whole number: decimal digits with an
// optional sign, surrounding blanks ignored. Anything else is not a quantity.
std::optional<qint64> quantity(const QString& text);

// The key a loading-list name is compared by with the journal's commodity
// types: spaces removed, control characters trimmed, A-Z lowered (other
// letters stay as they are), so "Ceramic Composites" gives ceramiccomposites.
QString commodityKey(const QString& name);

// Why a name cannot be a key of zaladunek.ini, or empty text when it can.
// The INI format has no escapes: such a name would come back as a different
// entry or break the file.
QString unstorableNameReason(const QString& name);

}  // namespace LoadingText
