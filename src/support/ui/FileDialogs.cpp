#include "support/ui/FileDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QStringList>

#include "support/FileDialogRequest.h"

namespace tonzug {
namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString Translated(const char* text) {
    return QCoreApplication::translate(kFileDialogContext, text);
}

// The entry as the list shows it, the all-files entry in the language of the windows.
QString ShownFilter(const FileFilter& filter) {
    if (filter.displayText.starts_with(kAllFilesText)) {
        return FromUtf8(FilterString({Translated(kAllFilesText).toStdString(), filter.pattern}));
    }
    return FromUtf8(FilterString(filter));
}

QString ShownTitle(const QString& title, const char* defaultTitle) {
    return title.isEmpty() ? Translated(defaultTitle) : title;
}

// The desktop's own dialog cannot be told which filter to preselect on every platform
// and behaves differently under test, so both commands use Qt's widget-based dialog.
QString RunDialog(QWidget* owner, const FileDialogRequest& request) {
    QFileDialog dialog(owner, FromUtf8(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    QStringList filters;
    for (const FileFilter& filter : request.filters) {
        filters.append(ShownFilter(filter));
    }
    dialog.setNameFilters(filters);
    const qsizetype preselected = request.filterIndex - 1;
    if (preselected >= 0 && preselected < filters.size()) {
        dialog.selectNameFilter(filters.at(preselected));
    }
    if (!request.startFolder.empty()) {
        dialog.setDirectory(FromUtf8(request.startFolder));
    }
    if (request.kind == FileDialogKind::kSave) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(FromUtf8(request.defaultExtension));
        // A bare name gets the extension of the type chosen in the list.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &request](const QString& chosen) {
                             for (const FileFilter& filter : request.filters) {
                                 if (ShownFilter(filter) == chosen) {
                                     const std::string extension = FilterExtension(filter);
                                     dialog.setDefaultSuffix(FromUtf8(
                                         extension.empty() ? request.defaultExtension : extension));
                                 }
                             }
                         });
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.defaultName.empty()) {
        dialog.selectFile(FromUtf8(request.defaultName));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.constFirst().trimmed();
}

}  // namespace

QString ShowSaveDialog(QWidget* owner, const QString& typeNames, const QString& extensions,
                       const QString& title, const QString& startFolder,
                       const QString& defaultName) {
    return RunDialog(owner,
                     BuildSaveDialogRequest(typeNames.toStdString(), extensions.toStdString(),
                                            ShownTitle(title, kDefaultSaveTitle).toStdString(),
                                            startFolder.toStdString(), defaultName.toStdString()));
}

QString ShowOpenDialog(QWidget* owner, const QString& typeNames, const QString& extensions,
                       const QString& title, const QString& startFolder, const QString& defaultName,
                       int filterIndex) {
    return RunDialog(owner, BuildOpenDialogRequest(
                                typeNames.toStdString(), extensions.toStdString(),
                                ShownTitle(title, kDefaultOpenTitle).toStdString(),
                                startFolder.toStdString(), defaultName.toStdString(), filterIndex));
}

}  // namespace tonzug
