#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

class TessivarCore;

// The market snapshot: Market.json as the market grid.
class MarketModule : public QObject
{
    Q_OBJECT
public:
    explicit MarketModule(TessivarCore& core);

    void przeszukaj_market(const QString& JournalFolder);
    // The hub's verification pass for the market just read.
    void KVN_aktualizuj_zlecenia(quint64 MarketID);

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    TessivarCore& m_core;
};
