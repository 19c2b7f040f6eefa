#include "widgets/Logo.h"

#include <QFont>
#include <QPainter>

namespace {

const QColor kAmber(222, 153, 0);

// A transparent square with an amber circle (`ring` wide, on `fill`) and a bold
// letter of `letterSize` pixels in its middle.
QPixmap circledLetter(int size, double inset, double ring, const QBrush& fill, int letterSize, QChar letter)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAmber, ring));
    p.setBrush(fill);
    p.drawEllipse(QRectF(inset, inset, size - 2 * inset, size - 2 * inset));
    QFont f;
    f.setPixelSize(letterSize);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString(letter));
    return pm;
}

}  // namespace

QPixmap logoPixmap(int size)
{
    return circledLetter(size, size * 0.06, size / 14.0, QColor(45, 40, 36), size / 2, QLatin1Char('T'));
}

QPixmap infoPixmap(int size)
{
    return circledLetter(size, 1, 1.5, Qt::NoBrush, size * 3 / 4, QLatin1Char('i'));
}
