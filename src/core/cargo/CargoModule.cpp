#include "cargo/CargoModule.h"

#include "cargo/CargoJson.h"
#include "cargo/CommonMaterials.h"
#include "cargo/LoadingText.h"
#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "common/JsonRead.h"
#include "common/ReportSink.h"
#include "common/UserInteraction.h"
#include "hub/OrderLines.h"
#include "ini/IniFile.h"
#include "state/DockRecord.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QLoggingCategory>
#include <algorithm>

Q_LOGGING_CATEGORY(lcCargo, "tessivar.cargo")

namespace {

const QString kSection = QStringLiteral("zaladunek");
const QString kTotal = QStringLiteral("TOTAL");
const QString kMyCarrier = QStringLiteral("My Carrier");
const QString kTradeMissions = QStringLiteral("Trade Missions");

const QStringList kHeader{QStringLiteral("TOWAR"), QStringLiteral("ILOSC")};

// Whether a list name is the commodity a journal line names by its type (and,
// when the line gives one, its localised name).
bool isCargo(const QString& name, const QString& type, const QString& localised)
{
    if (name.trimmed().isEmpty())
        return false;
    return LoadingText::sameCargo(name, type) ||
           (!localised.isEmpty() && LoadingText::sameCargo(name, localised));
}

// What is left to bring after a delivery: never less than nothing. A surplus
// (more delivered than listed) is noted in the log, not carried as a debt that
// would make the list's TOTAL smaller than what is still to bring.
qint64 leftAfter(const QString& name, qint64 listed, qint64 delivered)
{
    const qint64 left = listed - delivered;
    if (left < 0)
        qCInfo(lcCargo).noquote() << QStringLiteral("%1: %2 t delivered beyond the %3 t listed; kept at 0")
                                         .arg(name)
                                         .arg(-left)
                                         .arg(listed);
    return std::max<qint64>(left, 0);
}

}  // namespace

CargoModule::CargoModule(const GameState& state, const QString& dataDir,
                         std::function<QString()> journalFolder, ReportSink& reports, UserInteraction& ui,
                         const MissionCommodities& missionCommodities,
                         std::function<QList<TAcceptedContract>()> acceptedContracts)
    : m_state(state), m_dataDir(dataDir), m_journalFolder(std::move(journalFolder)), m_reports(reports),
      m_ui(ui), m_missionCommodities(missionCommodities), m_acceptedContracts(std::move(acceptedContracts))
{
    cargo_list.appendRow(kHeader);
    zaladunek_list.setEditable(true);
    zaladunek_list.appendRow(kHeader);
    zaladunek_list.appendRow({});
    materialy_nazwy.setEditable(true);
    QList<QStringList> materials;
    for (const QString& m : commonMaterialNames())
        materials.append({m});
    materialy_nazwy.setAll(materials);
}

void CargoModule::start()
{
    try {
        read_zaladunek_from_file();
    } catch (const std::exception& e) {
        m_reports.report(errorText(e));
    }
}

QString CargoModule::zaladunekPath() const
{
    return m_dataDir + QStringLiteral("zaladunek.ini");
}

// ---------------------------------------------------------------- ship's hold

void CargoModule::ReadCargoFile()
{
    const QString path = m_journalFolder() + QStringLiteral("Cargo.json");
    // One message per lasting condition: an unreadable file would otherwise be
    // reported after every pass until the game writes it again.
    const auto fail = [this](const QString& message) {
        const QString text = QStringLiteral("Błąd podczas odczytu pliku: ") + message;
        if (text != m_lastCargoFailure)
            m_reports.notice(text);
        m_lastCargoFailure = text;
    };
    QFile f(path);
    // The game writes the file once something is in the hold; before that an
    // empty hold is all there is to show.
    if (!f.exists()) {
        m_lastCargoFailure.clear();
        CargoLog.clear();
        return;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("Cannot open file \"%1\". %2")
                 .arg(QDir::toNativeSeparators(path), f.errorString()));
        return;
    }
    const QByteArray bytes = f.readAll();
    const bool failed = f.error() != QFileDevice::NoError;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    CargoLog = lines;
    if (failed)
        fail(f.errorString());
    else
        m_lastCargoFailure.clear();
}

void CargoModule::read_cargo()
{
    const QStringList shipEntries = CargoLog;
    ReadCargoFile();
    QStringList entries;
    // Text that is not JSON (the game caught writing it) shows an empty hold;
    // JSON of the wrong shape is reported and the list keeps what it showed.
    if (const auto v = parseJsonValue(CargoLog.join(QLatin1Char('\n')).toUtf8())) {
        // While the commander drives the SRV the file describes its hold; the
        // ship's cargo is still aboard the ship.
        const QString vessel = v->toObject().value(QStringLiteral("Vessel")).toString();
        if (!vessel.isEmpty() && vessel != QLatin1String("Ship")) {
            CargoLog = shipEntries;
            return;
        }
        entries = CargoJson::cargoEntryLines(*v);
        m_cargoNames = CargoJson::cargoDisplayNames(*v);
    }
    CargoLog = entries;
    show_cargo();
}

QString CargoModule::cargoDisplayName(const QString& id) const
{
    if (const QString shown = m_cargoNames.value(id); !shown.isEmpty())
        return shown;
    static const QStringList known = commonMaterialNames();
    for (const QString& name : known)
        if (CommodityNames::same(name, id))
            return name;
    return id;
}

void CargoModule::show_cargo()
{
    QList<QStringList> rows{cargo_list.row(0)};
    for (const QString& line : std::as_const(CargoLog)) {
        const QStringList parts = line.split(QLatin1Char(':'));
        if (parts.size() != 2)
            continue;
        const qint64 count = LoadingText::quantity(parts[1]).value_or(0);
        rows.append({parts[0].trimmed(), QString::number(count)});
    }
    cargo_list.setAll(rows);
}

// -------------------------------------------------------------- loading list

QString CargoModule::get_ilosc_kursow(qint64 cargo_count) const
{
    const qint64 capacity = m_state.DaneStatku.CargoCapacity;
    if (capacity <= 0 || cargo_count <= 0)
        return QStringLiteral("0");
    const qint64 cale_ladownie = cargo_count / capacity;
    const qint64 reszta = cargo_count - cale_ladownie * capacity;
    return QString::number(cale_ladownie) + QLatin1Char('-') + QString::number(reszta);
}

void CargoModule::DeleteGridRow(TextTableModel& Grid, int RowToDelete)
{
    if (RowToDelete < 0 || RowToDelete >= Grid.rowCount() || Grid.rowCount() <= 1)
        return;
    Grid.removeRowAt(RowToDelete);
}

void CargoModule::Remove_TOTAL()
{
    for (int r = zaladunek_list.rowCount() - 1; r >= 0; --r)
        if (zaladunek_list.cell(r, 0) == kTotal)
            DeleteGridRow(zaladunek_list, r);
}

void CargoModule::Add_TOTAL()
{
    qint64 total = 0;
    for (int r = 0; r < zaladunek_list.rowCount(); ++r)
        if (zaladunek_list.cell(r, 0) != kTotal)
            total += std::max<qint64>(LoadingText::quantity(zaladunek_list.cell(r, 1)).value_or(0), 0);
    zaladunek_list.appendRow({kTotal, QString::number(total), get_ilosc_kursow(total)});
}

void CargoModule::refreshTotal()
{
    Remove_TOTAL();
    Add_TOTAL();
}

void CargoModule::add_zaladunek_ilosc_kursow()
{
    for (int r = 0; r < zaladunek_list.rowCount(); ++r)
        if (const auto q = LoadingText::quantity(zaladunek_list.cell(r, 1)))
            zaladunek_list.setCell(r, 2, get_ilosc_kursow(*q));
}

void CargoModule::notifyMobile()
{
    // The phone is a mirror: whatever goes wrong on its side, the list
    // operation that changed the list has happened and must not be undone.
    try {
        emit loadingListChanged();
    } catch (const std::exception& e) {
        qCWarning(lcCargo) << "mobile notification failed:" << e.what();
    } catch (...) {
        qCWarning(lcCargo) << "mobile notification failed";
    }
}

void CargoModule::emptyList()
{
    zaladunek_list.setRowCount(2);
    zaladunek_list.setRow(1, {});
}

void CargoModule::read_zaladunek_from_file()
{
    const IniFile file(zaladunekPath());
    if (!file.exists())
        return;
    const IniDocument doc = file.document();
    QList<QStringList> rows{zaladunek_list.row(0)};
    const auto values = doc.sectionValues(kSection);
    reportRepeatedKeys(doc.sectionLines(kSection));
    qint64 total = 0;
    try {
        for (const auto& [name, value] : values) {
            // A value holding "=" comes from a line that splits into more than two parts.
            if (value.contains(QLatin1Char('=')))
                continue;
            const auto q = LoadingText::quantity(value);
            if (!q)
                throw TessivarError(
                    QStringLiteral("zaladunek.ini: the quantity of \"%1\" is not a whole number: \"%2\".")
                        .arg(name, value));
            rows.append({name, value, get_ilosc_kursow(*q)});
            // A negative quantity (written by an older version) is nothing to bring.
            total += std::max<qint64>(*q, 0);
        }
    } catch (...) {
        zaladunek_list.setAll(rows);
        notifyMobile();
        throw;
    }
    if (!values.isEmpty())
        rows.append({kTotal, QString::number(total), get_ilosc_kursow(total)});
    zaladunek_list.setAll(rows);
    notifyMobile();
}

void CargoModule::reportRepeatedKeys(const QList<QPair<QString, QString>>& lines)
{
    // The file compares keys without letter case, so of "Steel" and "steel"
    // only the first is read and written; the person has to join them.
    QStringList repeats;
    QHash<QString, qsizetype> first;  // key without letter case -> its first line
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString folded = lines[i].first.toCaseFolded();
        const auto it = first.constFind(folded);
        if (it == first.cend()) {
            first.insert(folded, i);
            continue;
        }
        const auto& [key, value] = lines[*it];
        repeats.append(
            QStringLiteral("\"%1=%2\" repeats \"%3=%4\"").arg(lines[i].first, lines[i].second, key, value));
    }
    const QString text =
        repeats.isEmpty()
            ? QString()
            : QStringLiteral("zaladunek.ini names a commodity twice in different letter case; only the first "
                             "line is used until the two are joined into one: %1.")
                  .arg(repeats.join(QStringLiteral("; ")));
    if (!text.isEmpty() && text != m_lastRepeatReport)
        m_reports.notice(text);
    m_lastRepeatReport = text;
}

void CargoModule::storeQuantity(const QString& name, qint64 quantity)
{
    const QString reason = LoadingText::unstorableNameReason(name);
    if (!reason.isEmpty())
        throw TessivarError(reason);
    IniFile(zaladunekPath()).writeInteger(kSection, name.trimmed(), quantity);
}

void CargoModule::addQuantity(const QString& name, const QString& quantityText)
{
    // Checked first: a name the file cannot hold changes neither the list nor the file.
    const QString reason = LoadingText::unstorableNameReason(name);
    if (!reason.isEmpty())
        throw TessivarError(reason);
    const qint64 added = LoadingText::quantity(quantityText).value_or(0);
    // The same cargo under another spelling ("Computer" from the pick list,
    // "Computer Components" from a site, "steel") adds to the row already
    // listed, under that row's name: the file holds one entry per commodity.
    int row = -1;
    for (int r = 0; r < zaladunek_list.rowCount() && row < 0; ++r)
        if (zaladunek_list.cell(r, 0) != kTotal && LoadingText::sameCargo(zaladunek_list.cell(r, 0), name))
            row = r;
    qint64 quantity = added;
    QString listed = name;
    if (row >= 0) {
        quantity += LoadingText::quantity(zaladunek_list.cell(row, 1)).value_or(0);
        listed = zaladunek_list.cell(row, 0).trimmed();
    } else {
        zaladunek_list.appendRow({});
        row = zaladunek_list.rowCount() - 1;
    }
    zaladunek_list.setRow(row, {listed, QString::number(quantity), get_ilosc_kursow(quantity)});
    storeQuantity(listed, quantity);
    refreshTotal();
    notifyMobile();
}

void CargoModule::showOwnListForAdding()
{
    // What is added belongs to the commander's own list: it is shown first, so
    // the rows of another source are neither extended nor written to its file.
    if (selectedSource() != kMyCarrier)
        Carrier_loading_selectChange(0);
}

void CargoModule::add_zaladunek(bool dodac_do_istniejacego, const QStringList& materialy)
{
    rememberForUndo();
    showOwnListForAdding();
    if (!dodac_do_istniejacego)
        emptyList();
    zaladunek_list.setCell(0, 0, kHeader[0]);
    zaladunek_list.setCell(0, 1, kHeader[1]);
    QStringList refused;
    for (const QString& line : materialy) {
        const QStringList parts = line.split(QLatin1Char(':'));
        if (parts.size() != 2)
            continue;
        const QString name = parts[0].trimmed();
        if (!LoadingText::unstorableNameReason(name).isEmpty()) {
            refused.append(parts[0]);
            continue;
        }
        addQuantity(name, parts[1]);
    }
    if (!refused.isEmpty())
        throw TessivarError(
            QStringLiteral("These commodity names cannot be stored in zaladunek.ini and were not "
                           "added: %1")
                .arg(refused.join(QStringLiteral(", "))));
}

// ------------------------------------------------------------ reconciliation

void CargoModule::sprawdz_zaladunek(const QByteArray& JSON, const QString& typ)
{
    if (typ == QLatin1String("transfer")) {
        const JsonPlace place{QStringLiteral("CargoTransfer"), true};
        bool parsed = false;
        const QJsonObject o = CargoJson::eventObject(JSON, "CargoTransfer", &parsed);
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
            reduceAtOwnCarrier(type, e.value(QStringLiteral("Type_Localised")).toString(), count);
        }
    } else if (typ == QLatin1String("sell")) {
        const JsonPlace place{QStringLiteral("MarketSell"), true};
        bool parsed = false;
        const QJsonObject o = CargoJson::eventObject(JSON, "MarketSell", &parsed);
        if (!parsed)
            return;
        const QString type = requiredJsonText(o, QStringLiteral("Type"), place);
        const qint64 count = requiredJsonWhole(o, QStringLiteral("Count"), place, WholeRange::Exact);
        // The hub learns of the sale; its failure must not cost the list the sale.
        try {
            emit soldAtCarrier(type, count, JSON);
        } catch (const std::exception& e) {
            m_reports.report(errorText(e));
        }
        reduceAtOwnCarrier(type, o.value(QStringLiteral("Type_Localised")).toString(), count);
    }
}

void CargoModule::reduceAtOwnCarrier(const QString& mat, const QString& matLocalised, qint64 ilosc)
{
    if (dockedAtOwnCarrier(m_state)) {
        reduce(mat, matLocalised, ilosc, true);
        return;
    }
    // Cargo left at another commander's carrier (or a squadron's) is not on
    // the way to ours: the own list keeps it. A view of another source is
    // rebuilt as after any sale.
    // Said only while the own list is shown: a hauler selling to a hub
    // contract's carrier expects nothing else.
    if (selectedSource() == kMyCarrier)
        reportNotCounted();
    else
        rebuildFromSource(selectedSource());
}

void CargoModule::reportNotCounted()
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
    qCInfo(lcCargo).noquote() << text;
    m_reports.report(text);
}

void CargoModule::Aktualizuj_Zaladunek(const QString& mat, int ilosc)
{
    reduce(mat, {}, ilosc, false);
}

void CargoModule::reduce(const QString& mat, const QString& matLocalised, qint64 ilosc,
                         bool ownListWhenHidden)
{
    const QString source = selectedSource();
    if (source == kMyCarrier) {
        if (mat == QLatin1String("na")) {
            showOwnList();
            return;
        }
        if (reduceShownRows(mat, matLocalised, ilosc))
            m_undo.clear();
        notifyMobile();
        refreshTotal();
        return;
    }
    if (ownListWhenHidden && mat != QLatin1String("na") && reduceOwnFile(mat, matLocalised, ilosc))
        m_undo.clear();
    rebuildFromSource(source);
}

bool CargoModule::reduceShownRows(const QString& mat, const QString& matLocalised, qint64 ilosc)
{
    bool reduced = false;
    for (int r = 1; r < zaladunek_list.rowCount(); ++r) {
        const QString name = zaladunek_list.cell(r, 0);
        // The TOTAL row is computed and never stored.
        if (name == kTotal || !isCargo(name, mat, matLocalised))
            continue;
        const auto q = LoadingText::quantity(zaladunek_list.cell(r, 1));
        if (!q)
            throw TessivarError(
                QStringLiteral("The quantity of \"%1\" on the loading list is not a whole number: \"%2\".")
                    .arg(name, zaladunek_list.cell(r, 1)));
        const qint64 left = leftAfter(name, *q, ilosc);
        zaladunek_list.setCell(r, 1, QString::number(left));
        zaladunek_list.setCell(r, 2, get_ilosc_kursow(left));
        reduced = true;
        storeQuantity(name, left);
    }
    return reduced;
}

bool CargoModule::reduceOwnFile(const QString& mat, const QString& matLocalised, qint64 ilosc)
{
    const IniFile file(zaladunekPath());
    if (!file.exists())
        return false;
    IniDocument doc = file.document();
    bool dirty = false;
    for (const auto& [name, value] : doc.sectionValues(kSection)) {
        if (value.contains(QLatin1Char('=')) || name == kTotal || !isCargo(name, mat, matLocalised))
            continue;
        const auto q = LoadingText::quantity(value);
        if (!q) {
            if (dirty)
                file.save(doc);
            throw TessivarError(
                QStringLiteral("zaladunek.ini: the quantity of \"%1\" is not a whole number: \"%2\".")
                    .arg(name, value));
        }
        doc.setValue(kSection, name, QString::number(leftAfter(name, *q, ilosc)));
        dirty = true;
    }
    if (dirty)
        file.save(doc);
    return dirty;
}

void CargoModule::showOwnList()
{
    if (IniFile(zaladunekPath()).exists()) {
        read_zaladunek_from_file();
        return;
    }
    // Without a file the own list is empty; the rows of another source must not pass for it.
    zaladunek_list.setAll({zaladunek_list.row(0), {}});
    notifyMobile();
}

void CargoModule::rebuildFromSource(const QString& source)
{
    if (source == kTradeMissions) {
        QList<QStringList> rows{zaladunek_list.row(0)};
        for (const auto& [name, units] : std::as_const(m_missionCommodities))
            rows.append({name, QString::number(units), get_ilosc_kursow(units)});
        zaladunek_list.setAll(rows);
    } else if (const auto other = m_listSources.constFind(source); other != m_listSources.constEnd()) {
        QList<QStringList> rows{zaladunek_list.row(0)};
        for (const auto& [name, units] : (*other)())
            rows.append({name, QString::number(units), get_ilosc_kursow(units)});
        zaladunek_list.setAll(rows);
    } else {
        ZnajdzZlecenie(przyjete_zlecenia(), OrderLines::carrierIdPrefix() + source);
    }
    notifyMobile();
    refreshTotal();
}

QList<TAcceptedContract> CargoModule::przyjete_zlecenia() const
{
    return m_acceptedContracts ? m_acceptedContracts() : QList<TAcceptedContract>();
}

void CargoModule::ZnajdzZlecenie(const QList<TAcceptedContract>& TreeView, const QString& SzukanyMarketID)
{
    for (const TAcceptedContract& node : TreeView) {
        bool match = false;
        for (const QString& line : node.lines)
            match = match || line.contains(SzukanyMarketID);
        if (!match)
            continue;
        zaladunek_list.setRowCount(1);
        for (const auto& [name, count] : OrderLines::commodityRows(node.lines)) {
            const auto q = LoadingText::quantity(count);
            if (!q)
                throw TessivarError(
                    QStringLiteral("Accepted contract: the count of \"%1\" is not a whole number: \"%2\".")
                        .arg(name, count));
            zaladunek_list.appendRow({name, count, get_ilosc_kursow(*q)});
        }
    }
}

// ------------------------------------------------------------------ selector

QString CargoModule::selectorEntryText(int index) const
{
    const QString entry = Carrier_loading_select.value(index);
    if (index < 2 || entry.isEmpty())
        return entry;
    // A taken contract is stored by its carrier's id; a person reads the order's heading.
    const QString idLine = QStringLiteral("CarrierID: ") + entry;
    for (const TAcceptedContract& c : przyjete_zlecenia())
        for (const QString& line : c.lines)
            if (line.trimmed().endsWith(idLine))
                return c.text.trimmed() + QStringLiteral(" (") + entry + QLatin1Char(')');
    return entry;
}

void CargoModule::Carrier_loading_selectChange(int index)
{
    if (index < 0 || index >= Carrier_loading_select.size())
        return;
    Carrier_loading_select_index = index;
    emit changed();
    Aktualizuj_Zaladunek(QStringLiteral("na"), 0);
}

void CargoModule::selectEntry(const QString& entry)
{
    Carrier_loading_selectChange(int(Carrier_loading_select.indexOf(entry)));
}

void CargoModule::appendSelectorEntry(const QString& carrierId)
{
    Carrier_loading_select.append(carrierId);
    Carrier_loading_selectChange(int(Carrier_loading_select.size()) - 1);
}

void CargoModule::addListSource(const QString& name, std::function<QList<QPair<QString, qint64>>()> rows)
{
    m_listSources.insert(name, std::move(rows));
    if (!Carrier_loading_select.contains(name))
        Carrier_loading_select.append(name);
    emit changed();
}

void CargoModule::refreshSource(const QString& name)
{
    if (selectedSource() == name)
        rebuildFromSource(name);
}

// ------------------------------------------------------- the window's actions

void CargoModule::FormShow()
{
    if (selectedSource() == kMyCarrier)
        read_zaladunek_from_file();
    else
        Aktualizuj_Zaladunek(QStringLiteral("na"), 0);
}

void CargoModule::addClick()
{
    UserInteraction& ui = m_ui;
    const auto name = ui.askText(QStringLiteral("Nazwa towaru"), QStringLiteral("Nazwa towaru:"), QString());
    if (!name || name->trimmed().isEmpty())
        return;
    const auto quantity =
        ui.askText(QStringLiteral("Ilość towaru"), QStringLiteral("Ilość towaru:"), QStringLiteral("792"));
    if (!quantity || quantity->isEmpty())
        return;
    rememberForUndo();
    showOwnListForAdding();
    addQuantity(name->trimmed(), *quantity);
}

void CargoModule::Dodajdozaadunku1Click(int row)
{
    if (row < 0 || row >= materialy_nazwy.rowCount())
        return;
    const QString name = materialy_nazwy.cell(row, 0).trimmed();
    if (name.isEmpty())
        return;
    const auto quantity =
        m_ui.askText(QStringLiteral("Podaj ilość"), QStringLiteral("Podaj ilość:"), QStringLiteral("792"));
    if (!quantity || quantity->isEmpty())
        return;
    rememberForUndo();
    showOwnListForAdding();
    addQuantity(name, *quantity);
}

void CargoModule::Usutowar1Click(int row)
{
    if (row < 0 || row >= zaladunek_list.rowCount())
        return;
    rememberForUndo();
    const QString key = zaladunek_list.cell(row, 0).trimmed();
    const IniFile file(zaladunekPath());
    // Another source's rows are only taken off the screen: the own list stays whole.
    if (selectedSource() == kMyCarrier && !key.isEmpty() && file.exists()) {
        // Every spelling of the name goes, so no older entry resurfaces on the next load.
        IniDocument doc = file.document();
        bool dirty = false;
        while (doc.valueExists(kSection, key)) {
            doc.deleteKey(kSection, key);
            dirty = true;
        }
        if (dirty)
            file.save(doc);
    }
    zaladunek_list.setRow(row, {});
    DeleteGridRow(zaladunek_list, row);
    refreshTotal();
    notifyMobile();
}

void CargoModule::Wyczylist1Click()
{
    rememberForUndo();
    if (selectedSource() == kMyCarrier)
        IniFile(zaladunekPath()).eraseSection(kSection);
    emptyList();
    refreshTotal();
    notifyMobile();
}

void CargoModule::btn_zaladunek_zapiszClick()
{
    // Mission totals and contracts are not the commander's list: saving them
    // would mix them into zaladunek.ini.
    if (selectedSource() != kMyCarrier) {
        add_zaladunek_ilosc_kursow();
        notifyMobile();
        return;
    }
    rememberForUndo();
    const IniFile file(zaladunekPath());
    IniDocument doc = file.document();
    bool dirty = false;
    const auto stopAt = [&](const QString& message) {
        // What was saved before the faulty row stays saved.
        if (dirty)
            file.save(doc);
        throw TessivarError(message);
    };
    for (int r = 1; r < zaladunek_list.rowCount(); ++r) {
        const QString name = zaladunek_list.cell(r, 0);
        const QString quantity = zaladunek_list.cell(r, 1);
        if (name == kTotal)
            continue;
        // The blank row an emptied list keeps holds nothing to save.
        if (name.trimmed().isEmpty() && quantity.trimmed().isEmpty())
            continue;
        const auto q = LoadingText::quantity(quantity);
        if (!q)
            stopAt(QStringLiteral(
                       "Not saved from row %1 on: the quantity of \"%2\" is not a whole number: \"%3\".")
                       .arg(QString::number(r), name, quantity));
        const QString reason = LoadingText::unstorableNameReason(name);
        if (!reason.isEmpty())
            stopAt(QStringLiteral("Not saved from row %1 on: %2").arg(QString::number(r), reason));
        doc.setValue(kSection, name.trimmed(), QString::number(*q));
        dirty = true;
    }
    if (dirty)
        file.save(doc);
    add_zaladunek_ilosc_kursow();
    notifyMobile();
}

void CargoModule::rememberForUndo()
{
    ListSnapshot snap;
    snap.rows = zaladunek_list.rows();
    snap.sourceIndex = Carrier_loading_select_index;
    const IniFile file(zaladunekPath());
    if (file.exists())
        snap.file = file.document();  // keeps the file's bytes as they are
    m_undo.append(std::move(snap));
    while (m_undo.size() > kUndoDepth)
        m_undo.removeFirst();
    emit changed();
}

void CargoModule::undoLastChange()
{
    if (m_undo.isEmpty())
        return;
    const ListSnapshot snap = m_undo.takeLast();
    const QString path = zaladunekPath();
    if (snap.file)
        IniFile(path).save(*snap.file);
    else if (QFile::exists(path) && !QFile::remove(path))
        throw TessivarError(tr("Cannot remove %1").arg(QDir::toNativeSeparators(path)));
    if (snap.sourceIndex >= 0 && snap.sourceIndex < Carrier_loading_select.size())
        Carrier_loading_select_index = snap.sourceIndex;
    emit changed();
    // The own list is the file again (edits never saved are gone with it);
    // another source's rows are put back as they were shown.
    if (selectedSource() == kMyCarrier) {
        showOwnList();
        return;
    }
    zaladunek_list.setAll(snap.rows);
    notifyMobile();
}

void CargoModule::searchMarkets(const QString& name)
{
    if (name.isEmpty())
        return;
    // Searches and asks for the Data Base window to be shown.
    emit searchRequested(name);
}

void CargoModule::Findonmarketslocalfiles1Click(int row)
{
    searchMarkets(zaladunek_list.cell(row, 0));
}

void CargoModule::Findonmarketslocalfiles2Click(int row)
{
    searchMarkets(materialy_nazwy.cell(row, 0));
}

// ---------------------------------------------------------------------- dump

QJsonObject CargoModule::dumpJson() const
{
    QJsonArray file;
    try {
        for (const auto& [key, value] : IniFile(zaladunekPath()).document().sectionValues(kSection))
            file.append(QJsonArray{key, value});
    } catch (const std::exception& e) {
        file.append(QJsonArray{QStringLiteral("error"), QString::fromUtf8(e.what())});
    }
    return {
        {QStringLiteral("CargoLog"), QJsonArray::fromStringList(CargoLog)},
        {QStringLiteral("cargo_list"), cargo_list.toJson()},
        {QStringLiteral("zaladunek_list"), zaladunek_list.toJson()},
        {QStringLiteral("Carrier_loading_select"), QJsonArray::fromStringList(Carrier_loading_select)},
        {QStringLiteral("Carrier_loading_select_index"), Carrier_loading_select_index},
        {QStringLiteral("materialy_nazwy"), materialy_nazwy.toJson()},
        {QStringLiteral("zaladunek.ini"), file},
    };
}
