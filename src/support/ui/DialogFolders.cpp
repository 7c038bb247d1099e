#include "support/ui/DialogFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <string>

#include "support/IniFile.h"
#include "support/SettingsFolder.h"

namespace tonzug {
namespace {

constexpr const char* kFolderSection = "FOLDERS";

const char* FolderKey(DialogFolder kind) {
    return kind == DialogFolder::kParameterFiles ? "PARAMETERS" : "PICTURES";
}

QStandardPaths::StandardLocation UsualLocation(DialogFolder kind) {
    return kind == DialogFolder::kParameterFiles ? QStandardPaths::DocumentsLocation
                                                 : QStandardPaths::PicturesLocation;
}

}  // namespace

QString StartFolder(DialogFolder kind) {
    IniDocument settings;
    settings.Load(SettingsFilePath());
    const std::string remembered =
        settings.Get(kFolderSection, FolderKey(kind)).value_or(std::string());
    if (IsDialogFolder(remembered)) {
        return QFile::decodeName(QByteArray::fromStdString(remembered));
    }
    // The desktop names this folder even where it was never created.
    const QString usual = QStandardPaths::writableLocation(UsualLocation(kind));
    if (!usual.isEmpty() && QFileInfo(usual).isDir()) {
        return usual;
    }
    return QDir::homePath();
}

void RememberFolder(DialogFolder kind, const QString& chosenFile) {
    const QString folder = QFileInfo(chosenFile).absolutePath();
    // A name the settings file cannot hold (a line break in it) is simply not remembered,
    // and a settings file that could not be read is never replaced.
    IniDocument settings;
    settings.Load(SettingsFilePath());
    if (settings.Set(kFolderSection, FolderKey(kind), QFile::encodeName(folder).toStdString())) {
        settings.Save(SettingsFilePath());
    }
}

}  // namespace tonzug
