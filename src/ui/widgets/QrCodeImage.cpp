#include "widgets/QrCodeImage.h"

#include <qrencode.h>

#include <memory>

QImage qrCodeImage(const QString& text, int scale)
{
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!code || scale < 1)
        return {};
    constexpr int kQuiet = 4;
    const int modules = code->width;
    const int side = (modules + 2 * kQuiet) * scale;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < modules; ++y) {
        for (int x = 0; x < modules; ++x) {
            // Bit 0 of each byte tells whether the module is dark.
            if ((code->data[y * modules + x] & 1) == 0)
                continue;
            for (int dy = 0; dy < scale; ++dy) {
                uchar* line = image.scanLine((y + kQuiet) * scale + dy);
                std::fill_n(line + (x + kQuiet) * scale, scale, uchar(0));
            }
        }
    }
    return image;
}
