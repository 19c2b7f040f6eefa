#include "cargo/LoadingListFile.h"

#include "cargo/LoadingText.h"
#include "common/Error.h"
#include "ini/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>

namespace {

const QString kSection = QStringLiteral("zaladunek");
const QString kTotal = QStringLiteral("TOTAL");

QString badNumberText(const QString& name, const QString& value)
{
    return QCoreApplication::translate("LoadingListFile",
                                       "zaladunek.ini: the quantity of \"%1\" is not a whole number: \"%2\".")
        .arg(name, value);
}

// The file compares keys without letter case, so of "Steel" and "steel" only
// the first is read and written; the person has to join them.
QString repeatedKeysText(const QList<QPair<QString, QString>>& lines)
{
    QStringList repeats;
    QHash<QString, qsizetype> first;  // key without letter case -> its first line
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString folded = lines[i].first.toCaseFolded();
        const auto it = first.constFind(folded);
        if (it == first.cend()) {
            first.insert(folded, i);
            continue;
        }
        const auto& [key, value] = lines[*it];
        repeats.append(
            QStringLiteral("\"%1=%2\" repeats \"%3=%4\"").arg(lines[i].first, lines[i].second, key, value));
    }
    if (repeats.isEmpty())
        return {};
    return QCoreApplication::translate("LoadingListFile",
                                       "zaladunek.ini names a commodity twice in different letter case; only "
                                       "the first line is used until the two are joined into one: %1.")
        .arg(repeats.join(QStringLiteral("; ")));
}

// A value holding "=" comes from a line that splits into more than two parts:
// no entry of the list.
bool isEntry(const QString& name, const QString& value)
{
    return !value.contains(QLatin1Char('=')) && name != kTotal;
}

void checkStorable(const QString& name)
{
    const QString reason = LoadingText::unstorableNameReason(name);
    if (!reason.isEmpty())
        throw TessivarError(reason);
}

}  // namespace

QString LoadingListFile::section()
{
    return kSection;
}

bool LoadingListFile::exists() const
{
    return IniFile(m_path).exists();
}

LoadingListFile::Read LoadingListFile::read() const
{
    Read result;
    const IniFile file(m_path);
    result.exists = file.exists();
    if (!result.exists)
        return result;
    IniDocument doc;
    try {
        doc = file.document();
    } catch (const TessivarError& e) {
        result.failure = e.message();
        return result;
    }
    result.repeatedKeys = repeatedKeysText(doc.sectionLines(kSection));
    const auto values = doc.sectionValues(kSection);
    result.anyLine = !values.isEmpty();
    for (const auto& [name, value] : values) {
        if (value.contains(QLatin1Char('=')))
            continue;
        const auto q = LoadingText::quantity(value);
        if (!q) {
            result.badNumber = badNumberText(name, value);
            break;
        }
        result.entries.append({name, value, *q});
    }
    return result;
}

void LoadingListFile::write(const QString& name, qint64 quantity) const
{
    checkStorable(name);
    IniFile(m_path).writeInteger(kSection, name.trimmed(), quantity);
}

void LoadingListFile::writeAll(const QList<QPair<QString, qint64>>& entries) const
{
    if (entries.isEmpty())
        return;
    const IniFile file(m_path);
    IniDocument doc = file.document();
    for (const auto& [name, quantity] : entries) {
        checkStorable(name);
        doc.setValue(kSection, name.trimmed(), QString::number(quantity));
    }
    file.save(doc);
}

bool LoadingListFile::update(const std::function<bool(const QString&)>& matches,
                             const std::function<qint64(const QString&, qint64)>& left) const
{
    const IniFile file(m_path);
    if (!file.exists())
        return false;
    IniDocument doc = file.document();
    bool dirty = false;
    for (const auto& [name, value] : doc.sectionValues(kSection)) {
        if (!isEntry(name, value) || !matches(name))
            continue;
        const auto q = LoadingText::quantity(value);
        if (!q) {
            if (dirty)
                file.save(doc);
            throw TessivarError(badNumberText(name, value));
        }
        doc.setValue(kSection, name, QString::number(left(name, *q)));
        dirty = true;
    }
    if (dirty)
        file.save(doc);
    return dirty;
}

bool LoadingListFile::erase(const QString& name) const
{
    const IniFile file(m_path);
    if (name.isEmpty() || !file.exists())
        return false;
    IniDocument doc = file.document();
    bool dirty = false;
    while (doc.valueExists(kSection, name)) {
        doc.deleteKey(kSection, name);
        dirty = true;
    }
    if (dirty)
        file.save(doc);
    return dirty;
}

void LoadingListFile::clear() const
{
    IniFile(m_path).eraseSection(kSection);
}

LoadingListFile::Snapshot LoadingListFile::snapshot() const
{
    const IniFile file(m_path);
    if (!file.exists())
        return std::nullopt;
    return file.document();  // keeps the file's bytes as they are
}

void LoadingListFile::restore(const Snapshot& snapshot) const
{
    if (snapshot) {
        IniFile(m_path).save(*snapshot);
        return;
    }
    if (QFile::exists(m_path) && !QFile::remove(m_path))
        throw TessivarError(QCoreApplication::translate("LoadingListFile", "Cannot remove %1")
                                .arg(QDir::toNativeSeparators(m_path)));
}

QJsonArray LoadingListFile::dump() const
{
    QJsonArray out;
    try {
        for (const auto& [key, value] : IniFile(m_path).document().sectionValues(kSection))
            out.append(QJsonArray{key, value});
    } catch (const std::exception& e) {
        out.append(QJsonArray{QStringLiteral("error"), QString::fromUtf8(e.what())});
    }
    return out;
}
