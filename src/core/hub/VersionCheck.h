#pragma once

#include <QObject>
#include <QString>

class HubTransport;

// Asks the hub for the newest version (check_version); an answer other than
// this program's own version is announced.
class VersionCheck : public QObject
{
    Q_OBJECT
public:
    explicit VersionCheck(HubTransport& transport);

    // The program's own version, "1.3.0.0", or "Unknown".
    static QString appVersion();
    void check();
    // "New version available: " + answer once announced, else empty.
    const QString& newVersionCaption() const { return m_caption; }

signals:
    void newVersionAnnounced(const QString& caption);

private:
    HubTransport& m_transport;
    QString m_caption;
};
