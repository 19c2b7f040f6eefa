#include "windows/Tf_KVN_add.h"

#include "commodities/CommodityNames.h"
#include "hub/OrderCommodities.h"
#include "state/Records.h"
#include "widgets/WindowParts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

namespace {

QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// A count or a percentage: a whole number above 0.
QSpinBox* positiveSpin(int value, QWidget* parent)
{
    auto* s = new QSpinBox(parent);
    s->setRange(1, std::numeric_limits<int>::max());
    s->setValue(value);
    return s;
}

// A heading of the commodity list in the person's language, a commodity as the game names it.
QString shownEntry(const QString& entry)
{
    if (entry == QLatin1String("BASE:"))
        return Tf_KVN_add::tr("BASE:");
    if (entry == QLatin1String("OTHER:"))
        return Tf_KVN_add::tr("OTHER:");
    return isOrderableCommodity(entry) ? CommodityNames::displayName(entry) : entry;
}

// What the carrier field holds until it is filled: never an order's carrier.
const QString kUntouchedCarrier = QStringLiteral("carrier_name");

}  // namespace

Tf_KVN_add::Tf_KVN_add(const GameState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setWindowTitle(tr("New order — Kelvane"));
    setModal(true);
    setStyleSheet(QStringLiteral("QLabel, QLineEdit, QComboBox, QSpinBox, QRadioButton, QCheckBox, QGroupBox "
                                 "{ color: rgb(222, 153, 0); }"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    top->addWidget(icon);
    auto* title = plainLabel(Tf_KVN_add::tr(" ➕ Add new contract"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    top->addWidget(title);
    top->addStretch(1);
    ch_zgoda = new QCheckBox(
        Tf_KVN_add::tr("I accept sending my player name and Fleet Carrier to the remote server."), this);
    ch_zgoda->setObjectName(QStringLiteral("ch_zgoda"));
    ch_zgoda->setChecked(true);
    top->addWidget(ch_zgoda);
    layout->addLayout(top);

    cmdr_name = plainLabel(QString(), this);
    cmdr_name->setObjectName(QStringLiteral("cmdr_name"));
    QFont bold = cmdr_name->font();
    bold.setBold(true);
    cmdr_name->setFont(bold);
    layout->addWidget(cmdr_name);

    auto* form = new QFormLayout;
    carrier_name = new QLineEdit(this);
    carrier_name->setObjectName(QStringLiteral("carrier_name"));
    carrier_name->setPlaceholderText(tr("your fleet carrier's name"));
    form->addRow(plainLabel(Tf_KVN_add::tr("Carrier ID / Name:"), this), carrier_name);
    carrier_id = plainLabel(QString(), this);
    carrier_id->setObjectName(QStringLiteral("carrier_id"));
    form->addRow(QString(), carrier_id);
    carrier_location = new QLineEdit(this);
    carrier_location->setObjectName(QStringLiteral("carrier_location"));
    carrier_location->setReadOnly(true);
    carrier_location->setPlaceholderText(tr("not known yet: the journal names it once the carrier is seen"));
    form->addRow(plainLabel(Tf_KVN_add::tr("Carrier location (System / Station):"), this), carrier_location);
    layout->addLayout(form);

    auto* typ = new QGroupBox(Tf_KVN_add::tr("Type:"), this);
    auto* typLayout = new QHBoxLayout(typ);
    typ_demand = new QRadioButton(Tf_KVN_add::tr("Demand"), typ);
    typ_demand->setObjectName(QStringLiteral("typ_demand"));
    typ_demand->setChecked(true);
    typ_unload = new QRadioButton(Tf_KVN_add::tr("Unload"), typ);
    typ_unload->setObjectName(QStringLiteral("typ_unload"));
    typLayout->addWidget(typ_demand);
    typLayout->addWidget(typ_unload);
    layout->addWidget(typ);

    // FormCreate: the list, then "Aluminium" (entry 3) selected. The list
    // takes no typed text, so an order always names one of its entries.
    auto* fields = new QGridLayout;
    commodity_name = new QComboBox(this);
    commodity_name->setObjectName(QStringLiteral("commodity_name"));
    // Each entry as a person reads it, the hub's spelling kept as its data.
    for (const QString& entry : orderFormCommodities())
        commodity_name->addItem(shownEntry(entry), entry);
    commodity_name->setCurrentIndex(3);
    count = positiveSpin(1, this);
    count->setObjectName(QStringLiteral("count"));
    avg = positiveSpin(100, this);
    avg->setObjectName(QStringLiteral("avg"));
    fields->addWidget(plainLabel(Tf_KVN_add::tr("Commodity:"), this), 0, 0);
    fields->addWidget(plainLabel(Tf_KVN_add::tr("Count"), this), 0, 1);
    fields->addWidget(plainLabel(Tf_KVN_add::tr("% AVG"), this), 0, 2);
    fields->addWidget(commodity_name, 1, 0);
    fields->addWidget(count, 1, 1);
    fields->addWidget(avg, 1, 2);
    fields->setColumnStretch(0, 1);
    layout->addLayout(fields);
    label_problem = plainLabel(QString(), this);
    label_problem->setObjectName(QStringLiteral("label_problem"));
    label_problem->setWordWrap(true);
    label_problem->setStyleSheet(QStringLiteral("color: rgb(255, 110, 80); font-weight: bold;"));
    label_problem->hide();
    layout->addWidget(label_problem);
    layout->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    btn_add = new QPushButton(Tf_KVN_add::tr(" ➕ ADD"), this);
    btn_add->setObjectName(QStringLiteral("btn_add"));
    bottom->addWidget(btn_add);
    bottom->addStretch(1);
    btn_cancel = new QPushButton(Tf_KVN_add::tr("❌ CANCEL"), this);
    btn_cancel->setObjectName(QStringLiteral("btn_cancel"));
    bottom->addWidget(btn_cancel);
    layout->addLayout(bottom);

    resize(560, 330);
    centerOnScreen(this);

    connect(btn_add, &QPushButton::clicked, this, &Tf_KVN_add::btn_addClick);
    connect(btn_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ch_zgoda, &QCheckBox::toggled, this, &Tf_KVN_add::ch_zgodaClick);
}

void Tf_KVN_add::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void Tf_KVN_add::FormShow()
{
    const GameState& s = m_state;
    ch_zgoda->setChecked(true);
    cmdr_name->setText(QStringLiteral("CMDR ") + s.dane_CMDR.Name);
    // The own carrier, as the journal and settings.ini know it.
    carrier_name->setText(s.dane_carriera.CarrierName);
    carrier_id->setText(s.dane_carriera.CarrierID ? tr("Carrier ID: %1").arg(s.dane_carriera.CarrierID)
                                                  : tr("Carrier ID: not known yet"));
    carrier_location->setText(s.dane_carriera.StarSystem.isEmpty()
                                  ? QString()
                                  : s.dane_carriera.StarSystem + QStringLiteral(" / Body ") +
                                        QString::number(s.dane_carriera.Body));
    label_problem->hide();
}

QString Tf_KVN_add::problem() const
{
    const QString name = carrier_name->text().trimmed();
    if (name.isEmpty() || name == kUntouchedCarrier)
        return tr("Carrier ID / Name: type your fleet carrier's name.");
    if (carrier_location->text().trimmed().isEmpty())
        return tr("Carrier location: not known yet. Open the carrier's management screen in the game "
                  "(or jump it) so the journal names its system, then try again.");
    if (!isOrderableCommodity(commodity_name->currentData().toString()))
        return tr("Commodity: choose one of the list, not a heading.");
    if (count->value() <= 0)
        return tr("Count: give a number of units above 0.");
    if (avg->value() <= 0)
        return tr("% AVG: give a percentage above 0.");
    return {};
}

void Tf_KVN_add::btn_addClick()
{
    const QString text = problem();
    if (text.isEmpty()) {
        accept();
        return;
    }
    // Nothing is sent: the form stays open and says which field to mend.
    label_problem->setText(text);
    label_problem->show();
}

void Tf_KVN_add::ch_zgodaClick(bool checked)
{
    if (!checked)
        reject();
}

HubClient::NewOrder Tf_KVN_add::order() const
{
    HubClient::NewOrder o;
    o.cmdr = cmdr_name->text();
    o.FC = carrier_name->text();
    o.location = carrier_location->text();
    // The hub's words, whatever language the buttons speak.
    o.typ = typ_unload->isChecked() ? QStringLiteral("Unload") : QStringLiteral("Demand");
    o.commodity = commodity_name->currentData().toString();
    o.count = count->value();
    o.price = avg->value();
    return o;
}
