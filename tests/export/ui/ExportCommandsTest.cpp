#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <map>
#include <memory>

#include "desktop/ui/RasterImage.h"
#include "export/WebExport.h"
#include "export/ui/ExportCommands.h"
#include "render/FreeRenderer.h"
#include "support/ui/DialogDriver.h"
#include "testing/QtTests.h"
#include "testing/SampleGradient.h"
#include "web/CssGradientReader.h"
#include "web/CssGradientText.h"

using tonzug::ExportTarget;
using tonzug::testing::Cell;
using tonzug::testing::ChooseFile;
using tonzug::testing::ReadAndClose;
using tonzug::testing::SeenMessage;
using tonzug::testing::ShownFileName;
using tonzug::testing::WhenShown;

namespace {

constexpr QRgb kRed = 0xFFFF0000;

const std::map<QString, ExportTarget> kTargets = {{"bmp", ExportTarget::kBmpFile},
                                                  {"png", ExportTarget::kPngFile},
                                                  {"jpg", ExportTarget::kJpegFile},
                                                  {"clipboard", ExportTarget::kClipboard}};

tonzug::GradientParams RedToBlue(float width, float height) {
    return tonzug::testing::RedToBlue(tonzug::Orientation::kVertical, tonzug::ColorMode::kRgb,
                                      width, height);
}

}  // namespace

// The four export buttons' command: files through the save dialog, the clipboard copy,
// and the messages for what cannot be done.
class ExportCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
    }

    void savesAPictureOfExactlyTheFieldsSize_data() {
        tonzug::testing::TextTable({"target", "filter", "defaultName"},
                                   {{"BMP", "bmp", "Bitmap Truecolor (*.bmp)", ""},
                                    {"PNG", "png", "PNG-Bildatei (*.png)", "Tonzug"},
                                    {"JPG", "jpg", "JPG-Bildatei (*.jpg)", "Tonzug"}});
    }
    void savesAPictureOfExactlyTheFieldsSize() {
        const QString suffix = Cell("target");
        const QString typed = folder_->filePath("bild-" + suffix);
        QStringList seen;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            seen << dialog.windowTitle() << dialog.selectedNameFilter() << ShownFileName(dialog);
            ChooseFile(dialog, typed);
        });
        QWidget owner;
        tonzug::ExportGradient(owner, {RedToBlue(37, 23)}, kTargets.at(suffix));
        QCOMPARE(seen, QStringList({"Tonzug speichern", Cell("filter"), Cell("defaultName")}));
        const QImage saved(typed + "." + suffix);
        QCOMPARE(saved.size(), QSize(37, 23));
        if (suffix != "jpg") {
            QCOMPARE(saved.pixel(0, 0), kRed);
        }
    }

    void cancelledDialogWritesNothing() {
        WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
        QWidget owner;
        tonzug::ExportGradient(owner, {RedToBlue(25, 256)}, ExportTarget::kPngFile);
        QVERIFY(QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void clipboardGetsAPictureOfExactlyTheFieldsSize() {
        QWidget owner;
        tonzug::ExportGradient(owner, {RedToBlue(41, 300)}, ExportTarget::kClipboard);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(41, 300));
        QCOMPARE(copied.pixel(20, 0), kRed);
    }

    // A free gradient reaches the file, the clipboard and the CSS as itself, not as the
    // classic gradient of the fields beside it.
    void freeGradientGoesToEveryTargetAsItself() {
        const tonzug::GradientPicture picture{
            RedToBlue(40, 30),
            tonzug::ReadCssGradient("linear-gradient(45deg in oklab, #00f, 30%, #0f08)").gradient};
        QVERIFY(picture.free);
        tonzug::Raster expected;
        QVERIFY(tonzug::RenderFullPicture(picture, expected).Ok());
        const QImage wanted = tonzug::ImageOfRaster(expected).convertToFormat(QImage::Format_RGB32);
        const QString typed = folder_->filePath("frei.png");
        WhenShown<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, typed); });
        QWidget owner;
        tonzug::ExportGradient(owner, picture, ExportTarget::kPngFile);
        // The PNG keeps the transparency, with straight alpha; the clipboard lays it over white.
        tonzug::Raster straight(40, 30);
        tonzug::FreeRenderer(*picture.free, 40, 30, tonzug::PictureAlpha::kStraight)
            .RenderRows(0, straight);
        const QImage kept =
            QImage(reinterpret_cast<const uchar*>(straight.Row(0)), 40, 30, QImage::Format_ARGB32)
                .copy();
        QCOMPARE(QImage(typed).convertToFormat(QImage::Format_ARGB32), kept);
        tonzug::ExportGradient(owner, picture, ExportTarget::kClipboard);
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 wanted);
        tonzug::ExportGradient(owner, picture, ExportTarget::kCssClipboard);
        double lineLength = 0.0;
        QVERIFY(tonzug::FullSizeLineLength(*picture.free, picture.params, lineLength).Ok());
        QCOMPARE(QGuiApplication::clipboard()->text().toStdString(),
                 "background-image: " + tonzug::CssGradientText(*picture.free, lineLength) + ";");
    }

    // The error box, and no file left behind.
    void failuresAreReported_data() {
        tonzug::testing::TextTable(
            {"target", "width", "file", "text"},
            {{"unwritable file", "bmp", "25", "datei/bild.bmp", "File Not Found. GDI+ Error:10"},
             {"clipboard too small", "clipboard", "100000", "", "Out Of Memory. GDI+ Error:3"}});
    }
    void failuresAreReported() {
        QFile blocker(folder_->filePath("datei"));  // a plain file where a folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString target = folder_->filePath(Cell("file"));
        SeenMessage seen;
        const auto readBox = [&seen] {
            WhenShown<QMessageBox>([&seen](QMessageBox& box) { ReadAndClose(box, seen); });
        };
        if (Cell("file").isEmpty()) {
            readBox();
        } else {
            WhenShown<QFileDialog>([&](QFileDialog& dialog) {
                readBox();
                ChooseFile(dialog, target);
            });
        }
        const float width = Cell("width").toFloat();
        QWidget owner;
        tonzug::ExportGradient(owner, {RedToBlue(width, width == 100000 ? width : 256)},
                               kTargets.at(Cell("target")));
        QCOMPARE(seen.title, QStringLiteral("GDI Error"));
        QCOMPARE(seen.text, Cell("text"));
        QVERIFY(Cell("file").isEmpty() || !QFile::exists(target));
    }

  private:
    std::unique_ptr<QTemporaryDir> folder_;
};

TONZUG_QT_TEST(ExportCommandsTest)
#include "ExportCommandsTest.moc"
