#pragma once

#include "ini/IniDocument.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

struct SiteRecord;

// One material a site still needs.
struct SiteNeed
{
    QString name;  // as the game localises it
    qint64 tonnes = 0;
};

// One construction site the player has docked at.
struct SiteEntry
{
    QString marketId;
    QString name;
    QString system;
    int progress = 0;               // percent
    QMap<QString, SiteNeed> needs;  // by commodity identity
    QString state;                  // "open", "complete" or "failed"
    bool counted = true;            // counted in the totals (a finished site never is)

    qint64 remaining() const;
    bool counts() const { return counted && state == QLatin1String("open"); }
};

// Every construction site of the constructions/ folder, with what the player
// decided about each (kept in sites.ini: [<market id>] State, Counted,
// Forgotten): which count towards the totals, which were forgotten, and which
// the game reported complete or failed. Read from disk once (refresh); after
// that each site file written is taken in as it is written (update).
class SiteBook
{
public:
    explicit SiteBook(const QString& dataDir);

    // Reads the site files and sites.ini again. Throws TessivarError for a file
    // that cannot be read.
    void refresh();
    // A site file as it was just written: the site is listed with it (also
    // when it was forgotten: the player docked there anew).
    void update(const SiteRecord& site);
    // ColonisationConstructionDepot: the game's word on whether the site is
    // complete or failed. True when a listed site's state changed.
    bool parse_depot(const QByteArray& line);
    void setCounted(const QString& marketId, bool counted);
    // The site leaves the list (its file stays) until its file is written
    // again, when the player docks there anew.
    void forget(const QString& marketId);

    const QList<SiteEntry>& sites() const { return m_sites; }
    QJsonObject dumpJson() const;

private:
    SiteEntry entryOf(const SiteRecord& site) const;
    void write(const QString& marketId, const QString& key, const QString& value);

    QString m_dataDir;
    IniDocument m_book;        // sites.ini as last read or written
    QList<SiteEntry> m_sites;  // by market id, as the folder lists the files
};
