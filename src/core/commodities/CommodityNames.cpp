#include "commodities/CommodityNames.h"

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
