#include "web/WebPageFeed.h"

#include "common/TextTableModel.h"
#include "mobile/MobileMessages.h"
#include "state/DockRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

bool isBlank(const QStringList& cells)
{
    for (const QString& c : cells)
        if (!c.trimmed().isEmpty())
            return false;
    return true;
}

// The rows below the header, three cells each; blank rows are left out.
QJsonArray rowsOf(const TextTableModel& grid)
{
    QJsonArray rows;
    for (int r = 1; r < grid.rowCount(); ++r) {
        const QStringList cells = grid.row(r);
        if (!isBlank(cells))
            rows.append(QJsonArray{cells.value(0), cells.value(1), cells.value(2)});
    }
    return rows;
}

// The loading list's rows as the page's table has them: commodity, amount, trips; TOTAL included.
QJsonArray rowsOf(const LoadingListRows& list)
{
    QJsonArray rows;
    for (const LoadingEntry& e : list.rows)
        rows.append(QJsonArray{e.name, e.quantity, e.trips});
    return rows;
}

}  // namespace

WebPageFeed::WebPageFeed(Sources sources, QObject* parent) : QObject(parent), m_sources(sources)
{
    m_rebuild.setSingleShot(true);
    m_rebuild.setInterval(0);
    connect(&m_rebuild, &QTimer::timeout, this, &WebPageFeed::rebuild);
    m_snapshot = build();
}

void WebPageFeed::watch(const TextTableModel& model)
{
    connect(&model, &QAbstractItemModel::dataChanged, this, &WebPageFeed::sourceChanged);
    connect(&model, &QAbstractItemModel::rowsInserted, this, &WebPageFeed::sourceChanged);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, &WebPageFeed::sourceChanged);
    connect(&model, &QAbstractItemModel::modelReset, this, &WebPageFeed::sourceChanged);
}

void WebPageFeed::sourceChanged()
{
    if (!m_rebuild.isActive())
        m_rebuild.start();
}

void WebPageFeed::rebuild()
{
    QByteArray json = build();
    if (json == m_snapshot)
        return;
    m_snapshot = std::move(json);
    emit snapshotChanged(m_snapshot);
}

QByteArray WebPageFeed::build() const
{
    const GameState& st = m_sources.state;
    QJsonObject o;
    // The dock record the main window and the phone read too.
    o.insert(QStringLiteral("dock"), QJsonObject{{"system", dockInfo(st).StarSystem},
                                                 {"station", st.dane_dokowania.StationName},
                                                 {"type", st.dane_dokowania.StationType},
                                                 {"marketid", QString::number(st.dane_dokowania.MarketID)}});
    o.insert(QStringLiteral("construction"),
             QJsonObject{{"rows", rowsOf(m_sources.construction)}, {"progress", m_sources.progress}});
    o.insert(QStringLiteral("loading"), QJsonObject{{"rows", rowsOf(m_sources.loading())}});
    if (m_sources.colony)
        o.insert(QStringLiteral("colony"), m_sources.colony());
    const TMarketBuyData& w = m_sources.searchResult;
    if (!w.ItemType.isEmpty()) {
        o.insert(QStringLiteral("search"), QJsonObject{{"commodity", w.ItemType},
                                                       {"system", w.System_Name},
                                                       {"station", w.Station_Name},
                                                       {"type", w.Station_Type},
                                                       {"distance", mobileDistanceText(w.Station_Distance)},
                                                       {"marketid", QString::number(w.MarketID)},
                                                       {"price", w.BuyPrice},
                                                       {"count", w.Count},
                                                       {"also", w.Also_needed}});
    }
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}
