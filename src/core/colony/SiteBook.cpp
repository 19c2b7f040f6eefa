#include "colony/SiteBook.h"

#include "commodities/CommodityNames.h"
#include "common/JsonRead.h"
#include "construction/ConstructionModule.h"
#include "ini/IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <algorithm>

namespace {

const QString kOpen = QStringLiteral("open");
const QString kComplete = QStringLiteral("complete");
const QString kFailed = QStringLiteral("failed");
const QString kInfo = QStringLiteral("INFO");
const QString kMats = QStringLiteral("MATS");

}  // namespace

qint64 SiteEntry::remaining() const
{
    qint64 sum = 0;
    for (const SiteNeed& n : needs)
        sum += n.tonnes;
    return sum;
}

SiteBook::SiteBook(const QString& dataDir) : m_dataDir(dataDir) {}

void SiteBook::refresh()
{
    m_sites.clear();
    const IniDocument book = IniFile(m_dataDir + QStringLiteral("sites.ini")).document();
    const QDir folder(m_dataDir + QStringLiteral("constructions/"));
    const auto files = folder.entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    for (const QFileInfo& f : files) {
        const QString id = f.completeBaseName();
        if (!isMarketIdText(id))
            continue;
        // A forgotten site comes back once its file is written again (docked there anew).
        const QDateTime forgotten = QDateTime::fromString(
            book.value(id, QStringLiteral("Forgotten")).value_or(QString()), Qt::ISODate);
        if (forgotten.isValid() && f.lastModified().toUTC() <= forgotten)
            continue;
        const IniDocument ini = IniFile(f.filePath()).document();
        SiteEntry s;
        s.marketId = id;
        s.name = ini.value(kInfo, QStringLiteral("StationName")).value_or(QString());
        s.system = ini.value(kInfo, QStringLiteral("StarSystem")).value_or(QString());
        s.progress = int(std::clamp<qint64>(
            IniValue::toInt64(ini.value(kInfo, QStringLiteral("Postep")).value_or(QString())).value_or(0), 0,
            100));
        for (const auto& [key, value] : ini.sectionValues(kMats)) {
            const QString name = IniKey::toText(key);
            const QString identity = CommodityNames::key(name);
            const auto tonnes = IniValue::toInt64(value);
            if (identity.isEmpty() || !tonnes)
                continue;
            s.needs[identity] = SiteNeed{name, std::max<qint64>(0, *tonnes)};
        }
        s.state = book.value(id, QStringLiteral("State")).value_or(kOpen);
        s.counted =
            book.value(id, QStringLiteral("Counted")).value_or(QStringLiteral("1")) != QLatin1String("0");
        m_sites.append(s);
    }
}

void SiteBook::parse_depot(const QByteArray& line)
{
    QJsonObject o;
    if (parseJsonLine(line, o) != JsonLine::Object)
        return;
    quint64 marketId = 0;
    if (!readKey(o, QLatin1String("MarketID"), marketId) || marketId == 0)
        return;
    const QString id = QString::number(marketId);
    bool complete = false;
    bool failed = false;
    readKey(o, QLatin1String("ConstructionComplete"), complete);
    readKey(o, QLatin1String("ConstructionFailed"), failed);
    const IniFile file(m_dataDir + QStringLiteral("sites.ini"));
    IniDocument ini = file.document();
    const QString state = failed ? kFailed : complete ? kComplete : kOpen;
    const bool dirty = ini.value(id, QStringLiteral("State")).value_or(kOpen) != state;
    ini.setValue(id, QStringLiteral("State"), state);
    if (dirty)
        file.save(ini);
}

void SiteBook::write(const QString& marketId, const QString& key, const QString& value) const
{
    IniFile(m_dataDir + QStringLiteral("sites.ini")).writeString(marketId, key, value);
}

void SiteBook::setCounted(const QString& marketId, bool counted)
{
    write(marketId, QStringLiteral("Counted"), counted ? QStringLiteral("1") : QStringLiteral("0"));
    refresh();
}

void SiteBook::forget(const QString& marketId)
{
    // Kept to the millisecond: a file written in the same second after it brings the site back.
    write(marketId, QStringLiteral("Forgotten"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    refresh();
}

QJsonObject SiteBook::dumpJson() const
{
    QJsonArray sites;
    for (const SiteEntry& s : m_sites) {
        QJsonObject needs;
        for (const SiteNeed& n : s.needs)
            needs.insert(n.name, n.tonnes);
        sites.append(QJsonObject{{"market_id", s.marketId},
                                 {"name", s.name},
                                 {"system", s.system},
                                 {"progress", s.progress},
                                 {"state", s.state},
                                 {"counted", s.counted},
                                 {"remaining", s.remaining()},
                                 {"needs", needs}});
    }
    return QJsonObject{{"colony_sites", sites}};
}
