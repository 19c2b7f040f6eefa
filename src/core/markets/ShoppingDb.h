#pragma once

#include "markets/MarketTables.h"
#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>

class MarketStore;
class TextTableModel;

// The Last Shopping store (Markets/LastShopping.ini: one section per commodity,
// describing where it was bought last) and the commodity search of the Data
// Base window. The store has no copy in memory: every purchase opens, changes
// and closes the file, and every search reads it afresh. A search also looks
// through the markets seen (MarketStore): a commodity never bought there is
// answered with the newest market seen selling it.
class ShoppingDb : public QObject
{
    Q_OBJECT
public:
    // A search names the other commodities of the loading list and the
    // construction site's materials sold at the same station.
    ShoppingDb(const GameState& state, const QString& dataDir, const TextTableModel& loadingList,
               const TextTableModel& constructionList, const MarketStore& markets);

    QString storePath() const;

    // Records one MarketBuy journal line, with the system and station of the
    // shared game state at this moment. Throws TessivarError, writing nothing,
    // for a line that is not a JSON object or lacks one of its six fields.
    void add_last_shopping(const QByteArray& JSON);

    // The search field's text (its initial text is the field's own name).
    QString edit_find = QStringLiteral("edit_find");
    // Looks edit_find up in the store, fills Wynik_wyszukiwania and shows it.
    void szukaj_towaru();
    // Sets the result label texts from Wynik_wyszukiwania and tells the phone.
    void wyswietl_wyniki();

    // What every search entry point does: search the name and ask for the
    // Data Base window to be shown. Callers whose cell is empty do not call it.
    void findCommodity(const QString& name);
    // A search asked for from the phone, while the game has the screen: the
    // result waits in the Data Base window until the person opens it.
    void updateSearch(const QString& name);
    // The Data Base window has been hidden, by whatever means.
    void windowHidden();

    // The last search result; starts empty.
    TMarketBuyData Wynik_wyszukiwania;
    // Whether a search has run yet, and whether the last one found its commodity.
    bool searched() const { return m_searched; }
    bool resultFound() const { return m_found; }
    // Not bought before, but a market seen sells it: the result is the newest such market.
    bool resultFromSeenMarket() const { return m_fromSeenMarket; }

    // The markets seen selling the searched commodity (system, station, type,
    // price, stock, seen), newest first.
    SortableTableModel offers;
    // Every market seen (system, station, type, commodities sold, seen), newest first.
    SortableTableModel seenMarkets;
    // The store of markets changed: both tables again (the search result stays).
    void marketsChanged();
    // The stored names of the found commodity's market that the loading list
    // and the construction list also hold (what "Also_needed" spells out).
    const QStringList& alsoOnLoadingList() const { return m_alsoOnLoadingList; }
    const QStringList& alsoOnConstruction() const { return m_alsoOnConstruction; }

    // Result label texts; until the first search each shows its own name.
    QString label_ww_system = QStringLiteral("label_ww_system");
    QString label_ww_station = QStringLiteral("label_ww_station");
    QString label_ww_station_type = QStringLiteral("label_ww_station_type");
    QString label_ww_distance = QStringLiteral("label_ww_distance");
    QString label_ww_marketid = QStringLiteral("label_ww_marketid");
    QString label_ww_price = QStringLiteral("label_ww_price");
    QString label_ww_also_needed = QStringLiteral("label_ww_also_needed");

    // The section name a typed commodity name is looked up by: ASCII capitals
    // lowered, spaces removed, nothing else changed.
    static QString searchKey(const QString& typed);
    // Letter of the largest landing pad ("L", "M", "S" or empty).
    static QString padLetter(const TLandingPads& pads);
    // A distance rounded to whole light seconds, halves to the even neighbour.
    static QString roundedText(double value);

    QJsonObject dumpJson() const;

signals:
    void changed();
    // A search has a result to show (Wynik_wyszukiwania).
    void searchFinished();
    // The search window is to be closed.
    void searchClosed();
    // Someone searched from outside the window and wants to see the result.
    void showRequested();

private:
    const GameState& m_state;
    QString m_dataDir;
    const TextTableModel& m_loadingList;
    const TextTableModel& m_constructionList;
    const MarketStore& m_markets;
    QString m_offersFor;  // the commodity the offers table was filled for
    bool m_fromSeenMarket = false;
    bool m_searched = false;
    QStringList m_alsoOnLoadingList;
    QStringList m_alsoOnConstruction;
    bool m_found = false;
};
