#include "windows/Tf_mission.h"

#include "Core.h"

Tf_mission::Tf_mission(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("Missions"));
}
