#include "widgets/ColonyTab.h"

#include "colony/ColonyCockpit.h"
#include "colony/CsvExport.h"
#include "common/UserInteraction.h"
#include "notify/Notifier.h"
#include "widgets/WindowParts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// rows: how many rows the table keeps in view however short the window.
QTableWidget* table(const QStringList& headings, int rows, QWidget* parent)
{
    auto* t = new QTableWidget(0, int(headings.size()), parent);
    t->setHorizontalHeaderLabels(headings);
    t->verticalHeader()->hide();
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The name takes what the numbers leave, so nothing hides behind a sideways scroll bar.
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setSectionResizeMode(headings.size() > 4 ? 1 : 0, QHeaderView::Stretch);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    // The tables take what the texts and buttons under them leave: in a short
    // window they shrink rather than push the buttons out of sight (their
    // usual height would make the whole tab scroll).
    t->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    t->setMinimumHeight(t->horizontalHeader()->sizeHint().height() +
                        rows * t->verticalHeader()->defaultSectionSize() + 2 * t->frameWidth());
    return t;
}

QTableWidgetItem* cell(const QString& text, bool number = false)
{
    auto* item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// "Orbital Construction Site: Zhao Hub" names the site "Zhao Hub".
QString shortSiteName(const QString& name)
{
    const qsizetype colon = name.lastIndexOf(QStringLiteral(": "));
    const QString own = colon < 0 ? QString() : name.mid(colon + 2).trimmed();
    return own.isEmpty() ? name : own;
}

QLabel* wrapped(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);  // names come from the journal
    l->setWordWrap(true);
    return l;
}

}  // namespace

ColonyTab::ColonyTab(ColonyCockpit& cockpit, Notifier& notifier, UserInteraction& ui, ReportFn report,
                     QWidget* parent)
    : QWidget(parent), m_cockpit(cockpit), m_report(std::move(report))
{
    setObjectName(QStringLiteral("colony_tab"));
    sites = table({tr("Count"), tr("Site"), tr("%"), tr("Left"), tr("State")}, 1, this);
    sites->setObjectName(QStringLiteral("colony_sites"));
    still = table({tr("Still to buy"), tr("t"), tr("Trips"), tr("Fits")}, 2, this);
    still->setObjectName(QStringLiteral("colony_still"));
    ledger = wrapped(this);
    ledger->setObjectName(QStringLiteral("colony_ledger"));
    buyHere = wrapped(this);
    buyHere->setObjectName(QStringLiteral("colony_buy_here"));
    forget = new QPushButton(tr("Forget site"), this);
    forget->setObjectName(QStringLiteral("colony_forget"));
    copy = new QPushButton(tr("Copy"), this);
    copy->setObjectName(QStringLiteral("colony_copy"));
    copy->setToolTip(tr("Still to buy, the carrier ledger and each site's needs as tab-separated text"));
    saveCsv = new QPushButton(tr("Save CSV…"), this);
    saveCsv->setObjectName(QStringLiteral("colony_save_csv"));

    notify = new QCheckBox(tr("Desktop notifications"), this);
    notify->setObjectName(QStringLiteral("colony_notify"));
    notify->setToolTip(
        tr("A site completes, a commodity needs no more buying, a market sells what is still to buy"));
    notify->setChecked(notifier.enabled());
    connect(notify, &QCheckBox::toggled, this,
            [this, &notifier](bool on) { guarded([&notifier, on] { notifier.setEnabled(on); }); });
    // The same switch is in the settings window.
    connect(&notifier, &Notifier::enabledChanged, notify, &QCheckBox::setChecked);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(forget);
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(saveCsv);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(sites, 1);
    layout->addWidget(still, 3);
    layout->addWidget(ledger);
    layout->addWidget(buyHere);
    layout->addWidget(notify);
    layout->addLayout(buttons);

    connect(sites, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (m_filling || item->column() != 0)
            return;
        const QString id = item->data(Qt::UserRole).toString();
        const bool counted = item->checkState() == Qt::Checked;
        guarded([this, id, counted] { m_cockpit.setCounted(id, counted); });
    });
    connect(forget, &QPushButton::clicked, this, [this] {
        const int row = sites->currentRow();
        if (row < 0 || !sites->item(row, 0))
            return;
        const QString id = sites->item(row, 0)->data(Qt::UserRole).toString();
        guarded([this, id] { m_cockpit.forget(id); });
    });
    connect(copy, &QPushButton::clicked, this,
            [this, &ui] { ui.setClipboardText(toTsv(m_cockpit.exportRows())); });
    connect(saveCsv, &QPushButton::clicked, this, [this, &ui] {
        const auto path = ui.askSaveFile(tr("Save as CSV"), QStringLiteral("colony.csv"),
                                         tr("CSV files (*.csv)") + QStringLiteral("|*.csv"));
        if (path && !path->isEmpty())
            guarded([this, p = *path] { m_cockpit.saveCsv(p); });
    });
    connect(&cockpit, &ColonyCockpit::changed, this, &ColonyTab::refresh);
    refresh();
}

void ColonyTab::refresh()
{
    m_filling = true;
    const auto& all = m_cockpit.sites();
    sites->setRowCount(int(all.size()));
    for (int r = 0; r < all.size(); ++r) {
        const SiteEntry& s = all[r];
        auto* count = cell(QString());
        count->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        count->setCheckState(s.counted ? Qt::Checked : Qt::Unchecked);
        count->setData(Qt::UserRole, s.marketId);
        const QString state = s.state == QLatin1String("complete") ? tr("complete")
                              : s.state == QLatin1String("failed") ? tr("failed")
                                                                   : tr("open");
        sites->setItem(r, 0, count);
        // The panel is narrow: the site's own name without the game's "Planetary
        // Construction Site: " before it; the whole name, the system and the
        // market id are in its tool tip.
        auto* site = cell(s.name.isEmpty() ? s.marketId : shortSiteName(s.name));
        site->setToolTip(s.name + QLatin1Char('\n') + s.system + QLatin1Char('\n') + s.marketId);
        sites->setItem(r, 1, site);
        sites->setItem(r, 2, cell(QString::number(s.progress), true));
        sites->setItem(r, 3, cell(groupedNumber(s.remaining()), true));
        sites->setItem(r, 4, cell(state));
    }
    const auto& lines = m_cockpit.stillToBuy();
    still->setRowCount(int(lines.size()));
    for (int r = 0; r < lines.size(); ++r) {
        const StillToBuyLine& l = lines[r];
        still->setItem(r, 0, cell(l.name));
        still->setItem(r, 1, cell(groupedNumber(l.toBuy), true));
        still->setItem(r, 2, cell(tripsShown(l.trips), true));
        still->item(r, 2)->setToolTip(tripsToolTip(l.trips));
        still->setItem(r, 3,
                       cell(l.fits == StillToBuyLine::Fits::Yes  ? tr("yes")
                            : l.fits == StillToBuyLine::Fits::No ? tr("no")
                                                                 : tr("?")));
        // A commodity nothing is left to buy of stays listed, set back.
        if (l.toBuy == 0)
            for (int c = 0; c < still->columnCount(); ++c)
                still->item(r, c)->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        still->item(r, 0)->setToolTip(
            tr("Needed %1 t, on the carriers %2 t, in the hold %3 t")
                .arg(groupedNumber(l.needed), groupedNumber(l.onCarrier), groupedNumber(l.inHold)));
    }
    const QStringList summary = m_cockpit.ledgerSummary();
    ledger->setText(summary.isEmpty()
                        ? tr("No carrier known yet: open the carrier management screen in the game.")
                        : summary.join(QLatin1Char('\n')));
    QStringList buy;
    for (const BuyHereLine& l : m_cockpit.buyHereLines())
        buy.append(
            tr("%1: buy %2 t at %3 Cr (stock %4)").arg(l.name).arg(l.amount).arg(l.price).arg(l.stock));
    buyHere->setText(
        buy.isEmpty()
            ? QString()
            : tr("Buy here (%1):\n%2").arg(m_cockpit.buyHereStation(), buy.join(QLatin1Char('\n'))));
    buyHere->setVisible(!buy.isEmpty());
    m_filling = false;
}
