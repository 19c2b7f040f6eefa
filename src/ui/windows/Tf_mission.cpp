#include "windows/Tf_mission.h"

#include "commodities/CommodityNames.h"
#include "missions/MissionModule.h"
#include "widgets/WindowParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tf_mission::Tf_mission(const MissionModule& missions, QWidget* parent)
    : QWidget(parent, Qt::Window), m_missions(missions)
{
    setWindowTitle(Tf_mission::tr("Missions"));
    setObjectName(QStringLiteral("f_mission"));

    auto* banner = new QLabel(Tf_mission::tr("⛏️ MISSIONS"), this);
    banner->setTextFormat(Qt::PlainText);
    QFont f = banner->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    banner->setFont(f);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);

    btn_close = new QPushButton(Tf_mission::tr("✔️ CLOSE"), this);
    Label1 = new QLabel(QStringLiteral("0"), this);
    Label1->setTextFormat(Qt::PlainText);
    auto* bar = new QHBoxLayout;
    bar->addWidget(btn_close);
    bar->addStretch(1);
    bar->addWidget(Label1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(Memo1, 1);
    layout->addLayout(bar);
    resize(400, 300);

    connect(&missions, &MissionModule::changed, this, &Tf_mission::refresh);
    refresh();
}

void Tf_mission::refresh()
{
    QStringList lines;
    for (const auto& [name, units] : m_missions.mission_commodites)
        lines.append(CommodityNames::displayName(name) + QLatin1Char('=') + groupedNumber(units));
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}
