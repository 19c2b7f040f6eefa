#include "colony/CsvExport.h"

namespace {

QString csvField(const QString& f)
{
    if (!f.contains(QLatin1Char(',')) && !f.contains(QLatin1Char('"')) && !f.contains(QLatin1Char('\n')) &&
        !f.contains(QLatin1Char('\r')))
        return f;
    QString q = f;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace

QString toCsv(const QList<QStringList>& rows)
{
    QString out;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& f : row)
            fields.append(csvField(f));
        out += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out;
}

QString toTsv(const QList<QStringList>& rows)
{
    QString out;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (QString f : row) {
            for (const QChar c : {QLatin1Char('\t'), QLatin1Char('\r'), QLatin1Char('\n')})
                f.replace(c, QLatin1Char(' '));
            fields.append(f);
        }
        out += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

QList<QStringList> fromCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        any = true;
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row.append(field);
            field.clear();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            row.append(field);
            rows.append(row);
            row.clear();
            field.clear();
            any = false;
        } else {
            field += c;
        }
    }
    if (any) {
        row.append(field);
        rows.append(row);
    }
    return rows;
}
