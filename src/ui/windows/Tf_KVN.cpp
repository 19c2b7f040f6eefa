#include "windows/Tf_KVN.h"

#include "Core.h"

Tf_KVN::Tf_KVN(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("KVN"));
}
