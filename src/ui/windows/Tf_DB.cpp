#include "windows/Tf_DB.h"

#include "commodities/CommodityNames.h"
#include "common/UserInteraction.h"
#include "markets/ShoppingDb.h"
#include "widgets/WindowParts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kAmber = QStringLiteral("color: rgb(222, 153, 0);");

QLabel* plainLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(name, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setStyleSheet(kAmber);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setStyleSheet(kAmber + QStringLiteral(" font-weight: bold; text-decoration: underline;"));
    return l;
}

QPushButton* copyButton(const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(Tf_DB::tr("📋 Copy"), parent);
    b->setObjectName(name);
    b->setToolTip(Tf_DB::tr("Copy to clipboard"));
    return b;
}

QString shownNames(const QStringList& stored)
{
    QString out;
    for (const QString& name : stored)
        out += CommodityNames::displayName(name) + QStringLiteral("; ");
    return out;
}

// A read-only table sorted by clicking its headings, numbers as numbers.
QTableView* sortedTable(SortableTableModel& model, const QString& name, QWidget* parent)
{
    auto* proxy = new QSortFilterProxyModel(parent);
    proxy->setSourceModel(&model);
    proxy->setSortRole(SortableTableModel::SortRole);
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(proxy);
    view->setSortingEnabled(true);
    // The model's order (newest first) until a heading is clicked.
    view->sortByColumn(-1, Qt::AscendingOrder);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return view;
}

// Labels break lines on LF; the program's texts use CR LF.
QString shown(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

Tf_DB::Tf_DB(ShoppingDb& db, UserInteraction& ui, ReportFn report, QWidget* parent)
    : QWidget(parent, Qt::Window), m_db(db), m_report(std::move(report))
{
    setWindowTitle(tr("Last Shopping — Data Base"));
    auto* layout = new QVBoxLayout(this);

    auto* banner = new QHBoxLayout;
    addWindowTitle(banner, Tf_DB::tr("🗄️ Data Base"), this, 1);
    layout->addLayout(banner);

    tabs = new QTabWidget(this);
    auto* page = new QWidget(tabs);
    tabs->addTab(page, Tf_DB::tr("Last Shopping"));
    auto* marketsPage = new QWidget(tabs);
    tabs->addTab(marketsPage, Tf_DB::tr("Markets"));
    tabs->setCurrentWidget(page);
    layout->addWidget(tabs, 1);
    auto* marketsLayout = new QVBoxLayout(marketsPage);
    auto* marketsNote = new QLabel(
        Tf_DB::tr("Every market you have opened in the game, newest first. Click a heading to sort."),
        marketsPage);
    marketsNote->setWordWrap(true);
    marketsLayout->addWidget(marketsNote);
    marketsView = sortedTable(db.seenMarkets, QStringLiteral("marketsView"), marketsPage);
    marketsLayout->addWidget(marketsView, 1);

    auto* pageLayout = new QVBoxLayout(page);
    auto* findBar = new QHBoxLayout;
    auto* findLabel = new QLabel(Tf_DB::tr("Find Commodity: "), page);
    findLabel->setTextFormat(Qt::PlainText);
    findBar->addWidget(findLabel);
    // The search text starts as the field's own name in the store; the
    // person sees an empty field with its hint and never searches that name.
    if (!db.searched() && db.edit_find == QLatin1String("edit_find"))
        db.edit_find.clear();
    edit_find = new QLineEdit(page);
    edit_find->setObjectName(QStringLiteral("edit_find"));
    edit_find->setPlaceholderText(Tf_DB::tr("Commodity name"));
    findBar->addWidget(edit_find, 1);
    btn_find = new QPushButton(Tf_DB::tr("🔎 Find in Last Shopping"), page);
    btn_find->setObjectName(QStringLiteral("btn_find"));
    findBar->addWidget(btn_find);
    pageLayout->addLayout(findBar);

    pageLayout->addWidget(heading(Tf_DB::tr("LAST BUYING:"), page));
    auto* grid = new QGridLayout;
    label_ww_system = plainLabel(QStringLiteral("label_ww_system"), page);
    label_ww_station = plainLabel(QStringLiteral("label_ww_station"), page);
    label_ww_station_type = plainLabel(QStringLiteral("label_ww_station_type"), page);
    label_ww_distance = plainLabel(QStringLiteral("label_ww_distance"), page);
    label_ww_marketid = plainLabel(QStringLiteral("label_ww_marketid"), page);
    label_ww_price = plainLabel(QStringLiteral("label_ww_price"), page);
    btn_copy_system = copyButton(QStringLiteral("btn_copy_system"), page);
    btn_copy_station = copyButton(QStringLiteral("btn_copy_station"), page);
    btn_copy_marketid = copyButton(QStringLiteral("btn_copy_marketid"), page);
    const QList<QLabel*> results{label_ww_system,   label_ww_station,  label_ww_station_type,
                                 label_ww_distance, label_ww_marketid, label_ww_price};
    for (int i = 0; i < results.size(); ++i)
        grid->addWidget(results[i], i, 0);
    grid->addWidget(btn_copy_system, 0, 1);
    grid->addWidget(btn_copy_station, 1, 1);
    grid->addWidget(btn_copy_marketid, 4, 1);
    grid->setColumnStretch(0, 1);
    pageLayout->addLayout(grid);

    pageLayout->addWidget(heading(Tf_DB::tr("OTHER COMMODITY IN MARKET:"), page));
    label_ww_also_needed = plainLabel(QStringLiteral("label_ww_also_needed"), page);
    label_ww_also_needed->setWordWrap(true);
    label_ww_also_needed->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pageLayout->addWidget(label_ww_also_needed);

    pageLayout->addWidget(heading(Tf_DB::tr("Sold at markets you have seen"), page));
    label_offers = new QLabel(page);
    label_offers->setObjectName(QStringLiteral("label_offers"));
    label_offers->setTextFormat(Qt::PlainText);
    label_offers->setWordWrap(true);
    pageLayout->addWidget(label_offers);
    offersView = sortedTable(db.offers, QStringLiteral("offersView"), page);
    pageLayout->addWidget(offersView, 1);

    btn_close = addCloseRow(layout, this);

    resize(640, 600);
    centerOnScreen(this);

    connect(edit_find, &QLineEdit::textChanged, this, [&db](const QString& t) { db.edit_find = t; });
    connect(btn_find, &QPushButton::clicked, this, &Tf_DB::btn_findClick);
    connect(btn_copy_system, &QPushButton::clicked, this,
            [&ui, &db] { ui.setClipboardText(db.Wynik_wyszukiwania.System_Name); });
    connect(btn_copy_station, &QPushButton::clicked, this,
            [&ui, &db] { ui.setClipboardText(db.Wynik_wyszukiwania.Station_Name); });
    connect(btn_copy_marketid, &QPushButton::clicked, this,
            [&ui, &db] { ui.setClipboardText(QString::number(db.Wynik_wyszukiwania.MarketID)); });
    connect(btn_close, &QPushButton::clicked, this, &QWidget::hide);
    connect(&db, &ShoppingDb::changed, this, &Tf_DB::refresh);
    // A market seen since the search may sell what was searched.
    connect(&db.offers, &QAbstractItemModel::modelReset, this, &Tf_DB::refresh);
    refresh();
}

void Tf_DB::refresh()
{
    const ShoppingDb& db = m_db;
    if (edit_find->text() != db.edit_find)
        edit_find->setText(db.edit_find);
    const QList<QLabel*> details{label_ww_station,  label_ww_station_type, label_ww_distance,
                                 label_ww_marketid, label_ww_price,        label_ww_also_needed};
    const bool found = db.searched() && db.resultFound();
    const TMarketBuyData& w = db.Wynik_wyszukiwania;
    if (found) {
        label_ww_system->setText(shown(db.label_ww_system));
        label_ww_station->setText(shown(db.label_ww_station));
        label_ww_station_type->setText(shown(db.label_ww_station_type));
        label_ww_distance->setText(shown(db.label_ww_distance));
        label_ww_marketid->setText(shown(db.label_ww_marketid));
        // Credits and counts in the person's own digit grouping, commodities
        // by the names the game shows.
        label_ww_price->setText(
            tr("💰%1CR (Buying: %2)").arg(groupedNumber(w.BuyPrice), groupedNumber(w.Count)));
        label_ww_also_needed->setText(QStringLiteral("✅ [FC] ") + shownNames(db.alsoOnLoadingList()) +
                                      QStringLiteral("\n✅ [CON] ") + shownNames(db.alsoOnConstruction()));
    } else if (db.searched() && db.resultFromSeenMarket()) {
        // Never bought, but seen for sale: said as such, not as a purchase.
        label_ww_system->setText(
            tr("You have not bought %1 yet. The newest market you have seen selling it: %2 in %3, %4 Cr.")
                .arg(CommodityNames::displayName(w.ItemType), w.Station_Name, w.System_Name,
                     groupedNumber(w.BuyPrice)));
        for (QLabel* l : details)
            l->clear();
    } else {
        // One clear line instead of zeroes that look like a result.
        label_ww_system->setText(
            db.searched() ? tr("\"%1\" is not in Last Shopping: buy it once and it is remembered here.")
                                .arg(db.Wynik_wyszukiwania.ItemType)
                          : tr("Type a commodity and press Find: where you last bought it shows here."));
        for (QLabel* l : details)
            l->clear();
    }
    for (QLabel* l : details)
        l->setVisible(found);
    label_ww_system->setWordWrap(!found);
    for (QPushButton* b : {btn_copy_system, btn_copy_station, btn_copy_marketid})
        b->setEnabled(found || (db.searched() && db.resultFromSeenMarket()));
    if (!db.searched())
        label_offers->setText(
            tr("Markets you open in the game are remembered; a search lists those selling it."));
    else if (db.offers.rowCount() == 0)
        label_offers->setText(tr("No market you have seen sells %1.").arg(db.edit_find));
    else
        label_offers->clear();
    label_offers->setVisible(!label_offers->text().isEmpty());
}

void Tf_DB::btn_findClick()
{
    runAction(m_report, [this] { m_db.szukaj_towaru(); });
}

void Tf_DB::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Minimising reaches here as a spontaneous hide; the window is still open then.
    if (!event->spontaneous())
        m_db.windowHidden();
}
