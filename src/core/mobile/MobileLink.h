#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

class TessivarCore;

// The link to the companion phone app.
class MobileLink : public QObject
{
    Q_OBJECT
public:
    explicit MobileLink(TessivarCore& core);

    // Pushes one kind of state to the phone; does nothing unless the link is active.
    void send_to_host(const QString& typ);

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    TessivarCore& m_core;
};
