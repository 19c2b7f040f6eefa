#pragma once

#include "ini/IniDocument.h"
#include "settings/SettingKeys.h"
#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QRect>
#include <QString>
#include <optional>

class ReportSink;

// settings.ini as read once at start-up. A real one holds a few dozen short
// lines (a few KiB, hand comments included); a file past kMaxBytes, 1 MiB,
// is something else put there by mistake or on purpose, and reading it would
// cost seconds and hundreds of MB at every start. It is not loaded: the
// program runs on its defaults, never writes over the file, and problem says
// why. Only SettingsStore reads it (SettingsStore::readFile).
struct SettingsFile
{
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    IniDocument doc;  // empty when the file is missing, unreadable or refused
    bool refused = false;
    QString problem;  // why the file was not read; empty when it was (or is missing)

    bool contains(const SettingKey& key) const;
    // The stored text, or the key's fallback.
    QString value(const SettingKey& key) const;
    // An integer (any other than 0 is true); anything else reads as the fallback.
    bool flag(const SettingKey& key) const;
    qint64 number(const SettingKey& key) const;
};

// The one owner of settings.ini. The file is read once, at start-up (before
// the core exists when the start-up settings are needed first), and what the
// program stores is kept with what was read; every write opens the file,
// writes one value and replaces the file, except a file refused at start-up,
// which is never written. Values are named by the key table (SettingKeys);
// lines the program does not know, comments included, are kept as they are.
class SettingsStore : public QObject
{
    Q_OBJECT
public:
    // settings.ini in dataDir (a folder path ending in a separator).
    static QString filePath(const QString& dataDir);
    static SettingsFile readFile(const QString& dataDir);

    // Keeps settings.ini in dataDir; applying it (as read at start-up, in
    // file) names the carrier in state. A value that cannot be written is
    // told to reports and kept for the run.
    SettingsStore(const QString& dataDir, GameState& state, SettingsFile file, ReportSink& reports);

    QString path() const;

    bool contains(const SettingKey& key) const { return m_file.contains(key); }
    QString value(const SettingKey& key) const { return m_file.value(key); }
    bool flag(const SettingKey& key) const { return m_file.flag(key); }
    qint64 number(const SettingKey& key) const { return m_file.number(key); }
    // Stores one value; false when the file could not be written (the
    // reason has been reported; the value holds for this run).
    bool setValue(const SettingKey& key, const QString& value);
    bool setFlag(const SettingKey& key, bool on);
    bool setNumber(const SettingKey& key, qint64 n);

    // Applies the stored settings to the main window and the carrier record
    // (once per run, on the first journal pass).
    void applyStoredSettings();
    // Stores the consent (whenever the settings window closes).
    void storeHubConsent();

    // The settings window's consent box: talking to the Kelvane hub is allowed.
    bool kvn_consent = false;
    void setKvnConsent(bool on);

    // [KVN] code: the secret the hub binds this commander's carrier to. Made
    // once, when first needed, and kept; the same code on a second computer
    // lets it post the carrier's orders too.
    QString kvnCode();
    // The stored code, empty while none was made.
    QString storedKvnCode() const;
    // Stores a code copied from another computer (blanks trimmed; empty is ignored).
    void setKvnCode(const QString& code);

    // [geometry] <window>: where the person left a window, as
    // "x,y,width,height" (the frame's corner and the inner size). Nothing
    // for a key that is missing or not four numbers with a positive size.
    std::optional<QRect> windowGeometry(const QString& window) const;
    void setWindowGeometry(const QString& window, const QRect& r);

    QJsonObject dumpJson() const;
    // settings.ini was too large to load: nothing is written to it.
    bool isRefused() const { return m_file.refused; }

signals:
    void changed();
    // What applyStoredSettings found for others to show, in this order.
    void mobileAddressLoaded(const QString& address);
    // A panel box or the lock switch ([windows] keys of the table).
    void panelStateLoaded(const SettingKey& key, bool checked);
    void carrierNameLoaded(const QString& name);

private:
    bool write(const QString& section, const QString& key, const QString& value);

    QString m_path;
    GameState& m_state;
    ReportSink& m_reports;
    SettingsFile m_file;  // as read at start-up, with what the program stored since
};
