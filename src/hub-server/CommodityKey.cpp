#include "CommodityKey.h"

#include <QHash>

namespace {

// Display names (normalised) whose letters do not spell the game's internal
// name. Names that only differ in case, blanks or punctuation need no entry.
const QHash<QString, QString>& aliases()
{
    static const QHash<QString, QString> table = {
        {QStringLiteral("hesuits"), QStringLiteral("hazardousenvironmentsuits")},
        {QStringLiteral("componentscomputer"), QStringLiteral("computercomponents")},
        {QStringLiteral("agrimedicines"), QStringLiteral("agriculturalmedicines")},
        {QStringLiteral("combatstabilizers"), QStringLiteral("combatstabilisers")},
        {QStringLiteral("landenrichmentsystems"), QStringLiteral("terrainenrichmentsystems")},
        {QStringLiteral("microbialfurnaces"), QStringLiteral("heliostaticfurnaces")},
        {QStringLiteral("muonimager"), QStringLiteral("mutomimager")},
        {QStringLiteral("atmosphericprocessors"), QStringLiteral("atmosphericextractors")},
        {QStringLiteral("marineequipment"), QStringLiteral("marinesupplies")},
        {QStringLiteral("narcotics"), QStringLiteral("basicnarcotics")},
        {QStringLiteral("lowtemperaturediamonds"), QStringLiteral("lowtemperaturediamond")},
        {QStringLiteral("voidopals"), QStringLiteral("opal")},
        {QStringLiteral("microweavecoolinghoses"), QStringLiteral("coolinghoses")},
        {QStringLiteral("hardwarediagnosticsensor"), QStringLiteral("diagnosticsensor")},
        {QStringLiteral("skimmercomponents"), QStringLiteral("skimercomponents")},
    };
    return table;
}

}  // namespace

namespace CommodityKey {

QString normalised(const QString& name)
{
    QString text = name.trimmed();
    if (text.startsWith(QLatin1Char('$')) && text.endsWith(QLatin1String("_name;"), Qt::CaseInsensitive))
        text = text.mid(1, text.size() - 7);
    QString key;
    key.reserve(text.size());
    for (const QChar c : std::as_const(text)) {
        if (c.isLetterOrNumber())
            key.append(c.toLower());
    }
    return key;
}

QString of(const QString& name)
{
    const QString key = normalised(name);
    return aliases().value(key, key);
}

}  // namespace CommodityKey
