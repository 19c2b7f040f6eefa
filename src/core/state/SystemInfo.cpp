#include "state/SystemInfo.h"

#include "common/JsonRead.h"
#include "common/NumberFormat.h"
#include "state/DockRecord.h"
#include "state/ShipInfo.h"
#include "state/StateParsers.h"

#include <QJsonArray>

namespace {

struct StateRow
{
    const char* state;
    const char16_t* ikona;
    const char* opis;  // in English, translated when shown
};

// States compared exactly; every dash is an em dash with a blank each side.
constexpr StateRow kStates[] = {
    {"None", u"\u26AA", QT_TRANSLATE_NOOP("SystemInfo", "No active state")},
    {"Boom", u"\U0001F4C8", QT_TRANSLATE_NOOP("SystemInfo", "Boom — economic growth and more activity")},
    {"Bust", u"\U0001F4C9", QT_TRANSLATE_NOOP("SystemInfo", "Bust — the economy collapses")},
    {"CivilUnrest", u"\U0001F620", QT_TRANSLATE_NOOP("SystemInfo", "Civil unrest — tension within")},
    {"CivilWar", u"\u2694", QT_TRANSLATE_NOOP("SystemInfo", "Civil war — factions fight for control")},
    {"Election", u"\U0001F5F3", QT_TRANSLATE_NOOP("SystemInfo", "Election — a democratic change of power")},
    {"Expansion", u"\U0001F680",
     QT_TRANSLATE_NOOP("SystemInfo", "Expansion — a faction tries to spread its influence")},
    {"Investment", u"\U0001F4B0", QT_TRANSLATE_NOOP("SystemInfo", "Investment — more money is spent")},
    {"Retreat", u"\U0001F3F3", QT_TRANSLATE_NOOP("SystemInfo", "Retreat — a faction loses influence")},
    {"War", u"\U0001F525", QT_TRANSLATE_NOOP("SystemInfo", "War — an armed conflict is on")},
    {"Invasion", u"\U0001F6E1",
     QT_TRANSLATE_NOOP("SystemInfo", "Invasion — another faction attacks the system")},
    {"Outbreak", u"\U0001F9A0",
     QT_TRANSLATE_NOOP("SystemInfo", "Outbreak — a disease breaks out in the system")},
    {"Famine", u"\U0001F96B", QT_TRANSLATE_NOOP("SystemInfo", "Famine — food and supplies run short")},
    {"Lockdown", u"\U0001F512",
     QT_TRANSLATE_NOOP("SystemInfo", "Lockdown — the system is closed, no services")},
    {"PirateAttack", u"\u2620",
     QT_TRANSLATE_NOOP("SystemInfo", "Pirate attack — criminals overrun the system")},
};

QString u16(const char16_t* s)
{
    return QString::fromUtf16(s);
}

const QString kIconSystem = u16(u"\U0001FA90 ");
const QString kIconPopulation = u16(u"\U0001F465 ");
const QString kIconSecurity = u16(u"\U0001F6E1 ");
const QString kIconAllegiance = u16(u"\U0001F91D ");
const QString kIconGovernment = u16(u"\U0001F3DB ");
const QString kIconEconomy = u16(u"\U0001F4B0 ");
const QString kIconStation = u16(u"\U0001F6F0\uFE0F ");
const QString kIconMarket = u16(u"\U0001F194 ");
const QString kIconFaction = u16(u"\U0001F451 ");

// The grid's first row is its heading, written like any other row.
QStringList gridHeading()
{
    return {SystemInfo::tr("No."),       SystemInfo::tr("Faction"), SystemInfo::tr("Allegiance"),
            SystemInfo::tr("Influence"), SystemInfo::tr("State"),   SystemInfo::tr("Government"),
            SystemInfo::tr("Rep.")};
}

constexpr int kStateTableRows = 11;

}  // namespace

const std::array<quint32, 20> frakcje_kolory = {
    0x008000, 0xFF0000, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0x00FF00, 0x800000, 0x000080, 0x808000,
    0x800080, 0x008080, 0x808080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0xA0522D, 0x000000,
};

TFactionState_Opis FactionState_opis(const QString& State)
{
    for (const StateRow& row : kStates)
        if (State == QLatin1String(row.state))
            return {u16(row.ikona), SystemInfo::tr(row.opis)};
    return {u16(u"\u2753"), SystemInfo::tr("Unknown state")};
}

SystemInfo::SystemInfo(GameState& state) : m_state(state)
{
    // Placeholder captions until the first event fills the labels.
    system_name = kIconSystem + tr("System");
    system_population = kIconPopulation + tr("Population");
    system_przynaleznosc = kIconAllegiance + tr("Allegiance");
    system_rzad = kIconGovernment + tr("Government");
    system_ekonomie = kIconEconomy + tr("Economy");
    system_security = kIconSecurity + tr("Security");
    stacja_name = kIconStation + tr("Station");
    stacja_marketid = kIconMarket + tr("Market ID");
    stacja_frakcja = kIconFaction + tr("Station faction");
    stacja_ekonomia = kIconEconomy + tr("Economy");
    stacja_rzad = kIconGovernment + tr("Government");
    frakcje_stany_opisy = QStringList(kStateTableRows);
}

double SystemInfo::stationFactionInfluence(const QString& factionName) const
{
    double v = 0;
    for (const TFaction& f : m_state.dane_systemu.Factions)
        if (f.Name == factionName)
            v = f.Influence;
    return v;
}

void SystemInfo::setStationLabels(const QString& name, const QString& type, quint64 marketId,
                                  const QString& factionName, double influence, const QString& economy,
                                  const QString& government)
{
    stacja_name = kIconStation + name + QStringLiteral(" [ ") + type + QStringLiteral(" ]");
    stacja_marketid = kIconMarket + QString::number(marketId);
    stacja_frakcja = kIconFaction + factionName + QStringLiteral(" (") +
                     FormatGeneral(roundHalfEven(influence * 100, 2)) + QStringLiteral("%)");
    stacja_ekonomia = kIconEconomy + economy;
    stacja_rzad = kIconGovernment + government;
}

void SystemInfo::showSystem()
{
    TDaneSystemu& s = m_state.dane_systemu;
    system_name = kIconSystem + s.StarSystem;
    population = s.Population;
    system_population = populationText(FormatNumberWithCommas(s.Population));
    system_security = kIconSecurity + s.SystemSecurity_Localised;
    system_przynaleznosc = kIconAllegiance + s.SystemAllegiance;
    system_rzad = kIconGovernment + s.SystemGovernment_Localised;
    system_ekonomie =
        kIconEconomy + s.SystemEconomy_Localised + QStringLiteral(", ") + s.SystemSecondEconomy_Localised;

    SortFactionsByInfluence(s.Factions);

    const qsizetype n = s.Factions.size();
    pie.clear();
    QList<QStringList> rows;
    rows.reserve(n + 1);
    rows.append(gridHeading());
    // More factions than the tooltip table was designed for: it grows.
    while (frakcje_stany_opisy.size() < n + 1)
        frakcje_stany_opisy.append(QString());
    for (qsizetype i = 0; i < n; ++i) {
        const TFaction& f = s.Factions[i];
        // Beyond the 20 fixed colours the table starts over.
        pie.append({f.Name, f.Influence * 100, frakcje_kolory[size_t(i) % frakcje_kolory.size()]});
        const TFactionState_Opis st = FactionState_opis(f.FactionState);
        rows.append({QString::number(i + 1), f.Name, f.Allegiance,
                     QString::number(qint64(roundHalfEven(f.Influence * 100))) + QLatin1Char('%'),
                     st.ikona + QLatin1Char(' ') + f.FactionState, f.Government,
                     FormatGeneral(f.MyReputation)});
        frakcje_stany_opisy[i + 1] = st.opis;
    }
    sg_frakcje.setAll(rows);
    for (qsizetype r = 0; r < sg_frakcje.rowCount(); ++r)
        sg_frakcje.setRowToolTip(int(r), frakcje_stany_opisy.value(r));

    setStationLabels(s.StationName, s.StationType, s.MarketID, s.StationFactionName,
                     stationFactionInfluence(s.StationFactionName), s.StationEconomy_Localised,
                     s.StationGovernment_Localised);
}

void SystemInfo::parse_BGS(const QByteArray& JSON, const QString& co_parsowac)
{
    GameState& st = m_state;
    if (co_parsowac == QLatin1String("system")) {
        TDaneSystemu parsed = ParseDaneSystemu(JSON);
        st.dane_systemu = std::move(parsed);
        applySystemEventToDock(st, JSON);
        showSystem();
        emit changed();
    } else if (co_parsowac == QLatin1String("docked")) {
        TDaneDokowania parsed = ParseDockedData(JSON);
        st.dane_dokowania = std::move(parsed);
        const TDaneDokowania& d = st.dane_dokowania;
        setStationLabels(d.StationName, d.StationType, d.MarketID, d.StationFactionName,
                         stationFactionInfluence(d.StationFactionName), d.StationEconomy_Localised,
                         d.StationGovernment_Localised);
        st.dane_systemu.MarketID = d.MarketID;
        st.dane_systemu.StationName = d.StationName;
        st.dane_systemu.StationType = d.StationType;
        emit changed();
    }
    emit dockChanged();
}

void SystemInfo::undock()
{
    stacja_name.clear();
    stacja_ekonomia.clear();
    stacja_frakcja.clear();
    stacja_rzad.clear();
    stacja_marketid.clear();
    emit changed();
    emit dockChanged();
}

void SystemInfo::parse_CMDR(const QByteArray& JSON)
{
    GameState& st = m_state;
    QJsonObject o;
    const bool isObject = parseJsonLine(JSON, o) == JsonLine::Object;
    QString name;
    const bool read = isObject && readKey(o, QLatin1String("Name"), name);
    // A relog names the same commander and keeps the carrier (nothing restores
    // it in journals that carry no CarrierLocation); only another commander,
    // or a line that names none, forgets it. At start the name is not known
    // yet, so the carrier from settings.ini stands.
    if (!read || (!st.dane_CMDR.Name.isEmpty() && name != st.dane_CMDR.Name))
        st.dane_carriera.CarrierID = 0;
    if (!isObject) {
        emit changed();
        return;
    }
    st.dane_CMDR.Name = name;
    emit changed();
    if (read && !st.dane_CMDR.Name.isEmpty())
        emit commanderNamed(st.dane_CMDR.Name);
}

void SystemInfo::parse_CarrierLocation(const QByteArray& JSON)
{
    TCarrier& c = m_state.dane_carriera;
    QJsonObject o;
    if (parseJsonLine(JSON, o) != JsonLine::Object)
        return;
    // Since late 2025 the game also places the squadron's carrier; only the
    // commander's own (or a line from before CarrierType) describes ours.
    QString type;
    if (readKey(o, QLatin1String("CarrierType"), type) && type != QLatin1String("FleetCarrier"))
        return;
    c.StarSystem.clear();
    readKey(o, QLatin1String("StarSystem"), c.StarSystem);
    readKey(o, QLatin1String("BodyID"), c.Body);
    // The game writes CarrierStats only when the carrier screen is opened; the
    // location names the carrier on every start, after Commander zeroed it.
    readKey(o, QLatin1String("CarrierID"), c.CarrierID);
    emit changed();
}

void SystemInfo::parse_Carrier(const QByteArray& JSON)
{
    TCarrier& c = m_state.dane_carriera;
    QJsonObject o;
    if (parseJsonLine(JSON, o) != JsonLine::Object)
        return;
    // A squadron's carrier (CarrierType since late 2025) is not the commander's own.
    QString type;
    if (readKey(o, QLatin1String("CarrierType"), type) && type != QLatin1String("FleetCarrier"))
        return;
    readKey(o, QLatin1String("CarrierID"), c.CarrierID);
    c.CarrierName.clear();
    readKey(o, QLatin1String("Name"), c.CarrierName);
    QJsonObject finance;
    if (readKey(o, QLatin1String("Finance"), finance)) {
        readKey(finance, QLatin1String("CarrierBalance"), c.CarrierBalance);
        readKey(finance, QLatin1String("AvailableBalance"), c.AvailableBalance);
    }
    emit changed();
    if (!c.CarrierName.isEmpty())
        emit carrierNamed(c.CarrierName);
}

QString SystemInfo::populationText(const QString& number)
{
    return kIconPopulation + number;
}

QJsonObject SystemInfo::dumpJson(const ShipInfo& ship) const
{
    QJsonArray slices;
    for (const PieSlice& p : pie)
        slices.append(QJsonObject{{"label", p.label},
                                  {"value", p.value},
                                  {"colour", QStringLiteral("#%1").arg(p.colour, 6, 16, QLatin1Char('0'))}});
    return QJsonObject{
        {"f_BGS", QJsonObject{{"system_name", system_name},
                              {"system_population", system_population},
                              {"system_przynaleznosc", system_przynaleznosc},
                              {"system_rzad", system_rzad},
                              {"system_ekonomie", system_ekonomie},
                              {"system_security", system_security},
                              {"stacja_name", stacja_name},
                              {"stacja_marketid", stacja_marketid},
                              {"stacja_frakcja", stacja_frakcja},
                              {"stacja_ekonomia", stacja_ekonomia},
                              {"stacja_rzad", stacja_rzad},
                              {"statek_typ", ship.statek_typ},
                              {"statek_nazwa", ship.statek_nazwa},
                              {"statek_cargo", ship.statek_cargo},
                              {"sg_frakcje", sg_frakcje.toJson()},
                              {"frakcje_stany_opisy", QJsonArray::fromStringList(frakcje_stany_opisy)},
                              {"pie", slices}}}};
}
