#pragma once

#include "cargo/LoadingRows.h"
#include "state/Records.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>

class TextTableModel;

// What the phone is shown, read live when a message is built.
struct MobileSources
{
    const GameState& state;
    const TextTableModel& construction;            // the construction site's materials
    const int& progress;                           // the site's progress bar, 0 to 100
    std::function<LoadingListRows()> loadingList;  // the carrier loading list's rows, TOTAL last
    const TMarketBuyData& searchResult;            // the last Last Shopping search
};

// The lines the phone is sent for one message kind ("info_dock", "budowa",
// "zaladunek", "find_result", "close_db", "all"), read from the live state.
// An unknown kind, or a list with nothing below its first row, gives no lines.
QStringList mobileMessageLines(const MobileSources& src, const QString& typ);

// One line as it travels to the phone: 7-bit ASCII with '?' for every UTF-16
// unit outside it, ended by CR LF. A line break inside a value would split the
// line on the phone's side, so CR and LF inside the text travel as blanks.
QByteArray toMobileWire(const QString& line);

// A request line from the phone (without its LF): a CR at its end is dropped
// and every byte above 127 becomes U+FFFD, so only ASCII arrives intact.
QString fromMobileRequest(QByteArrayView line);

// Whole light seconds, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
QString mobileDistanceText(double lightSeconds);
