#include "windows/Tf_send_to_mobile.h"

Tf_send_to_mobile::Tf_send_to_mobile(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(Tf_send_to_mobile::tr("Send to mobile"));
}
