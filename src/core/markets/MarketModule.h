#pragma once

#include "common/TextTableModel.h"
#include "markets/MarketSnapshot.h"
#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>

// The market snapshot: the station's Market.json as the market grid, read on
// every Market and MarketBuy event, whether the window is shown or not.
class MarketModule : public QObject
{
    Q_OBJECT
public:
    explicit MarketModule(const GameState& state);

    // Row 0 is the heading row; each further row one commodity with demand or
    // stock: name, buy price, demand, stock (the fifth column stays empty).
    TextTableModel sg_Market{5};
    // Three lines (CR LF between them): system, station, market id of the dock.
    QString label_market_info;
    // Used by the hub's verification pass.
    bool Need_veryfi = false;

    // Writes the heading row.
    void FormShow();
    // Reads Market.json from the journal folder into sg_Market, sets the
    // caption, announces the snapshot and runs the hub's verification pass.
    // Throws TessivarError for a broken file; the grid then keeps its heading
    // and the rows read before the fault, and the rest is skipped.
    void przeszukaj_market(const QString& JournalFolder);
    // The hub's verification pass for the market just read.
    void KVN_aktualizuj_zlecenia(quint64 MarketID);
    // Whether a grid row (1 and on) is the commodity an order names, under
    // any of its spellings (the grid's name or the file's internal one).
    bool rowIsCommodity(int row, const QString& name) const;

    QJsonObject dumpJson() const;

signals:
    void changed();
    // A whole Market.json was read: every reader of markets takes it from here.
    void snapshotRead(const MarketSnapshot& snapshot);
    // The market of MarketID was read: the hub's orders for it can be checked.
    void marketRead(quint64 MarketID);

private:
    const GameState& m_state;
    QStringList m_internalNames;  // Market.json's "Name" of each grid row (row 0 empty)
};
