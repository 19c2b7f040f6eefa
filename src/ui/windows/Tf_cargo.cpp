#include "windows/Tf_cargo.h"

#include "Core.h"

Tf_cargo::Tf_cargo(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("Cargo"));
}
