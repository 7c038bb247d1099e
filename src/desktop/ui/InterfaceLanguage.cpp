#include "desktop/ui/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace tonzug {
namespace {

// Where the build puts the program's translations among its resources.
const QString kTranslationFolder = QStringLiteral(":/i18n");
const QString kTranslationPrefix = QStringLiteral("tonzug_");

struct InstalledTranslations {
    InterfaceLanguage language = InterfaceLanguage::kGerman;
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

}  // namespace

InterfaceLanguage LanguageForLocale(const QLocale& locale) {
    if (locale.language() == QLocale::C) {
        return InterfaceLanguage::kGerman;
    }
    for (const QString& uiLanguage : locale.uiLanguages()) {
        if (NamesNoLanguage(uiLanguage) || IsGerman(uiLanguage)) {
            return InterfaceLanguage::kGerman;
        }
        if (HasTranslation(uiLanguage)) {
            return InterfaceLanguage::kEnglish;
        }
    }
    return InterfaceLanguage::kEnglish;
}

InterfaceLanguage InstallInterfaceLanguage(const QLocale& locale) {
    InstalledTranslations& installed = Installed();
    installed.program.reset();
    installed.toolkit.reset();
    installed.language = LanguageForLocale(locale);
    const QLocale shown = installed.language == InterfaceLanguage::kGerman
                              ? QLocale(QLocale::German, QLocale::Germany)
                              : QLocale(QLocale::English, QLocale::UnitedStates);
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

MessageLanguage WindowMessageLanguage() {
    return CurrentInterfaceLanguage() == InterfaceLanguage::kGerman ? MessageLanguage::kGerman
                                                                    : MessageLanguage::kEnglish;
}

}  // namespace tonzug
