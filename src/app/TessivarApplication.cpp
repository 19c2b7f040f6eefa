#include "TessivarApplication.h"

#include "common/Error.h"

#include <QLoggingCategory>
#include <QMessageBox>
#include <QPalette>

namespace {

Q_LOGGING_CATEGORY(lcApp, "tessivar.app")

}  // namespace

bool TessivarApplication::notify(QObject* receiver, QEvent* event)
{
    // Every slot and handler reports its own failures where they happen; what
    // still arrives here escaped all of them, and is only logged (a box from
    // inside event delivery could itself re-enter the code that failed).
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        qCCritical(lcApp) << "uncaught in" << receiver << "event" << event->type() << ":" << e.what();
    } catch (...) {
        qCCritical(lcApp) << "uncaught in" << receiver << "event" << event->type();
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
