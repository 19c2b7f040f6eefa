#pragma once

#include <QApplication>

// The application object; its notify() is the last resort for an exception
// nothing else caught: it is logged and the program keeps running.
class TessivarApplication : public QApplication
{
public:
    TessivarApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

// Colours of the "Golden Graphite" look: amber text on dark brown.
void applyGoldenGraphiteTheme(QApplication& app);
