#pragma once

#include <QPixmap>

// The program's mark: an amber ring around a "T", drawn rather than shipped
// as a file. The window icon and the installed desktop icons are this picture.
QPixmap logoPixmap(int size);
