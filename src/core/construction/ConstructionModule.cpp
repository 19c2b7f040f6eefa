#include "construction/ConstructionModule.h"

#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "common/JsonRead.h"
#include "common/ReportSink.h"
#include "common/UserInteraction.h"
#include "ini/IniFile.h"
#include "state/DockRecord.h"
#include "state/RecordsJson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QScopeGuard>
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>
#include <utility>

namespace {

const QString kTotal = QStringLiteral("TOTAL");
const QString kDepot = QStringLiteral("ColonisationConstructionDepot");
const QString kContribution = QStringLiteral("ColonisationContribution");
const QString kUnknown = QStringLiteral("-/-");

std::optional<QString> known(const QString& text)
{
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

// The replay dump keeps the header's texts as its labels once held them.
QString labelText(const std::optional<QString>& value)
{
    return value.value_or(kUnknown);
}

// A whole JSON number of the int range, as the amounts of a depot element must be.
bool jsonInt(const QJsonValue& v, qint64& out)
{
    const auto n = jsonWholeNumber(v);
    if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max())
        return false;
    out = *n;
    return true;
}

[[noreturn]] void depotError(int element, const QString& what)
{
    throw TessivarError(ConstructionModule::tr("%1: element %2 of \"ResourcesRequired\" %3")
                            .arg(kDepot)
                            .arg(element)
                            .arg(what));
}

// The tonnes of a list file's value or of a quantity cell.
std::optional<qint64> quantity(const QString& text)
{
    return IniValue::toInt64(text);
}

}  // namespace

std::optional<ConstructionTrips> constructionTripsOf(qint64 cargo_count, int capacity)
{
    if (capacity <= 0)
        return std::nullopt;
    qint64 cale_ladownie = cargo_count / capacity;
    if (cargo_count % capacity != 0 && cargo_count < 0)
        --cale_ladownie;  // towards minus infinity
    return ConstructionTrips{cale_ladownie, cargo_count - cale_ladownie * capacity};
}

QString constructionTrips(qint64 cargo_count, int capacity)
{
    const auto trips = constructionTripsOf(cargo_count, capacity);
    if (!trips)
        return QStringLiteral("0");
    return QString::number(trips->fullHolds) + QLatin1Char('-') + QString::number(trips->rest);
}

int constructionPercent(double fraction)
{
    const double scaled = fraction * 100.0;
    if (!std::isfinite(scaled))
        return 0;
    const double clamped =
        std::clamp(scaled, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max()));
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(clamped);
    std::fesetround(mode);
    return int(r);
}

ConstructionModule::ConstructionModule(const GameState& state, const QString& dataDir, UserInteraction& ui,
                                       ReportSink& reports)
    : m_state(state), m_dataDir(dataDir), m_ui(ui), m_reports(reports)
{
    lista_materialow.setEditable(true);
    lista_materialow.setShownText(0, &CommodityNames::displayName);
    lista_materialow.setAll({QStringList(), QStringList()});
}

QString ConstructionModule::constructionsFolder() const
{
    return SiteFile::folderOf(m_dataDir);
}

QString ConstructionModule::get_ilosc_kursow(qint64 cargo_count) const
{
    return constructionTrips(cargo_count, m_state.DaneStatku.CargoCapacity);
}

std::optional<ConstructionTrips> ConstructionModule::trips(qint64 cargo_count) const
{
    return constructionTripsOf(cargo_count, m_state.DaneStatku.CargoCapacity);
}

std::optional<qint64> ConstructionModule::tonnesAt(int row) const
{
    return quantity(lista_materialow.cell(row, 1));
}

bool ConstructionModule::isTotalRow(int row) const
{
    return lista_materialow.cell(row, 0) == kTotal;
}

void ConstructionModule::resetWindow()
{
    siteSystem = siteStation = siteType = siteMarketId = std::nullopt;
    progressPercent.reset();
    ProgressBar1 = 0;
    headerShaded = true;
    lista_materialow.setAll({QStringList(), QStringList()});
    m_saveFile.clear();
    ak_budowa.clear();
    m_site = TInfo_Docked{};
    emit changed();
}

QString ConstructionModule::siteFile(const QString& marketId) const
{
    return SiteFile::pathOf(m_dataDir, marketId);
}

void ConstructionModule::showHeader()
{
    if (m_site.MarketID.isEmpty()) {
        siteStation = Info_Docked.StationName;
        siteType = Info_Docked.StationType;
        siteSystem = Info_Docked.StarSystem;
        siteMarketId = Info_Docked.MarketID;
        return;
    }
    siteStation = known(m_site.StationName);
    siteType = known(m_site.StationType);
    siteSystem = known(m_site.StarSystem);
    siteMarketId = m_site.MarketID;
}

void ConstructionModule::Set_Construction_info()
{
    Info_Docked = dockInfo(m_state);
    Budowa_file = siteFile(Info_Docked.MarketID);
    showHeader();
    emit changed();
}

void ConstructionModule::czytaj_budowe_z_logu(const QByteArray& JSON)
{
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(JSON, &err);
    if (err.error == QJsonParseError::NoError && !doc.isObject())
        throw TessivarError(ConstructionModule::tr("%1: the line is not a JSON object").arg(kDepot));
    // A line that does not parse gives no object: the list is emptied, the
    // progress falls to 0 and the missing materials stop it below.
    const QJsonObject o = doc.object();
    const auto notify = qScopeGuard([this] { emit changed(); });

    lista_materialow.setRowCount(1);
    headerShaded = false;
    qint64 sum = 0;

    const QJsonValue fraction = o.value(QLatin1String("ConstructionProgress"));
    const int progress = constructionPercent(fraction.isDouble() ? fraction.toDouble() : 0.0);
    progressPercent = progress;
    ProgressBar1 = std::clamp(progress, 0, 100);

    // The list now shows this site: the station docked at when the event was
    // written. Its file is where its figures go and where "💾 Save changes" writes.
    const TInfo_Docked dock = dockInfo(m_state);
    const QString siteFileName = siteFile(dock.MarketID);
    m_saveFile = siteFileName;
    ak_budowa = siteFileName.isEmpty() ? QString() : dock.MarketID;
    m_site = siteFileName.isEmpty() ? TInfo_Docked{} : dock;
    showHeader();
    const bool toFile = !siteFileName.isEmpty();

    const QJsonValue resources = o.value(QLatin1String("ResourcesRequired"));
    if (!resources.isArray())
        throw TessivarError(
            ConstructionModule::tr("%1: \"ResourcesRequired\" is missing or not an array").arg(kDepot));
    const QJsonArray list = resources.toArray();
    QList<QPair<QString, qint64>> stored;
    QList<int> unnamed;  // elements whose empty name no key can hold
    for (qsizetype i = 0; i < list.size(); ++i) {
        const int n = int(i) + 1;
        if (!list[i].isObject())
            depotError(n, ConstructionModule::tr("is not an object"));
        const QJsonObject el = list[i].toObject();
        const QJsonValue nameValue = el.value(QLatin1String("Name_Localised"));
        if (!nameValue.isString())
            depotError(n, ConstructionModule::tr("has no text \"Name_Localised\""));
        qint64 required = 0;
        qint64 provided = 0;
        if (!jsonInt(el.value(QLatin1String("RequiredAmount")), required))
            depotError(n, ConstructionModule::tr("has no whole number \"RequiredAmount\""));
        if (!jsonInt(el.value(QLatin1String("ProvidedAmount")), provided))
            depotError(n, ConstructionModule::tr("has no whole number \"ProvidedAmount\""));
        const QString name = nameValue.toString();
        const qint64 remaining = required - provided;
        lista_materialow.appendRow({name, QString::number(remaining), get_ilosc_kursow(remaining)});
        if (!name.isEmpty())
            stored.append({name, remaining});
        else if (toFile)
            unnamed.append(n);
        sum += remaining;
    }
    lista_materialow.appendRow({kTotal, QString::number(sum), get_ilosc_kursow(sum)});

    if (toFile)
        emit siteFileWritten(SiteFile(siteFileName).writeDepot(stored, progress, dock));
    if (!unnamed.isEmpty()) {
        QStringList numbers;
        for (const int n : std::as_const(unnamed))
            numbers.append(QString::number(n));
        throw TessivarError(
            ConstructionModule::tr("%1: element %2 of \"ResourcesRequired\" has an empty name; it is "
                                   "listed but not stored in the site's file")
                .arg(kDepot, numbers.join(QStringLiteral(", "))));
    }
}

void ConstructionModule::parse_contribution(const QByteArray& JSON)
{
    QJsonObject o;
    if (parseJsonLine(JSON, o) != JsonLine::Object)
        return;
    quint64 marketId = 0;
    readKey(o, QLatin1String("MarketID"), marketId);
    const QString site = marketId == 0 ? QString() : QString::number(marketId);
    const SiteFile file(siteFile(site));
    const bool shown = !site.isEmpty() && site == ak_budowa;
    const bool toFile = !file.path().isEmpty() && file.exists();
    if (!shown && !toFile)
        return;

    const auto notify = qScopeGuard([this, shown] {
        if (shown)
            emit changed();
    });
    const QJsonValue contributions = o.value(QLatin1String("Contributions"));
    if (!contributions.isArray())
        throw TessivarError(
            ConstructionModule::tr("%1: \"Contributions\" is missing or not an array").arg(kContribution));
    struct Given
    {
        QString name;
        QString internal;
        qint64 amount = 0;
    };
    QList<Given> given;
    for (const QJsonValue& v : contributions.toArray()) {
        const QJsonObject c = v.toObject();
        Given g;
        readKey(c, QLatin1String("Name_Localised"), g.name);
        readKey(c, QLatin1String("Name"), g.internal);
        if (readKey(c, QLatin1String("Amount"), g.amount) && g.amount > 0)
            given.append(g);
    }
    // What all the contributions hand over of one material (none goes below 0,
    // so taking the sum at once is taking them one after another).
    const auto delivered = [&given](const QString& material) {
        qint64 sum = 0;
        for (const Given& g : given)
            if ((!g.name.isEmpty() && material == g.name) || CommodityNames::same(material, g.internal) ||
                (!g.name.isEmpty() && CommodityNames::same(material, g.name)))
                sum += g.amount;
        return sum;
    };
    bool listChanged = false;
    if (shown) {
        for (int r = 1; r < lista_materialow.rowCount(); ++r) {
            const QString material = lista_materialow.cell(r, 0);
            const auto left = quantity(lista_materialow.cell(r, 1));
            if (material.isEmpty() || material == kTotal || !left)
                continue;
            if (const qint64 amount = delivered(material); amount > 0) {
                lista_materialow.setCell(r, 1, QString::number(std::max<qint64>(0, *left - amount)));
                listChanged = true;
            }
        }
    }
    if (listChanged) {
        refreshTotals();
        emit constructionChanged();
    }
    if (toFile)
        emit siteFileWritten(file.deduct(delivered));
}

void ConstructionModule::showLastSeenSite()
{
    if (std::exchange(m_lastSiteLooked, true) || !ak_budowa.isEmpty() || !m_saveFile.isEmpty())
        return;
    try {
        QString path = siteFile(dockInfo(m_state).MarketID);
        if (path.isEmpty() || !QFileInfo::exists(path)) {
            path.clear();
            // Every depot event rewrites its site's file: the newest is the site seen last.
            const QFileInfoList files =
                QDir(constructionsFolder()).entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Time);
            for (const QFileInfo& f : files)
                if (path.isEmpty() && isMarketIdText(f.completeBaseName()))
                    path = f.filePath();
        }
        if (!path.isEmpty())
            loadListFile(path);
    } catch (const std::exception& e) {
        m_reports.report(errorText(e));
    }
}

void ConstructionModule::Zaadujlistzpliku1Click()
{
    const auto chosen =
        m_ui.askOpenFile(ConstructionModule::tr("⬇️ Loading Construction from file"),
                         constructionsFolder(), ConstructionModule::tr("Construction files (.ini)|*.ini"));
    if (!chosen || chosen->isEmpty())
        return;
    loadListFile(*chosen);
}

void ConstructionModule::loadListFile(const QString& path)
{
    const SiteRecord list = SiteFile(path).read();
    const auto notify = qScopeGuard([this] { emit changed(); });
    const QFileInfo info(path);

    // "💾 Save changes" writes back only into the program's own folder.
    const QString dataRoot = QFileInfo(m_dataDir).canonicalFilePath();
    const QString canonical = info.canonicalFilePath();
    const bool inDataFolder = !dataRoot.isEmpty() && canonical.startsWith(dataRoot + QLatin1Char('/'));
    m_saveFile = inDataFolder ? m_dataDir + canonical.mid(dataRoot.size() + 1) : QString();
    ak_budowa = inDataFolder ? info.completeBaseName() : QString();
    // The header names the site of the list; a file named otherwise names none.
    m_site = TInfo_Docked{};
    if (isMarketIdText(info.completeBaseName())) {
        m_site.MarketID = info.completeBaseName();
        m_site.StationName = list.stationName;
        m_site.StarSystem = list.starSystem;
        m_site.StationType = list.stationType;
        // A list kept before its file named the site: docked there, the dock does.
        const TInfo_Docked dock = dockInfo(m_state);
        if (dock.MarketID == m_site.MarketID) {
            for (auto [field, known] : {std::pair{&m_site.StationName, dock.StationName},
                                        std::pair{&m_site.StarSystem, dock.StarSystem},
                                        std::pair{&m_site.StationType, dock.StationType}})
                if (field->isEmpty())
                    *field = known;
        }
    }
    showHeader();

    if (lista_materialow.rowCount() < 1)
        lista_materialow.setRowCount(1);
    const QString name = list.listName.value_or(kUnknown);
    const QString date = list.startDate.value_or(kUnknown);
    lista_materialow.setCell(0, 0, name + QStringLiteral("  [") + info.fileName() + QLatin1Char(']'));
    lista_materialow.setCell(0, 1, date);

    lista_materialow.setRowCount(1);
    lista_materialow.appendRow({});
    qint64 sum = 0;
    for (const SiteFileNeed& need : list.needs) {
        if (need.value.contains(QLatin1Char('=')))
            continue;  // the line does not split into one name and one value
        const auto tonnes = need.tonnes();
        if (!tonnes)
            throw TessivarError(
                ConstructionModule::tr("\"%1\" is not a valid integer value ([MATS] %2 in %3)")
                    .arg(need.value, need.key, info.fileName()));
        const int last = lista_materialow.rowCount() - 1;
        lista_materialow.setRow(last, {need.name, need.value, get_ilosc_kursow(*tonnes)});
        sum += *tonnes;
        lista_materialow.appendRow({});
    }
    if (!list.needs.isEmpty()) {
        const int last = lista_materialow.rowCount() - 1;
        lista_materialow.setRow(last, {kTotal, QString::number(sum), get_ilosc_kursow(sum)});
        lista_materialow.appendRow({});
    }

    ProgressBar1 = list.progress;
    progressPercent = ProgressBar1;
    emit constructionChanged();
}

void ConstructionModule::m_Dodajdozaadunku1Click(int row)
{
    QStringList lines;
    const QString name = lista_materialow.cell(row, 0);
    // The TOTAL row is the site's sum, not a material to haul.
    if (!name.isEmpty() && name != kTotal)
        lines.append(name + QLatin1Char(':') + lista_materialow.cell(row, 1));
    emit loadingLinesOffered(true, lines);
    emit loadingListSent();
}

void ConstructionModule::btn_Nowy_ZaladunekClick(bool dodac_do_istniejacego)
{
    QStringList lines;
    for (int r = 1; r < lista_materialow.rowCount(); ++r) {
        const QString name = lista_materialow.cell(r, 0);
        if (!name.isEmpty() && name != kTotal)
            lines.append(name + QLatin1Char(':') + lista_materialow.cell(r, 1));
    }
    emit loadingLinesOffered(dodac_do_istniejacego, lines);
}

void ConstructionModule::Findonmarkets1Click(int row)
{
    const QString name = lista_materialow.cell(row, 0);
    // Row 0 names the site and TOTAL is the sum: neither is a commodity to look for.
    if (row < 1 || name.isEmpty() || name == kTotal)
        return;
    emit searchRequested(name);
}

void ConstructionModule::btn_zapiszClick()
{
    if (m_saveFile.isEmpty())
        return;
    // Every quantity is checked before the file is touched, so a typing
    // mistake never leaves the file half saved.
    QList<QPair<QString, qint64>> materials;
    for (int r = 1; r < lista_materialow.rowCount(); ++r) {
        const QString name = lista_materialow.cell(r, 0);
        const QString amount = lista_materialow.cell(r, 1);
        if (name.trimmed().isEmpty() || amount.trimmed().isEmpty() || name == kTotal)
            continue;
        const auto tonnes = quantity(amount);
        if (!tonnes)
            throw TessivarError(
                ConstructionModule::tr("\"%1\" is not a valid integer value (row %2, %3); nothing was saved")
                    .arg(amount)
                    .arg(r)
                    .arg(name));
        materials.append({name, *tonnes});
    }
    emit siteFileWritten(SiteFile(m_saveFile).writeNeeds(materials));

    refreshTotals();
    emit changed();
    emit constructionChanged();
}

void ConstructionModule::refreshTotals()
{
    qint64 sum = 0;
    for (int r = 1; r < lista_materialow.rowCount(); ++r) {
        const QString name = lista_materialow.cell(r, 0);
        if (name.isEmpty() || name == kTotal)
            continue;
        if (const auto tonnes = quantity(lista_materialow.cell(r, 1))) {
            lista_materialow.setCell(r, 2, get_ilosc_kursow(*tonnes));
            sum += *tonnes;
        }
    }
    for (int r = 1; r < lista_materialow.rowCount(); ++r)
        if (lista_materialow.cell(r, 0) == kTotal)
            lista_materialow.setRow(r, {kTotal, QString::number(sum), get_ilosc_kursow(sum)});
}

QJsonObject ConstructionModule::dumpJson() const
{
    const QString& dataDir = m_dataDir;
    auto relative = [&dataDir](const QString& path) {
        return path.startsWith(dataDir) ? path.mid(dataDir.size()) : path;
    };
    QJsonObject files;
    const QDir folder(constructionsFolder());
    const auto names = folder.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        QFile f(folder.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            files.insert(name, QString::fromUtf8(f.readAll()));
    }
    QJsonObject window{{"Label_system_val", labelText(siteSystem)},
                       {"Label_station_val", labelText(siteStation)},
                       {"Label_type_val", labelText(siteType)},
                       {"Label_marketid_val", labelText(siteMarketId)},
                       {"Label_progress_val",
                        progressPercent ? QString::number(*progressPercent) + QLatin1Char('%') : kUnknown},
                       {"ProgressBar1", ProgressBar1},
                       {"header_shaded", headerShaded},
                       {"Info_Docked", toJson(Info_Docked)},
                       {"Budowa_file", relative(Budowa_file)},
                       {"ak_budowa", ak_budowa},
                       {"save_file", relative(m_saveFile)},
                       {"save_enabled", canSave()}};
    QJsonObject o;
    o.insert(QStringLiteral("f_Construct"), window);
    o.insert(QStringLiteral("lista_materialow"), lista_materialow.toJson());
    o.insert(QStringLiteral("constructions"), files);
    return o;
}
