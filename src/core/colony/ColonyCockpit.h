#pragma once

#include "colony/BuyHere.h"
#include "colony/SiteBook.h"
#include "colony/StillToBuy.h"
#include "construction/SiteFile.h"
#include "state/Records.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QString>

class CarrierLedger;
struct MarketSnapshot;
class ReportSink;
class TextTableModel;

// The colony builder's view: every construction site, what is still to buy
// for the sites that count after the carriers' ledger and the ship's hold,
// and what the docked market sells of it.
class ColonyCockpit : public QObject
{
    Q_OBJECT
public:
    // hold: the ship's hold as the cargo module shows it (row 0 a heading,
    // then name and count).
    ColonyCockpit(const GameState& state, const QString& dataDir, const CarrierLedger& ledger,
                  const TextTableModel& hold, ReportSink& reports);

    // Sites, still to buy and the totals again from the files and the ledger.
    // The first call is the first look: what changes after it is worth a
    // notification. Failures are reported, never thrown.
    void refresh();
    // The journal's history has been read: the first look, unless taken.
    // Until then the changes below wait for it.
    void historyRead();
    // A site's list file was written.
    void siteWritten(const SiteRecord& site);
    // ColonisationConstructionDepot: whether the site completed or failed.
    void parse_depot(const QByteArray& line);
    // The carriers' ledger changed.
    void ledgerChanged();
    // The ship's hold was read again, and the ship may have changed: still to
    // buy follows only what it counts (the hold by commodity, the capacity).
    void holdRead();
    void shipChanged();
    // A whole Market.json, when it is the docked market's: its buy-here list.
    // The person hears of it once per docking, and again only when the list
    // gains a commodity (opening the market twice, or a purchase reading the
    // file again, tells nothing new).
    void marketSeen(const MarketSnapshot& market);

    void setCounted(const QString& marketId, bool counted);
    void forget(const QString& marketId);

    const QList<SiteEntry>& sites() const { return m_sites.sites(); }
    const QList<StillToBuyLine>& stillToBuy() const { return m_still; }
    const QList<BuyHereLine>& buyHereLines() const { return m_buyHere; }
    QString buyHereStation() const { return m_buyHereStation; }

    // Tables for export: heading row first.
    QList<QStringList> stillToBuyRows() const;
    QList<QStringList> ledgerRows() const;
    QList<QStringList> siteNeedRows() const;
    // The three tables one after another, a blank row between them.
    QList<QStringList> exportRows() const;
    // Writes exportRows() as CSV. Throws TessivarError when the file cannot be written.
    void saveCsv(const QString& path) const;

    // One line per carrier for the person: its stock and free space, and
    // when the game's cargo figure disagrees, both figures and the anchor's age.
    QStringList ledgerSummary() const;
    // What the browser page shows of it.
    QJsonObject pageJson() const;

    QJsonObject dumpJson() const;

signals:
    void changed();
    // Something the player may want to hear of while in the game.
    void notify(const QString& title, const QString& text);

private:
    // Still to buy from the sites in memory, the ledger, the hold and the
    // capacity; notifies what changed since the last look when asked to.
    void recompute(bool notifyChanges);
    QMap<QString, qint64> holdByCommodity() const;

    const GameState& m_state;
    const CarrierLedger& m_ledger;
    const TextTableModel& m_hold;
    ReportSink& m_reports;
    SiteBook m_sites;
    QList<StillToBuyLine> m_still;
    QList<BuyHereLine> m_buyHere;
    QString m_buyHereStation;
    QString m_toldDocking;            // the docking the buy-here notice was last given for
    QSet<QString> m_toldCommodities;  // and the commodities it named
    bool m_refreshed = false;
    // What the last still to buy was worked out from, beside the sites and the ledger.
    QMap<QString, qint64> m_holdSeen;
    int m_capacitySeen = 0;
    QHash<QString, QString> m_stateSeen;  // each site's state at the last look
};
