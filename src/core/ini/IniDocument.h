#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// A Windows INI text held line by line, so that comments, unknown lines and
// the order of sections and keys survive every edit. Section and key look-ups
// ignore letter case; when a key appears twice in one section, the first one
// counts (as the Windows profile functions do).
class IniDocument
{
public:
    // Parses UTF-8 text with LF, CR LF or CR line ends (a byte-order mark is dropped).
    static IniDocument fromText(const QByteArray& utf8);
    QByteArray toText() const;

    QStringList sections() const;
    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;
    std::optional<QString> value(const QString& section, const QString& key) const;
    // The key=value pairs of a section in file order (the first of duplicate keys only).
    QList<QPair<QString, QString>> sectionValues(const QString& section) const;
    QStringList sectionKeys(const QString& section) const;
    // Every key=value line of a section in file order, repeated keys included.
    QList<QPair<QString, QString>> sectionLines(const QString& section) const;

    // Throws TessivarError for a section, key or value that the format cannot hold.
    void setValue(const QString& section, const QString& key, const QString& value);
    void deleteKey(const QString& section, const QString& key);
    void eraseSection(const QString& section);

    static void checkSection(const QString& section);
    static void checkKey(const QString& key);
    static void checkValue(const QString& value);

private:
    struct Line
    {
        enum Kind
        {
            Other,
            Section,
            Entry
        } kind = Other;
        QString text;   // raw text of the line (Other) or the section name / key
        QString value;  // value of an entry
        QString raw;    // the line as read; written back unchanged unless edited
        bool edited = true;
    };

    int findSection(const QString& section) const;  // index of the header line, -1 if none
    int sectionEnd(int headerIndex) const;          // index after the last line of the section
    int findKey(int headerIndex, const QString& key) const;

    QList<Line> m_lines;
    QString m_eol = QStringLiteral("\r\n");
};
