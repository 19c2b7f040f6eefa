#include "settings/SettingsStore.h"

#include "common/Error.h"
#include "common/ReportSink.h"
#include "ini/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcSettings, "tessivar.settings")

QString section(const SettingKey& key)
{
    return QLatin1String(key.section);
}

QString name(const SettingKey& key)
{
    return QLatin1String(key.name);
}

const QString kGeometry = QStringLiteral("geometry");

}  // namespace

bool SettingsFile::contains(const SettingKey& key) const
{
    return doc.valueExists(section(key), name(key));
}

QString SettingsFile::value(const SettingKey& key) const
{
    return doc.value(section(key), name(key)).value_or(QString::fromUtf8(key.fallback));
}

bool SettingsFile::flag(const SettingKey& key) const
{
    return number(key) != 0;
}

qint64 SettingsFile::number(const SettingKey& key) const
{
    if (const auto stored = doc.value(section(key), name(key)))
        if (const auto n = IniValue::toInt64(*stored))
            return *n;
    return IniValue::toInt64(QString::fromUtf8(key.fallback)).value_or(0);
}

QString SettingsStore::filePath(const QString& dataDir)
{
    return dataDir + QStringLiteral("settings.ini");
}

SettingsFile SettingsStore::readFile(const QString& dataDir)
{
    const QString path = filePath(dataDir);
    SettingsFile f;
    const QFileInfo info(path);
    if (info.exists() && info.size() > SettingsFile::kMaxBytes) {
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

SettingsStore::SettingsStore(const QString& dataDir, GameState& state, SettingsFile file, ReportSink& reports)
    : m_path(filePath(dataDir)), m_state(state), m_reports(reports), m_file(std::move(file))
{}

bool SettingsStore::write(const QString& section, const QString& key, const QString& value)
{
    bool written = true;
    try {
        // What the program stored, it reads back without opening the file again.
        m_file.doc.setValue(section, key, value);
        if (m_file.refused)
            qCWarning(lcSettings) << "kept for this run only, settings.ini was refused:" << section << key;
        else
            IniFile(path()).writeString(section, key, value);
    } catch (const std::exception& e) {
        m_reports.report(errorText(e));
        written = false;
    }
    return written;
}

QString SettingsStore::path() const
{
    return m_path;
}

bool SettingsStore::setValue(const SettingKey& key, const QString& value)
{
    return write(section(key), name(key), value);
}

bool SettingsStore::setFlag(const SettingKey& key, bool on)
{
    return setValue(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool SettingsStore::setNumber(const SettingKey& key, qint64 n)
{
    return setValue(key, QString::number(n));
}

void SettingsStore::applyStoredSettings()
{
    if (m_file.doc.sections().isEmpty())
        return;
    namespace K = SettingKeys;
    const auto panels = [this](std::initializer_list<const SettingKey*> keys) {
        for (const SettingKey* key : keys)
            if (contains(*key))
                emit panelStateLoaded(*key, flag(*key));
    };

    if (contains(K::PhoneAddress))
        emit mobileAddressLoaded(value(K::PhoneAddress));
    panels({&K::ShowSystemInfo, &K::ShowCargo, &K::ShowConstruction});

    const QString carrierName = value(K::CarrierName);
    m_state.dane_carriera.CarrierName = carrierName;
    // The carrier number is unsigned: a negative stored value means no carrier.
    const qint64 id = number(K::CarrierId);
    m_state.dane_carriera.CarrierID = id < 0 ? 0 : quint64(id);
    emit carrierNameLoaded(carrierName);

    if (contains(K::HubConsent))
        kvn_consent = flag(K::HubConsent);
    // The other windows and the lock switch as they were left; the hub's
    // window after the consent that lets it open.
    panels({&K::ShowDataBase, &K::ShowMarket});
    if (kvn_consent)
        panels({&K::ShowKelvane});
    panels({&K::LockPanels});

    emit changed();
}

std::optional<QRect> SettingsStore::windowGeometry(const QString& window) const
{
    const QStringList parts = m_file.doc.value(kGeometry, window).value_or(QString()).split(QLatin1Char(','));
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
        write(kGeometry, window, text);
}

void SettingsStore::storeHubConsent()
{
    setFlag(SettingKeys::HubConsent, kvn_consent);
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
    return value(SettingKeys::HubCode).trimmed();
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
    setValue(SettingKeys::HubCode, code);
    return code;
}

void SettingsStore::setKvnCode(const QString& code)
{
    const QString trimmed = code.trimmed();
    if (trimmed.isEmpty() || trimmed == storedKvnCode())
        return;
    setValue(SettingKeys::HubCode, trimmed);
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
