#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <span>
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
    static bool canBeKey(const QString& key);
    static void checkValue(const QString& value);

private:
    // One line of the file. A line read from the file points into the file's
    // bytes (m_raw) and its decoded text (m_text); nothing is copied per line.
    // A line the program wrote holds its own texts in m_edits.
    struct Line
    {
        enum Kind : quint8
        {
            Other,
            Section,
            Entry
        };
        enum End : quint8
        {
            None,  // a new line, or an unterminated last one
            Lf,
            CrLf,
            Cr
        };
        Kind kind = Other;
        End end = None;
        // Positions fit 32 bits: fromText refuses larger files.
        qint32 rawFrom = 0;  // the line's bytes in m_raw, without its end
        qint32 rawLength = 0;
        qint32 nameFrom = 0;  // the section name or the key in m_text
        qint32 nameLength = 0;
        qint32 valueFrom = 0;  // the entry's value in m_text
        qint32 valueLength = 0;
        int edit = -1;  // index in m_edits once the program has set the line
    };
    struct Edit
    {
        QString name;
        QString value;
    };
    // A section header with the lines up to the next header. The first block
    // holds the lines before any header and has no name.
    struct Block
    {
        // The lines read stand in m_lines; a block the program has changed
        // holds its own copy.
        qint32 first = 0;
        qint32 count = 0;
        bool owned = false;
        std::vector<Line> own;
        int nextOfName = -1;  // the next block of a section of the same name
        bool firstOfName = false;
        bool erased = false;
        // Folded key -> its first entry, made on the first look-up in a long block.
        mutable QHash<QString, int> keys;
        mutable bool keysMade = false;
    };

    std::span<const Line> lines(const Block& b) const;
    std::vector<Line>& ownLines(Block& b);
    QStringView name(const Line& l) const;
    QStringView value(const Line& l) const;
    QString sectionName(const Block& b) const { return name(lines(b).front()).toString(); }
    // The first block of a section, -1 when there is none.
    int firstBlock(const QString& section) const;
    // The block and line of a key, the first section of that name holding it first.
    std::optional<std::pair<int, int>> findKey(const QString& section, const QString& key) const;
    std::optional<std::pair<int, int>> findKey(int firstBlock, QStringView key) const;
    int findInBlock(const Block& b, QStringView key) const;
    Line newLine(Line::Kind kind, const QString& name, const QString& value);
    int appendBlock(const QString& section);

    QByteArray encode(QStringView text) const;
    QByteArray endBytes(Line::End end) const;

    QByteArray m_raw;           // the file's bytes as read
    QString m_text;             // their decoded text, line by line (line ends not included)
    std::vector<Line> m_lines;  // every line read, in file order
    std::vector<Edit> m_edits;
    std::vector<Block> m_blocks = std::vector<Block>(1);
    QHash<QString, int> m_sections;  // folded name -> its first block
    Encoding m_encoding = Encoding::Utf8;
    Line::End m_eol = Line::CrLf;
};

// Texts written by others (the game's names of materials and commodities)
// used as keys. A text that can stand as a key is stored as it is, so the
// files keep every key they have always had; any other text has its awkward
// characters stored as %XX (%uXXXX past U+00FF), '%' included, and reads
// back as it was written. A plain key that happens to read like such an
// escape is escaped too, so no text is ever read back as another.
namespace IniKey {
// The key that stores text; empty for an empty text, which no key can hold.
QString fromText(const QString& text);
// The text a key stores.
QString toText(const QString& key);
}  // namespace IniKey
