#pragma once

#include "ini/IniDocument.h"

#include <QString>

// One INI file on disk. Every write opens the file, changes one value and
// replaces the file atomically, so a crash never leaves half a file behind.
// Reads open the file each time; use document() to read many values at once.
class IniFile
{
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }
    bool exists() const;

    // The file's contents; an empty document when it is missing. Throws
    // TessivarError when it exists but cannot be read.
    IniDocument document() const;
    // Replaces the file with the document's text (atomically). Throws on failure.
    void save(const IniDocument& doc) const;

    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    int readInteger(const QString& section, const QString& key, int def = 0) const;
    qint64 readInt64(const QString& section, const QString& key, qint64 def = 0) const;
    double readFloat(const QString& section, const QString& key, double def = 0) const;
    bool readBool(const QString& section, const QString& key, bool def = false) const;
    QStringList sections() const { return document().sections(); }
    QList<QPair<QString, QString>> sectionValues(const QString& section) const
    {
        return document().sectionValues(section);
    }
    bool sectionExists(const QString& section) const { return document().sectionExists(section); }
    bool valueExists(const QString& section, const QString& key) const
    {
        return document().valueExists(section, key);
    }

    void writeString(const QString& section, const QString& key, const QString& value) const;
    void writeInteger(const QString& section, const QString& key, qint64 value) const;
    void writeFloat(const QString& section, const QString& key, double value) const;
    void writeBool(const QString& section, const QString& key, bool value) const;
    void deleteKey(const QString& section, const QString& key) const;
    void eraseSection(const QString& section) const;

private:
    QString m_path;
};

// Conversions shared by every reader of the program's INI values.
namespace IniValue {
std::optional<qint64> toInt64(const QString& text);  // whole text, decimal, optional sign
std::optional<double> toDouble(const QString& text); // full stop or comma as decimal separator
QString fromDouble(double value);                    // shortest exact text, full stop
} // namespace IniValue
