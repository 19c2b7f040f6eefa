#include "windows/Tf_statek.h"

Tf_statek::Tf_statek(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(Tf_statek::tr("Ship Info"));
}
