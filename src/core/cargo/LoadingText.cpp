#include "cargo/LoadingText.h"

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

QString commodityKey(const QString& name)
{
    QString k = name;
    k.remove(QLatin1Char(' '));
    qsizetype b = 0;
    qsizetype e = k.size();
    while (b < e && k[b].unicode() < 0x20)
        ++b;
    while (e > b && k[e - 1].unicode() < 0x20)
        --e;
    k = k.mid(b, e - b);
    for (QChar& c : k)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return k;
}

QString unstorableNameReason(const QString& name)
{
    const QString key = name.trimmed();
    if (key.isEmpty())
        return QStringLiteral("A commodity needs a name.");
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
