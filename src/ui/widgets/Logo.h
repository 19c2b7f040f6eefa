#pragma once

#include <QPixmap>

// The program's marks, drawn rather than shipped as files.

// An amber ring around a "T": the window icon and the installed desktop icons.
QPixmap logoPixmap(int size);

// A circled "i", the sign of the About button.
QPixmap infoPixmap(int size);
