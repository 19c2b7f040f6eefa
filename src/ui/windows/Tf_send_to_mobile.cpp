#include "windows/Tf_send_to_mobile.h"

Tf_send_to_mobile::Tf_send_to_mobile(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Send to mobile"));
}
