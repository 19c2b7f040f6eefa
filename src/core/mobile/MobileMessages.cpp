#include "mobile/MobileMessages.h"

#include "common/TextTableModel.h"
#include "state/DockRecord.h"

#include <algorithm>
#include <cmath>

namespace {

QString progressLine(const MobileSources& src)
{
    return QStringLiteral("progress:") + QString::number(src.progress);
}

void appendDockInfo(const MobileSources& src, QStringList& out)
{
    const GameState& st = src.state;
    out << QStringLiteral("system:") + dockInfo(st).StarSystem
        << QStringLiteral("stacja:") + st.dane_dokowania.StationName
        << QStringLiteral("typ:") + st.dane_dokowania.StationType
        << QStringLiteral("marketid:") + QString::number(st.dane_dokowania.MarketID) << progressLine(src);
}

// name ":" amount " (" trips ")", the row shape of both lists.
QString rowText(const QString& name, const QString& amount, const QString& trips)
{
    return name + QLatin1Char(':') + amount + QStringLiteral(" (") + trips + QLatin1Char(')');
}

QString rowText(const QStringList& cells)
{
    return rowText(cells.value(0), cells.value(1), cells.value(2));
}

bool isBlank(const QStringList& cells)
{
    for (const QString& c : cells)
        if (!c.trimmed().isEmpty())
            return false;
    return true;
}

// Whether a list has anything to show below its header: a row that is neither
// blank nor the computed TOTAL row.
bool hasEntries(const TextTableModel& grid)
{
    for (int r = 1; r < grid.rowCount(); ++r)
        if (!isBlank(grid.row(r)) && grid.cell(r, 0) != QLatin1String("TOTAL"))
            return true;
    return false;
}

// A list's own message goes whenever the list has rows below its header (an
// emptied list still clears the phone's copy); the "all" sent on switching
// on carries only lists with entries. Blank rows are never sent.
bool listGoes(const TextTableModel& grid, bool all)
{
    return all ? hasEntries(grid) : grid.rowCount() > 1;
}

void appendConstruction(const MobileSources& src, QStringList& out, bool all)
{
    const TextTableModel& grid = src.construction;
    if (!listGoes(grid, all))
        return;
    out << QStringLiteral("clear:clear");
    for (int r = 1; r < grid.rowCount(); ++r)
        if (!isBlank(grid.row(r)))
            out << rowText(grid.row(r));
    out << progressLine(src);
}

void appendLoadingList(const MobileSources& src, QStringList& out, bool all)
{
    const LoadingListRows list = src.loadingList();
    const bool entries =
        std::any_of(list.rows.cbegin(), list.rows.cend(), [](const LoadingEntry& e) { return !e.total; });
    // The same rule as the site's list, on the typed rows.
    if (all ? !entries : !list.anyRow)
        return;
    // TOTAL goes too, in its place: the phone shows the rows as they come.
    out << QStringLiteral("Z:clear:clear");
    for (const LoadingEntry& e : list.rows)
        out << QStringLiteral("Z:") + rowText(e.name, e.quantity, e.trips);
}

void appendSearchResult(const MobileSources& src, QStringList& out)
{
    const TMarketBuyData& w = src.searchResult;
    out << QStringLiteral("F:clear:clear") << QStringLiteral("F:Commidity:") + w.ItemType
        << QStringLiteral("F:System:") + w.System_Name << QStringLiteral("F:Station:") + w.Station_Name
        << QStringLiteral("F:Type:") + w.Station_Type
        << QStringLiteral("F:Distance:") + mobileDistanceText(w.Station_Distance) + QStringLiteral("Ls")
        << QStringLiteral("F:MarketID:") + QString::number(w.MarketID)
        << QStringLiteral("F:Price:") + QString::number(w.BuyPrice)
        << QStringLiteral("F:Also_needed:") + w.Also_needed;
}

}  // namespace

QStringList mobileMessageLines(const MobileSources& src, const QString& typ)
{
    const bool all = typ == QLatin1String("all");
    QStringList out;
    if (all || typ == QLatin1String("info_dock"))
        appendDockInfo(src, out);
    if (all || typ == QLatin1String("budowa"))
        appendConstruction(src, out, all);
    if (all || typ == QLatin1String("zaladunek"))
        appendLoadingList(src, out, all);
    if (typ == QLatin1String("find_result"))
        appendSearchResult(src, out);
    if (typ == QLatin1String("close_db"))
        out << QStringLiteral("CMD_close_db");
    return out;
}

QByteArray toMobileWire(const QString& line)
{
    QByteArray out;
    out.reserve(line.size() + 2);
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        if (u == u'\r' || u == u'\n')
            out.append(' ');
        else if (u < 0x80)
            out.append(static_cast<char>(u));
        else
            out.append('?');
    }
    out.append("\r\n");
    return out;
}

QString fromMobileRequest(QByteArrayView line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    QString out;
    out.reserve(line.size());
    for (const char b : line) {
        const auto u = static_cast<unsigned char>(b);
        out.append(u < 0x80 ? QChar(char16_t(u)) : QChar(QChar::ReplacementCharacter));
    }
    return out;
}

QString mobileDistanceText(double lightSeconds)
{
    // nearbyint follows the default rounding mode, to nearest with ties to even.
    const double r = std::nearbyint(lightSeconds);
    if (!std::isfinite(r))
        return QString::number(lightSeconds);
    return QString::number(r == 0 ? 0.0 : r, 'f', 0);
}
