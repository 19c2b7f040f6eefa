#pragma once

#include "colony/StillToBuy.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

struct MarketSnapshot;

// A commodity on the still-to-buy list that the docked market sells.
struct BuyHereLine
{
    QString name;
    qint64 price = 0;   // the market's buy price
    qint64 stock = 0;   // the market's stock
    qint64 amount = 0;  // how much to buy: what is still needed, what the market has and what the hold takes
};

// The still-to-buy lines a market sells, in the list's order; the amounts
// together never exceed the hold's free tonnes.
QList<BuyHereLine> buyHere(const MarketSnapshot& market, const QList<StillToBuyLine>& still, qint64 freeHold);

QJsonArray buyHereJson(const QList<BuyHereLine>& lines);
