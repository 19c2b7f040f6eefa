#include "windows/Tf_BGS.h"

#include "state/ShipInfo.h"
#include "state/SystemInfo.h"
#include "widgets/ElidedLabel.h"
#include "widgets/FirstRowHeaderProxy.h"
#include "widgets/InfluencePieChart.h"
#include "widgets/WindowParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kStyle = QStringLiteral(
    "Tf_BGS { background: rgb(76, 29, 1); }"
    "QGroupBox { color: rgb(222, 153, 0); font-family: 'Segoe UI'; font-size: 15px; font-weight: bold;"
    "  border: 1px solid rgb(140, 90, 20); margin-top: 10px; padding-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }"
    "QGroupBox#grp_system { background: white; }"
    "QLabel { color: rgb(222, 153, 0); font-family: 'Segoe UI'; font-size: 16px; font-weight: normal; }"
    "QTableView { background: rgb(45, 40, 36); color: rgb(222, 153, 0); gridline-color: rgb(110, 70, 20);"
    "  font-size: 13px; font-weight: normal; }"
    "QHeaderView::section { background: rgb(76, 29, 1); color: rgb(222, 153, 0); font-weight: bold;"
    "  border: 1px solid rgb(110, 70, 20); padding: 2px; }");

QLabel* valueLabel(QWidget* parent, const char* name)
{
    // Names from the journal can be long: they elide rather than widen the window.
    auto* l = new ElidedLabel(QString(), parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

QGroupBox* labelGroup(QWidget* parent, const QString& title, const char* name, int width,
                      std::initializer_list<QLabel*> labels)
{
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(QLatin1String(name));
    g->setMinimumWidth(width);
    auto* l = new QVBoxLayout(g);
    l->setSpacing(2);
    for (QLabel* label : labels)
        l->addWidget(label);
    l->addStretch(1);
    return g;
}

}  // namespace

Tf_BGS::Tf_BGS(SystemInfo& bgs, const ShipInfo& ship, QWidget* parent)
    : QWidget(parent, Qt::Window), m_bgs(bgs), m_ship(ship)
{
    setWindowTitle(Tf_BGS::tr("System Info"));
    setObjectName(QStringLiteral("f_BGS"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(kStyle);

    system_name = valueLabel(this, "system_name");
    system_population = valueLabel(this, "system_population");
    system_przynaleznosc = valueLabel(this, "system_przynaleznosc");
    system_rzad = valueLabel(this, "system_rzad");
    system_ekonomie = valueLabel(this, "system_ekonomie");
    system_security = valueLabel(this, "system_security");
    stacja_name = valueLabel(this, "stacja_name");
    stacja_marketid = valueLabel(this, "stacja_marketid");
    stacja_frakcja = valueLabel(this, "stacja_frakcja");
    stacja_ekonomia = valueLabel(this, "stacja_ekonomia");
    stacja_rzad = valueLabel(this, "stacja_rzad");
    statek_typ = valueLabel(this, "statek_typ");
    statek_nazwa = valueLabel(this, "statek_nazwa");
    statek_cargo = valueLabel(this, "statek_cargo");

    auto* top = new QHBoxLayout;
    // A wider window gives the room to the station, whose names are the longest.
    top->addWidget(labelGroup(this, Tf_BGS::tr("SYSTEM"), "grp_system", 150,
                              {system_name, system_population, system_przynaleznosc, system_rzad,
                               system_ekonomie, system_security}));
    top->addWidget(labelGroup(this, Tf_BGS::tr("STATION"), "grp_station", 150,
                              {stacja_name, stacja_marketid, stacja_frakcja, stacja_ekonomia, stacja_rzad}),
                   1);
    top->addWidget(
        labelGroup(this, Tf_BGS::tr("SHIP"), "grp_ship", 120, {statek_typ, statek_nazwa, statek_cargo}));

    auto* factions = new QGroupBox(Tf_BGS::tr("Factions"), this);
    factions->setObjectName(QStringLiteral("grp_fractions"));
    factions->setMinimumHeight(303);
    auto* fl = new QHBoxLayout(factions);
    Chart1 = new InfluencePieChart(factions);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    // Chart and grid share the width as designed (686 to 609); in less room
    // the grid scrolls sideways.
    Chart1->setMinimumWidth(240);
    fl->addWidget(Chart1, 686);

    m_gridProxy = new FirstRowHeaderProxy(this);
    m_gridProxy->setSourceModel(&bgs.sg_frakcje);
    sg_frakcje = new QTableView(factions);
    sg_frakcje->setObjectName(QStringLiteral("sg_frakcje"));
    sg_frakcje->setModel(m_gridProxy);
    sg_frakcje->verticalHeader()->hide();
    sg_frakcje->horizontalHeader()->setHighlightSections(false);
    sg_frakcje->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    sg_frakcje->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_frakcje->setSelectionMode(QAbstractItemView::NoSelection);
    sg_frakcje->setWordWrap(false);
    sg_frakcje->verticalHeader()->setDefaultSectionSize(22);
    // Each column as wide as its widest text, heading included; the grid
    // scrolls sideways when they do not all fit.
    sg_frakcje->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    sg_frakcje->setMinimumWidth(160);
    sg_frakcje->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    Chart1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    fl->addWidget(sg_frakcje, 609);

    auto* layout = new QVBoxLayout(addScrollingBody(this));
    layout->addLayout(top);
    layout->addWidget(factions, 1);

    resize(1299, 537);
    connect(&bgs, &SystemInfo::changed, this, &Tf_BGS::refresh);
    connect(&ship, &ShipInfo::changed, this, &Tf_BGS::refreshShip);
    refresh();
    refreshShip();
}

void Tf_BGS::refresh()
{
    const SystemInfo& bgs = m_bgs;
    system_name->setText(bgs.system_name);
    // The number in the chosen language's grouping; the core's text keeps the dump's.
    system_population->setText(bgs.population ? SystemInfo::populationText(groupedNumber(*bgs.population))
                                              : bgs.system_population);
    system_przynaleznosc->setText(bgs.system_przynaleznosc);
    system_rzad->setText(bgs.system_rzad);
    system_ekonomie->setText(bgs.system_ekonomie);
    system_security->setText(bgs.system_security);
    stacja_name->setText(bgs.stacja_name);
    stacja_marketid->setText(bgs.stacja_marketid);
    stacja_frakcja->setText(bgs.stacja_frakcja);
    stacja_ekonomia->setText(bgs.stacja_ekonomia);
    stacja_rzad->setText(bgs.stacja_rzad);
    Chart1->setSlices(bgs.pie);
}

void Tf_BGS::refreshShip()
{
    const ShipInfo& ship = m_ship;
    statek_typ->setText(ship.statek_typ);
    statek_nazwa->setText(ship.statek_nazwa);
    statek_cargo->setText(ship.statek_cargo);
}
