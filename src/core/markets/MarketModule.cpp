#include "markets/MarketModule.h"

#include "commodities/CommodityNames.h"
#include "common/Error.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

namespace {

QStringList headingRow()
{
    return {MarketModule::tr("COMMODITY"), MarketModule::tr("PRICE"), MarketModule::tr("DEMAND"),
            MarketModule::tr("STOCK"), QString()};
}

}  // namespace

MarketModule::MarketModule(const GameState& state) : m_state(state)
{
    sg_Market.appendRow(headingRow());
}

void MarketModule::FormShow()
{
    if (sg_Market.rowCount() == 0)
        sg_Market.appendRow(headingRow());
    else
        sg_Market.setRow(0, headingRow());
}

void MarketModule::przeszukaj_market(const QString& JournalFolder)
{
    // The rows are put into the grid at once (one reset for the view); on a
    // fault the rows read so far are put there all the same.
    QList<QStringList> rows{sg_Market.rowCount() > 0 ? sg_Market.row(0) : headingRow()};
    QStringList internalNames{QString()};
    MarketSnapshot snapshot;
    auto show = [&] {
        for (const MarketItem& item : std::as_const(snapshot.items)) {
            rows.append({item.localised, item.buyPrice >= 0 ? QString::number(item.buyPrice) : QString(),
                         QString::number(item.demand), QString::number(item.stock), QString()});
            internalNames.append(item.name);
        }
        sg_Market.setAll(rows);
        m_internalNames = internalNames;
        emit changed();
    };
    // Without a journal folder the name alone would be read from the working directory.
    const QString path =
        JournalFolder.isEmpty() ? QString() : QDir(JournalFolder).filePath(QStringLiteral("Market.json"));
    // The game writes the file at its first market screen: until then
    // there is simply no market to show, which is not a fault.
    if (!path.isEmpty() && !QFileInfo::exists(path)) {
        show();
        return;
    }
    std::exception_ptr failure;
    try {
        if (path.isEmpty())
            throw TessivarError(MarketModule::tr("Market.json: the game's journal folder is not known"));
        MarketFile::read(path, snapshot);
    } catch (...) {
        failure = std::current_exception();
    }
    // The rows read so far are shown all the same, announced outside the read.
    if (failure) {
        show();
        std::rethrow_exception(failure);
    }

    // The caption names the station docked at, not the market id inside the file.
    const TDaneSystemu& sys = m_state.dane_systemu;
    label_market_info = QStringLiteral("🪐 ") + sys.StarSystem + QStringLiteral("\r\n🛰️ ") +
                        m_state.dane_dokowania.StationName + QStringLiteral("\r\n🆔 ") +
                        QString::number(sys.MarketID);
    show();
    emit snapshotRead(snapshot);
    KVN_aktualizuj_zlecenia(sys.MarketID);
}

bool MarketModule::rowIsCommodity(int row, const QString& name) const
{
    const QString shown = sg_Market.cell(row, 0);
    return shown.compare(name, Qt::CaseInsensitive) == 0 || CommodityNames::same(shown, name) ||
           CommodityNames::same(m_internalNames.value(row), name);
}

void MarketModule::KVN_aktualizuj_zlecenia(quint64 MarketID)
{
    // The hub client keeps the orders and the requests; it reads sg_Market.
    emit marketRead(MarketID);
}

QJsonObject MarketModule::dumpJson() const
{
    return QJsonObject{{"sg_Market", sg_Market.toJson()}, {"label_market_info", label_market_info}};
}
