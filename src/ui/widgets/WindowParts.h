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

// A text for a button caption: buttons take "&" as the mark of a shortcut
// key, so a text from outside shows its "&" only when doubled.
QString buttonCaption(const QString& text);

// A body for the window's content inside a scroll area that fills the
// window: a window tiled into less room than its content wants scrolls
// instead of growing past its place. Give the body the window's layout.
QWidget* addScrollingBody(QWidget* window);

// Puts the window in the middle of its screen's free area.
void centerOnScreen(QWidget* window);

// A count, credits or tonnes as a person reads them: digits grouped by threes
// with the current locale's separator. QLocale's own form in Qt 6.4 leaves
// a Polish million as "1234 567".
QString groupedNumber(qint64 value);

// Trips as the lists keep them ("3-232": three full holds and 232 t) in the
// person's words: "3 × 232", and the tool tip "3 full trips and 232 t". Any
// other text is shown as it is, without a tool tip.
QString tripsShown(const QString& trips);
QString tripsToolTip(const QString& trips);
