#pragma once

#include <QString>
#include <QStringList>

// The new order form's commodity list as the first hubs offered it: 61
// entries, the headings "BASE:" and "OTHER:" between separator lines.
const QStringList& orderFormCommodities();
// Whether an entry of that list is a commodity (not a heading, separator or blank).
bool isOrderableCommodity(const QString& entry);
