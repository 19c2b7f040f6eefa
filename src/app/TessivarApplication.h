#pragma once

#include <QApplication>

class WidgetInteraction;

// The application object; its notify() is the general error report: an
// exception escaping an event handler becomes a message box with its text,
// and the program keeps running.
class TessivarApplication : public QApplication
{
public:
    TessivarApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
    void setInteraction(WidgetInteraction* ui) { m_ui = ui; }

private:
    WidgetInteraction* m_ui = nullptr;
};

// Colours of the "Golden Graphite" look: amber text on dark brown.
void applyGoldenGraphiteTheme(QApplication& app);
