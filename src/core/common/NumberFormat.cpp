#include "common/NumberFormat.h"

#include <cfenv>
#include <cmath>

double roundHalfEven(double value)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it.
    const int mode = std::fegetround();
    if (mode != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    if (mode != FE_TONEAREST)
        std::fesetround(mode);
    return r;
}

double roundHalfEven(double value, int decimals)
{
    const double factor = std::pow(10.0, decimals);
    return roundHalfEven(value * factor) / factor;
}

namespace {

// Inserts the locale's group separator into a string of digits.
QString groupDigits(const QString& digits, const QLocale& locale)
{
    const QString sep = locale.groupSeparator();
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += sep;
        out += digits[i];
    }
    return out;
}

QString trimFraction(QString s)
{
    if (!s.contains(QLatin1Char('.')))
        return s;
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

QString localiseDecimal(QString s, const QLocale& locale)
{
    s.replace(QLatin1Char('.'), locale.decimalPoint());
    return s;
}

}  // namespace

QString FormatNumberWithCommas(qint64 Number, const QLocale& locale)
{
    const bool negative = Number < 0;
    // The magnitude of the smallest qint64 does not fit a qint64.
    const quint64 magnitude = negative ? quint64(0) - quint64(Number) : quint64(Number);
    const QString grouped = groupDigits(QString::number(magnitude), locale);
    return negative ? QLatin1Char('-') + grouped : grouped;
}

QString FormatGeneral(double value, const QLocale& locale)
{
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? QStringLiteral("0") : QString::number(value);
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e-5 && magnitude < 1e15) {
        const int intDigits = magnitude >= 1 ? int(std::floor(std::log10(magnitude))) + 1 : 0;
        int decimals = 15 - intDigits;
        if (magnitude < 1)  // leading zeros after the point are not significant
            decimals += -int(std::floor(std::log10(magnitude))) - 1;
        return localiseDecimal(trimFraction(QString::number(value, 'f', decimals)), locale);
    }
    // Outside that range: mantissa with up to 15 digits and a bare exponent (1E-6, 1.5E20).
    QString s = QString::number(value, 'E', 14);
    const qsizetype e = s.indexOf(QLatin1Char('E'));
    QString mantissa = trimFraction(s.left(e));
    const int exponent = s.mid(e + 1).toInt();
    return localiseDecimal(mantissa, locale) + QLatin1Char('E') + QString::number(exponent);
}

QString FormatGrouped3(double value, const QLocale& locale)
{
    QString s = trimFraction(QString::number(value, 'f', 3));
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    const bool negative = s.startsWith(QLatin1Char('-'));
    if (negative)
        s.remove(0, 1);
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? s : s.left(dot);
    QString out = groupDigits(whole, locale);
    if (dot >= 0)
        out += locale.decimalPoint() + s.mid(dot + 1);
    return negative ? QLatin1Char('-') + out : out;
}
