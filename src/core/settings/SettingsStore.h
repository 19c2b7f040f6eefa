#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

class TessivarCore;

// settings.ini: the small writes other subsystems make, the one-time load and the consent.
class SettingsStore : public QObject
{
    Q_OBJECT
public:
    explicit SettingsStore(TessivarCore& core);

    void set_String(const QString& sekcja, const QString& ustawienie, const QString& wartosc);
    void set_Integer(const QString& sekcja, const QString& ustawienie, int wartosc);
    void set_Boolean(const QString& sekcja, const QString& ustawienie, bool wartosc);
    void load_settings();
    void save_settings();

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    TessivarCore& m_core;
};
