#include "cargo/LoadingText.h"

#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "ini/IniDocument.h"

namespace LoadingText {

std::optional<qint64> quantity(const QString& text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

bool sameCargo(const QString& a, const QString& b)
{
    return a == b || CommodityNames::same(a, b);
}

QString unstorableNameReason(const QString& name)
{
    const QString key = name.trimmed();
    if (key.isEmpty())
        return QStringLiteral("A commodity needs a name.");
    if (key == QLatin1String("TOTAL"))
        return QStringLiteral("TOTAL is the list's sum row, not a commodity; it is never stored.");
    try {
        IniDocument::checkKey(key);
    } catch (const TessivarError&) {
        return QStringLiteral("The commodity name \"%1\" cannot be stored in zaladunek.ini: a name must not "
                              "contain \"=\" or a line break, nor begin with \"[\" or \";\".")
            .arg(name);
    }
    return {};
}

}  // namespace LoadingText
