#pragma once

#include <QList>
#include <QString>

// One row of the loading list as shown: its row in the table.
struct LoadingEntry
{
    int row = 0;
    QString name;
    QString quantity;    // the cell's text; a whole number when the list is sound
    QString trips;       // full holds and the tonnes left ("3-232"), or "0"
    bool total = false;  // the computed TOTAL row
};

// The loading list as the phone and the browser page mirror it.
struct LoadingListRows
{
    // The rows below the heading in the list's order: the commodities and TOTAL, no blank row.
    QList<LoadingEntry> rows;
    // Whether the list has any row below its heading, a blank one included: an
    // emptied list keeps one, a source that gives nothing has none.
    bool anyRow = false;
};
