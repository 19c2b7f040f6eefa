#include "cargo/CargoModule.h"

#include "cargo/CommonMaterials.h"
#include "cargo/ContractRows.h"
#include "cargo/LoadingText.h"
#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "common/ReportSink.h"
#include "common/UserInteraction.h"
#include "hub/OrderLines.h"

#include <QDir>
#include <QJsonArray>
#include <QLoggingCategory>
#include <algorithm>

Q_LOGGING_CATEGORY(lcCargo, "tessivar.cargo")

namespace {

const QString kTotal = QStringLiteral("TOTAL");
const QString kMyCarrier = QStringLiteral("My Carrier");
const QString kTradeMissions = QStringLiteral("Trade Missions");

// Row 0 of the tables, as the phone and the replay dump have always read them.
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
                         std::function<QList<Order>()> acceptedContracts)
    : m_state(state), m_reports(reports), m_ui(ui), m_acceptedContracts(std::move(acceptedContracts)),
      m_file(dataDir + QStringLiteral("zaladunek.ini")), m_hold(std::move(journalFolder), reports),
      m_reconciler(state, *this, reports)
{
    loadingList.setEditable(true);
    loadingList.setShownText(0, &CommodityNames::displayName);
    loadingList.appendRow(kHeader);
    loadingList.appendRow({});
    commonMaterials.setEditable(true);
    QList<QStringList> materials;
    for (const QString& m : commonMaterialNames())
        materials.append({m});
    commonMaterials.setAll(materials);
    addSource({kTradeMissions, [&missionCommodities] {
                   QList<QPair<QString, qint64>> rows;
                   for (const auto& [name, units] : missionCommodities)
                       rows.append({name, units});
                   return rows;
               }});
}

void CargoModule::start()
{
    try {
        loadOwnList();
    } catch (const std::exception& e) {
        m_reports.report(errorText(e));
    }
}

// -------------------------------------------------------------- the list

LoadingListRows CargoModule::mirroredRows() const
{
    LoadingListRows out;
    out.anyRow = loadingList.rowCount() > 1;
    for (int r = 1; r < loadingList.rowCount(); ++r) {
        const QStringList cells = loadingList.row(r);
        if (std::all_of(cells.cbegin(), cells.cend(), [](const QString& c) { return c.trimmed().isEmpty(); }))
            continue;
        out.rows.append({r, cells.value(0), cells.value(1), cells.value(2), cells.value(0) == kTotal});
    }
    return out;
}

QList<LoadingEntry> CargoModule::entries() const
{
    QList<LoadingEntry> out;
    for (LoadingEntry& e : mirroredRows().rows)
        // A row with only its trips left is no commodity either.
        if (!e.total && !(e.name.trimmed().isEmpty() && e.quantity.trimmed().isEmpty()))
            out.append(std::move(e));
    return out;
}

QString CargoModule::tripsText(qint64 quantity) const
{
    const qint64 capacity = m_state.DaneStatku.CargoCapacity;
    if (capacity <= 0 || quantity <= 0)
        return QStringLiteral("0");
    const qint64 fullTrips = quantity / capacity;
    const qint64 rest = quantity - fullTrips * capacity;
    return QString::number(fullTrips) + QLatin1Char('-') + QString::number(rest);
}

void CargoModule::deleteRow(TextTableModel& table, int row)
{
    if (row < 0 || row >= table.rowCount() || table.rowCount() <= 1)
        return;
    table.removeRowAt(row);
}

void CargoModule::removeTotal()
{
    for (int r = loadingList.rowCount() - 1; r >= 0; --r)
        if (loadingList.cell(r, 0) == kTotal)
            deleteRow(loadingList, r);
}

void CargoModule::appendTotal()
{
    qint64 total = 0;
    for (const LoadingEntry& e : entries())
        total += std::max<qint64>(LoadingText::quantity(e.quantity).value_or(0), 0);
    loadingList.appendRow({kTotal, QString::number(total), tripsText(total)});
}

void CargoModule::refreshTotal()
{
    removeTotal();
    appendTotal();
}

void CargoModule::refreshTrips()
{
    for (int r = 0; r < loadingList.rowCount(); ++r)
        if (const auto q = LoadingText::quantity(loadingList.cell(r, 1)))
            loadingList.setCell(r, 2, tripsText(*q));
}

void CargoModule::emptyList()
{
    loadingList.setRowCount(2);
    loadingList.setRow(1, {});
}

void CargoModule::loadOwnList()
{
    const LoadingListFile::Read read = m_file.read();
    if (!read.exists)
        return;
    if (!read.failure.isEmpty())
        throw TessivarError(read.failure);
    if (!read.repeatedKeys.isEmpty() && read.repeatedKeys != m_lastRepeatReport)
        m_reports.notice(read.repeatedKeys);
    m_lastRepeatReport = read.repeatedKeys;
    QList<QStringList> rows{loadingList.row(0)};
    qint64 total = 0;
    for (const LoadingFileEntry& e : read.entries) {
        rows.append({e.name, e.text, tripsText(e.quantity)});
        // A negative quantity (written by an older version) is nothing to bring.
        total += std::max<qint64>(e.quantity, 0);
    }
    // What was read before a bad quantity is shown, without a TOTAL that would
    // pass for the whole list's.
    if (read.anyLine && read.badNumber.isEmpty())
        rows.append({kTotal, QString::number(total), tripsText(total)});
    loadingList.setAll(rows);
    emit rowsChanged();
    if (!read.badNumber.isEmpty())
        throw TessivarError(read.badNumber);
}

void CargoModule::storeQuantity(const QString& name, qint64 quantity)
{
    m_file.write(name, quantity);
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
    const QList<LoadingEntry> listed = entries();
    const auto same = std::find_if(listed.cbegin(), listed.cend(), [&](const LoadingEntry& e) {
        return LoadingText::sameCargo(e.name, name);
    });
    qint64 quantity = added;
    QString shownName = name;
    int row = -1;
    if (same != listed.cend()) {
        row = same->row;
        quantity += LoadingText::quantity(same->quantity).value_or(0);
        shownName = same->name.trimmed();
    } else {
        loadingList.appendRow({});
        row = loadingList.rowCount() - 1;
    }
    loadingList.setRow(row, {shownName, QString::number(quantity), tripsText(quantity)});
    storeQuantity(shownName, quantity);
    refreshTotal();
    emit rowsChanged();
}

void CargoModule::showOwnListForAdding()
{
    // What is added belongs to the commander's own list: it is shown first, so
    // the rows of another source are neither extended nor written to its file.
    if (!ownListShown())
        selectSource(0);
}

void CargoModule::addLines(bool addToCurrent, const QStringList& lines)
{
    rememberForUndo();
    showOwnListForAdding();
    if (!addToCurrent)
        emptyList();
    loadingList.setCell(0, 0, kHeader[0]);
    loadingList.setCell(0, 1, kHeader[1]);
    QStringList refused;
    for (const QString& line : lines) {
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
            tr("These commodity names cannot be stored in zaladunek.ini and were not added: %1")
                .arg(refused.join(QStringLiteral(", "))));
}

// ------------------------------------------------------------- deliveries

void CargoModule::reduceShownList(const QString& type, qint64 count)
{
    if (!ownListShown()) {
        rebuildFromSource();
        return;
    }
    if (reduceShownRows(type, {}, count)) {
        m_undo.clear();
        emit undoChanged();
    }
    emit rowsChanged();
    refreshTotal();
}

void CargoModule::reduceOwnList(const QString& type, const QString& localised, qint64 count)
{
    if (ownListShown()) {
        if (reduceShownRows(type, localised, count)) {
            m_undo.clear();
            emit undoChanged();
        }
        emit rowsChanged();
        refreshTotal();
        return;
    }
    const bool reduced =
        m_file.update([&](const QString& name) { return isCargo(name, type, localised); },
                      [&](const QString& name, qint64 listed) { return leftAfter(name, listed, count); });
    if (reduced) {
        m_undo.clear();
        emit undoChanged();
    }
    rebuildFromSource();
}

bool CargoModule::reduceShownRows(const QString& type, const QString& localised, qint64 count)
{
    bool reduced = false;
    for (const LoadingEntry& e : entries()) {
        if (!isCargo(e.name, type, localised))
            continue;
        const auto q = LoadingText::quantity(e.quantity);
        if (!q)
            throw TessivarError(
                tr("The quantity of \"%1\" on the loading list is not a whole number: \"%2\".")
                    .arg(e.name, e.quantity));
        const qint64 left = leftAfter(e.name, *q, count);
        loadingList.setCell(e.row, 1, QString::number(left));
        loadingList.setCell(e.row, 2, tripsText(left));
        reduced = true;
        storeQuantity(e.name, left);
    }
    return reduced;
}

// ---------------------------------------------------------------- sources

void CargoModule::showOwnList()
{
    if (m_file.exists()) {
        loadOwnList();
        return;
    }
    // Without a file the own list is empty; the rows of another source must not pass for it.
    loadingList.setAll({loadingList.row(0), {}});
    emit rowsChanged();
}

void CargoModule::rebuildFromSource()
{
    if (ownListShown()) {
        showOwnList();
        return;
    }
    if (m_selected <= m_sources.size()) {
        QList<QStringList> rows{loadingList.row(0)};
        for (const auto& [name, quantity] : m_sources[m_selected - 1].rows())
            rows.append({name, QString::number(quantity), tripsText(quantity)});
        loadingList.setAll(rows);
    } else {
        ZnajdzZlecenie(acceptedContracts(), selectedSource().toULongLong());
    }
    emit rowsChanged();
    refreshTotal();
}

void CargoModule::refreshFromSources()
{
    if (!ownListShown()) {
        rebuildFromSource();
        return;
    }
    emit rowsChanged();
    refreshTotal();
}

void CargoModule::addSource(LoadingSource source)
{
    m_sources.append(std::move(source));
    emit selectionChanged();
}

QStringList CargoModule::selectorEntries() const
{
    QStringList out{kMyCarrier};
    for (const LoadingSource& s : m_sources)
        out.append(s.name);
    return out + m_contractCarriers;
}

bool CargoModule::isContractCarrier(int index) const
{
    return index > m_sources.size() && index < selectorEntries().size();
}

QList<Order> CargoModule::acceptedContracts() const
{
    return m_acceptedContracts ? m_acceptedContracts() : QList<Order>();
}

void CargoModule::ZnajdzZlecenie(const QList<Order>& accepted, quint64 carrierId)
{
    const auto rows = contractRows(accepted, carrierId);
    if (!rows)
        return;
    loadingList.setRowCount(1);
    for (const ContractRow& row : *rows)
        loadingList.appendRow({row.commodity, QString::number(row.count), tripsText(row.count)});
}

// ------------------------------------------------------------------ selector

QString CargoModule::selectorEntryText(int index) const
{
    const QString entry = selectorEntries().value(index);
    if (!isContractCarrier(index) || entry.isEmpty()) {
        // The lists' own sources read in the person's language; the stored
        // selection and the dump keep their names.
        static const char* const kCaptions[] = {QT_TR_NOOP("My Carrier"), QT_TR_NOOP("Trade Missions"),
                                                QT_TR_NOOP("Still to buy")};
        for (const char* caption : kCaptions)
            if (entry == QLatin1String(caption))
                return tr(caption);
        return entry;
    }
    // A taken contract is stored by its carrier's id; a person reads the order's heading.
    const QList<Order> accepted = acceptedContracts();
    if (const Order* order = acceptedOrderOf(accepted, entry.toULongLong()))
        return OrderLines::header(*order, OrderLines::Wording::Shown).trimmed() + QStringLiteral(" (") +
               entry + QLatin1Char(')');
    return entry;
}

void CargoModule::selectSource(int index)
{
    if (index < 0 || index >= selectorEntries().size())
        return;
    m_selected = index;
    emit selectionChanged();
    rebuildFromSource();
}

void CargoModule::selectEntry(const QString& entry)
{
    selectSource(int(selectorEntries().indexOf(entry)));
}

void CargoModule::appendSelectorEntry(const QString& carrierId)
{
    m_contractCarriers.append(carrierId);
    selectSource(int(selectorEntries().size()) - 1);
}

void CargoModule::refreshSource(const QString& name)
{
    if (selectedSource() == name)
        rebuildFromSource();
}

// ------------------------------------------------------- the window's actions

void CargoModule::windowShown()
{
    if (ownListShown())
        loadOwnList();
    else
        rebuildFromSource();
}

void CargoModule::askAndAddCommodity()
{
    const auto name = m_ui.askText(tr("Commodity name"), tr("Commodity name:"), QString());
    if (!name || name->trimmed().isEmpty())
        return;
    const auto quantity =
        m_ui.askText(tr("Commodity amount"), tr("Amount in tonnes:"), QStringLiteral("792"));
    if (!quantity || quantity->isEmpty())
        return;
    rememberForUndo();
    showOwnListForAdding();
    addQuantity(name->trimmed(), *quantity);
}

void CargoModule::addCommonMaterial(int row)
{
    if (row < 0 || row >= commonMaterials.rowCount())
        return;
    const QString name = commonMaterials.cell(row, 0).trimmed();
    if (name.isEmpty() || isCommonMaterialHeading(name))
        return;
    const auto quantity = m_ui.askText(tr("Amount"), tr("Amount in tonnes:"), QStringLiteral("792"));
    if (!quantity || quantity->isEmpty())
        return;
    rememberForUndo();
    showOwnListForAdding();
    addQuantity(name, *quantity);
}

void CargoModule::removeRow(int row)
{
    // Row 0 holds the heading the phone reads.
    if (row < 1 || row >= loadingList.rowCount())
        return;
    rememberForUndo();
    // Another source's rows are only taken off the screen: the own list stays
    // whole. Every spelling of the name goes from the file, so no older entry
    // resurfaces on the next load.
    if (ownListShown())
        m_file.erase(loadingList.cell(row, 0).trimmed());
    loadingList.setRow(row, {});
    deleteRow(loadingList, row);
    refreshTotal();
    emit rowsChanged();
}

void CargoModule::clearList()
{
    rememberForUndo();
    if (ownListShown())
        m_file.clear();
    emptyList();
    refreshTotal();
    emit rowsChanged();
}

void CargoModule::saveEdits()
{
    // Mission totals and contracts are not the commander's list: saving them
    // would mix them into zaladunek.ini.
    if (!ownListShown()) {
        refreshTrips();
        emit rowsChanged();
        return;
    }
    rememberForUndo();
    QList<QPair<QString, qint64>> valid;
    QString stop;
    for (const LoadingEntry& e : entries()) {
        const auto q = LoadingText::quantity(e.quantity);
        if (!q) {
            stop = tr("Not saved from row %1 on: the quantity of \"%2\" is not a whole number: \"%3\".")
                       .arg(QString::number(e.row), e.name, e.quantity);
            break;
        }
        const QString reason = LoadingText::unstorableNameReason(e.name);
        if (!reason.isEmpty()) {
            stop = tr("Not saved from row %1 on: %2").arg(QString::number(e.row), reason);
            break;
        }
        valid.append({e.name, *q});
    }
    // What was saved before the faulty row stays saved.
    m_file.writeAll(valid);
    if (!stop.isEmpty())
        throw TessivarError(stop);
    refreshTrips();
    emit rowsChanged();
}

void CargoModule::rememberForUndo()
{
    m_undo.append({loadingList.rows(), m_selected, m_file.snapshot()});
    while (m_undo.size() > kUndoDepth)
        m_undo.removeFirst();
    emit undoChanged();
}

void CargoModule::undoLastChange()
{
    if (m_undo.isEmpty())
        return;
    const ListSnapshot snap = m_undo.takeLast();
    m_file.restore(snap.file);
    if (snap.sourceIndex >= 0 && snap.sourceIndex < selectorEntries().size())
        m_selected = snap.sourceIndex;
    emit selectionChanged();
    emit undoChanged();
    // The own list is the file again (edits never saved are gone with it);
    // another source's rows are put back as they were shown.
    if (ownListShown()) {
        showOwnList();
        return;
    }
    loadingList.setAll(snap.rows);
    emit rowsChanged();
}

void CargoModule::searchMarkets(const QString& name)
{
    if (name.isEmpty())
        return;
    // Searches and asks for the Data Base window to be shown.
    emit searchRequested(name);
}

void CargoModule::searchLoadingRow(int row)
{
    // Row 0 holds the list's heading, no commodity to look for.
    if (row < 1)
        return;
    searchMarkets(loadingList.cell(row, 0));
}

void CargoModule::searchCommonMaterial(int row)
{
    const QString name = commonMaterials.cell(row, 0);
    if (!isCommonMaterialHeading(name))
        searchMarkets(name);
}

// ---------------------------------------------------------------------- dump

// The record's keys are the names these lists had when the record began.
QJsonObject CargoModule::dumpJson() const
{
    return {
        {QStringLiteral("CargoLog"), QJsonArray::fromStringList(m_hold.entryLines)},
        {QStringLiteral("cargo_list"), m_hold.table.toJson()},
        {QStringLiteral("zaladunek_list"), loadingList.toJson()},
        {QStringLiteral("Carrier_loading_select"), QJsonArray::fromStringList(selectorEntries())},
        {QStringLiteral("Carrier_loading_select_index"), m_selected},
        {QStringLiteral("materialy_nazwy"), commonMaterials.toJson()},
        {QStringLiteral("zaladunek.ini"), m_file.dump()},
    };
}
