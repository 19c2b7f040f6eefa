#pragma once

#include <QHash>
#include <QString>

namespace CommodityNames::detail {

// Internal name (normalised) → the name the game shows.
const QHash<QString, QString>& displayTable();

}  // namespace CommodityNames::detail
