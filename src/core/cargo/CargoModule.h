#pragma once

#include "commodities/CommodityTally.h"
#include "common/TextTableModel.h"
#include "ini/IniDocument.h"
#include "state/Records.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ReportSink;
class UserInteraction;

// One accepted hub contract as its tree keeps it: the order's heading and its
// detail lines ("🆔 CarrierID: ...", "📦 Commodity: [...] 🔢 ... / 💰 ...% AVG;").
struct TAcceptedContract
{
    QString text;
    QStringList lines;
};

// The ship's hold, the carrier loading list and its reconciliation with
// transfers and sales, and the pick list of common materials.
//
// The loading list shows one source at a time (the selector). The commander's
// own list is kept in zaladunek.ini; while another source is shown, that file
// is the own list, so what is moved to the own carrier still reduces it, while
// clearing, removing and saving act on the shown rows only.
class CargoModule : public QObject
{
    Q_OBJECT
public:
    using MissionCommodities = CommodityTally;
    // journalFolder: where the game writes Cargo.json; missionCommodities: the
    // trade missions' totals (the "Trade Missions" entry); acceptedContracts:
    // the hub contracts taken (one entry per carrier id).
    CargoModule(const GameState& state, const QString& dataDir, std::function<QString()> journalFolder,
                ReportSink& reports, UserInteraction& ui, const MissionCommodities& missionCommodities,
                std::function<QList<TAcceptedContract>()> acceptedContracts);

    // Loads the commander's own list; run once every module of the core exists,
    // so that transfers are applied from the first pass on, window or not.
    void start();

    // --- Ship's hold (Cargo.json in the journal folder) ---
    // Raw lines of Cargo.json after ReadCargoFile, entry lines "name:count" after read_cargo.
    QStringList CargoLog;
    // The name a person reads for a hold entry's id: the game's own
    // ("Name_Localised" in Cargo.json), else the pick list's spelling, else
    // the id itself.
    QString cargoDisplayName(const QString& id) const;
    // The selector's entry as a person reads it: a taken contract's heading
    // (its carrier and commander) with the carrier id, other entries as they are.
    QString selectorEntryText(int index) const;
    // Read-only: "TOWAR", "ILOSC" in row 0, then name and count per hold entry.
    TextTableModel cargo_list{2};
    void ReadCargoFile();
    void read_cargo();
    void show_cargo();

    // --- Loading list ---
    void sprawdz_zaladunek(const QByteArray& JSON, const QString& typ);
    void add_zaladunek_ilosc_kursow();
    void add_zaladunek(bool dodac_do_istniejacego, const QStringList& materialy);
    void read_zaladunek_from_file();
    // Reduces the shown own list by `ilosc` of the commodity type `mat`, or
    // ("na", or any source but "My Carrier") rebuilds the list from its source.
    void Aktualizuj_Zaladunek(const QString& mat, int ilosc);
    // Fills the list from the accepted contracts whose lines contain SzukanyMarketID.
    void ZnajdzZlecenie(const QList<TAcceptedContract>& TreeView, const QString& SzukanyMarketID);
    void Remove_TOTAL();
    void Add_TOTAL();
    // A quantity as full holds of the current ship and the tonnes left ("3-232"), or "0".
    QString get_ilosc_kursow(qint64 cargo_count) const;
    // Deletes a row, moving the rows below it up; a grid keeps at least one row.
    static void DeleteGridRow(TextTableModel& Grid, int RowToDelete);

    // The loading list: name, quantity, trips (row 0 an ordinary row).
    TextTableModel zaladunek_list{3};
    // The selector's entries ("My Carrier", "Trade Missions", carrier ids) and the selected one.
    QStringList Carrier_loading_select{QStringLiteral("My Carrier"), QStringLiteral("Trade Missions")};
    int Carrier_loading_select_index = 0;
    // Picks a selector entry as the user would (the first entry with that text).
    void selectEntry(const QString& entry);
    // Appends a carrier id taken from the hub, selects it and rebuilds the list.
    void appendSelectorEntry(const QString& carrierId);
    // A further entry of the selector whose list another module computes
    // (commodity, tonnes); shown again whenever refreshSource names it.
    void addListSource(const QString& name, std::function<QList<QPair<QString, qint64>>()> rows);
    void refreshSource(const QString& name);
    QString selectedSource() const { return Carrier_loading_select.value(Carrier_loading_select_index); }

    // The common materials: two headings and the commodities construction sites ask for.
    TextTableModel materialy_nazwy{1};

    // --- What the cargo window's controls do ---
    // The window became visible: the list is shown afresh from its source.
    void FormShow();
    // "➕ Dodaj własny towar": asks for a name and a quantity.
    void addClick();
    // "❌ Usuń towar" on the given row of the loading list.
    void Usutowar1Click(int row);
    // "📋 Wyczyść listę".
    void Wyczylist1Click();
    // "💾 Save Changes".
    void btn_zaladunek_zapiszClick();
    // The selector's entry `index` was picked.
    void Carrier_loading_selectChange(int index);
    // "⬅️ Add to loading list" on the given row of the common materials.
    void Dodajdozaadunku1Click(int row);
    // "🔍 Find on markets (local files)" on a row of the loading list / of the common materials.
    void Findonmarketslocalfiles1Click(int row);
    void Findonmarketslocalfiles2Click(int row);

    // Undo: every change of the list made from the cargo window or sent from a
    // construction site can be taken back, the list shown and zaladunek.ini
    // together, newest first. A transfer or sale that changes the list ends
    // what can be undone, as going back past it would lose the delivery.
    bool canUndo() const { return !m_undo.isEmpty(); }
    void undoLastChange();

    QString zaladunekPath() const;

    QJsonObject dumpJson() const;

signals:
    void changed();
    // The loading list shown has new rows (what the phone mirrors).
    void loadingListChanged();
    // A sale of count units of type was read from journalLine while docked at a carrier.
    void soldAtCarrier(const QString& type, qint64 count, const QByteArray& journalLine);
    // A commodity is to be looked up in Last Shopping.
    void searchRequested(const QString& name);

private:
    void reduce(const QString& mat, const QString& matLocalised, qint64 ilosc, bool ownListWhenHidden);
    // A transfer or sale comes off the own list only while docked at the own carrier.
    void reduceAtOwnCarrier(const QString& mat, const QString& matLocalised, qint64 ilosc);
    void reportNotCounted();
    // Both say whether a quantity changed.
    bool reduceShownRows(const QString& mat, const QString& matLocalised, qint64 ilosc);
    bool reduceOwnFile(const QString& mat, const QString& matLocalised, qint64 ilosc);
    void rebuildFromSource(const QString& source);
    void showOwnList();
    void addQuantity(const QString& name, const QString& quantityText);
    void storeQuantity(const QString& name, qint64 quantity);
    void showOwnListForAdding();
    void reportRepeatedKeys(const QList<QPair<QString, QString>>& lines);
    void emptyList();
    void refreshTotal();
    void notifyMobile();
    void searchMarkets(const QString& name);
    // The accepted hub contracts, top-level orders in the order they were taken.
    // Empty until the hub client keeps them.
    QList<TAcceptedContract> przyjete_zlecenia() const;

    const GameState& m_state;
    QString m_dataDir;
    std::function<QString()> m_journalFolder;
    ReportSink& m_reports;
    UserInteraction& m_ui;
    const MissionCommodities& m_missionCommodities;
    std::function<QList<TAcceptedContract>()> m_acceptedContracts;
    struct ListSnapshot
    {
        QList<QStringList> rows;
        int sourceIndex = 0;
        std::optional<IniDocument> file;  // zaladunek.ini as it was; none when absent
    };
    static constexpr qsizetype kUndoDepth = 10;
    void rememberForUndo();
    QHash<QString, std::function<QList<QPair<QString, qint64>>()>> m_listSources;
    QList<ListSnapshot> m_undo;
    QString m_lastCargoFailure;            // the Cargo.json failure last reported; cleared by a good read
    QString m_lastRepeatReport;            // the repeated-key message last given for zaladunek.ini
    QSet<QString> m_notCountedReported;    // carriers whose uncounted sales were explained
    QHash<QString, QString> m_cargoNames;  // id -> Name_Localised of the last Cargo.json
};
