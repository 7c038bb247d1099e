#include "desktop/ui/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace tonzug {
namespace {

// Where the build puts the program's translations among its resources.
const QString kTranslationFolder = QStringLiteral(":/i18n");
const QLocale kGermanLocale(QLocale::German, QLocale::Germany);
const QLocale kEnglishLocale(QLocale::English, QLocale::UnitedStates);

struct InstalledTranslations {
    InterfaceLanguage language = InterfaceLanguage::kGerman;
    QLocale shown = kGermanLocale;
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> toolkit;
};

InstalledTranslations& Installed() {
    static InstalledTranslations installed;
    return installed;
}

bool IsGerman(const QString& uiLanguage) {
    return uiLanguage == QLatin1String("de") || uiLanguage.startsWith(QLatin1String("de-")) ||
           uiLanguage.startsWith(QLatin1String("de_"));
}

bool NamesNoLanguage(const QString& uiLanguage) {
    return uiLanguage.isEmpty() || uiLanguage == QLatin1String("C") ||
           uiLanguage == QLatin1String("POSIX");
}

bool HasTranslation(const QString& uiLanguage) {
    QTranslator probe;
    return probe.load(QLocale(uiLanguage), QStringLiteral("tonzug"), QStringLiteral("_"),
                      kTranslationFolder);
}

// The translator for one file, installed; nothing where it does not load.
std::unique_ptr<QTranslator> Install(const QLocale& locale, const QString& name,
                                     const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
        return nullptr;
    }
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

// The first of the locale's interface languages that has a translation; German (the source)
// where that comes first, or where the locale names no language; English where none has one.
QLocale TranslationFor(const QLocale& locale) {
    if (locale.language() == QLocale::C) {
        return kGermanLocale;
    }
    for (const QString& uiLanguage : locale.uiLanguages()) {
        if (NamesNoLanguage(uiLanguage) || IsGerman(uiLanguage)) {
            return kGermanLocale;
        }
        if (HasTranslation(uiLanguage)) {
            return QLocale(uiLanguage);
        }
    }
    return kEnglishLocale;
}

InterfaceLanguage LanguageOfTranslation(const QLocale& translation) {
    return translation == kGermanLocale ? InterfaceLanguage::kGerman : InterfaceLanguage::kEnglish;
}

}  // namespace

InterfaceLanguage LanguageForLocale(const QLocale& locale) {
    return LanguageOfTranslation(TranslationFor(locale));
}

InterfaceLanguage InstallInterfaceLanguage(const QLocale& locale) {
    InstalledTranslations& installed = Installed();
    installed.program.reset();
    installed.toolkit.reset();
    const QLocale shown = TranslationFor(locale);
    installed.language = LanguageOfTranslation(shown);
    installed.shown = shown;
    // Qt's own dialogs (files, message boxes) in the language of the windows around them.
    installed.toolkit = Install(shown, QStringLiteral("qtbase"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (installed.language != InterfaceLanguage::kGerman) {
        installed.program = Install(shown, QStringLiteral("tonzug"), kTranslationFolder);
    }
    return installed.language;
}

InterfaceLanguage CurrentInterfaceLanguage() {
    return Installed().language;
}

QLocale WindowNumberLocale() {
    return Installed().shown;
}

MessageLanguage WindowMessageLanguage() {
    return CurrentInterfaceLanguage() == InterfaceLanguage::kGerman ? MessageLanguage::kGerman
                                                                    : MessageLanguage::kEnglish;
}

QString KeysAsLabelled(const QKeySequence& keys) {
    QString text = keys.toString(QKeySequence::NativeText);
    if (CurrentInterfaceLanguage() == InterfaceLanguage::kGerman) {
        text.replace(QStringLiteral("Ctrl"), QStringLiteral("Strg"))
            .replace(QStringLiteral("Shift"), QStringLiteral("Umschalt"));
    }
    return text;
}

}  // namespace tonzug
