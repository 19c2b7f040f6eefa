#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

class TessivarCore;

// The Kelvane hub client: order trees, updates and verification.
class HubClient : public QObject
{
    Q_OBJECT
public:
    explicit HubClient(TessivarCore& core);

    void get_KVN();
    void check_update_KVN(const QString& Commodity, const QString& Count);

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    TessivarCore& m_core;
};
