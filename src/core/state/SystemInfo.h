#pragma once

#include "common/TextTableModel.h"
#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class ShipInfo;

// Icon and one-line description of a faction state.
struct TFactionState_Opis
{
    QString ikona;
    QString opis;
};

// The state's entry of the faction-state table; an unknown state (the empty
// text included) gives "❓" and "Nieznany stan".
TFactionState_Opis FactionState_opis(const QString& State);

// Slice colours of the influence pie, 0xRRGGBB: the faction with the most
// influence is green, the second red, the third blue.
extern const std::array<quint32, 20> frakcje_kolory;

// One slice of the influence pie.
struct PieSlice
{
    QString label;   // faction name
    double value;    // influence in percent, not rounded
    quint32 colour;  // 0xRRGGBB
};

// The System Info window's core: system, station, commander and carrier
// events into the game state, the window's label texts, the faction grid and
// the pie slices. The window only shows what is kept here, so re-creating or
// re-arranging it never loses anything.
class SystemInfo : public QObject
{
    Q_OBJECT
public:
    explicit SystemInfo(GameState& state);

    // co_parsowac: "system" (Location, FSDJump, CarrierJump) or "docked" (Docked).
    void parse_BGS(const QByteArray& JSON, const QString& co_parsowac);
    void undock();
    void parse_CMDR(const QByteArray& JSON);
    void parse_CarrierLocation(const QByteArray& JSON);
    void parse_Carrier(const QByteArray& JSON);

    // SYSTEM group
    QString system_name;
    QString system_population;         // the dump's text; windows group `population` in their own language
    std::optional<qint64> population;  // unknown until the first system event
    QString system_przynaleznosc;
    QString system_rzad;
    QString system_ekonomie;
    QString system_security;
    // STATION group
    QString stacja_name;
    QString stacja_marketid;
    QString stacja_frakcja;
    QString stacja_ekonomia;
    QString stacja_rzad;

    // The faction grid: row 0 the heading, then one row per faction, highest
    // influence first; each faction row carries its state description as tooltip.
    TextTableModel sg_frakcje{8};
    // State description per grid row (entry 0, the heading, stays empty).
    // Grows with the largest system seen; entries are never cleared.
    QStringList frakcje_stany_opisy;
    QList<PieSlice> pie;

    // The system window's fields with the ship's labels it shows.
    QJsonObject dumpJson(const ShipInfo& ship) const;

    // The population label's text around its number (already formatted).
    static QString populationText(const QString& number);

signals:
    void changed();
    // The system or station the commander is at changed (a jump, docking, undocking).
    void dockChanged();
    void commanderNamed(const QString& name);
    void carrierNamed(const QString& name);

private:
    void showSystem();
    void setStationLabels(const QString& name, const QString& type, quint64 marketId,
                          const QString& factionName, double influence, const QString& economy,
                          const QString& government);
    double stationFactionInfluence(const QString& factionName) const;

    GameState& m_state;
};
