#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Tables as text for a spreadsheet: comma-separated with the usual quoting
// (a field holding a comma, a quote or a line end is quoted, quotes doubled;
// lines end in CR LF), and tab-separated for the clipboard (tabs and line
// ends inside a field become blanks).
QString toCsv(const QList<QStringList>& rows);
QString toTsv(const QList<QStringList>& rows);
// The rows of a CSV text as toCsv writes it (and as spreadsheets save it).
QList<QStringList> fromCsv(const QString& text);
