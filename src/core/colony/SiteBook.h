#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

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
// the game reported complete or failed.
class SiteBook
{
public:
    explicit SiteBook(const QString& dataDir);

    // Reads the site files and sites.ini again. Throws TessivarError for a file
    // that cannot be read.
    void refresh();
    // ColonisationConstructionDepot: the game's word on whether the site is
    // complete or failed.
    void parse_depot(const QByteArray& line);
    void setCounted(const QString& marketId, bool counted);
    // The site leaves the list (its file stays) until its file is written
    // again, when the player docks there anew.
    void forget(const QString& marketId);

    const QList<SiteEntry>& sites() const { return m_sites; }
    QJsonObject dumpJson() const;

private:
    void write(const QString& marketId, const QString& key, const QString& value) const;

    QString m_dataDir;
    QList<SiteEntry> m_sites;
};
