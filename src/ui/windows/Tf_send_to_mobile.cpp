#include "windows/Tf_send_to_mobile.h"

#include "Core.h"

Tf_send_to_mobile::Tf_send_to_mobile(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("Send to mobile"));
}
