#pragma once

#include <QKeySequence>
#include <QLocale>
#include <QString>

#include "color/CssColor.h"

namespace tonzug {

// The language of the windows. German is the source of every text; English, and any language
// with a translation built into the program, come from those translations (kEnglish stands for
// them all: the core's messages are English for each).
enum class InterfaceLanguage { kGerman, kEnglish };

// The language for a locale: the first of its interface languages that the program speaks.
// German also where none is chosen (the C locale of containers and scripts), English for
// every language without a translation of its own.
InterfaceLanguage LanguageForLocale(const QLocale& locale);

// Installs the program's and Qt's own translations for the locale into the application, in
// place of any installed before; windows built afterwards speak that language.
InterfaceLanguage InstallInterfaceLanguage(const QLocale& locale);

// The installed language, and the language of the core's messages that the windows show.
InterfaceLanguage CurrentInterfaceLanguage();
MessageLanguage WindowMessageLanguage();

// Keys as the keyboards of the windows' language label them: "Strg+Umschalt+S" in German,
// whether or not Qt's own German texts are installed.
QString KeysAsLabelled(const QKeySequence& keys);
// The locale of the numbers the windows show: a decimal comma in German, a point in English.
QLocale WindowNumberLocale();

}  // namespace tonzug
