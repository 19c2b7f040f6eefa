#include "journal/DockInfo.h"

#include "common/JsonRead.h"
#include "journal/EventScan.h"
#include "journal/JournalBatch.h"
#include "journal/JournalReader.h"

#include <QJsonObject>

namespace {

// Parses a line only when it names one of the wanted events; returns the
// event's own "event" text, or empty.
QString eventOf(QByteArrayView line, std::initializer_list<QByteArrayView> wanted, QJsonObject& obj)
{
    bool candidate = false;
    for (QByteArrayView name : scanEventNames(line))
        for (QByteArrayView w : wanted)
            candidate = candidate || name == w;
    if (!candidate)
        return {};
    if (parseJsonLine(line.toByteArray(), obj) != JsonLine::Object)
        return {};
    // Empty when "event" is not a text.
    return obj.value(QLatin1String("event")).toString();
}

}  // namespace

TInfo_Docked infoDockedFromEvent(const QJsonObject& o)
{
    TInfo_Docked d;
    d.StationName = jsonScalarText(o.value(QLatin1String("StationName")));
    d.StationType = jsonScalarText(o.value(QLatin1String("StationType")));
    d.StarSystem = jsonScalarText(o.value(QLatin1String("StarSystem")));
    d.SystemAdres = jsonScalarText(o.value(QLatin1String("SystemAddress")));
    d.MarketID = jsonScalarText(o.value(QLatin1String("MarketID")));
    d.StationFaction = jsonScalarText(o.value(QLatin1String("StationFaction")));
    return d;
}

bool DockInfoSearch::addOlder(QByteArrayView line)
{
    const bool newest = m_first;
    m_first = false;
    QJsonObject obj;
    // The newest Docked or Undocked event decides; a Location event decides
    // when it is the newest line, or when there is neither of the other two.
    const QString ev = eventOf(line, {"Docked", "Undocked", "Location"}, obj);
    if (ev == QLatin1String("Location")) {
        if (!m_locationFound)
            m_location = infoDockedFromEvent(obj);
        m_locationFound = true;
        m_newestIsLocation = m_newestIsLocation || newest;
    } else if (ev == QLatin1String("Docked") || ev == QLatin1String("Undocked")) {
        m_dock = ev == QLatin1String("Docked") ? infoDockedFromEvent(obj) : TInfo_Docked{};
        m_dockFound = true;
    }
    return !m_dockFound;
}

void DockInfoSearch::apply(TInfo_Docked& info) const
{
    if (m_dockFound)
        info = m_newestIsLocation ? m_location : m_dock;
    else if (m_locationFound)
        info = m_location;
}

void get_Docked_Info(const JournalBatch& lines, TInfo_Docked& info)
{
    DockInfoSearch search;
    for (qsizetype i = lines.size() - 1; i >= 0 && search.addOlder(lines.line(i)); --i) {
    }
    search.apply(info);
}

void get_Docked_Info(JournalReader& journal, TInfo_Docked& info)
{
    DockInfoSearch search;
    journal.visitNewestFirst([&](const JournalBatchPtr& piece) {
        for (qsizetype i = piece->size() - 1; i >= 0; --i)
            if (!search.addOlder(piece->line(i)))
                return false;
        return true;
    });
    search.apply(info);
}
