#include "colony/SiteBook.h"

#include "commodities/CommodityNames.h"
#include "common/JsonRead.h"
#include "construction/SiteFile.h"
#include "ini/IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <algorithm>

namespace {

const QString kOpen = QStringLiteral("open");
const QString kComplete = QStringLiteral("complete");
const QString kFailed = QStringLiteral("failed");

}  // namespace

qint64 SiteEntry::remaining() const
{
    qint64 sum = 0;
    for (const SiteNeed& n : needs)
        sum += n.tonnes;
    return sum;
}

SiteBook::SiteBook(const QString& dataDir) : m_dataDir(dataDir) {}

SiteEntry SiteBook::entryOf(const SiteRecord& site) const
{
    SiteEntry s;
    s.marketId = site.marketId;
    s.name = site.stationName;
    s.system = site.starSystem;
    s.progress = site.progress;
    for (const SiteFileNeed& need : site.needs) {
        const QString identity = CommodityNames::key(need.name);
        const auto tonnes = need.tonnes();
        if (identity.isEmpty() || !tonnes)
            continue;
        s.needs[identity] = SiteNeed{need.name, std::max<qint64>(0, *tonnes)};
    }
    s.state = m_book.value(s.marketId, QStringLiteral("State")).value_or(kOpen);
    s.counted = m_book.value(s.marketId, QStringLiteral("Counted")).value_or(QStringLiteral("1")) !=
                QLatin1String("0");
    return s;
}

void SiteBook::refresh()
{
    m_sites.clear();
    m_book = IniFile(m_dataDir + QStringLiteral("sites.ini")).document();
    const QDir folder(SiteFile::folderOf(m_dataDir));
    const auto files = folder.entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    for (const QFileInfo& f : files) {
        const QString id = f.completeBaseName();
        if (!isMarketIdText(id))
            continue;
        // A forgotten site comes back once its file is written again (docked there anew).
        const QDateTime forgotten = QDateTime::fromString(
            m_book.value(id, QStringLiteral("Forgotten")).value_or(QString()), Qt::ISODate);
        if (forgotten.isValid() && f.lastModified().toUTC() <= forgotten)
            continue;
        m_sites.append(entryOf(SiteFile(f.filePath()).read()));
    }
}

void SiteBook::update(const SiteRecord& site)
{
    if (site.marketId.isEmpty())
        return;
    const SiteEntry entry = entryOf(site);
    const auto at = std::lower_bound(m_sites.begin(), m_sites.end(), entry.marketId,
                                     [](const SiteEntry& s, const QString& id) { return s.marketId < id; });
    if (at != m_sites.end() && at->marketId == entry.marketId)
        *at = entry;
    else
        m_sites.insert(at, entry);
}

bool SiteBook::parse_depot(const QByteArray& line)
{
    QJsonObject o;
    if (parseJsonLine(line, o) != JsonLine::Object)
        return false;
    quint64 marketId = 0;
    if (!readKey(o, QLatin1String("MarketID"), marketId) || marketId == 0)
        return false;
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
    m_book.setValue(id, QStringLiteral("State"), state);
    bool listed = false;
    for (SiteEntry& s : m_sites)
        if (s.marketId == id && s.state != state) {
            s.state = state;
            listed = true;
        }
    return listed;
}

void SiteBook::write(const QString& marketId, const QString& key, const QString& value)
{
    IniFile(m_dataDir + QStringLiteral("sites.ini")).writeString(marketId, key, value);
    m_book.setValue(marketId, key, value);
}

void SiteBook::setCounted(const QString& marketId, bool counted)
{
    write(marketId, QStringLiteral("Counted"), counted ? QStringLiteral("1") : QStringLiteral("0"));
    for (SiteEntry& s : m_sites)
        if (s.marketId == marketId)
            s.counted = counted;
}

void SiteBook::forget(const QString& marketId)
{
    // Kept to the millisecond: a file written in the same second after it brings the site back.
    write(marketId, QStringLiteral("Forgotten"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    m_sites.removeIf([&marketId](const SiteEntry& s) { return s.marketId == marketId; });
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
