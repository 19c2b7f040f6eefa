#pragma once

#include "TestSupport.h"
#include "cargo/CargoModule.h"
#include "common/TextTableModel.h"

#include <QStringList>

// A grid as one text: rows joined by "|", cells by ",", trailing empty cells
// dropped, so a whole list compares in one QCOMPARE.
inline QString gridText(const TextTableModel& m)
{
    QStringList rows;
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList cells = m.row(r);
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        rows.append(cells.join(QLatin1Char(',')));
    }
    return rows.join(QLatin1Char('|'));
}

// The loading list's file as "key=value" lines joined by "|" (one section only).
inline QString zaladunekText(const CargoModule& cargo)
{
    QStringList lines;
    for (const QByteArray& l : readFile(cargo.loadingFilePath()).split('\n')) {
        const QByteArray t = l.trimmed();
        if (!t.isEmpty() && !t.startsWith('['))
            lines.append(QString::fromUtf8(t));
    }
    return lines.join(QLatin1Char('|'));
}
