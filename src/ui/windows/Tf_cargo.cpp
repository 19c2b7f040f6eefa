#include "windows/Tf_cargo.h"

#include "cargo/CargoModule.h"
#include "cargo/CommonMaterials.h"
#include "widgets/WindowParts.h"

#include <QAbstractProxyModel>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSortFilterProxyModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 331;
constexpr int kClientHeight = 675;
constexpr int kTopStrip = 41;

// A list of the cargo core as a person reads it: row 0 of the core's table
// (kept there for the phone and the record) gives way to real column headers,
// the TOTAL row stands out, trips read "4 × 90" and names are the game's.
class CargoGridModel : public QSortFilterProxyModel
{
public:
    CargoGridModel(QStringList captions, int tripsColumn, std::function<QString(const QString&)> shownName,
                   QObject* parent)
        : QSortFilterProxyModel(parent), m_captions(std::move(captions)), m_tripsColumn(tripsColumn),
          m_shownName(std::move(shownName))
    {}

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_captions.size())
            return m_captions[section];
        return QSortFilterProxyModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const QVariant v = QSortFilterProxyModel::data(index, role);
        const QString text = QSortFilterProxyModel::data(index, Qt::DisplayRole).toString();
        const bool total =
            QSortFilterProxyModel::data(index.siblingAtColumn(0), Qt::DisplayRole).toString() ==
            QLatin1String("TOTAL");
        if (role == Qt::FontRole && total) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        // The sum reads as the construction list's does, in the person's language.
        if (index.column() == 0 && total && role == Qt::DisplayRole)
            return QCoreApplication::translate("Tf_Construct", "TOTAL");
        if (index.column() == 0 && m_shownName && !total) {
            if (role == Qt::DisplayRole)
                return m_shownName(text);
            if (role == Qt::ToolTipRole && !v.isValid())
                return text;
        }
        if (index.column() == m_tripsColumn && role == Qt::DisplayRole)
            return tripsShown(text);
        if (index.column() == m_tripsColumn && role == Qt::ToolTipRole) {
            if (const QString tip = tripsToolTip(text); !tip.isEmpty())
                return tip;
        }
        return v;
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex&) const override { return sourceRow != 0; }

private:
    QStringList m_captions;
    int m_tripsColumn;
    std::function<QString(const QString&)> m_shownName;
};

// The pick list with its two headings in the person's language, set apart.
class MaterialsGridModel : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const QString name = QIdentityProxyModel::data(index, Qt::DisplayRole).toString();
        if (!isCommonMaterialHeading(name))
            return QIdentityProxyModel::data(index, role);
        if (role == Qt::DisplayRole)
            return name == QLatin1String("PODSTAWOWE:")
                       ? QCoreApplication::translate("Tf_cargo", "Basic materials")
                       : QCoreApplication::translate("Tf_cargo", "Further materials");
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QIdentityProxyModel::data(index, role);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        // A heading is no commodity to type over.
        if (isCommonMaterialHeading(QIdentityProxyModel::data(index, Qt::DisplayRole).toString()))
            return QIdentityProxyModel::flags(index) & ~Qt::ItemIsEditable;
        return QIdentityProxyModel::flags(index);
    }
};

}  // namespace

Tf_cargo::Tf_cargo(CargoModule& cargo, ReportFn report, QWidget* parent)
    : QWidget(parent, Qt::Window), m_cargo(cargo), m_report(std::move(report))
{
    setWindowTitle(tr("Cargo"));
    QFont f = font();
    f.setFamilies({QStringLiteral("Segoe UI"), f.family()});
    setFont(f);

    auto* layout = new QVBoxLayout(addScrollingBody(this));
    layout->setContentsMargins(0, kTopStrip, 0, 0);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    // Narrow tabs, so the three captions fit the designed width; in less
    // room they scroll with the bar's arrows, never cut.
    tabs->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 5px; }"));
    tabs->setUsesScrollButtons(true);
    tabs->setElideMode(Qt::ElideNone);
    layout->addWidget(tabs);

    // Ship's hold: read only.
    auto* holdTab = new QWidget(tabs);
    auto* holdLayout = new QVBoxLayout(holdTab);
    m_holdRows = new CargoGridModel(
        {tr("Commodity"), tr("Amount")}, -1,
        [&cargo](const QString& id) { return cargo.hold().displayName(id); }, this);
    m_holdRows->setSourceModel(&cargo.hold().table);
    holdGrid = makeGrid(holdTab, m_holdRows, {172, 103});
    holdGrid->setObjectName(QStringLiteral("holdGrid"));
    holdGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    holdLayout->addWidget(holdGrid);
    tabs->addTab(holdTab, tr("📦 Ship Cargo"));

    // Loading list with its source selector and the save button.
    auto* loadingTab = new QWidget(tabs);
    auto* loadingLayout = new QVBoxLayout(loadingTab);
    sourceSelector = new QComboBox(loadingTab);
    sourceSelector->setObjectName(QStringLiteral("sourceSelector"));
    loadingLayout->addWidget(sourceSelector);
    m_loadingRows = new CargoGridModel({tr("Commodity"), tr("Amount"), tr("Trips")}, 2, {}, this);
    m_loadingRows->setSourceModel(&cargo.loadingList);
    loadingGrid = makeGrid(loadingTab, m_loadingRows, {172, 70, 69});
    loadingGrid->setObjectName(QStringLiteral("loadingGrid"));
    loadingLayout->addWidget(loadingGrid);
    saveButton = new QPushButton(tr("💾 Save Changes"), loadingTab);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    undoButton = new QPushButton(tr("↩️ Undo"), loadingTab);
    undoButton->setObjectName(QStringLiteral("undoButton"));
    undoButton->setToolTip(tr("Take back the last change of the loading list (Ctrl+Z)"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton, 1);
    buttons->addWidget(undoButton);
    loadingLayout->addLayout(buttons);
    tabs->addTab(loadingTab, tr("📥 Carrier Loading"));

    // Common materials to pick from; its headings are rows of the list.
    auto* materialsTab = new QWidget(tabs);
    auto* materialsLayout = new QVBoxLayout(materialsTab);
    auto* materials = new MaterialsGridModel(this);
    materials->setSourceModel(&cargo.commonMaterials);
    materialsGrid = makeGrid(materialsTab, materials, {172});
    materialsGrid->horizontalHeader()->hide();
    materialsGrid->setObjectName(QStringLiteral("materialsGrid"));
    materialsLayout->addWidget(materialsGrid);
    tabs->addTab(materialsTab, tr("⬅️ Add to list"));
    tabs->setCurrentIndex(1);

    // Undo works from anywhere in the window, as long as no cell is being edited
    // (its editor takes the keys first).
    undoAction = new QAction(tr("↩️ Undo"), this);
    undoAction->setShortcut(QKeySequence::Undo);
    undoAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(undoAction);

    loadingMenu = new QMenu(this);
    addCommodityAction = loadingMenu->addAction(tr("➕ Add your own commodity"));
    removeAction = loadingMenu->addAction(tr("❌ Remove commodity"));
    clearAction = loadingMenu->addAction(tr("📋 Clear the list"));
    loadingMenu->addSeparator();
    findLoadingAction = loadingMenu->addAction(tr("🔍 Find on markets (local files)"));

    materialsMenu = new QMenu(this);
    addMaterialAction = materialsMenu->addAction(tr("⬅️ Add to loading list"));
    materialsMenu->addSeparator();
    findMaterialAction = materialsMenu->addAction(tr("🔍 Find on markets (local files)"));

    // The core's row of the selected cell; none (-1) when nothing is selected.
    const auto loadingRow = [this] { return m_loadingRows->mapToSource(loadingGrid->currentIndex()).row(); };
    const auto materialRow = [this] { return materialsGrid->currentIndex().row(); };
    connect(addCommodityAction, &QAction::triggered, this,
            [this] { run([this] { m_cargo.askAndAddCommodity(); }); });
    connect(removeAction, &QAction::triggered, this,
            [this, loadingRow] { run([&] { m_cargo.removeRow(loadingRow()); }); });
    connect(clearAction, &QAction::triggered, this, [this] { run([this] { m_cargo.clearList(); }); });
    connect(findLoadingAction, &QAction::triggered, this,
            [this, loadingRow] { run([&] { m_cargo.searchLoadingRow(loadingRow()); }); });
    connect(addMaterialAction, &QAction::triggered, this,
            [this, materialRow] { run([&] { m_cargo.addCommonMaterial(materialRow()); }); });
    connect(findMaterialAction, &QAction::triggered, this,
            [this, materialRow] { run([&] { m_cargo.searchCommonMaterial(materialRow()); }); });
    connect(saveButton, &QPushButton::clicked, this, [this] { run([this] { m_cargo.saveEdits(); }); });
    connect(undoAction, &QAction::triggered, this, [this] { run([this] { m_cargo.undoLastChange(); }); });
    connect(undoButton, &QPushButton::clicked, undoAction, &QAction::trigger);
    connect(sourceSelector, &QComboBox::activated, this,
            [this](int index) { run([&] { m_cargo.selectSource(index); }); });

    loadingGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(loadingGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { loadingMenu->popup(loadingGrid->viewport()->mapToGlobal(p)); });
    materialsGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(materialsGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { materialsMenu->popup(materialsGrid->viewport()->mapToGlobal(p)); });
    // The menus act on the row of the selected cell; a right click must not move it.
    loadingGrid->viewport()->installEventFilter(this);
    materialsGrid->viewport()->installEventFilter(this);

    connect(&cargo, &CargoModule::selectionChanged, this, &Tf_cargo::refreshSelector);
    connect(&cargo, &CargoModule::undoChanged, this, &Tf_cargo::refreshSelector);
    // A taken contract's heading may arrive with its rows.
    connect(&cargo, &CargoModule::rowsChanged, this, &Tf_cargo::refreshSelector);
    refreshSelector();

    resize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - frameGeometry().width() + 1, area.top());
    }
}

QTableView* Tf_cargo::makeGrid(QWidget* parent, QAbstractItemModel* model, const QList<int>& widths)
{
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setWordWrap(false);
    view->horizontalHeader()->setMinimumSectionSize(20);
    view->horizontalHeader()->setSectionsClickable(false);
    for (int c = 0; c < widths.size(); ++c)
        view->setColumnWidth(c, widths[c]);
    // The panel is narrow when tiled: the name takes what the numbers leave,
    // so no column hides behind a sideways scroll bar.
    if (widths.size() > 1) {
        QHeaderView* header = view->horizontalHeader();
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < widths.size(); ++c)
            header->setSectionResizeMode(c, QHeaderView::Fixed);
        // The number columns as wide as their widest text, the bold TOTAL's
        // included. The header's own ResizeToContents measures again only when
        // the view lays itself out, not when a cell changes or a row comes, so
        // a TOTAL grown by a delivery was cut. Once per burst of changes.
        auto* fit = new QTimer(view);
        fit->setSingleShot(true);
        fit->setInterval(0);
        connect(fit, &QTimer::timeout, view, [view, columns = int(widths.size())] {
            for (int c = 1; c < columns; ++c)
                view->resizeColumnToContents(c);
        });
        const auto refit = [fit] { fit->start(); };
        connect(model, &QAbstractItemModel::dataChanged, fit, refit);
        connect(model, &QAbstractItemModel::rowsInserted, fit, refit);
        connect(model, &QAbstractItemModel::rowsRemoved, fit, refit);
        connect(model, &QAbstractItemModel::modelReset, fit, refit);
        connect(model, &QAbstractItemModel::layoutChanged, fit, refit);
        fit->start();
    }
    return view;
}

void Tf_cargo::refreshSelector()
{
    const CargoModule& cargo = m_cargo;
    const QSignalBlocker block(sourceSelector);
    const QStringList entries = cargo.selectorEntries();
    QStringList wanted;
    for (int i = 0; i < entries.size(); ++i)
        wanted.append(cargo.selectorEntryText(i));
    QStringList shown;
    for (int i = 0; i < sourceSelector->count(); ++i)
        shown.append(sourceSelector->itemText(i));
    if (shown != wanted) {
        sourceSelector->clear();
        sourceSelector->addItems(wanted);
    }
    sourceSelector->setCurrentIndex(cargo.selectedIndex());
    undoAction->setEnabled(cargo.canUndo());
    undoButton->setEnabled(cargo.canUndo());
}

void Tf_cargo::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Shown by the program, not merely restored from the task bar.
    if (!event->spontaneous())
        run([this] { m_cargo.windowShown(); });
}

bool Tf_cargo::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type t = event->type();
    if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
        t == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}
