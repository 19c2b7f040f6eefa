#include "commodities/CommodityNames.h"

#include "commodities/DisplayTable.h"

#include <QHash>

namespace {

// Spellings (normalised) whose letters do not spell the game's internal name,
// mapped to it. Names that differ from the internal one only in letter case,
// blanks or punctuation ("Liquid oxygen", "Non-Lethal Weapons") need no entry.
const QHash<QString, QString>& aliases()
{
    static const QHash<QString, QString> table = [] {
        static const char* const pairs[][2] = {
            // The program's pick lists and the hub's order form.
            {"computer", "computercomponents"},
            {"components", "computercomponents"},
            {"componentscomputer", "computercomponents"},
            {"combatstabilizers", "combatstabilisers"},
            {"narcotics", "basicnarcotics"},
            {"voidopals", "opal"},
            // What markets, construction sites and missions show.
            {"agrimedicines", "agriculturalmedicines"},
            {"hesuits", "hazardousenvironmentsuits"},
            {"landenrichmentsystems", "terrainenrichmentsystems"},
            {"microbialfurnaces", "heliostaticfurnaces"},
            {"muonimager", "mutomimager"},
            {"atmosphericprocessors", "atmosphericextractors"},
            {"marineequipment", "marinesupplies"},
            {"lowtemperaturediamonds", "lowtemperaturediamond"},
            {"lowtempdiamonds", "lowtemperaturediamond"},
            {"voidopal", "opal"},
            {"microweavecoolinghoses", "coolinghoses"},
            {"hardwarediagnosticsensor", "diagnosticsensor"},
            {"skimmercomponents", "skimercomponents"},
            {"energygridassembly", "powergridassembly"},
            {"powertransferbus", "powertransferconduits"},
            {"platinumalloy", "platinumaloy"},
            {"commercialsamples", "comercialsamples"},
            {"encrypteddatastorage", "encripteddatastorage"},
            {"largesurveydatacache", "largeexplorationdatacash"},
            {"smallsurveydatacache", "smallexplorationdatacash"},
            {"occupiedescapepod", "occupiedcryopod"},
            {"unoccupiedescapepod", "unocuppiedescapepod"},
            {"rareartwork", "usscargorareartwork"},
            {"festivegifts", "personalgifts"},
            {"limpet", "drones"},
            {"ultracompactprocessorprototypes", "advert1"},
            {"anomalyparticles", "pparticulatesample"},
            {"guardiancasket", "ancientcasket"},
            {"guardianorb", "ancientorb"},
            {"guardianrelic", "ancientrelic"},
            {"guardiantablet", "ancienttablet"},
            {"guardiantotem", "ancienttotem"},
            {"guardianurn", "ancienturn"},
            {"unclassifiedrelic", "ancientrelictg"},
            {"leatheryeggs", "alieneggs"},
            {"thargoidsensor", "unknownartifact"},
            {"thargoidprobe", "unknownartifact2"},
            {"thargoidlink", "unknownartifact3"},
            {"thargoidbiologicalmatter", "unknownbiologicalmatter"},
            {"thargoidresin", "unknownresin"},
            {"thargoidtechnologysamples", "unknowntechnologysamples"},
            {"protectivemembranescrap", "unknownsack"},
            {"impurespiremineral", "unknownmineral"},
            {"semirefinedspiremineral", "unknownrefinedmineral"},
            {"bonefragments", "thargoidbonefragments"},
            {"cystspecimen", "thargoidcystspecimen"},
            {"organsample", "thargoidorgansample"},
            {"titandrivecomponent", "thargoidtitandrivecomponent"},
            {"caustictissuesample", "thargoidgeneratortissuesample"},
            // Rare goods whose shown name is not their internal one.
            {"edenapplesofaerial", "aerialedenapple"},
            {"albinoquechuamammothmeat", "albinoquechuamammoth"},
            {"alyabodysoap", "alyabodilysoap"},
            {"azuremilk", "bluemilk"},
            {"cd75kittenbrandcoffee", "cd75catcoffee"},
            {"aepyornisegg", "cetiaepyornisegg"},
            {"haidenblackbrew", "haidneblackbrew"},
            {"hipprotosquid", "hip41181squid"},
            {"kachiriginfilterleeches", "kachiriginleaches"},
            {"kinagoviolins", "kinagoinstruments"},
            {"korokungpellets", "korrokungpellets"},
            {"voidextractcoffee", "lftvoidextractcoffee"},
            {"onionheadbetastrain", "onionheadb"},
            {"onionheadgammastrain", "onionheadc"},
            {"lucanonionhead", "transgeniconionhead"},
            {"ophiuchexinoartefacts", "ophiuchiexinoartefacts"},
            {"rajukrumultistoves", "rajukrustoves"},
            {"sanumadecorativemeat", "sanumameat"},
            {"utgaroarmillennialeggs", "utgaroarmillenialeggs"},
            {"vanayequiceratomorphafur", "vanayequirhinofur"},
            {"thewatersofshintara", "watersofshintara"},
            {"xihebiomorphiccompanions", "xihecompanions"},
            {"zeesszeantgrubglue", "zeesszeantglue"},
        };
        QHash<QString, QString> h;
        for (const auto& [alias, internal] : pairs)
            h.insert(QLatin1String(alias), QLatin1String(internal));
        return h;
    }();
    return table;
}

}  // namespace

namespace CommodityNames {

QString normalised(const QString& name)
{
    QString text = name.trimmed();
    if (text.startsWith(QLatin1Char('$')) && text.endsWith(QLatin1String("_name;"), Qt::CaseInsensitive))
        text = text.mid(1, text.size() - 7);
    QString out;
    out.reserve(text.size());
    for (const QChar c : std::as_const(text)) {
        if (c.isLetterOrNumber())
            out.append(c.toLower());
    }
    return out;
}

QString key(const QString& name)
{
    const QString n = normalised(name);
    return aliases().value(n, n);
}

bool same(const QString& a, const QString& b)
{
    const QString ka = key(a);
    return !ka.isEmpty() && ka == key(b);
}

}  // namespace CommodityNames

namespace {

// Shown name (normalised) → shown name, for stored names the game gave in its
// shown form whose letters are not the internal name ("Black Box").
const QHash<QString, QString>& shownByLetters()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> h;
        const auto& shown = CommodityNames::detail::displayTable();
        for (auto it = shown.cbegin(); it != shown.cend(); ++it)
            h.insert(CommodityNames::normalised(it.value()), it.value());
        return h;
    }();
    return table;
}

// Spelled the hub's way where that differs from the game's: the hub keeps
// what the first order forms sent.
QString orderSpelling(const char* internal)
{
    static const QHash<QString, QString> hubSpelling{
        {QStringLiteral("computercomponents"), QStringLiteral("Components Computer")},
        {QStringLiteral("combatstabilisers"), QStringLiteral("Combat Stabilizers")},
        {QStringLiteral("liquidoxygen"), QStringLiteral("Liquid Oxygen")},
    };
    const QString id = QLatin1String(internal);
    return hubSpelling.value(id, CommodityNames::detail::displayTable().value(id));
}

}  // namespace

namespace CommodityNames {

QString displayName(const QString& name)
{
    const auto& table = detail::displayTable();
    const auto found = table.constFind(key(name));
    if (found != table.cend())
        return found.value();
    const QString byLetters = shownByLetters().value(normalised(name));
    if (!byLetters.isEmpty())
        return byLetters;
    const QString text = name.trimmed();
    if (text.startsWith(QLatin1Char('$')) && text.endsWith(QLatin1String("_name;"), Qt::CaseInsensitive))
        return text.mid(1, text.size() - 7);
    return text;
}

QString displayName(const QString& name, const QString& localised)
{
    const QString given = localised.trimmed();
    return given.isEmpty() ? displayName(name) : given;
}

const OrderFormChoices& orderFormChoices()
{
    static const OrderFormChoices choices = [] {
        static const char* const base[] = {
            "aluminium",
            "ceramiccomposites",
            "cmmcomposite",
            "computercomponents",
            "copper",
            "foodcartridges",
            "fruitandvegetables",
            "insulatingmembrane",
            "liquidoxygen",
            "medicaldiagnosticequipment",
            "nonlethalweapons",
            "polymers",
            "powergenerators",
            "semiconductors",
            "steel",
            "superconductors",
            "titanium",
            "water",
            "waterpurifiers",
        };
        static const char* const other[] = {
            "advancedcatalysers",
            "agriculturalmedicines",
            "animalmeat",
            "basicmedicines",
            "battleweapons",
            "beer",
            "bioreducinglichen",
            "biowaste",
            "buildingfabricators",
            "coffee",
            "combatstabilisers",
            "cropharvesters",
            "emergencypowercells",
            "evacuationshelter",
            "fish",
            "geologicalequipment",
            "grain",
            "hazardousenvironmentsuits",
            "terrainenrichmentsystems",
            "liquor",
            "microcontrollers",
            "heliostaticfurnaces",
            "militarygradefabrics",
            "mineralextractors",
            "mutomimager",
            "pesticides",
            "reactivearmour",
            "resonatingseparators",
            "robotics",
            "structuralregulators",
            "surfacestabilisers",
            "survivalequipment",
            "tea",
            "thermalcoolingunits",
            "wine",
        };
        OrderFormChoices c;
        for (const char* id : base)
            c.base.append(orderSpelling(id));
        for (const char* id : other)
            c.other.append(orderSpelling(id));
        return c;
    }();
    return choices;
}

}  // namespace CommodityNames
