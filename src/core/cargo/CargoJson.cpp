#include "cargo/CargoJson.h"

#include "common/Error.h"
#include "common/JsonRead.h"

#include <QJsonArray>

namespace CargoJson {

QJsonObject eventObject(const QByteArray& line, const char* event, bool* parsed)
{
    QJsonObject o;
    const JsonLine kind = parseJsonLine(line, o);
    *parsed = kind != JsonLine::Invalid;
    if (kind == JsonLine::NotObject)
        throw TessivarError(
            QStringLiteral("%1: the journal line is not a JSON object.").arg(QLatin1String(event)));
    return o;
}

QStringList cargoEntryLines(const QJsonValue& snapshot)
{
    if (!snapshot.isObject())
        throw TessivarError(QStringLiteral("Cargo.json: the file is not a JSON object."));
    const QJsonValue inv = snapshot.toObject().value(QStringLiteral("Inventory"));
    if (!inv.isArray())
        throw TessivarError(QStringLiteral("Cargo.json: \"Inventory\" is missing or not an array."));
    QStringList entries;
    for (const QJsonValue& e : inv.toArray()) {
        if (!e.isObject())
            throw TessivarError(QStringLiteral("Cargo.json: an entry of \"Inventory\" is not an object."));
        const QJsonObject o = e.toObject();
        const QString name = o.contains(QStringLiteral("Name"))
                                 ? jsonScalarText(o.value(QStringLiteral("Name")))
                                 : QStringLiteral("UNKNOWN");
        qint64 count = 0;
        if (o.contains(QStringLiteral("Count"))) {
            const auto n = jsonWholeNumber(o.value(QStringLiteral("Count")), WholeRange::Exact);
            if (!n)
                throw TessivarError(
                    QStringLiteral("Cargo.json: the \"Count\" of \"%1\" is not a whole number.").arg(name));
            count = *n;
        }
        entries.append(name + QLatin1Char(':') + QString::number(count));
    }
    return entries;
}

QHash<QString, QString> cargoDisplayNames(const QJsonValue& snapshot)
{
    QHash<QString, QString> names;
    for (const QJsonValue& e : snapshot.toObject().value(QStringLiteral("Inventory")).toArray()) {
        const QJsonObject o = e.toObject();
        const QString id = jsonScalarText(o.value(QStringLiteral("Name")));
        const QString shown = o.value(QStringLiteral("Name_Localised")).toString();
        if (!id.isEmpty() && !shown.isEmpty())
            names.insert(id, shown);
    }
    return names;
}

}  // namespace CargoJson
