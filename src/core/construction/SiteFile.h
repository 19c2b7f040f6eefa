#pragma once

#include "state/Records.h"

#include <QList>
#include <QPair>
#include <QString>
#include <functional>
#include <optional>

class IniDocument;

// One material line of a site's list file.
struct SiteFileNeed
{
    QString key;    // as the file holds it (escaped where the name could not stand as a key)
    QString name;   // the game's text
    QString value;  // as the file holds it
    // The tonnes still needed; no value for a value that is not a whole number.
    std::optional<qint64> tonnes() const;
};

// What a site's list file holds.
struct SiteRecord
{
    QString marketId;  // the file's name when it is a market id, otherwise empty
    QString fileName;  // without its folder
    // [INFO] StationName, StarSystem, StationType: empty when the file does not name them.
    QString stationName;
    QString starSystem;
    QString stationType;
    // [INFO] Name and Start_date: only ever written by hand.
    std::optional<QString> listName;
    std::optional<QString> startDate;
    int progress = 0;           // [INFO] Postep held to 0 to 100; 0 when missing or not a whole number
    QList<SiteFileNeed> needs;  // [MATS] in file order
};

// The list file of one construction site, constructions/<market id>.ini:
//   [INFO] Postep (percent), StationName, StarSystem, StationType, and Name,
//          Start_date (written by hand only)
//   [MATS] material=tonnes still needed, in the order first written
// The only reader and writer of that format. Every write keeps the lines it
// does not change byte for byte, creates the folder when missing and returns
// what the file holds now.
class SiteFile
{
public:
    explicit SiteFile(QString path);

    // The folder of the list files inside the data folder.
    static QString folderOf(const QString& dataDir);
    // The list file of a market id; empty for an id that cannot name a file.
    static QString pathOf(const QString& dataDir, const QString& marketId);

    const QString& path() const { return m_path; }
    bool exists() const;

    // Throws TessivarError when the file exists but cannot be read; a missing
    // file reads as an empty one.
    SiteRecord read() const;
    // A depot event: each named material's remaining tonnes (keys it no longer
    // lists stay), the progress and the site's names.
    SiteRecord writeDepot(const QList<QPair<QString, qint64>>& remaining, int progress,
                          const TInfo_Docked& site) const;
    // Cargo handed to the site: each material whose delivered tonnes are above
    // 0 loses them, never going below 0. The file is written even when no
    // material matched: it was touched by a visit to the site.
    SiteRecord deduct(const std::function<qint64(const QString& name)>& delivered) const;
    // The list as edited by hand: each material's tonnes.
    SiteRecord writeNeeds(const QList<QPair<QString, qint64>>& materials) const;

private:
    SiteRecord recordOf(const IniDocument& ini) const;
    void save(const IniDocument& ini) const;

    QString m_path;
};

// True for a market id usable as a file name: 1 to 20 decimal digits.
bool isMarketIdText(const QString& id);
