#include "windows/Tf_about.h"

#include "Core.h"

Tf_about::Tf_about(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("About Tessivar"));
}
