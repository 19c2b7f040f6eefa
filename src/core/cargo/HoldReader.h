#pragma once

#include "common/TextTableModel.h"

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <functional>

class ReportSink;

// The ship's hold as the game's Cargo.json describes it, read after every
// batch of journal lines. While the commander drives the SRV the file
// describes the SRV's hold, and the ship's entries are kept.
class HoldReader
{
public:
    // journalFolder: where the game writes Cargo.json (read afresh each time).
    HoldReader(std::function<QString()> journalFolder, ReportSink& reports);

    // Reads Cargo.json and shows its entries. A file of the wrong shape throws
    // TessivarError and the hold keeps what it showed.
    void read();
    // The table from the entry lines as they stand.
    void showEntries();

    // The name a person reads for a hold entry's id: the game's own
    // ("Name_Localised" in Cargo.json), else the commodity table's.
    QString displayName(const QString& id) const;

    // "name:count" per entry of the last good read (raw file lines while reading).
    QStringList entryLines;
    // Read-only: "TOWAR", "ILOSC" in row 0, then id and count per entry.
    TextTableModel table{2};

private:
    void readFileLines();

    std::function<QString()> m_journalFolder;
    ReportSink& m_reports;
    QString m_lastFailure;                 // the failure last reported; cleared by a good read
    QHash<QString, QString> m_shownNames;  // id -> Name_Localised of the last Cargo.json
};
