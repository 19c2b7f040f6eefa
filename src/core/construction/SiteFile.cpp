#include "construction/SiteFile.h"

#include "common/Error.h"
#include "ini/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString kMats = QStringLiteral("MATS");
const QString kInfo = QStringLiteral("INFO");
const QString kProgress = QStringLiteral("Postep");
const QString kStation = QStringLiteral("StationName");
const QString kSystem = QStringLiteral("StarSystem");
const QString kType = QStringLiteral("StationType");
const QString kListName = QStringLiteral("Name");
const QString kStartDate = QStringLiteral("Start_date");

}  // namespace

bool isMarketIdText(const QString& id)
{
    if (id.isEmpty() || id.size() > 20)
        return false;
    for (const QChar c : id)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

std::optional<qint64> SiteFileNeed::tonnes() const
{
    return IniValue::toInt64(value);
}

SiteFile::SiteFile(QString path) : m_path(std::move(path)) {}

QString SiteFile::folderOf(const QString& dataDir)
{
    return dataDir + QStringLiteral("constructions/");
}

QString SiteFile::pathOf(const QString& dataDir, const QString& marketId)
{
    // Only a decimal market id ever becomes part of a path.
    return isMarketIdText(marketId) ? folderOf(dataDir) + marketId + QStringLiteral(".ini") : QString();
}

bool SiteFile::exists() const
{
    return IniFile(m_path).exists();
}

SiteRecord SiteFile::recordOf(const IniDocument& ini) const
{
    SiteRecord r;
    r.fileName = QFileInfo(m_path).fileName();
    const QString base = QFileInfo(m_path).completeBaseName();
    r.marketId = isMarketIdText(base) ? base : QString();
    r.stationName = ini.value(kInfo, kStation).value_or(QString());
    r.starSystem = ini.value(kInfo, kSystem).value_or(QString());
    r.stationType = ini.value(kInfo, kType).value_or(QString());
    r.listName = ini.value(kInfo, kListName);
    r.startDate = ini.value(kInfo, kStartDate);
    r.progress = int(std::clamp<qint64>(
        IniValue::toInt64(ini.value(kInfo, kProgress).value_or(QString())).value_or(0), 0, 100));
    for (const auto& [key, value] : ini.sectionValues(kMats))
        r.needs.append(SiteFileNeed{key, IniKey::toText(key), value});
    return r;
}

SiteRecord SiteFile::read() const
{
    return recordOf(IniFile(m_path).document());
}

void SiteFile::save(const IniDocument& ini) const
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        throw TessivarError(QCoreApplication::translate("ConstructionModule", "Cannot create the folder %1")
                                .arg(QDir::toNativeSeparators(folder)));
    IniFile(m_path).save(ini);
}

SiteRecord SiteFile::writeDepot(const QList<QPair<QString, qint64>>& remaining, int progress,
                                const TInfo_Docked& site) const
{
    IniDocument ini = IniFile(m_path).document();
    // The name is the game's text: stored escaped where it could not stand
    // as a key, so an odd name never cuts the list short.
    for (const auto& [name, tonnes] : remaining)
        ini.setValue(kMats, IniKey::fromText(name), QString::number(tonnes));
    ini.setValue(kInfo, kProgress, QString::number(progress));
    ini.setValue(kInfo, kStation, site.StationName);
    ini.setValue(kInfo, kSystem, site.StarSystem);
    ini.setValue(kInfo, kType, site.StationType);
    save(ini);
    return recordOf(ini);
}

SiteRecord SiteFile::deduct(const std::function<qint64(const QString& name)>& delivered) const
{
    IniDocument ini = IniFile(m_path).document();
    for (const auto& [key, value] : ini.sectionValues(kMats)) {
        const auto left = IniValue::toInt64(value);
        const qint64 given = left ? delivered(IniKey::toText(key)) : 0;
        if (given > 0)
            ini.setValue(kMats, key, QString::number(std::max<qint64>(0, *left - given)));
    }
    save(ini);
    return recordOf(ini);
}

SiteRecord SiteFile::writeNeeds(const QList<QPair<QString, qint64>>& materials) const
{
    IniDocument ini = IniFile(m_path).document();
    for (const auto& [name, tonnes] : materials)
        ini.setValue(kMats, IniKey::fromText(name), QString::number(tonnes));
    save(ini);
    return recordOf(ini);
}
