#pragma once

#include "cargo/CargoReconciler.h"
#include "cargo/HoldReader.h"
#include "cargo/LoadingListFile.h"
#include "cargo/LoadingRows.h"
#include "commodities/CommodityTally.h"
#include "common/TextTableModel.h"
#include "hub/Orders.h"
#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

class ReportSink;
class UserInteraction;

// A source the loading list can show besides the commander's own list and the
// hub contracts taken: its name in the selector and the rows it gives now.
struct LoadingSource
{
    QString name;
    std::function<QList<QPair<QString, qint64>>()> rows;
};

// The carrier loading list, with the ship's hold it is filled from, the
// reconciliation of transfers and sales with it, and the pick list of common
// materials.
//
// The list shows one source at a time (the selector). The commander's own list
// is kept in zaladunek.ini; while another source is shown, that file is the own
// list, so what is moved to the own carrier still reduces it, while clearing,
// removing and saving act on the shown rows only.
//
// Operations throw TessivarError with a message for the person; whatever calls
// them from a signal catches at its own edge.
class CargoModule : public QObject
{
    Q_OBJECT
public:
    using MissionCommodities = CommodityTally;
    // journalFolder: where the game writes Cargo.json; missionCommodities: the
    // trade missions' totals (the "Trade Missions" source); acceptedContracts:
    // the hub contracts taken (one entry per carrier id).
    CargoModule(const GameState& state, const QString& dataDir, std::function<QString()> journalFolder,
                ReportSink& reports, UserInteraction& ui, const MissionCommodities& missionCommodities,
                std::function<QList<Order>()> acceptedContracts);

    // Loads the commander's own list; run once every module of the core exists,
    // so that transfers are applied from the first pass on, window or not.
    void start();

    HoldReader& hold() { return m_hold; }
    const HoldReader& hold() const { return m_hold; }
    CargoReconciler& reconciler() { return m_reconciler; }

    // --- The list ---
    // Row 0 holds "TOWAR", "ILOSC" (what the phone and the replay dump mirror;
    // windows show their own headers), then name, quantity, trips per
    // commodity, the computed TOTAL row last.
    TextTableModel loadingList{3};
    // The commodity rows: neither row 0, the TOTAL row nor a blank row.
    QList<LoadingEntry> entries() const;
    // What the phone and the browser page mirror: the commodities and TOTAL.
    LoadingListRows mirroredRows() const;
    // A quantity as full holds of the current ship and the tonnes left ("3-232"), or "0".
    QString tripsText(qint64 quantity) const;
    // The trips of every row from the current ship's hold.
    void refreshTrips();
    void removeTotal();
    void appendTotal();
    // Deletes a row, moving the rows below it up; a table keeps at least one row.
    static void deleteRow(TextTableModel& table, int row);

    // Reads zaladunek.ini into the list (nothing when the file is absent).
    void loadOwnList();
    // Lines "name:quantity" offered by a construction site; addToCurrent keeps
    // what the list holds, otherwise the list starts empty.
    void addLines(bool addToCurrent, const QStringList& lines);
    // Delivered cargo comes off the shown own list (and zaladunek.ini); another
    // source shown is rebuilt.
    void reduceShownList(const QString& type, qint64 count);
    // Delivered to the own carrier: off the own list, shown or not.
    void reduceOwnList(const QString& type, const QString& localised, qint64 count);

    // --- Sources ---
    // Shows the selected source afresh: the own list from its file, another
    // source from what it gives now.
    void rebuildFromSource();
    // A source's rows may have changed: another source shown is rebuilt; the
    // own list (which may hold edits not yet saved) gets its TOTAL again.
    void refreshFromSources();
    // Adds a source to the selector (after the built-in ones, before the carriers).
    void addSource(LoadingSource source);
    // The selector's entries: "My Carrier", the sources, the contract carriers' ids.
    QStringList selectorEntries() const;
    int selectedIndex() const { return m_selected; }
    QString selectedSource() const { return selectorEntries().value(m_selected); }
    bool ownListShown() const { return m_selected == 0; }
    // The selector's entry as a person reads it: a taken contract's heading
    // (its carrier and commander) with the carrier id, other entries as they are.
    QString selectorEntryText(int index) const;
    // The entry `index` was picked.
    void selectSource(int index);
    // Picks a selector entry as the user would (the first entry with that text).
    void selectEntry(const QString& entry);
    // Appends a carrier id taken from the hub, selects it and rebuilds the list.
    void appendSelectorEntry(const QString& carrierId);
    // Fills the list from the accepted contracts whose lines contain SzukanyMarketID.
    void ZnajdzZlecenie(const QList<Order>& accepted, quint64 carrierId);
    // Shows a source's rows again when it is the one shown (its module says its rows changed).
    void refreshSource(const QString& name);

    // The common materials: two headings and the commodities construction sites ask for.
    TextTableModel commonMaterials{1};

    // --- What the cargo window's controls do ---
    // The window became visible: the list is shown afresh from its source.
    void windowShown();
    // "Add your own commodity": asks for a name and a quantity.
    void askAndAddCommodity();
    // "Remove commodity" on the given row of the loading list.
    void removeRow(int row);
    // "Clear the list".
    void clearList();
    // "Save Changes": the shown rows into zaladunek.ini (the own list only).
    void saveEdits();
    // "Add to loading list" on the given row of the common materials.
    void addCommonMaterial(int row);
    // "Find on markets" on a row of the loading list / of the common materials.
    void searchLoadingRow(int row);
    void searchCommonMaterial(int row);

    // Undo: every change of the list made from the cargo window or sent from a
    // construction site can be taken back, the list shown and zaladunek.ini
    // together, newest first. A transfer or sale that changes the list ends
    // what can be undone, as going back past it would lose the delivery.
    bool canUndo() const { return !m_undo.isEmpty(); }
    void undoLastChange();

    QString loadingFilePath() const { return m_file.path(); }

    QJsonObject dumpJson() const;

signals:
    // The shown rows were replaced or changed (what the phone mirrors).
    void rowsChanged();
    // The selector's entries or the selected one changed.
    void selectionChanged();
    // Whether a change can be undone may have changed.
    void undoChanged();
    // A commodity is to be looked up in Last Shopping.
    void searchRequested(const QString& name);

private:
    bool reduceShownRows(const QString& type, const QString& localised, qint64 count);
    void showOwnList();
    void addQuantity(const QString& name, const QString& quantityText);
    void storeQuantity(const QString& name, qint64 quantity);
    void showOwnListForAdding();
    void emptyList();
    void refreshTotal();
    void searchMarkets(const QString& name);
    bool isContractCarrier(int index) const;
    // The accepted hub contracts, top-level orders in the order they were taken.
    QList<Order> acceptedContracts() const;

    const GameState& m_state;
    ReportSink& m_reports;
    UserInteraction& m_ui;
    std::function<QList<Order>()> m_acceptedContracts;
    LoadingListFile m_file;
    HoldReader m_hold;
    CargoReconciler m_reconciler;
    QList<LoadingSource> m_sources;  // after "My Carrier" in the selector
    QStringList m_contractCarriers;  // after the sources in the selector
    int m_selected = 0;              // into selectorEntries()
    struct ListSnapshot
    {
        QList<QStringList> rows;
        int sourceIndex = 0;
        LoadingListFile::Snapshot file;
    };
    static constexpr qsizetype kUndoDepth = 10;
    void rememberForUndo();
    QList<ListSnapshot> m_undo;
    QString m_lastRepeatReport;  // the repeated-key message last given for zaladunek.ini
};
