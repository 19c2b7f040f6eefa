#include "windows/Tf_KVN_add.h"

#include "Core.h"

Tf_KVN_add::Tf_KVN_add(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("KVN - new order"));
}
