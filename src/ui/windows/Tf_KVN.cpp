#include "windows/Tf_KVN.h"

#include "hub/HubClient.h"
#include "widgets/WindowParts.h"
#include "windows/Tf_KVN_add.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString kAmber = QStringLiteral("color: rgb(222, 153, 0);");

QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setStyleSheet(kAmber);
    return l;
}

QTreeView* orderView(OrderTree& model, QWidget* parent)
{
    auto* v = new QTreeView(parent);
    v->setModel(&model);
    v->setHeaderHidden(true);
    v->setIndentation(19);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setStyleSheet(QStringLiteral("QTreeView { color: rgb(222, 153, 0); }"));
    return v;
}

// The right mouse button opens the menu without moving the selection: the
// menu acts on the line the person selected before.
class KeepSelectionOnRightClick : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
            event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

Tf_KVN::Tf_KVN(HubClient& kvn, const GameState& state, ReportFn report, QWidget* parent)
    : QWidget(parent, Qt::Window), m_kvn(kvn), m_state(state), m_report(std::move(report))
{
    setWindowTitle(tr("KVN"));
    auto* layout = new QVBoxLayout(this);

    auto* banner = new QHBoxLayout;
    addWindowTitle(banner, Tf_KVN::tr("📡 KELVANE"), this, 1)->setStyleSheet(kAmber);
    layout->addLayout(banner);

    label_no_hub = plainLabel(kvn.endpointNote(), this);
    label_no_hub->setObjectName(QStringLiteral("label_no_hub"));
    label_no_hub->setWordWrap(true);
    label_no_hub->setVisible(!kvn.hasEndpoint());
    layout->addWidget(label_no_hub);

    auto* toolbar = new QHBoxLayout;
    btn_refresh = new QPushButton(QStringLiteral("⭮ "), this);
    btn_refresh->setObjectName(QStringLiteral("btn_refresh"));
    btn_refresh->setToolTip(Tf_KVN::tr("Refresh contract list"));
    btn_add = new QPushButton(QStringLiteral(" ➕"), this);
    btn_add->setObjectName(QStringLiteral("btn_add"));
    btn_add->setToolTip(Tf_KVN::tr("Add new demand"));
    toolbar->addWidget(btn_refresh);
    toolbar->addWidget(btn_add);
    toolbar->addStretch(1);
    layout->addLayout(toolbar);

    tabs = new QTabWidget(this);
    auto* market = new QWidget(tabs);
    auto* marketLayout = new QVBoxLayout(market);
    marketLayout->addWidget(plainLabel(Tf_KVN::tr("📜 Contract market"), market));
    lista_zlecen = orderView(kvn.marketOrders, market);
    lista_zlecen->setObjectName(QStringLiteral("lista_zlecen"));
    lista_zlecen->setToolTip(Tf_KVN::tr("Get contract by right mouse button"));
    lista_zlecen->setContextMenuPolicy(Qt::CustomContextMenu);
    lista_zlecen->viewport()->installEventFilter(new KeepSelectionOnRightClick(lista_zlecen));
    marketLayout->addWidget(lista_zlecen, 1);
    tabs->addTab(market, Tf_KVN::tr("📜 Contract market"));

    auto* accepted = new QWidget(tabs);
    auto* acceptedLayout = new QVBoxLayout(accepted);
    acceptedLayout->addWidget(plainLabel(Tf_KVN::tr("📋 Accepted contracts"), accepted));
    przyjete_zlecenia = orderView(kvn.acceptedOrders, accepted);
    przyjete_zlecenia->setObjectName(QStringLiteral("przyjete_zlecenia"));
    acceptedLayout->addWidget(przyjete_zlecenia, 1);
    tabs->addTab(accepted, Tf_KVN::tr("📋 Accepted contracts"));
    layout->addWidget(tabs, 1);

    Getcontract1 = new QAction(Tf_KVN::tr(" ➕ Get contract"), this);
    Getcontract1->setObjectName(QStringLiteral("Getcontract1"));

    auto* bottom = new QHBoxLayout;
    // The countdown alone is a bare number: say what it counts.
    auto* delayCaption = plainLabel(tr("Next refresh in (s):"), this);
    delayCaption->setToolTip(tr("The hub is asked again at most once a minute; ⭮ works again at 0."));
    bottom->addWidget(delayCaption);
    label_delay = plainLabel(QStringLiteral("0"), this);
    label_delay->setObjectName(QStringLiteral("label_delay"));
    label_delay->setToolTip(delayCaption->toolTip());
    bottom->addWidget(label_delay);
    bottom->addStretch(1);
    btn_close = new QPushButton(Tf_KVN::tr("✔️ CLOSE"), this);
    btn_close->setObjectName(QStringLiteral("btn_close"));
    bottom->addWidget(btn_close);
    bottom->addStretch(1);
    layout->addLayout(bottom);

    resize(620, 560);
    centerOnScreen(this);

    connect(btn_refresh, &QPushButton::clicked, this, &Tf_KVN::btn_refreshClick);
    connect(btn_add, &QPushButton::clicked, this, &Tf_KVN::btn_addClick);
    connect(btn_close, &QPushButton::clicked, this, &QWidget::close);
    connect(Getcontract1, &QAction::triggered, this, &Tf_KVN::Getcontract1Click);
    connect(lista_zlecen, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu menu(this);
        menu.addAction(Getcontract1);
        menu.exec(lista_zlecen->viewport()->mapToGlobal(pos));
    });
    connect(&kvn, &HubClient::refreshScheduled, this, &Tf_KVN::refresh);
    connect(&kvn, &HubClient::ordersReplaced, lista_zlecen, &QTreeView::expandAll);
    connect(&kvn.acceptedOrders, &QAbstractItemModel::rowsInserted, przyjete_zlecenia, &QTreeView::expandAll);

    Timer_delay.setInterval(1000);
    connect(&Timer_delay, &QTimer::timeout, this, &Tf_KVN::refresh);
    Timer_delay.start();
    refresh();
}

int Tf_KVN::secondsLeft(const QDateTime& allowedAt, const QDateTime& now)
{
    if (!allowedAt.isValid())
        return 0;
    const qint64 ms = now.msecsTo(allowedAt);
    return ms > 0 ? int((ms + 999) / 1000) : 0;
}

void Tf_KVN::refresh()
{
    const int left = secondsLeft(m_kvn.nextRefreshAllowedAt(), QDateTime::currentDateTimeUtc());
    label_delay->setText(QString::number(left));
    btn_refresh->setEnabled(left == 0);
}

void Tf_KVN::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    btn_add->setEnabled(m_kvn.addButtonEnabled());
    m_kvn.windowShown();
}

void Tf_KVN::btn_refreshClick()
{
    m_kvn.refreshOrders();
}

void Tf_KVN::btn_addClick()
{
    Tf_KVN_add form(m_state, this);
    if (form.exec() != QDialog::Accepted)
        return;
    m_kvn.addOrder(form.order());
}

void Tf_KVN::Getcontract1Click()
{
    runAction(m_report, [this] { m_kvn.takeContractAt(lista_zlecen->currentIndex()); });
}
