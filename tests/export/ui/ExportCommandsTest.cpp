#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>

#include "export/WebExport.h"
#include "export/ui/ExportCommands.h"
#include "support/ui/DialogDriver.h"
#include "web/WebGradientText.h"

using tonzug::testing::ChooseFile;
using tonzug::testing::ReadAndClose;
using tonzug::testing::SeenMessage;
using tonzug::testing::ShownFileName;
using tonzug::testing::WhenShown;

Q_DECLARE_METATYPE(tonzug::ExportTarget)

namespace {

constexpr QRgb kRed = 0xFFFF0000;

// A red-to-blue vertical gradient of the given size.
tonzug::GradientParams RedToBlue(float width, float height) {
    tonzug::GradientParams params;
    params.startColor = tonzug::RgbColor(255, 0, 0);
    params.endColor = tonzug::RgbColor(0, 0, 255);
    params.width = width;
    params.height = height;
    return params;
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
        QTest::addColumn<tonzug::ExportTarget>("target");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("defaultName");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("BMP") << tonzug::ExportTarget::kBmpFile << "Bitmap Truecolor (*.bmp)"
                             << ""
                             << "bmp";
        QTest::newRow("PNG") << tonzug::ExportTarget::kPngFile << "PNG-Bildatei (*.png)"
                             << "Tonzug"
                             << "png";
        QTest::newRow("JPG") << tonzug::ExportTarget::kJpegFile << "JPG-Bildatei (*.jpg)"
                             << "Tonzug"
                             << "jpg";
    }

    void savesAPictureOfExactlyTheFieldsSize() {
        QFETCH(tonzug::ExportTarget, target);
        QFETCH(QString, filter);
        QFETCH(QString, defaultName);
        QFETCH(QString, suffix);
        const tonzug::GradientParams params = RedToBlue(37, 23);
        QString title;
        QString selectedFilter;
        QString shownName;
        const QString typed = folder_->filePath("bild-" + suffix);
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            title = dialog.windowTitle();
            selectedFilter = dialog.selectedNameFilter();
            shownName = ShownFileName(dialog);
            ChooseFile(dialog, typed);
        });
        QWidget owner;
        tonzug::ExportGradient(owner, params, target);
        QCOMPARE(title, QStringLiteral("Tonzug speichern"));
        QCOMPARE(selectedFilter, filter);
        QCOMPARE(shownName, defaultName);
        const QImage saved(typed + "." + suffix);
        QCOMPARE(saved.size(), QSize(37, 23));
        if (suffix != "jpg") {
            QCOMPARE(saved.pixel(0, 0), kRed);
        }
    }

    void cancelledDialogWritesNothing() {
        const tonzug::GradientParams params = RedToBlue(25, 256);
        WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
        QWidget owner;
        tonzug::ExportGradient(owner, params, tonzug::ExportTarget::kPngFile);
        QVERIFY(QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void clipboardGetsAPictureOfExactlyTheFieldsSize() {
        const tonzug::GradientParams params = RedToBlue(41, 300);
        QWidget owner;
        tonzug::ExportGradient(owner, params, tonzug::ExportTarget::kClipboard);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(41, 300));
        QCOMPARE(copied.pixel(20, 0), kRed);
        const QRgb last = copied.pixel(20, 299);  // the last step, one short of the end colour
        QVERIFY(qRed(last) <= 1 && qGreen(last) == 0 && qBlue(last) >= 254);
    }

    void failedSaveShowsTheErrorBoxAndLeavesNoFile() {
        QFile blocker(folder_->filePath("datei"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString target = folder_->filePath("datei/bild.bmp");  // below a plain file
        const tonzug::GradientParams params = RedToBlue(25, 256);
        SeenMessage seen;
        bool boxShown = false;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            WhenShown<QMessageBox>([&](QMessageBox& box) { ReadAndClose(box, seen); }, &boxShown);
            ChooseFile(dialog, target);
        });
        QWidget owner;
        tonzug::ExportGradient(owner, params, tonzug::ExportTarget::kBmpFile);
        QVERIFY(boxShown);
        QCOMPARE(seen.title, QStringLiteral("GDI Error"));
        QCOMPARE(seen.text, QStringLiteral("File Not Found. GDI+ Error:10"));
        QVERIFY(seen.details.contains(target));
        QVERIFY(!QFile::exists(target));
    }

    void pictureTooLargeForTheClipboardIsReported() {
        const tonzug::GradientParams params = RedToBlue(100000, 100000);
        SeenMessage seen;
        bool boxShown = false;
        WhenShown<QMessageBox>([&](QMessageBox& box) { ReadAndClose(box, seen); }, &boxShown);
        QWidget owner;
        tonzug::ExportGradient(owner, params, tonzug::ExportTarget::kClipboard);
        QVERIFY(boxShown);
        QCOMPARE(seen.title, QStringLiteral("GDI Error"));
        QCOMPARE(seen.text, QStringLiteral("Out Of Memory. GDI+ Error:3"));
    }

    void emptyPictureIsReportedBeforeAnyFileIsMade() {
        const tonzug::GradientParams params = RedToBlue(0, 256);
        SeenMessage seen;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            WhenShown<QMessageBox>([&](QMessageBox& box) { ReadAndClose(box, seen); });
            ChooseFile(dialog, folder_->filePath("leer.png"));
        });
        QWidget owner;
        tonzug::ExportGradient(owner, params, tonzug::ExportTarget::kPngFile);
        QCOMPARE(seen.text, QStringLiteral("Invalid Parameter. GDI+ Error:2"));
        QVERIFY(!QFile::exists(folder_->filePath("leer.png")));
    }

    // Every picture dialog offers SVG; choosing it gives a bare name the .svg extension.
    void svgTypeChosenInAPictureDialogWritesAnSvgPicture() {
        const tonzug::GradientParams params = RedToBlue(37, 23);
        const QString typed = folder_->filePath("vektor");
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types != nullptr);
            const int svg = types->findText(QStringLiteral("SVG-Grafik (*.svg)"));
            QVERIFY(svg >= 0);
            types->setCurrentIndex(svg);
            // As a user's choice does.
            emit types->activated(svg);
            emit types->textActivated(types->itemText(svg));
            ChooseFile(dialog, typed);
        });
        QWidget owner;
        tonzug::ExportGradient(owner, params, tonzug::ExportTarget::kJpegFile);
        QFile saved(typed + ".svg");
        QVERIFY(saved.open(QIODevice::ReadOnly));
        tonzug::WebGradient expected;
        QVERIFY(tonzug::FitFullSize(params, expected).Ok());
        QCOMPARE(saved.readAll().toStdString(), tonzug::SvgPicture(expected));
    }

    void cssButtonPutsTheDeclarationOnTheClipboard() {
        const tonzug::GradientParams params = RedToBlue(41, 300);
        QWidget owner;
        tonzug::ExportGradient(owner, params, tonzug::ExportTarget::kCssClipboard);
        tonzug::WebGradient expected;
        QVERIFY(tonzug::FitFullSize(params, expected).Ok());
        QCOMPARE(QGuiApplication::clipboard()->text().toStdString(),
                 tonzug::CssDeclaration(expected));
    }

  private:
    std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(ExportCommandsTest)
#include "ExportCommandsTest.moc"
