#pragma once

#include <QImage>
#include <QString>

// A QR code of the text (error correction level M) with its four-module
// quiet zone, each module `scale` pixels square, dark on light. A null image
// when the text does not fit in a QR code.
QImage qrCodeImage(const QString& text, int scale);
