#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// A Windows INI text held line by line, so that comments, unknown lines and
// the order of sections and keys survive every edit, and every line the
// program does not change is written back byte for byte. Section and key
// look-ups ignore letter case; when a key appears twice in one section, the
// first one counts (as the Windows profile functions do).
//
// Sections and keys are indexed, so reading, changing and saving a file cost
// time in proportion to its size, however many sections and keys it has.
class IniDocument
{
public:
    // How the file's text is stored. A file is written back the way it was read.
    enum class Encoding
    {
        Utf8,
        Utf8Bom,
        Utf16LE,  // with its byte-order mark
        Utf16BE   // with its byte-order mark
    };

    // Parses UTF-8 text (a byte-order mark is kept aside) or UTF-16 text with
    // a byte-order mark, with LF, CR LF or CR line ends. Throws TessivarError
    // for text in any other form (UTF-32, UTF-16 without a byte-order mark,
    // binary data): such a file must not be edited, it would be destroyed.
    static IniDocument fromText(const QByteArray& bytes);
    QByteArray toText() const;
    Encoding encoding() const { return m_encoding; }

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
        QString text;    // the section name or the key
        QString value;   // value of an entry
        QByteArray raw;  // the line as read, in the file's encoding, without its end
        QByteArray eol;  // the line's end as read; empty for a new line or an unterminated last one
        bool edited = true;
    };
    // A section header with the lines up to the next header. The first block
    // holds the lines before any header and has no name.
    struct Block
    {
        QList<Line> lines;
        bool erased = false;
    };
    struct Where
    {
        int block;
        int line;
        bool operator==(const Where&) const = default;
    };
    static QString keyId(const QString& section, const QString& key);
    // Points the key's index entry at its first line again (after a deletion).
    void reindexKey(const QString& section, const QString& key);

    static Line parseLine(const QString& text);
    QByteArray encode(const QString& text) const;
    const QList<int>* blocksOf(const QString& section) const;
    // The block and line of a key, the first section of that name holding it first.
    std::optional<std::pair<int, int>> findKey(const QString& section, const QString& key) const;

    std::vector<Block> m_blocks = std::vector<Block>(1);
    QHash<QString, QList<int>> m_sections;  // folded name -> its blocks, in file order
    // keyId -> the key's first entry in the first section of that name holding it.
    QHash<QString, Where> m_keys;
    Encoding m_encoding = Encoding::Utf8;
    QString m_eol = QStringLiteral("\r\n");
};
