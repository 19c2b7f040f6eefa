#include "windows/Tf_market.h"

#include "markets/MarketModule.h"
#include "widgets/FirstRowHeaderProxy.h"
#include "widgets/WindowParts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Price, demand and stock in the person's digit grouping; the grid keeps
// plain digits, which the hub's market check reads.
class MarketRows : public FirstRowHeaderProxy
{
public:
    using FirstRowHeaderProxy::FirstRowHeaderProxy;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const QVariant v = FirstRowHeaderProxy::data(index, role);
        if (role != Qt::DisplayRole || index.column() < 1 || index.column() > 3)
            return v;
        bool whole = false;
        const qint64 n = v.toString().toLongLong(&whole);
        return whole ? QVariant(groupedNumber(n)) : v;
    }
};

}  // namespace

Tf_market::Tf_market(MarketModule& market, QWidget* parent) : QWidget(parent, Qt::Window), m_market(market)
{
    setWindowTitle(Tf_market::tr("Market"));
    auto* layout = new QVBoxLayout(this);

    auto* banner = new QHBoxLayout;
    addWindowTitle(banner, Tf_market::tr("🛒 MARKET"), this);
    label_market_info = new QLabel(this);
    label_market_info->setObjectName(QStringLiteral("label_market_info"));
    label_market_info->setTextFormat(Qt::PlainText);
    label_market_info->setStyleSheet(QStringLiteral("color: rgb(222, 153, 0);"));
    label_market_info->setTextInteractionFlags(Qt::TextSelectableByMouse);
    banner->addWidget(label_market_info, 1);
    layout->addLayout(banner);

    sg_Market = new QTableView(this);
    sg_Market->setObjectName(QStringLiteral("sg_Market"));
    // Row 0 of the grid is its heading row; it stays in place as the header
    // while the commodities scroll.
    auto* rows = new MarketRows(this);
    rows->setSourceModel(&market.sg_Market);
    sg_Market->setModel(rows);
    sg_Market->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    sg_Market->verticalHeader()->hide();
    sg_Market->verticalHeader()->setDefaultSectionSize(sg_Market->fontMetrics().height() + 6);
    sg_Market->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int widths[] = {154, 97, 100, 93, 64};
    for (int c = 0; c < 5; ++c)
        sg_Market->setColumnWidth(c, widths[c]);
    layout->addWidget(sg_Market, 1);

    btn_close = addCloseRow(layout, this);

    resize(560, 600);
    centerOnScreen(this);

    connect(btn_close, &QPushButton::clicked, this, &QWidget::close);
    connect(&market, &MarketModule::changed, this, &Tf_market::refresh);
    refresh();
}

void Tf_market::refresh()
{
    QString info = m_market.label_market_info;
    label_market_info->setText(info.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void Tf_market::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_market.FormShow();
}
