#include "workspace/ui/ParameterFileCommands.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>

#include "desktop/ui/InterfaceLanguage.h"
#include "support/ui/DialogFolders.h"
#include "support/ui/FileDialogs.h"
#include "web/GimpGradient.h"
#include "workspace/GradientFiles.h"
#include "workspace/ParameterFiles.h"
#include "workspace/ParameterKeys.h"

namespace tonzug {
namespace {

const QString kExtension = QStringLiteral("tzg");

// Translated when shown, in the language installed by then.
QString Translated(const char* text) {
    return QCoreApplication::translate("tonzug::ParameterFileCommands", text);
}
const char* const kTypeName =
    QT_TRANSLATE_NOOP("tonzug::ParameterFileCommands", "Tonzugs-Parameter");
const char* const kGimpTypeName =
    QT_TRANSLATE_NOOP("tonzug::ParameterFileCommands", "GIMP-Farbverlauf");
const char* const kLoadTitle =
    QT_TRANSLATE_NOOP("tonzug::ParameterFileCommands", "Einstellungsdatei laden");
const char* const kSaveTitle =
    QT_TRANSLATE_NOOP("tonzug::ParameterFileCommands", "Einstellungsdatei speichern");

void ReportFileProblem(QWidget& owner, const QString& title, const QString& text,
                       const QString& path) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, &owner);
    box.setInformativeText(path);
    box.exec();
}

}  // namespace

QString SaveParameterFileCommand(QWidget& owner, const ParameterForm& form) {
    const QString file =
        ShowSaveDialog(&owner, Translated(kTypeName), kExtension, Translated(kSaveTitle),
                       StartFolder(DialogFolder::kParameterFiles), {});
    if (file.isEmpty() || !SaveParameterFile(owner, form, file)) {
        return {};
    }
    RememberFolder(DialogFolder::kParameterFiles, file);
    return file;
}

bool SaveParameterFile(QWidget& owner, const ParameterForm& form, const QString& file) {
    // A user who chose a file must learn when it was not written.
    if (!SaveParameters(form, QFile::encodeName(file).toStdString())) {
        ReportFileProblem(
            owner, Translated(kSaveTitle),
            QCoreApplication::translate("tonzug::ParameterFileCommands",
                                        "Die Einstellungsdatei konnte nicht gespeichert werden."),
            file);
        return false;
    }
    return true;
}

QString LoadParameterFileCommand(QWidget& owner, ParameterForm& form) {
    // GIMP's gradients load too, as the colour line of a free gradient.
    const QString file =
        ShowOpenDialog(&owner, Translated(kTypeName) + QLatin1Char('|') + Translated(kGimpTypeName),
                       kExtension + QStringLiteral("|ggr"), Translated(kLoadTitle),
                       StartFolder(DialogFolder::kParameterFiles), {}, 0);
    if (file.isEmpty() || !LoadParameterFile(owner, form, file)) {
        return {};
    }
    RememberFolder(DialogFolder::kParameterFiles, file);
    return file;
}

bool LoadParameterFile(QWidget& owner, ParameterForm& form, const QString& file) {
    const std::string path = QFile::encodeName(file).toStdString();
    if (IsGimpGradientPath(path)) {
        if (const auto problem = LoadGimpGradientFile(path, form, WindowMessageLanguage())) {
            ReportFileProblem(
                owner, Translated(kLoadTitle),
                QCoreApplication::translate("tonzug::ParameterFileCommands",
                                            "Der GIMP-Farbverlauf konnte nicht gelesen werden: %1")
                    .arg(QString::fromStdString(*problem)),
                file);
            return false;
        }
        return true;
    }
    // A file that cannot be read, or is no parameter file, leaves the shown set as it is.
    const LoadResult result = LoadParameters(form, path);
    if (!result.Loaded()) {
        ReportFileProblem(
            owner, Translated(kLoadTitle),
            QCoreApplication::translate("tonzug::ParameterFileCommands",
                                        "Die Einstellungsdatei konnte nicht gelesen werden."),
            file);
        return false;
    }
    // The loaded set has redrawn through its controls' change handling; the message
    // stands in front of it.
    if (!result.replacedKeys.empty()) {
        const QString keys = QString::fromStdString(JoinNames(
            result.replacedKeys,
            QCoreApplication::translate("tonzug::ParameterFileCommands", " und ").toStdString()));
        ReportFileProblem(
            owner, Translated(kLoadTitle),
            QCoreApplication::translate("tonzug::ParameterFileCommands",
                                        "Die Einstellungsdatei enthält ungültige Werte für "
                                        "%1; sie wurden begrenzt oder durch ihre Vorgaben "
                                        "ersetzt.")
                .arg(keys),
            file);
    }
    return true;
}

}  // namespace tonzug
