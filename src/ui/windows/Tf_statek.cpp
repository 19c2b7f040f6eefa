#include "windows/Tf_statek.h"

#include "Core.h"

Tf_statek::Tf_statek(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("Ship Info"));
}
