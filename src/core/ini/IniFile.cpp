#include "ini/IniFile.h"

#include "common/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <limits>

bool IniFile::exists() const
{
    return QFileInfo::exists(m_path);
}

IniDocument IniFile::document() const
{
    QFile f(m_path);
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly))
        throw TessivarError(QCoreApplication::translate("IniFile", "Cannot read %1: %2")
                                .arg(QDir::toNativeSeparators(m_path), f.errorString()));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw TessivarError(QCoreApplication::translate("IniFile", "Cannot read %1: %2")
                                .arg(QDir::toNativeSeparators(m_path), f.errorString()));
    try {
        return IniDocument::fromText(bytes);
    } catch (const TessivarError& e) {
        throw TessivarError(QCoreApplication::translate("IniFile", "Cannot read %1: %2")
                                .arg(QDir::toNativeSeparators(m_path), e.message()));
    }
}

void IniFile::save(const IniDocument& doc) const
{
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(doc.toText()) < 0 || !f.commit())
        throw TessivarError(QCoreApplication::translate("IniFile", "Cannot write %1: %2")
                                .arg(QDir::toNativeSeparators(m_path), f.errorString()));
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    return document().value(section, key).value_or(def);
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const
{
    const auto v = IniValue::toInt64(readString(section, key));
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return def;
    return int(*v);
}

qint64 IniFile::readInt64(const QString& section, const QString& key, qint64 def) const
{
    return IniValue::toInt64(readString(section, key)).value_or(def);
}

double IniFile::readFloat(const QString& section, const QString& key, double def) const
{
    return IniValue::toDouble(readString(section, key)).value_or(def);
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const
{
    const auto v = IniValue::toInt64(readString(section, key));
    return v ? *v != 0 : def;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) const
{
    IniDocument doc = document();
    // Rewriting a value the file already holds would only cost a disk sync
    // (the journal's history repeats the commander's and carrier's names).
    const bool unchanged = exists() && doc.value(section, key) == std::optional<QString>(value.trimmed());
    doc.setValue(section, key, value);  // refuses what the format cannot hold, in either case
    if (!unchanged)
        save(doc);
}

void IniFile::writeInteger(const QString& section, const QString& key, qint64 value) const
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeFloat(const QString& section, const QString& key, double value) const
{
    writeString(section, key, IniValue::fromDouble(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) const
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::deleteKey(const QString& section, const QString& key) const
{
    if (!exists())
        return;
    IniDocument doc = document();
    doc.deleteKey(section, key);
    save(doc);
}

void IniFile::eraseSection(const QString& section) const
{
    if (!exists())
        return;
    IniDocument doc = document();
    doc.eraseSection(section);
    save(doc);
}

namespace IniValue {

std::optional<qint64> toInt64(const QString& text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<double> toDouble(const QString& text)
{
    QString t = text.trimmed();
    if (t.count(QLatin1Char(',')) == 1 && !t.contains(QLatin1Char('.')))
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

QString fromDouble(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace IniValue
