#pragma once

#include <QString>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

// Pieces the program's windows share, so they keep one look.

// Adds the program's icon and a large bold plain-text caption to `row` (the
// caption with the given stretch) and returns the caption's label.
QLabel* addWindowTitle(QHBoxLayout* row, const QString& caption, QWidget* window, int stretch = 0);

// Adds a row with the window's "✔️ CLOSE" button at the right to `layout`
// and returns the button.
QPushButton* addCloseRow(QBoxLayout* layout, QWidget* window);

// Puts the window in the middle of its screen's free area.
void centerOnScreen(QWidget* window);
