#include "windows/Tf_Construct.h"

#include "construction/ConstructionModule.h"
#include "widgets/ElidedLabel.h"
#include "widgets/WindowParts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QColor kAmber(222, 153, 0);
const QColor kDarkBrown(76, 29, 1);

// The site's materials as the window shows them: the list's first row (the
// title of a list read from a file, or nothing) leaves the grid, whose
// captions are in the header bar; tonnes in the person's digit grouping,
// trips as full holds × the rest, the TOTAL row bold. The list keeps its own
// texts, which the phone and the page show.
class MaterialsView : public QSortFilterProxyModel
{
public:
    MaterialsView(const ConstructionModule& module, QObject* parent)
        : QSortFilterProxyModel(parent), m_module(module)
    {
        setSourceModel(const_cast<TextTableModel*>(&module.lista_materialow));
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            switch (section) {
            case 0:
                return Tf_Construct::tr("Commodity");
            case 1:
                return Tf_Construct::tr("Needed");
            case 2:
                return Tf_Construct::tr("Trips");
            default:
                break;
            }
        }
        return QSortFilterProxyModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const int row = mapToSource(index).row();
        const bool total = m_module.isTotalRow(row);
        if (role == Qt::FontRole && total) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        const auto tonnes = m_module.tonnesAt(row);
        if (role == Qt::DisplayRole) {
            if (index.column() == 0 && total)
                return Tf_Construct::tr("TOTAL");
            if (index.column() == 1 && tonnes)
                return groupedNumber(*tonnes);
            if (index.column() == 2 && tonnes)
                if (const auto trips = m_module.trips(*tonnes))
                    return Tf_Construct::tr("%1 × %2").arg(groupedNumber(trips->fullHolds),
                                                           groupedNumber(trips->rest));
        }
        if (role == Qt::ToolTipRole && index.column() == 2 && tonnes)
            if (const auto trips = m_module.trips(*tonnes))
                return Tf_Construct::tr("%1 full trips and %2 t")
                    .arg(groupedNumber(trips->fullHolds), groupedNumber(trips->rest));
        return QSortFilterProxyModel::data(index, role);
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex&) const override { return sourceRow > 0; }

private:
    const ConstructionModule& m_module;
};

// A thin header without captions beside the rows: they stay resizable by
// dragging.
class GripHeader : public QHeaderView
{
public:
    using QHeaderView::QHeaderView;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int) const override
    {
        painter->fillRect(rect, palette().button());
        painter->setPen(palette().mid().color());
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    }
    QSize sizeHint() const override { return {6, 6}; }
};

// The site's values as the header shows them.
QString orUnknown(const std::optional<QString>& value)
{
    return value.value_or(QStringLiteral("-/-"));
}

QLabel* captionLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLabel* valueLabel(const QString& objectName, QWidget* parent)
{
    // A long station name elides rather than widen the window past its panel.
    auto* l = new ElidedLabel(QStringLiteral("-/-"), parent);
    l->setObjectName(objectName);
    l->setTextFormat(Qt::PlainText);  // station and system names come from the journal
    return l;
}

}  // namespace

Tf_Construct::Tf_Construct(ConstructionModule& module, ReportFn report, QWidget* parent)
    : QWidget(parent, Qt::Window), m_module(module), m_report(std::move(report))
{
    setWindowTitle(Tf_Construct::tr("Construction Site"));
    setObjectName(QStringLiteral("f_Construct"));
    setFont(QFont(QStringLiteral("Segoe UI")));
    // The window owns what it shows: a new window starts empty.
    module.resetWindow();

    auto* header = new QWidget(this);
    header->setFixedHeight(145);
    header->setAutoFillBackground(true);
    QPalette hp = header->palette();
    hp.setColor(QPalette::Window, kDarkBrown);
    hp.setColor(QPalette::WindowText, kAmber);
    header->setPalette(hp);
    auto* grid = new QGridLayout(header);
    label_system_val = valueLabel(QStringLiteral("label_system_val"), header);
    label_station_val = valueLabel(QStringLiteral("label_station_val"), header);
    label_type_val = valueLabel(QStringLiteral("label_type_val"), header);
    label_marketid_val = valueLabel(QStringLiteral("label_marketid_val"), header);
    label_progress_val = valueLabel(QStringLiteral("label_progress_val"), header);
    const std::pair<const char*, QLabel*> pairs[] = {
        {QT_TRANSLATE_NOOP("Tf_Construct", "System:"), label_system_val},
        {QT_TRANSLATE_NOOP("Tf_Construct", "Station:"), label_station_val},
        {QT_TRANSLATE_NOOP("Tf_Construct", "Type:"), label_type_val},
        {QT_TRANSLATE_NOOP("Tf_Construct", "Market ID:"), label_marketid_val},
        {QT_TRANSLATE_NOOP("Tf_Construct", "Progress:"), label_progress_val}};
    int row = 0;
    for (const auto& [caption, value] : pairs) {
        grid->addWidget(captionLabel(tr(caption), header), row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    ProgressBar1 = new QProgressBar(header);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    grid->addWidget(ProgressBar1, row, 0, 1, 2);

    lista_materialow = new QTableView(this);
    lista_materialow->setObjectName(QStringLiteral("lista_materialow"));
    m_rows = new MaterialsView(module, lista_materialow);
    lista_materialow->setModel(m_rows);
    lista_materialow->setVerticalHeader(new GripHeader(Qt::Vertical, lista_materialow));
    lista_materialow->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    lista_materialow->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    lista_materialow->setColumnWidth(0, 201);
    lista_materialow->setColumnWidth(1, 59);
    lista_materialow->setColumnWidth(2, 64);
    // Tiled, the window is narrow: the name takes what the numbers leave, so
    // no column hides behind a sideways scroll bar.
    lista_materialow->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    lista_materialow->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lista_materialow->setSelectionMode(QAbstractItemView::SingleSelection);
    lista_materialow->setContextMenuPolicy(Qt::CustomContextMenu);

    PopupMenu1 = new QMenu(this);
    QAction* add = PopupMenu1->addAction(Tf_Construct::tr("⬅️ Add to Carrier Loading list"));
    QAction* load = PopupMenu1->addAction(Tf_Construct::tr("⬇️ Loading Construction from file"));
    PopupMenu1->addSeparator();
    QAction* find = PopupMenu1->addAction(Tf_Construct::tr("🔍 Find on markets (local files)"));
    add->setObjectName(QStringLiteral("m_Dodajdozaadunku1"));
    load->setObjectName(QStringLiteral("Zaadujlistzpliku1"));
    find->setObjectName(QStringLiteral("Findonmarkets1"));
    // Opening the menu leaves the current cell as it was.
    connect(lista_materialow, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(lista_materialow->viewport()->mapToGlobal(pos)); });
    connect(add, &QAction::triggered, this,
            [this] { guarded([this] { m_module.m_Dodajdozaadunku1Click(currentRow()); }); });
    connect(load, &QAction::triggered, this,
            [this] { guarded([this] { m_module.Zaadujlistzpliku1Click(); }); });
    connect(find, &QAction::triggered, this,
            [this] { guarded([this] { m_module.Findonmarkets1Click(currentRow()); }); });

    // The long button on a row of its own: the panel is narrow, and Polish
    // captions put beside it pushed "Save changes" out of the window.
    auto* bottom = new QWidget(this);
    auto* bottomLayout = new QGridLayout(bottom);
    btn_Nowy_Zaladunek = new QPushButton(Tf_Construct::tr("⬅️ Add all to Loading list"), bottom);
    btn_Nowy_Zaladunek->setObjectName(QStringLiteral("btn_Nowy_Zaladunek"));
    ch_nowy_zaladunek = new QCheckBox(Tf_Construct::tr("Add to the current list"), bottom);
    ch_nowy_zaladunek->setObjectName(QStringLiteral("ch_nowy_zaladunek"));
    ch_nowy_zaladunek->setChecked(true);
    btn_zapisz = new QPushButton(Tf_Construct::tr("💾 Save changes"), bottom);
    btn_zapisz->setObjectName(QStringLiteral("btn_zapisz"));
    bottomLayout->addWidget(btn_Nowy_Zaladunek, 0, 0, 1, 2, Qt::AlignLeft);
    bottomLayout->addWidget(ch_nowy_zaladunek, 1, 0);
    bottomLayout->addWidget(btn_zapisz, 1, 1, Qt::AlignRight);
    bottomLayout->setColumnStretch(0, 1);
    connect(btn_Nowy_Zaladunek, &QPushButton::clicked, this, [this] {
        guarded([this] { m_module.btn_Nowy_ZaladunekClick(ch_nowy_zaladunek->isChecked()); });
    });
    connect(btn_zapisz, &QPushButton::clicked, this,
            [this] { guarded([this] { m_module.btn_zapiszClick(); }); });

    // The docked site on its own tab; further tabs (the colony view) are added by the window set.
    auto* sitePage = new QWidget;
    auto* layout = new QVBoxLayout(sitePage);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    label_list_title = new ElidedLabel(QString(), this);
    label_list_title->setObjectName(QStringLiteral("label_list_title"));
    label_list_title->setTextFormat(Qt::PlainText);
    layout->addWidget(label_list_title);
    layout->addWidget(lista_materialow, 1);
    layout->addWidget(bottom);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->setDocumentMode(true);
    tabs->addTab(sitePage, tr("Site"));
    auto* outer = new QVBoxLayout(addScrollingBody(this));
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(tabs);

    resize(322, 714);
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        move(area.right() - frameGeometry().width() + 1, area.top());
    }

    connect(&module, &ConstructionModule::changed, this, &Tf_Construct::refresh);
    refresh();
}

int Tf_Construct::currentRow() const
{
    const QModelIndex i = m_rows->mapToSource(lista_materialow->currentIndex());
    return i.isValid() ? i.row() : -1;
}

void Tf_Construct::refresh()
{
    const ConstructionModule& m = m_module;
    label_system_val->setText(orUnknown(m.siteSystem));
    label_station_val->setText(orUnknown(m.siteStation));
    label_type_val->setText(orUnknown(m.siteType));
    label_marketid_val->setText(orUnknown(m.siteMarketId));
    label_progress_val->setText(m.progressPercent ? QString::number(*m.progressPercent) + QLatin1Char('%')
                                                  : orUnknown({}));
    ProgressBar1->setValue(m.ProgressBar1);
    // A list read from a file has its site's name and start date as its first row.
    const QString title = QStringList{m.lista_materialow.cell(0, 0), m.lista_materialow.cell(0, 1)}
                              .join(QStringLiteral("  "))
                              .trimmed();
    label_list_title->setText(title);
    label_list_title->setVisible(!title.isEmpty());
    btn_zapisz->setEnabled(m.canSave());
}
