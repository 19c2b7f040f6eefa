#pragma once

#include "ini/IniDocument.h"
#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QRect>
#include <QString>
#include <optional>

// settings.ini as read once at start-up. A real one holds a few dozen short
// lines (a few KiB, hand comments included); a file past kMaxBytes, 1 MiB,
// is something else put there by mistake or on purpose, and reading it would
// cost seconds and hundreds of MB at every start. It is not loaded: the
// program runs on its defaults, never writes over the file, and problem says
// why.
struct SettingsFile
{
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    IniDocument doc;  // empty when the file is missing, unreadable or refused
    bool refused = false;
    QString problem;  // why the file was not read; empty when it was (or is missing)

    static SettingsFile read(const QString& path);
};

// settings.ini: the small writes other subsystems make, the one-time load and
// the hub consent. The file is read once, at start-up, and what the program
// stores is kept with what was read; every write also opens the file, writes
// one value and replaces the file, except a file refused at start-up, which
// is never written.
class SettingsStore : public QObject
{
    Q_OBJECT
public:
    // Keeps settings.ini in dataDir; loading it (as read at start-up, in
    // file) names the carrier in state.
    SettingsStore(const QString& dataDir, GameState& state, SettingsFile file);

    QString path() const;

    void set_String(const QString& sekcja, const QString& ustawienie, const QString& wartosc);
    void set_Integer(const QString& sekcja, const QString& ustawienie, int wartosc);
    void set_Boolean(const QString& sekcja, const QString& ustawienie, bool wartosc);
    // Applies the stored settings to the main window and the carrier record
    // (once per run, on the first journal pass).
    void load_settings();
    // Stores the consent (whenever the settings window closes).
    void save_settings();

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
    // settings.ini as read at start-up, with what was stored since.
    const IniDocument& startupDocument() const { return m_file.doc; }
    // settings.ini was too large to load: nothing is written to it.
    bool isRefused() const { return m_file.refused; }

signals:
    void changed();
    // What load_settings found for others to show, in this order.
    void mobileAddressLoaded(const QString& address);
    void panelStateLoaded(const QString& key, bool checked);
    void carrierNameLoaded(const QString& name);

private:
    void write(const QString& section, const QString& key, const QString& value);

    QString m_path;
    GameState& m_state;
    SettingsFile m_file;  // as read at start-up, with what the program stored since
};
