#include "windows/Tf_cargo.h"

#include "cargo/CargoModule.h"
#include "widgets/WindowParts.h"

#include <QAbstractProxyModel>
#include <QAction>
#include <QComboBox>
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
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 331;
constexpr int kClientHeight = 675;
constexpr int kTopStrip = 41;

// The hold as a person reads it: the game's names instead of its ids.
class CargoNames : public QIdentityProxyModel
{
public:
    CargoNames(const CargoModule& cargo, QObject* parent) : QIdentityProxyModel(parent), m_cargo(cargo) {}

    QVariant data(const QModelIndex& index, int role) const override
    {
        const QVariant v = QIdentityProxyModel::data(index, role);
        // Row 0 is the list's own heading.
        if (index.row() == 0 || index.column() != 0)
            return v;
        if (role == Qt::DisplayRole)
            return m_cargo.cargoDisplayName(v.toString());
        if (role == Qt::ToolTipRole && !v.isValid())
            return QIdentityProxyModel::data(index, Qt::DisplayRole);
        return v;
    }

private:
    const CargoModule& m_cargo;
};

}  // namespace

Tf_cargo::Tf_cargo(CargoModule& cargo, ReportFn report, QWidget* parent)
    : QWidget(parent, Qt::Window), m_cargo(cargo), m_report(std::move(report))
{
    setWindowTitle(Tf_cargo::tr("Cargo"));
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
    auto* cargoTab = new QWidget(tabs);
    auto* cargoLayout = new QVBoxLayout(cargoTab);
    auto* names = new CargoNames(cargo, this);
    names->setSourceModel(&cargo.cargo_list);
    sg_cargo = makeGrid(cargoTab, names, {172, 103});
    sg_cargo->setObjectName(QStringLiteral("cargo_list"));
    sg_cargo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cargoLayout->addWidget(sg_cargo);
    tabs->addTab(cargoTab, Tf_cargo::tr("📦 Ship Cargo"));

    // Loading list with its source selector and the save button.
    auto* loadingTab = new QWidget(tabs);
    auto* loadingLayout = new QVBoxLayout(loadingTab);
    Carrier_loading_select = new QComboBox(loadingTab);
    Carrier_loading_select->setObjectName(QStringLiteral("Carrier_loading_select"));
    loadingLayout->addWidget(Carrier_loading_select);
    sg_zaladunek = makeGrid(loadingTab, &cargo.zaladunek_list, {172, 70, 69});
    sg_zaladunek->setObjectName(QStringLiteral("zaladunek_list"));
    loadingLayout->addWidget(sg_zaladunek);
    btn_zaladunek_zapisz = new QPushButton(Tf_cargo::tr("💾 Save Changes"), loadingTab);
    btn_zaladunek_zapisz->setObjectName(QStringLiteral("btn_zaladunek_zapisz"));
    btn_undo = new QPushButton(tr("↩️ Undo"), loadingTab);
    btn_undo->setObjectName(QStringLiteral("btn_undo"));
    btn_undo->setToolTip(tr("Take back the last change of the loading list (Ctrl+Z)"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btn_zaladunek_zapisz, 1);
    buttons->addWidget(btn_undo);
    loadingLayout->addLayout(buttons);
    tabs->addTab(loadingTab, Tf_cargo::tr("📥 Carrier Loading"));

    // Common materials to pick from.
    auto* materialsTab = new QWidget(tabs);
    auto* materialsLayout = new QVBoxLayout(materialsTab);
    sg_materialy = makeGrid(materialsTab, &cargo.materialy_nazwy, {172});
    sg_materialy->setObjectName(QStringLiteral("materialy_nazwy"));
    materialsLayout->addWidget(sg_materialy);
    tabs->addTab(materialsTab, Tf_cargo::tr("⬅️ Add to list"));
    tabs->setCurrentIndex(1);

    // Undo works from anywhere in the window, as long as no cell is being edited
    // (its editor takes the keys first).
    Undo1 = new QAction(tr("↩️ Undo"), this);
    Undo1->setShortcut(QKeySequence::Undo);
    Undo1->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(Undo1);

    PopupZaladunek = new QMenu(this);
    add = PopupZaladunek->addAction(Tf_cargo::tr("➕ Add a commodity of your own"));
    Usutowar1 = PopupZaladunek->addAction(Tf_cargo::tr("❌ Remove the commodity"));
    Wyczylist1 = PopupZaladunek->addAction(Tf_cargo::tr("📋 Clear the list"));
    PopupZaladunek->addSeparator();
    Findonmarketslocalfiles1 = PopupZaladunek->addAction(Tf_cargo::tr("🔍 Find on markets (local files)"));

    PopupMaterialy = new QMenu(this);
    Dodajdozaadunku1 = PopupMaterialy->addAction(Tf_cargo::tr("⬅️ Add to loading list"));
    PopupMaterialy->addSeparator();
    Findonmarketslocalfiles2 = PopupMaterialy->addAction(Tf_cargo::tr("🔍 Find on markets (local files)"));

    const auto row = [](QTableView* v) { return v->currentIndex().row(); };
    // A search takes a commodity, never the heading (the list's row 0) whatever its language.
    const auto searchRow = [](QTableView* v) {
        QModelIndex i = v->currentIndex();
        if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(i.model()))
            i = proxy->mapToSource(i);
        return i.row() > 0 ? i.row() : -1;
    };
    connect(add, &QAction::triggered, this, [this] { run([this] { m_cargo.addClick(); }); });
    connect(Usutowar1, &QAction::triggered, this,
            [this, row] { run([&] { m_cargo.Usutowar1Click(row(sg_zaladunek)); }); });
    connect(Wyczylist1, &QAction::triggered, this, [this] { run([this] { m_cargo.Wyczylist1Click(); }); });
    connect(Findonmarketslocalfiles1, &QAction::triggered, this, [this, searchRow] {
        run([&] { m_cargo.Findonmarketslocalfiles1Click(searchRow(sg_zaladunek)); });
    });
    connect(Dodajdozaadunku1, &QAction::triggered, this,
            [this, row] { run([&] { m_cargo.Dodajdozaadunku1Click(row(sg_materialy)); }); });
    connect(Findonmarketslocalfiles2, &QAction::triggered, this, [this, searchRow] {
        run([&] { m_cargo.Findonmarketslocalfiles2Click(searchRow(sg_materialy)); });
    });
    connect(btn_zaladunek_zapisz, &QPushButton::clicked, this,
            [this] { run([this] { m_cargo.btn_zaladunek_zapiszClick(); }); });
    connect(Undo1, &QAction::triggered, this, [this] { run([this] { m_cargo.undoLastChange(); }); });
    connect(btn_undo, &QPushButton::clicked, Undo1, &QAction::trigger);
    connect(Carrier_loading_select, &QComboBox::activated, this,
            [this](int index) { run([&] { m_cargo.Carrier_loading_selectChange(index); }); });

    sg_zaladunek->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sg_zaladunek, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupZaladunek->popup(sg_zaladunek->viewport()->mapToGlobal(p)); });
    sg_materialy->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sg_materialy, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMaterialy->popup(sg_materialy->viewport()->mapToGlobal(p)); });
    // The menus act on the row of the selected cell; a right click must not move it.
    sg_zaladunek->viewport()->installEventFilter(this);
    sg_materialy->viewport()->installEventFilter(this);

    connect(&cargo, &CargoModule::changed, this, &Tf_cargo::refreshSelector);
    connect(&cargo, &CargoModule::loadingListChanged, this, &Tf_cargo::refreshSelector);
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
    // Row 0 of every list is an ordinary row holding its own heading.
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setWordWrap(false);
    view->horizontalHeader()->setMinimumSectionSize(20);
    for (int c = 0; c < widths.size(); ++c)
        view->setColumnWidth(c, widths[c]);
    // The panel is narrow when tiled: the name takes what the numbers leave,
    // so no column hides behind a sideways scroll bar.
    if (widths.size() > 1) {
        QHeaderView* header = view->horizontalHeader();
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < widths.size(); ++c)
            header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
    return view;
}

void Tf_cargo::refreshSelector()
{
    const CargoModule& cargo = m_cargo;
    const QSignalBlocker block(Carrier_loading_select);
    QStringList wanted;
    for (int i = 0; i < cargo.Carrier_loading_select.size(); ++i)
        wanted.append(cargo.selectorEntryText(i));
    QStringList shown;
    for (int i = 0; i < Carrier_loading_select->count(); ++i)
        shown.append(Carrier_loading_select->itemText(i));
    if (shown != wanted) {
        Carrier_loading_select->clear();
        Carrier_loading_select->addItems(wanted);
    }
    Carrier_loading_select->setCurrentIndex(cargo.Carrier_loading_select_index);
    Undo1->setEnabled(cargo.canUndo());
    btn_undo->setEnabled(cargo.canUndo());
}

void Tf_cargo::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Shown by the program, not merely restored from the task bar.
    if (!event->spontaneous())
        run([this] { m_cargo.FormShow(); });
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
