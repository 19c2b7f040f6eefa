#include "journal/DockInfo.h"

#include "common/JsonRead.h"
#include "journal/EventScan.h"
#include "journal/JournalBatch.h"

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

void get_Docked_Info(const JournalBatch& lines, TInfo_Docked& info)
{
    bool found = false;
    for (qsizetype i = lines.size() - 1; i >= 0 && !found; --i) {
        QJsonObject obj;
        const QString ev = eventOf(lines.line(i), {"Docked", "Undocked"}, obj);
        if (ev == QLatin1String("Docked")) {
            info = infoDockedFromEvent(obj);
            found = true;
        } else if (ev == QLatin1String("Undocked")) {
            info = TInfo_Docked{};
            found = true;
        }
    }
    // The second scan looks at the newest line even when the first one found
    // something, and stops after it in that case.
    bool stop = false;
    for (qsizetype i = lines.size() - 1; i >= 0 && !stop; --i) {
        QJsonObject obj;
        if (eventOf(lines.line(i), {"Location"}, obj) == QLatin1String("Location")) {
            info = infoDockedFromEvent(obj);
            found = true;
        }
        stop = found;
    }
}
