#include "windows/Tf_market.h"

#include "Core.h"

Tf_market::Tf_market(TessivarCore& core, QWidget* parent) : QWidget(parent, Qt::Window), m_core(core)
{
    setWindowTitle(QStringLiteral("Market"));
}
