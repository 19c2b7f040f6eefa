#include "colony/ColonyCockpit.h"

#include "colony/CarrierLedger.h"
#include "colony/CsvExport.h"
#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "common/ReportSink.h"
#include "common/TextTableModel.h"
#include "markets/MarketModule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

ColonyCockpit::ColonyCockpit(const GameState& state, const QString& dataDir, const CarrierLedger& ledger,
                             const TextTableModel& hold, ReportSink& reports)
    : m_state(state), m_ledger(ledger), m_hold(hold), m_reports(reports), m_sites(dataDir)
{}

void ColonyCockpit::refresh()
{
    QHash<QString, QString> wasState;
    for (const SiteEntry& s : m_sites.sites())
        wasState.insert(s.marketId, s.state);
    QHash<QString, qint64> wasToBuy;
    for (const StillToBuyLine& l : std::as_const(m_still))
        wasToBuy.insert(l.key, l.toBuy);
    try {
        m_sites.refresh();
    } catch (const std::exception& e) {
        m_reports.report(errorText(e));
    }
    StillToBuyInput in;
    in.sites = m_sites.sites();
    in.onCarrier = [this](const QString& key) { return m_ledger.onBoard(key); };
    for (int r = 1; r < m_hold.rowCount(); ++r) {
        const QString key = CommodityNames::key(m_hold.cell(r, 0));
        if (!key.isEmpty())
            in.hold[key] += m_hold.cell(r, 1).toLongLong();
    }
    in.capacity = m_state.DaneStatku.CargoCapacity;
    in.freeSpace = m_ledger.freeSpace();
    m_still = computeStillToBuy(in);

    // What changed since the last look is worth a word, not the first look.
    if (std::exchange(m_refreshed, true)) {
        for (const SiteEntry& s : m_sites.sites())
            if (s.state == QLatin1String("complete") && wasState.value(s.marketId) == QLatin1String("open"))
                emit notify(tr("Construction site complete"),
                            tr("%1 (%2) is complete.").arg(s.name, s.system));
        for (const StillToBuyLine& l : std::as_const(m_still))
            if (l.toBuy == 0 && wasToBuy.value(l.key, 0) > 0)
                emit notify(tr("Nothing more to buy"), tr("%1: nothing more to buy.").arg(l.name));
    }
    emit changed();
}

void ColonyCockpit::parse_depot(const QByteArray& line)
{
    m_sites.parse_depot(line);
}

void ColonyCockpit::readMarketFile(const QString& journalFolder)
{
    const QString path = journalFolder + QStringLiteral("Market.json");
    if (!QFileInfo::exists(path))
        return;
    const QJsonDocument doc = QJsonDocument::fromJson(MarketModule::LoadJSONFromFile(path).toUtf8());
    if (doc.isObject())
        marketSeen(doc.object());
}

void ColonyCockpit::marketSeen(const QJsonObject& market)
{
    quint64 id = 0;
    if (const QJsonValue v = market.value(QLatin1String("MarketID")); v.isDouble())
        id = quint64(v.toInteger());
    // A file left from another station says nothing of where the ship is.
    if (id == 0 || id != m_state.dane_dokowania.MarketID) {
        m_buyHere.clear();
        return;
    }
    qint64 used = 0;
    for (int r = 1; r < m_hold.rowCount(); ++r)
        used += m_hold.cell(r, 1).toLongLong();
    const qint64 freeHold = m_state.DaneStatku.CargoCapacity - used;
    m_buyHere = buyHere(market, m_still, freeHold);
    m_buyHereStation = market.value(QLatin1String("StationName")).toString();
    if (m_buyHere.isEmpty()) {
        emit changed();
        return;
    }
    QStringList parts;
    for (const BuyHereLine& l : std::as_const(m_buyHere))
        parts.append(tr("%1 %2 t (%3 Cr, stock %4)").arg(l.name).arg(l.amount).arg(l.price).arg(l.stock));
    const QString text = tr("Buy here for your sites: %1").arg(parts.join(QStringLiteral(", ")));
    m_reports.notice(text);
    emit notify(tr("Buy here: %1").arg(m_buyHereStation), text);
    emit changed();
}

void ColonyCockpit::setCounted(const QString& marketId, bool counted)
{
    m_sites.setCounted(marketId, counted);
    refresh();
}

void ColonyCockpit::forget(const QString& marketId)
{
    m_sites.forget(marketId);
    refresh();
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

QJsonObject ColonyCockpit::dumpJson() const
{
    QJsonObject o = m_sites.dumpJson();
    o.insert(QStringLiteral("still_to_buy"), stillToBuyJson(m_still));
    o.insert(QStringLiteral("buy_here"), buyHereJson(m_buyHere));
    return o;
}
