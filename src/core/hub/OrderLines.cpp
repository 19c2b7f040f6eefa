#include "hub/OrderLines.h"

namespace OrderLines {

QString header(const QString& FC, const QString& cmdr)
{
    return QStringLiteral("\U0001F680 ") + FC + QStringLiteral(" - \U0001F9D1\u200D\U0001F680 ") + cmdr;
}

QString carrierIdLine(const QString& CarrierID)
{
    return carrierIdPrefix() + CarrierID;
}

QString actionLine(const QString& action)
{
    return QStringLiteral("\U0001F4E5 Action: ") + action;
}

QString locationLine(const QString& location)
{
    return QStringLiteral("\U0001F4CD Location: ") + location;
}

QString commodityLine(const QString& commodity, const QString& count, const QString& price)
{
    return commodityMark() + QStringLiteral(" [") + commodity + QStringLiteral("] ") + countMark() +
           QLatin1Char(' ') + count + QStringLiteral(" / \U0001F4B0 ") + price + QStringLiteral("% AVG;");
}

const QString& carrierIdPrefix()
{
    static const QString s = QStringLiteral("\U0001F194 CarrierID: ");
    return s;
}

const QString& commodityMark()
{
    static const QString s = QStringLiteral("\U0001F4E6 Commodity:");
    return s;
}

const QString& countMark()
{
    static const QString s = QStringLiteral("\U0001F522");
    return s;
}

QString commodityName(const QString& line)
{
    // A missing "[" reads from the start of the line; a missing "]" gives nothing.
    const qsizetype from = line.indexOf(QLatin1Char('[')) + 1;
    const qsizetype to = line.indexOf(QLatin1Char(']'));
    return to > from ? line.mid(from, to - from) : QString();
}

bool hasCount(const QString& line)
{
    return line.contains(countMark());
}

QString commodityCount(const QString& line)
{
    const qsizetype mark = line.indexOf(countMark());
    if (mark < 0)
        return {};
    const qsizetype from = mark + countMark().size();
    const qsizetype to = line.indexOf(QLatin1Char('/'));
    return to > from ? line.mid(from, to - from).trimmed() : QString();
}

QList<QPair<QString, QString>> commodityRows(const QStringList& lines)
{
    QList<QPair<QString, QString>> rows;
    for (const QString& line : lines)
        if (line.contains(commodityMark()) && hasCount(line))
            rows.append({commodityName(line), commodityCount(line)});
    return rows;
}

}  // namespace OrderLines
