#include "widgets/Logo.h"

#include <QFont>
#include <QPainter>

QPixmap logoPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor amber(222, 153, 0);
    p.setPen(QPen(amber, size / 14.0));
    p.setBrush(QColor(45, 40, 36));
    p.drawEllipse(QRectF(size * 0.06, size * 0.06, size * 0.88, size * 0.88));
    QFont f;
    f.setPixelSize(size / 2);
    f.setBold(true);
    p.setFont(f);
    p.setPen(amber);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("T"));
    return pm;
}
