#include "cargo/CargoReconciler.h"

#include "cargo/CargoJson.h"
#include "cargo/CargoModule.h"
#include "common/Error.h"
#include "common/JsonRead.h"
#include "common/ReportSink.h"
#include "state/DockRecord.h"
#include "state/Records.h"

#include <QJsonArray>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcReconcile, "tessivar.cargo")

CargoReconciler::CargoReconciler(const GameState& state, CargoModule& list, ReportSink& reports)
    : m_state(state), m_list(list), m_reports(reports)
{}

void CargoReconciler::applyTransfer(const QByteArray& line)
{
    const JsonPlace place{QStringLiteral("CargoTransfer"), true};
    bool parsed = false;
    const QJsonObject o = CargoJson::eventObject(line, "CargoTransfer", &parsed);
    if (!parsed)
        return;
    const QJsonValue transfers = o.value(QStringLiteral("Transfers"));
    if (!transfers.isArray())
        throw TessivarError(QStringLiteral("CargoTransfer: \"Transfers\" is missing or not an array."));
    for (const QJsonValue& t : transfers.toArray()) {
        if (!t.isObject())
            throw TessivarError(
                QStringLiteral("CargoTransfer: an element of \"Transfers\" is not an object."));
        const QJsonObject e = t.toObject();
        if (requiredJsonText(e, QStringLiteral("Direction"), place) != QLatin1String("tocarrier"))
            continue;
        const QString type = requiredJsonText(e, QStringLiteral("Type"), place);
        const qint64 count = requiredJsonWhole(e, QStringLiteral("Count"), place, WholeRange::Exact);
        delivered(type, e.value(QStringLiteral("Type_Localised")).toString(), count);
    }
}

void CargoReconciler::applySale(const QByteArray& line)
{
    const JsonPlace place{QStringLiteral("MarketSell"), true};
    bool parsed = false;
    const QJsonObject o = CargoJson::eventObject(line, "MarketSell", &parsed);
    if (!parsed)
        return;
    const QString type = requiredJsonText(o, QStringLiteral("Type"), place);
    const qint64 count = requiredJsonWhole(o, QStringLiteral("Count"), place, WholeRange::Exact);
    // The hub learns of the sale; the receiving slot reports its own failures,
    // so the list always gets the sale.
    emit soldAtCarrier(type, count, line);
    delivered(type, o.value(QStringLiteral("Type_Localised")).toString(), count);
}

void CargoReconciler::delivered(const QString& type, const QString& localised, qint64 count)
{
    if (dockedAtOwnCarrier(m_state)) {
        m_list.reduceOwnList(type, localised, count);
        return;
    }
    // Cargo left at another commander's carrier (or a squadron's) is not on
    // the way to ours: the own list keeps it. A view of another source is
    // rebuilt as after any sale. Said only while the own list is shown: a
    // hauler selling to a hub contract's carrier expects nothing else.
    if (m_list.ownListShown())
        reportNotCounted();
    else
        m_list.rebuildFromSource();
}

void CargoReconciler::reportNotCounted()
{
    const TDaneDokowania& dock = m_state.dane_dokowania;
    const bool ownKnown = m_state.dane_carriera.CarrierID != 0;
    const QString where =
        dock.StationName.isEmpty() ? tr("a carrier the ship is not known to be docked at") : dock.StationName;
    // Once per carrier and reason: a session of sales there says it once.
    const QString key = QString::number(ownKnown) + QLatin1Char(':') + QString::number(dock.MarketID);
    if (m_notCountedReported.contains(key))
        return;
    m_notCountedReported.insert(key);
    const QString text =
        ownKnown
            ? tr("Cargo sold or transferred at %1 was not taken off the loading list: it is not your own "
                 "carrier.")
                  .arg(where)
            : tr("Cargo sold or transferred at %1 was not taken off the loading list: your own carrier is "
                 "not known yet. The game names it when the carrier management screen is opened, or set "
                 "CarrierID in the [Carrier] section of settings.ini.")
                  .arg(where);
    qCInfo(lcReconcile).noquote() << text;
    m_reports.report(text);
}
