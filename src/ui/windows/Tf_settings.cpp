#include "windows/Tf_settings.h"

#include "Core.h"

Tf_settings::Tf_settings(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("SETTINGS"));
}
