#include "workspace/ui/ParameterFileCommands.h"

#include <QFile>
#include <QMessageBox>

#include "support/ui/DialogFolders.h"
#include "support/ui/FileDialogs.h"
#include "web/GimpGradient.h"
#include "workspace/GradientFiles.h"
#include "workspace/ParameterFiles.h"
#include "workspace/ParameterKeys.h"

namespace tonzug {
namespace {

const QString kTypeName = QStringLiteral("Tonzugs-Parameter");
const QString kExtension = QStringLiteral("tzg");
const QString kLoadTitle = QStringLiteral("Einstellungsdatei laden");
const QString kSaveTitle = QStringLiteral("Einstellungsdatei speichern");

void ReportFileProblem(QWidget& owner, const QString& title, const QString& text,
                       const QString& path) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, &owner);
    box.setInformativeText(path);
    box.exec();
}

}  // namespace

QString SaveParameterFileCommand(QWidget& owner, const ParameterForm& form) {
    const QString file = ShowSaveDialog(&owner, kTypeName, kExtension, kSaveTitle,
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
        ReportFileProblem(owner, kSaveTitle,
                          QStringLiteral("Die Einstellungsdatei konnte nicht gespeichert werden."),
                          file);
        return false;
    }
    return true;
}

QString LoadParameterFileCommand(QWidget& owner, ParameterForm& form) {
    // GIMP's gradients load too, as the colour line of a free gradient.
    const QString file = ShowOpenDialog(&owner, kTypeName + QStringLiteral("|GIMP-Farbverlauf"),
                                        kExtension + QStringLiteral("|ggr"), kLoadTitle,
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
        if (const auto problem = LoadGimpGradientFile(path, form, MessageLanguage::kGerman)) {
            ReportFileProblem(owner, kLoadTitle,
                              QStringLiteral("Der GIMP-Farbverlauf konnte nicht gelesen werden: %1")
                                  .arg(QString::fromStdString(*problem)),
                              file);
            return false;
        }
        return true;
    }
    // A file that cannot be read, or is no parameter file, leaves the shown set as it is.
    const LoadResult result = LoadParameters(form, path);
    if (!result.Loaded()) {
        ReportFileProblem(owner, kLoadTitle,
                          QStringLiteral("Die Einstellungsdatei konnte nicht gelesen werden."),
                          file);
        return false;
    }
    // The loaded set has redrawn through its controls' change handling; the message
    // stands in front of it.
    if (!result.replacedKeys.empty()) {
        const QString keys = QString::fromStdString(JoinNames(result.replacedKeys, " und "));
        ReportFileProblem(owner, kLoadTitle,
                          QStringLiteral("Die Einstellungsdatei enthält ungültige Werte für "
                                         "%1; sie wurden begrenzt oder durch ihre Vorgaben "
                                         "ersetzt.")
                              .arg(keys),
                          file);
    }
    return true;
}

}  // namespace tonzug
