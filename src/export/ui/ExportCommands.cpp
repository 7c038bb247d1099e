#include "export/ui/ExportCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <memory>
#include <new>
#include <optional>

#include "desktop/ui/RasterImage.h"
#include "export/ExportPicture.h"
#include "export/PictureKind.h"
#include "export/SaveResult.h"
#include "export/WebExport.h"
#include "export/ui/FailureReason.h"
#include "support/ui/DialogFolders.h"
#include "support/ui/FileDialogs.h"

namespace tonzug {
namespace {

struct FileExport {
    ExportTarget target;
    PictureKind kind;
    const char* typeName;
    const char* extension;
    const char* defaultName;
};

// Every picture dialog offers SVG beside its own type.
constexpr const char* kSvgTypeName = QT_TRANSLATE_NOOP("tonzug::ExportCommands", "SVG-Grafik");
constexpr const char* kSvgExtension = "svg";

constexpr FileExport kFileExports[] = {
    {ExportTarget::kBmpFile, PictureKind::kBmp,
     QT_TRANSLATE_NOOP("tonzug::ExportCommands", "Bitmap Truecolor"), "bmp", ""},
    {ExportTarget::kPngFile, PictureKind::kPng,
     QT_TRANSLATE_NOOP("tonzug::ExportCommands", "PNG-Bildatei"), "png", "Tonzug"},
    {ExportTarget::kJpegFile, PictureKind::kJpeg,
     QT_TRANSLATE_NOOP("tonzug::ExportCommands", "JPG-Bildatei"), "jpg", "Tonzug"},
};

QString Translated(const char* text) {
    return QCoreApplication::translate("tonzug::ExportCommands", text);
}

// A failure the window itself meets, worded for the windows and for logs.
SaveResult WindowFailure(SaveFailure failure, const char* shown, std::string reason) {
    return SaveResult::Failure(failure, std::move(reason), {shown, {}});
}

// Exports shorter than this finish without a progress dialog flashing up.
constexpr int kProgressDelayMs = 500;
constexpr int kProgressSteps = 1000;

}  // namespace

void ShowExportFailure(QWidget& owner, const SaveResult& status) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("GDI Error"),
                    QString::fromStdString(status.MessageText()), QMessageBox::Ok, &owner);
    if (const QString reason = FailureReason(status); !reason.isEmpty()) {
        box.setInformativeText(reason);
    }
    box.exec();
}

namespace {

// Shows the waiting cursor while a picture is made without a progress dialog.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// A name typed with another picture extension ("bild.png" in the BMP dialog) gets the
// format its name promises, so the file opens as what it claims to be.
PictureKind KindForFile(const QString& file, PictureKind chosen) {
    return PictureKindFromPath(QFile::encodeName(file).toStdString()).value_or(chosen);
}

void ExportToFile(QWidget& owner, const GradientPicture& picture, const ColorDepthChoice& depth,
                  const FileExport& target) {
    const QString title =
        Translated(QT_TRANSLATE_NOOP("tonzug::ExportCommands", "Tonzug speichern"));
    // Each type's name translated on its own: the dialog's list is joined by "|".
    const QString file = ShowSaveDialog(
        &owner, QStringLiteral("%1|%2").arg(Translated(target.typeName), Translated(kSvgTypeName)),
        QStringLiteral("%1|%2").arg(QString::fromUtf8(target.extension),
                                    QString::fromUtf8(kSvgExtension)),
        title, StartFolder(DialogFolder::kPictures), QString::fromUtf8(target.defaultName));
    if (file.isEmpty()) {
        return;
    }
    QProgressDialog progress(
        Translated(QT_TRANSLATE_NOOP("tonzug::ExportCommands", "Tonzug wird gespeichert...")),
        Translated(QT_TRANSLATE_NOOP("tonzug::ExportCommands", "Abbrechen")), 0, kProgressSteps,
        &owner);
    progress.setWindowTitle(title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setValue(0);
    ExportOptions options;
    options.depth = depth;
    options.progress = [&progress](double fractionDone) {
        progress.setValue(static_cast<int>(fractionDone * kProgressSteps));
        return !progress.wasCanceled();
    };
    const SaveResult status =
        ExportPicture(picture, QFile::encodeName(file).toStdString(),
                      KindForFile(file, target.kind), kExportJpegQuality, options);
    progress.reset();
    if (status.Ok()) {
        RememberFolder(DialogFolder::kPictures, file);
    } else if (status.failure != SaveFailure::kCancelled) {
        ShowExportFailure(owner, status);
    }
}

void CopyToClipboard(QWidget& owner, const GradientPicture& shown, const ColorDepthChoice& depth) {
    std::optional<QImage> image;
    {
        const BusyCursor busy;
        Raster picture;
        // The clipboard holds 8 bits; dithering applies to it as to the 8-bit files.
        const OutputFormat format = depth.dither ? OutputFormat::kDithered8 : OutputFormat::kPlain8;
        if (const SaveResult status = RenderFullPicture(shown, picture, format); !status.Ok()) {
            ShowExportFailure(owner, status);
            return;
        }
        image = ImageOwningRaster(std::move(picture));
    }
    if (!image) {
        ShowExportFailure(owner,
                          OutOfMemoryFailure("the picture cannot be handed to the clipboard"));
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(*image);
    // Another program may hold the clipboard and refuse to give it up.
    const QMimeData* offered = clipboard->mimeData();
    if (offered == nullptr || !offered->hasImage()) {
        ShowExportFailure(
            owner,
            WindowFailure(SaveFailure::kBusy,
                          QT_TRANSLATE_NOOP("tonzug::SaveResult",
                                            "Die Zwischenablage hat das Bild nicht angenommen"),
                          "the clipboard did not take the picture"));
    }
}

void CopyCssToClipboard(QWidget& owner, const GradientPicture& picture) {
    PictureCss css;
    if (const SaveResult status = CssOfPicture(picture, css); !status.Ok()) {
        ShowExportFailure(owner, status);
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QString::fromStdString(css.declaration));
    const QMimeData* offered = clipboard->mimeData();
    if (offered == nullptr || !offered->hasText()) {
        ShowExportFailure(
            owner,
            WindowFailure(SaveFailure::kBusy,
                          QT_TRANSLATE_NOOP("tonzug::SaveResult",
                                            "Die Zwischenablage hat das CSS nicht angenommen"),
                          "the clipboard did not take the CSS"));
    }
}

}  // namespace

void ExportGradient(QWidget& owner, const GradientPicture& picture, ExportTarget target,
                    const ColorDepthChoice& depth) {
    try {
        if (target == ExportTarget::kClipboard) {
            CopyToClipboard(owner, picture, depth);
            return;
        }
        if (target == ExportTarget::kCssClipboard) {
            CopyCssToClipboard(owner, picture);
            return;
        }
        for (const FileExport& file : kFileExports) {
            if (file.target == target) {
                ExportToFile(owner, picture, depth, file);
                return;
            }
        }
    } catch (const std::bad_alloc&) {
        ShowExportFailure(owner, OutOfMemoryFailure("not enough memory"));
    }
}

}  // namespace tonzug
