#include "common/JsonRead.h"

#include <QLocale>
#include <cmath>

QString jsonScalarText(const QJsonValue& v)
{
    if (v.isString())
        return v.toString();
    if (v.isDouble()) {
        bool ok = false;
        const qint64 i = v.toVariant().toLongLong(&ok);
        const double d = v.toDouble();
        if (ok && double(i) == d)
            return QString::number(i);
        if (d >= 0 && d < 18446744073709551616.0 && std::floor(d) == d)
            return QString::number(quint64(d));
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }
    return {};
}
