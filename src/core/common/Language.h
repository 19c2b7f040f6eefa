#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The interface language. The setting ([windows] language in settings.ini)
// is "system" (or missing: the locale, LANGUAGE and LANG decide), "en" or
// "pl"; it is applied once, at start-up, before any window exists.
namespace Language {

// The settings' codes and the name each is offered under, in the offered order.
struct Choice
{
    QString code;
    QString name;  // in its own language (System in the interface's)
};
QList<Choice> choices();

// The language the setting picks: "en" or "pl" (a locale without a
// translation gets English).
QString resolve(const QString& setting);

// Installs the program's translation (and Qt's own for standard buttons)
// into the running application for the setting; returns the language used.
// A second call replaces what the first installed.
QString install(const QString& setting);

// The locale the windows group numbers by for the language shown, given the
// system locale's name: the system's own where it speaks that language (or
// English is shown on a system without a translation), else the language's.
// Built from the name alone: with LANGUAGE=pl and LANG=C the system locale is
// named pl_PL yet groups digits as C does.
QLocale numberLocale(const QString& lang, const QString& systemName);

}  // namespace Language
