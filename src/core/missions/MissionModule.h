#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QJsonObject>
#include <QObject>
#include <QString>

class TessivarCore;

// Accepted cargo missions and the commodity totals they want.
class MissionModule : public QObject
{
    Q_OBJECT
public:
    explicit MissionModule(TessivarCore& core);

    void parse_mission_list(const QByteArray& JSON);
    void parser_mission_cargo(const QByteArray& JSON);
    void parse_cargo_depot(const QByteArray& JSON);

    // Units wanted per commodity by accepted cargo missions; names compared
    // without letter case, insertion order kept.
    QList<QPair<QString, int>> mission_commodites;

    QJsonObject dumpJson() const;

signals:
    void changed();

private:
    TessivarCore& m_core;
};
