#include "common/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>
#include <vector>

namespace {

const QString kSystem = QStringLiteral("system");
const QStringList kTranslated = {QStringLiteral("pl")};

std::vector<std::unique_ptr<QTranslator>>& installed()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

void add(const QString& file, const QString& folder)
{
    auto t = std::make_unique<QTranslator>();
    if (t->load(file, folder) && QCoreApplication::installTranslator(t.get()))
        installed().push_back(std::move(t));
}

}  // namespace

QList<Language::Choice> Language::choices()
{
    return {{kSystem, QCoreApplication::translate("Language", "System")},
            {QStringLiteral("en"), QStringLiteral("English")},
            {QStringLiteral("pl"), QStringLiteral("Polski")}};
}

QString Language::resolve(const QString& setting)
{
    const QString s = setting.trimmed().toLower();
    if (s == QLatin1String("en") || kTranslated.contains(s))
        return s;
    // The first of the person's languages the program has, else English;
    // uiLanguages() follows LANGUAGE, then LC_ALL, LC_MESSAGES and LANG.
    for (const QString& ui : QLocale::system().uiLanguages()) {
        const QString lang = ui.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (lang == QLatin1String("en") || kTranslated.contains(lang))
            return lang;
    }
    return QStringLiteral("en");
}

QString Language::install(const QString& setting)
{
    for (const auto& t : installed())
        QCoreApplication::removeTranslator(t.get());
    installed().clear();
    const QString lang = resolve(setting);
    // Built into the program: found the same in the build folder and installed.
    add(QStringLiteral("tessivar_") + lang, QStringLiteral(":/i18n"));
    if (lang != QLatin1String("en"))
        add(QStringLiteral("qtbase_") + lang, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Numbers in the windows are grouped the way the chosen language writes
    // them: Polish chosen on an English system reads "1 234 567". A system
    // whose language the program has no translation for (C, German...) keeps
    // its own locale when English is shown. Files and the wire never use it.
    QLocale::setDefault(numberLocale(lang, QLocale::system().name()));
    return lang;
}

QLocale Language::numberLocale(const QString& lang, const QString& systemName)
{
    const QString systemLang = systemName.section(QLatin1Char('_'), 0, 0);
    const bool keepSystem =
        systemLang == lang || (lang == QLatin1String("en") && !kTranslated.contains(systemLang));
    return QLocale(keepSystem ? systemName : lang);
}
