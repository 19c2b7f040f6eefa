#include "settings/SettingsStore.h"

#include "common/Error.h"
#include "ini/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcSettings, "tessivar.settings")

const QString kSettingsFile = QStringLiteral("settings.ini");

// A stored Boolean: any integer other than 0 is true; anything else reads as
// the default.
bool boolValue(const IniDocument& doc, const QString& section, const QString& key, bool def)
{
    const auto v = IniValue::toInt64(doc.value(section, key).value_or(QString()));
    return v ? *v != 0 : def;
}

}  // namespace

SettingsFile SettingsFile::read(const QString& path)
{
    SettingsFile f;
    const QFileInfo info(path);
    if (info.exists() && info.size() > kMaxBytes) {
        f.refused = true;
        f.problem =
            QStringLiteral("%1 is %2 MiB, far larger than any settings file (at most 1 MiB is read), so "
                           "it was not loaded and will not be written: the program runs on its default "
                           "settings. Move the file away or shorten it, then start the program again.")
                .arg(QDir::toNativeSeparators(path))
                .arg(double(info.size()) / (1024 * 1024), 0, 'f', 1);
        return f;
    }
    try {
        f.doc = IniFile(path).document();
    } catch (const std::exception& e) {
        f.problem = errorText(e);
    }
    return f;
}

SettingsStore::SettingsStore(const QString& dataDir, GameState& state, SettingsFile file)
    : m_path(dataDir + kSettingsFile), m_state(state), m_file(std::move(file))
{}

void SettingsStore::write(const QString& section, const QString& key, const QString& value)
{
    if (m_file.refused)
        qCWarning(lcSettings) << "kept for this run only, settings.ini was refused:" << section << key;
    else
        IniFile(path()).writeString(section, key, value);
    // What the program stored, it reads back without opening the file again.
    m_file.doc.setValue(section, key, value);
}

QString SettingsStore::path() const
{
    return m_path;
}

void SettingsStore::set_String(const QString& sekcja, const QString& ustawienie, const QString& wartosc)
{
    write(sekcja, ustawienie, wartosc);
}

void SettingsStore::set_Integer(const QString& sekcja, const QString& ustawienie, int wartosc)
{
    write(sekcja, ustawienie, QString::number(wartosc));
}

void SettingsStore::set_Boolean(const QString& sekcja, const QString& ustawienie, bool wartosc)
{
    write(sekcja, ustawienie, wartosc ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::load_settings()
{
    const IniDocument& doc = m_file.doc;
    if (doc.sections().isEmpty())
        return;
    const QString windows = QStringLiteral("windows");

    if (const auto ip = doc.value(QStringLiteral("connection"), QStringLiteral("mobile_ip")))
        emit mobileAddressLoaded(*ip);
    for (const char* key : {"ch_bgs", "ch_cargo", "ch_construct"})
        if (doc.valueExists(windows, QLatin1String(key)))
            emit panelStateLoaded(QLatin1String(key), boolValue(doc, windows, QLatin1String(key), false));

    const QString carrier = QStringLiteral("Carrier");
    const QString name = doc.value(carrier, QStringLiteral("Name")).value_or(QString());
    m_state.dane_carriera.CarrierName = name;
    // The carrier number is unsigned: a negative stored value means no carrier.
    const qint64 id =
        IniValue::toInt64(doc.value(carrier, QStringLiteral("CarrierID")).value_or(QString())).value_or(0);
    m_state.dane_carriera.CarrierID = id < 0 ? 0 : quint64(id);
    emit carrierNameLoaded(name);

    if (doc.valueExists(QStringLiteral("KVN"), QStringLiteral("kvn_consent")))
        kvn_consent = boolValue(doc, QStringLiteral("KVN"), QStringLiteral("kvn_consent"), false);
    // The other windows and the lock switch as they were left; the hub's
    // window after the consent that lets it open.
    for (const char* key : {"ch_db", "ch_market", "ch_kvn", "lock_panels"})
        if (doc.valueExists(windows, QLatin1String(key)) && (kvn_consent || qstrcmp(key, "ch_kvn") != 0))
            emit panelStateLoaded(QLatin1String(key), boolValue(doc, windows, QLatin1String(key), false));

    emit changed();
}

std::optional<QRect> SettingsStore::windowGeometry(const QString& window) const
{
    const IniFile file(path());
    if (!file.exists())
        return std::nullopt;
    const QStringList parts =
        file.document().value(QStringLiteral("geometry"), window).value_or(QString()).split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (v[2] <= 0 || v[3] <= 0)
        return std::nullopt;
    return QRect(v[0], v[1], v[2], v[3]);
}

void SettingsStore::setWindowGeometry(const QString& window, const QRect& r)
{
    const QString text = QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    if (windowGeometry(window) != r)
        set_String(QStringLiteral("geometry"), window, text);
}

void SettingsStore::save_settings()
{
    set_Boolean(QStringLiteral("KVN"), QStringLiteral("kvn_consent"), kvn_consent);
}

void SettingsStore::setKvnConsent(bool on)
{
    if (kvn_consent == on)
        return;
    kvn_consent = on;
    emit changed();
}

QString SettingsStore::storedKvnCode() const
{
    return m_file.doc.value(QStringLiteral("KVN"), QStringLiteral("code")).value_or(QString()).trimmed();
}

QString SettingsStore::kvnCode()
{
    if (const QString stored = storedKvnCode(); !stored.isEmpty())
        return stored;
    // 24 random bytes from the system's source, in URL-safe base64: 32
    // characters that survive INI files, form encoding and copying by hand.
    QByteArray bytes(24, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    const QString code =
        QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
    set_String(QStringLiteral("KVN"), QStringLiteral("code"), code);
    return code;
}

void SettingsStore::setKvnCode(const QString& code)
{
    const QString trimmed = code.trimmed();
    if (trimmed.isEmpty() || trimmed == storedKvnCode())
        return;
    set_String(QStringLiteral("KVN"), QStringLiteral("code"), trimmed);
    emit changed();
}

QJsonObject SettingsStore::dumpJson() const
{
    QJsonObject file;
    try {
        const IniDocument doc = m_file.refused ? IniDocument() : IniFile(path()).document();
        // A JSON object keeps its keys sorted: inserting them in that order
        // appends each one, where any other order moves the ones after it.
        QStringList sections = doc.sections();
        std::sort(sections.begin(), sections.end());
        for (const QString& section : std::as_const(sections)) {
            auto values = doc.sectionValues(section);
            std::sort(values.begin(), values.end(),
                      [](const auto& a, const auto& b) { return a.first < b.first; });
            QJsonObject keys;
            for (const auto& [key, value] : std::as_const(values))
                keys.insert(key, value);
            file.insert(section, keys);
        }
    } catch (const std::exception& e) {
        // An unreadable file shows as empty.
        qCWarning(lcSettings) << "settings.ini unreadable for the dump:" << e.what();
    }
    return QJsonObject{{"f_settings", QJsonObject{{"kvn_consent", kvn_consent}, {"settings_ini", file}}}};
}
