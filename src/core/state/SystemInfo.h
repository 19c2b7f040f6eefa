#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

class TessivarCore;

// The System Info window's core: system, station, commander and carrier parsing into the game state, the label texts and the faction grid.
class SystemInfo : public QObject
{
    Q_OBJECT
public:
    explicit SystemInfo(TessivarCore& core);

    void parse_BGS(const QByteArray& JSON, const QString& co_parsowac);
    void undock();
    void parse_CMDR(const QByteArray& JSON);
    void parse_CarrierLocation(const QByteArray& JSON);
    void parse_Carrier(const QByteArray& JSON);

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    TessivarCore& m_core;
};
