#include "colony/ColonyCockpit.h"

#include "colony/CarrierLedger.h"
#include "colony/CsvExport.h"
#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "common/NumberFormat.h"
#include "common/ReportSink.h"
#include "common/TextTableModel.h"
#include "construction/ConstructionModule.h"
#include "markets/MarketSnapshot.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QSaveFile>

ColonyCockpit::ColonyCockpit(const GameState& state, const QString& dataDir, const CarrierLedger& ledger,
                             const TextTableModel& hold, ReportSink& reports)
    : m_state(state), m_ledger(ledger), m_hold(hold), m_reports(reports), m_sites(dataDir)
{}

void ColonyCockpit::refresh()
{
    try {
        m_sites.refresh();
    } catch (const std::exception& e) {
        m_reports.report(errorText(e));
    }
    recompute(std::exchange(m_refreshed, true));
}

void ColonyCockpit::historyRead()
{
    if (!m_refreshed)
        refresh();
}

void ColonyCockpit::siteWritten(const SiteRecord& site)
{
    if (!m_refreshed)
        return;  // the first look reads the file
    m_sites.update(site);
    recompute(true);
}

void ColonyCockpit::ledgerChanged()
{
    if (m_refreshed)
        recompute(true);
}

void ColonyCockpit::holdRead()
{
    if (m_refreshed && holdByCommodity() != m_holdSeen)
        recompute(true);
}

void ColonyCockpit::shipChanged()
{
    if (m_refreshed && m_state.DaneStatku.CargoCapacity != m_capacitySeen)
        recompute(true);
}

QMap<QString, qint64> ColonyCockpit::holdByCommodity() const
{
    QMap<QString, qint64> hold;
    for (int r = 1; r < m_hold.rowCount(); ++r) {
        const QString key = CommodityNames::key(m_hold.cell(r, 0));
        if (!key.isEmpty())
            hold[key] += m_hold.cell(r, 1).toLongLong();
    }
    return hold;
}

void ColonyCockpit::recompute(bool notifyChanges)
{
    StillToBuyInput in;
    in.sites = m_sites.sites();
    in.onCarrier = [this](const QString& key) { return m_ledger.onBoard(key); };
    in.hold = m_holdSeen = holdByCommodity();
    in.capacity = m_capacitySeen = m_state.DaneStatku.CargoCapacity;
    in.freeSpace = m_ledger.freeSpace();
    QList<StillToBuyLine> was = std::exchange(m_still, computeStillToBuy(in));

    // What changed since the last look is worth a word, not the first look.
    if (notifyChanges) {
        for (const SiteEntry& s : m_sites.sites())
            if (s.state == QLatin1String("complete") &&
                m_stateSeen.value(s.marketId) == QLatin1String("open"))
                emit notify(tr("Construction site complete"),
                            tr("%1 (%2) is complete.").arg(s.name, s.system));
        QHash<QString, qint64> wasToBuy;
        for (const StillToBuyLine& l : std::as_const(was))
            wasToBuy.insert(l.key, l.toBuy);
        for (const StillToBuyLine& l : std::as_const(m_still))
            if (l.toBuy == 0 && wasToBuy.value(l.key, 0) > 0)
                emit notify(tr("Nothing more to buy"), tr("%1: nothing more to buy.").arg(l.name));
    }
    m_stateSeen.clear();
    for (const SiteEntry& s : m_sites.sites())
        m_stateSeen.insert(s.marketId, s.state);
    emit changed();
}

void ColonyCockpit::parse_depot(const QByteArray& line)
{
    if (m_sites.parse_depot(line) && m_refreshed)
        recompute(true);
}

void ColonyCockpit::marketSeen(const MarketSnapshot& market)
{
    const TDaneDokowania& dock = m_state.dane_dokowania;
    // A file left from another station says nothing of where the ship is.
    if (market.marketId == 0 || market.marketId != dock.MarketID) {
        m_buyHere.clear();
        return;
    }
    qint64 used = 0;
    for (int r = 1; r < m_hold.rowCount(); ++r)
        used += m_hold.cell(r, 1).toLongLong();
    const qint64 freeHold = m_state.DaneStatku.CargoCapacity - used;
    m_buyHere = buyHere(market, m_still, freeHold);
    m_buyHereStation = market.station;
    // A docking is told apart by its market and the time of its Docked event.
    const QString docking = QString::number(dock.MarketID) + QLatin1Char(' ') + dock.Timestamp;
    if (docking != m_toldDocking) {
        m_toldDocking = docking;
        m_toldCommodities.clear();
    }
    bool news = false;
    for (const BuyHereLine& l : std::as_const(m_buyHere))
        if (!m_toldCommodities.contains(l.name)) {
            m_toldCommodities.insert(l.name);
            news = true;
        }
    if (news) {
        QStringList parts;
        for (const BuyHereLine& l : std::as_const(m_buyHere))
            parts.append(tr("%1 %2 t (%3 Cr, stock %4)").arg(l.name).arg(l.amount).arg(l.price).arg(l.stock));
        const QString text = tr("Buy here for your sites: %1").arg(parts.join(QStringLiteral(", ")));
        m_reports.notice(text);
        emit notify(tr("Buy here: %1").arg(m_buyHereStation), text);
    }
    emit changed();
}

void ColonyCockpit::setCounted(const QString& marketId, bool counted)
{
    m_sites.setCounted(marketId, counted);
    recompute(m_refreshed);
}

void ColonyCockpit::forget(const QString& marketId)
{
    m_sites.forget(marketId);
    recompute(m_refreshed);
}

QList<QStringList> ColonyCockpit::stillToBuyRows() const
{
    QList<QStringList> rows{{QStringLiteral("Commodity"), QStringLiteral("Needed"),
                             QStringLiteral("On carrier"), QStringLiteral("In hold"),
                             QStringLiteral("To buy"), QStringLiteral("Trips"),
                             QStringLiteral("Fits carrier")}};
    for (const StillToBuyLine& l : m_still)
        rows.append({l.name, QString::number(l.needed), QString::number(l.onCarrier),
                     QString::number(l.inHold), QString::number(l.toBuy), l.trips, fitsText(l.fits)});
    return rows;
}

QList<QStringList> ColonyCockpit::ledgerRows() const
{
    QList<QStringList> rows{{QStringLiteral("Carrier"), QStringLiteral("Commodity"), QStringLiteral("Tonnes"),
                             QStringLiteral("Anchored")}};
    for (const CarrierBook& b : m_ledger.carriers())
        for (const LedgerStock& s : b.stock)
            rows.append({b.name.isEmpty() ? QString::number(b.id) : b.name, s.name, QString::number(s.tonnes),
                         b.anchorTime});
    return rows;
}

QList<QStringList> ColonyCockpit::siteNeedRows() const
{
    QList<QStringList> rows{{QStringLiteral("Site"), QStringLiteral("System"), QStringLiteral("Market ID"),
                             QStringLiteral("Commodity"), QStringLiteral("Remaining"),
                             QStringLiteral("State")}};
    for (const SiteEntry& s : m_sites.sites())
        for (const SiteNeed& n : s.needs)
            rows.append({s.name, s.system, s.marketId, n.name, QString::number(n.tonnes), s.state});
    return rows;
}

QList<QStringList> ColonyCockpit::exportRows() const
{
    QList<QStringList> rows = stillToBuyRows();
    rows.append(QStringList());
    rows += ledgerRows();
    rows.append(QStringList());
    rows += siteNeedRows();
    return rows;
}

void ColonyCockpit::saveCsv(const QString& path) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(toCsv(exportRows()).toUtf8()) < 0 || !f.commit())
        throw TessivarError(tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), f.errorString()));
}

QStringList ColonyCockpit::ledgerSummary() const
{
    QStringList lines;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // Tonnes grouped as the person's language groups them.
    const auto t = [](qint64 n) { return FormatNumberWithCommas(n, QLocale()); };
    for (const CarrierBook& b : m_ledger.carriers()) {
        const QString name = b.name.isEmpty() ? QString::number(b.id) : b.name;
        QString line = (b.kind == QLatin1String("squadron") ? tr("Squadron carrier %1: %2 t in the ledger")
                                                            : tr("Carrier %1: %2 t in the ledger"))
                           .arg(name)
                           .arg(t(b.total()));
        if (b.freeSpace >= 0)
            line += tr(", %1 t free").arg(t(b.freeSpace));
        if (b.hubTonnes > 0)
            line += tr(", %1 t of it reported by the hub").arg(t(b.hubTonnes));
        if (b.inDoubt()) {
            const QDateTime anchored = QDateTime::fromString(b.anchorTime, Qt::ISODate);
            line += anchored.isValid()
                        ? tr(" - the game counts %1 t; last anchored on the carrier's market %2")
                              .arg(t(b.cargo))
                              .arg(tr("%1 h ago").arg(anchored.secsTo(now) / 3600))
                        : tr(" - the game counts %1 t; open the carrier's market to anchor the ledger")
                              .arg(t(b.cargo));
        }
        lines.append(line);
    }
    return lines;
}

QJsonObject ColonyCockpit::pageJson() const
{
    QJsonArray still;
    qint64 total = 0;
    for (const StillToBuyLine& l : m_still) {
        if (l.toBuy <= 0)
            continue;
        still.append(QJsonArray{l.name, QString::number(l.toBuy), l.trips});
        total += l.toBuy;
    }
    if (!still.isEmpty())
        still.append(QJsonArray{QStringLiteral("TOTAL"), QString::number(total),
                                constructionTrips(total, m_state.DaneStatku.CargoCapacity)});
    QJsonArray buy;
    for (const BuyHereLine& l : m_buyHere)
        buy.append(QJsonArray{l.name, QString::number(l.amount), QString::number(l.price),
                              QString::number(l.stock)});
    qsizetype counted = 0;
    for (const SiteEntry& s : m_sites.sites())
        counted += s.counts() ? 1 : 0;
    return QJsonObject{{"still", still},
                       {"sites", counted},
                       {"ledger", QJsonArray::fromStringList(ledgerSummary())},
                       {"buy_station", m_buyHereStation},
                       {"buy", buy}};
}

QJsonObject ColonyCockpit::dumpJson() const
{
    QJsonObject o = m_sites.dumpJson();
    o.insert(QStringLiteral("still_to_buy"), stillToBuyJson(m_still));
    o.insert(QStringLiteral("buy_here"), buyHereJson(m_buyHere));
    return o;
}
