#pragma once

#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

class TessivarCore;

// The Last Shopping store and the commodity search of the Data Base window.
class ShoppingDb : public QObject
{
    Q_OBJECT
public:
    explicit ShoppingDb(TessivarCore& core);

    void add_last_shopping(const QByteArray& JSON);
    QString edit_find; // the search field's text
    void szukaj_towaru();
    // The last search result.
    TMarketBuyData Wynik_wyszukiwania;

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    TessivarCore& m_core;
};
