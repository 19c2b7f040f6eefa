#include "windows/Tf_BGS.h"

#include "Core.h"

Tf_BGS::Tf_BGS(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("System Info"));
}
