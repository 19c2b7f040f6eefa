#include "TessivarApplication.h"

#include "common/Error.h"
#include "widgets/WidgetInteraction.h"

#include <QMessageBox>
#include <QPalette>

bool TessivarApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (m_ui)
            m_ui->showMessage(errorText(e));
    } catch (...) {
        if (m_ui)
            m_ui->showMessage(QCoreApplication::translate("TessivarApplication", "Unknown error"));
    }
    return false;
}

void applyGoldenGraphiteTheme(QApplication& app)
{
    app.setStyle(QStringLiteral("Fusion"));
    const QColor amber(222, 153, 0);
    const QColor brown(76, 29, 1);
    const QColor graphite(45, 40, 36);
    QPalette p;
    p.setColor(QPalette::Window, brown);
    p.setColor(QPalette::WindowText, amber);
    p.setColor(QPalette::Base, graphite);
    p.setColor(QPalette::AlternateBase, brown.darker(120));
    p.setColor(QPalette::Text, amber);
    p.setColor(QPalette::Button, graphite);
    p.setColor(QPalette::ButtonText, amber);
    p.setColor(QPalette::ToolTipBase, graphite);
    p.setColor(QPalette::ToolTipText, amber);
    p.setColor(QPalette::Highlight, amber);
    p.setColor(QPalette::HighlightedText, brown);
    p.setColor(QPalette::PlaceholderText, amber.darker(150));
    p.setColor(QPalette::Disabled, QPalette::WindowText, amber.darker(180));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, amber.darker(180));
    p.setColor(QPalette::Disabled, QPalette::Text, amber.darker(180));
    app.setPalette(p);
}
