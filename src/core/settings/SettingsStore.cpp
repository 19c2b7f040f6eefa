#include "settings/SettingsStore.h"

#include "Core.h"
#include "MainWindowModel.h"
#include "ini/IniFile.h"

#include <QRandomGenerator>
#include <algorithm>

namespace {

const QString kSettingsFile = QStringLiteral("settings.ini");

// A stored Boolean: any integer other than 0 is true; anything else reads as
// the default.
bool boolValue(const IniDocument& doc, const QString& section, const QString& key, bool def)
{
    const auto v = IniValue::toInt64(doc.value(section, key).value_or(QString()));
    return v ? *v != 0 : def;
}

}  // namespace

SettingsStore::SettingsStore(TessivarCore& core) : m_core(core) {}

QString SettingsStore::path() const
{
    return m_core.dataFile(kSettingsFile);
}

void SettingsStore::set_String(const QString& sekcja, const QString& ustawienie, const QString& wartosc)
{
    IniFile(path()).writeString(sekcja, ustawienie, wartosc);
}

void SettingsStore::set_Integer(const QString& sekcja, const QString& ustawienie, int wartosc)
{
    IniFile(path()).writeInteger(sekcja, ustawienie, wartosc);
}

void SettingsStore::set_Boolean(const QString& sekcja, const QString& ustawienie, bool wartosc)
{
    IniFile(path()).writeBool(sekcja, ustawienie, wartosc);
}

void SettingsStore::load_settings()
{
    const IniFile file(path());
    if (!file.exists())
        return;
    const IniDocument doc = file.document();
    MainWindowModel& mw = m_core.mainWindow();
    const QString windows = QStringLiteral("windows");

    if (const auto ip = doc.value(QStringLiteral("connection"), QStringLiteral("mobile_ip")))
        mw.edit_mobile_ip = *ip;
    const std::pair<MainWindowModel::Panel, QString> panels[] = {
        {MainWindowModel::SystemInfoPanel, QStringLiteral("ch_bgs")},
        {MainWindowModel::CargoPanel, QStringLiteral("ch_cargo")},
        {MainWindowModel::ConstructionPanel, QStringLiteral("ch_construct")},
    };
    for (const auto& [panel, key] : panels)
        if (doc.valueExists(windows, key))
            mw.setPanelChecked(panel, boolValue(doc, windows, key, false));

    const QString carrier = QStringLiteral("Carrier");
    const QString name = doc.value(carrier, QStringLiteral("Name")).value_or(QString());
    mw.Label_carrier_name_val = name;
    m_core.state.dane_carriera.CarrierName = name;
    // The carrier number is unsigned: a negative stored value means no carrier.
    const qint64 id =
        IniValue::toInt64(doc.value(carrier, QStringLiteral("CarrierID")).value_or(QString())).value_or(0);
    m_core.state.dane_carriera.CarrierID = id < 0 ? 0 : quint64(id);

    if (doc.valueExists(QStringLiteral("KVN"), QStringLiteral("kvn_consent")))
        kvn_consent = boolValue(doc, QStringLiteral("KVN"), QStringLiteral("kvn_consent"), false);

    emit changed();
    mw.notifyChanged();
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
    const IniFile file(path());
    if (!file.exists())
        return {};
    return file.document().value(QStringLiteral("KVN"), QStringLiteral("code")).value_or(QString()).trimmed();
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
        const IniDocument doc = IniFile(path()).document();
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
    } catch (const std::exception&) {
        // An unreadable file shows as empty.
    }
    return QJsonObject{{"f_settings", QJsonObject{{"kvn_consent", kvn_consent}, {"settings_ini", file}}}};
}
