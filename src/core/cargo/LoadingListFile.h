#pragma once

#include "ini/IniDocument.h"

#include <QJsonArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// One commodity of the commander's own loading list as the file holds it.
struct LoadingFileEntry
{
    QString name;
    QString text;  // the value as written, shown as it stands
    qint64 quantity = 0;
};

// zaladunek.ini: the commander's own loading list, one "name=quantity" line
// per commodity in its [zaladunek] section. Nothing else opens that file, so
// its bytes change only through the writes below, each of which replaces the
// file at once (other sections and comments are kept as they are).
class LoadingListFile
{
public:
    // What reading gives: the entries in file order up to the first quantity
    // that is not a whole number, and what a person must be told.
    struct Read
    {
        bool exists = false;
        QList<LoadingFileEntry> entries;
        bool anyLine = false;  // the section has a value line, an entry or not
        QString failure;       // the file cannot be read; entries are empty
        QString badNumber;     // the entry the reading stopped at
        QString repeatedKeys;  // names repeated in another letter case (only the first is used)
    };
    // The file as it is on disk: none when it is absent.
    using Snapshot = std::optional<IniDocument>;

    explicit LoadingListFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }
    bool exists() const;
    Read read() const;

    // Writes the quantity of one commodity. Throws TessivarError for a name the
    // file cannot hold and when the file cannot be written.
    void write(const QString& name, qint64 quantity) const;
    // Writes several entries at once (one replacement of the file).
    void writeAll(const QList<QPair<QString, qint64>>& entries) const;
    // Sets every entry whose name `matches` to what `left` gives for its
    // quantity. Entries before a quantity that is not a whole number are
    // written; that one is named in the error thrown. Returns whether any changed.
    bool update(const std::function<bool(const QString&)>& matches,
                const std::function<qint64(const QString&, qint64)>& left) const;
    // Removes every line of the name (in any letter case); whether one was there.
    bool erase(const QString& name) const;
    // Removes the whole list.
    void clear() const;

    Snapshot snapshot() const;
    // Puts the file back as the snapshot found it (removing it when it was absent).
    void restore(const Snapshot& snapshot) const;

    // "name, value" pairs of the list, or one "error" pair when unreadable.
    QJsonArray dump() const;

    static QString section();

private:
    QString m_path;
};
