#pragma once

#include <QObject>
#include <QString>
#include <functional>

class SettingsStore;
class WebPageFeed;
class WebServer;
struct SettingKey;

// "Share to browser": the switch, its "this computer only" option, the port
// and the secret part of the page's address, kept in settings.ini [web]
// ("share", "local_only", "port", "token"), and the web server they control.
// Reading the settings starts sharing when it was on at the last exit. A
// token that is empty, shorter than 32 characters or not made of letters,
// digits, '-' and '_' is replaced by a new one when sharing starts.
class WebShare : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 18890;
    static constexpr int kTokenBytes = 16;  // 128 random bits

    // settings: where the [web] values are kept. find runs the page's
    // commodity search; report shows a text to the person.
    WebShare(SettingsStore& settings, const WebPageFeed& feed, std::function<void(const QString&)> find,
             std::function<void(const QString&)> report, QObject* parent = nullptr);
    ~WebShare() override;

    bool isShared() const { return m_shared; }
    bool isLocalOnly() const { return m_localOnly; }
    quint16 port() const { return m_port; }
    const QString& token() const { return m_token; }
    bool isListening() const;
    // Why the server is not listening although sharing is on; empty otherwise.
    const QString& problem() const { return m_problem; }

    // The page's address, http://HOST:PORT/TOKEN/; empty while not listening.
    // HOST is this computer's address on the local network (the loopback
    // address when only this computer may connect).
    QString address() const;

    void setShared(bool on);
    void setLocalOnly(bool on);
    // Another port (1-65535), stored; a running server moves to it at once.
    void setPort(quint16 port);
    // A new secret: the old address stops working at once.
    void renewToken();

    WebServer& server() { return *m_server; }

    // A random text of kTokenBytes bytes, hex.
    static QString makeToken();

signals:
    void changed();

private:
    void restart();
    void store(const SettingKey& key, const QString& value);

    SettingsStore& m_settings;
    std::function<void(const QString&)> m_report;
    WebServer* m_server;
    bool m_shared = false;
    bool m_localOnly = false;
    quint16 m_port = kDefaultPort;
    QString m_token;
    QString m_problem;
};
