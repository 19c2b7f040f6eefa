#include "windows/Tf_DB.h"

#include "Core.h"

Tf_DB::Tf_DB(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("DB"));
}
