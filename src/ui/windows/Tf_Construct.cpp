#include "windows/Tf_Construct.h"

#include "Core.h"

Tf_Construct::Tf_Construct(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("Construction Site"));
}
