#pragma once

#include "common/TextTableModel.h"
#include "construction/SiteFile.h"
#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <optional>

// Full holds and what is left over for one more trip.
struct ConstructionTrips
{
    qint64 fullHolds = 0;
    qint64 rest = 0;
};

class ReportSink;
class UserInteraction;

// Construction sites: the materials a depot still needs, kept in each site's
// list file (SiteFile).
class ConstructionModule : public QObject
{
    Q_OBJECT
public:
    // Reads where the player is docked from the game state's dock record.
    ConstructionModule(const GameState& state, const QString& dataDir, UserInteraction& ui,
                       ReportSink& reports);

    // Follows the docked station (every pass that read lines).
    void Set_Construction_info();
    // Applies one ColonisationConstructionDepot line to the list and the site's file.
    void czytaj_budowe_z_logu(const QByteArray& JSON);
    // ColonisationContribution: the cargo handed to a site comes off its needs
    // at once (the next depot event stays the authority).
    void parse_contribution(const QByteArray& JSON);
    // Once the history has been read: when no site is shown yet, the list of
    // the docked site, or else of the site seen last, is loaded from its file.
    // Failures are reported, never thrown.
    void showLastSeenSite();
    // Full holds of the current ship and the tonnes left over, e.g. 3-232.
    QString get_ilosc_kursow(qint64 cargo_count) const;
    // The same as numbers, for the current ship's hold.
    std::optional<ConstructionTrips> trips(qint64 cargo_count) const;
    // The tonnes of a list row; no value for a row without a whole number.
    std::optional<qint64> tonnesAt(int row) const;
    // Whether a list row is the TOTAL row.
    bool isTotalRow(int row) const;

    // Pop-up menu and buttons of the construction window. `row` is the
    // list's current row (-1 when none).
    void Zaadujlistzpliku1Click();                             // asks for a list file, then loads it
    void loadListFile(const QString& path);                    // the load itself
    void m_Dodajdozaadunku1Click(int row);                     // one row to the loading list
    void btn_Nowy_ZaladunekClick(bool dodac_do_istniejacego);  // every material to the loading list
    void Findonmarkets1Click(int row);                         // Last Shopping search of the row's material
    void btn_zapiszClick();                                    // "💾 Save changes"
    bool canSave() const { return !m_saveFile.isEmpty(); }

    // A new construction window starts with an empty list and "-/-" labels.
    void resetWindow();

    // Where the ship is docked, as the dock record says (StationFaction empty).
    TInfo_Docked Info_Docked;
    // The docked market's list file; empty when the market id is not a decimal number.
    QString Budowa_file;
    // Market id of the site whose figures the list shows (empty when none).
    QString ak_budowa;
    // The header names the site whose list is shown; while none is, the dock.

    // The materials the site still needs (row 0 the title row).
    TextTableModel lista_materialow{3};
    // What the header names: the site shown, else the dock (whose fields may
    // be empty). No value: not known (a site's file without the field, or no
    // site and no dock yet).
    std::optional<QString> siteSystem;
    std::optional<QString> siteStation;
    std::optional<QString> siteType;
    std::optional<QString> siteMarketId;
    // Whole percent of the shown site's progress; no value before the first.
    std::optional<int> progressPercent;
    int ProgressBar1 = 0;  // the progress held to 0 to 100, as the bar and the phone show it
    // Row 0 is shaded as a header until the first depot event.
    bool headerShaded = true;

    QString constructionsFolder() const;

    QJsonObject dumpJson() const;

signals:
    void changed();
    // The materials list or the progress the phone mirrors changed.
    void constructionChanged();
    // Materials ("name:tonnes") to put on the loading list, added to it or replacing it.
    void loadingLinesOffered(bool addToExisting, const QStringList& lines);
    // The loading list was given a row from here (the phone is to show it).
    void loadingListSent();
    // A material is to be looked up in Last Shopping.
    void searchRequested(const QString& name);
    // A site's list file was written: what it holds now.
    void siteFileWritten(const SiteRecord& site);

private:
    void refreshTotals();
    // The list file of a market id; empty for an id that cannot name a file.
    QString siteFile(const QString& marketId) const;
    void showHeader();

    const GameState& m_state;
    QString m_dataDir;
    UserInteraction& m_ui;
    ReportSink& m_reports;
    TInfo_Docked m_site;  // the site whose list is shown (empty MarketID: none)
    bool m_lastSiteLooked = false;
    QString m_saveFile;  // the file the list was last filled from; "💾 Save changes" writes there
};

// Full holds (rounded towards minus infinity) and the remainder of a cargo
// count; no value without a known capacity.
std::optional<ConstructionTrips> constructionTripsOf(qint64 cargo_count, int capacity);

// The trips text the phone, the page and the list keep: "0" without a known capacity,
// otherwise full holds (rounded towards minus infinity) "-" remainder, also
// for counts of 0 and below (0-0, -1-246).
QString constructionTrips(qint64 cargo_count, int capacity);

// Whole percent of a progress fraction, halves to the even neighbour.
int constructionPercent(double fraction);
