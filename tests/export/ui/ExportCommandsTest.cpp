#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>

#include "export/ui/ExportCommands.h"
#include "support/ui/DialogDriver.h"
#include "workspace/ParameterForm.h"

using tonzug::testing::ChooseFile;
using tonzug::testing::ReadAndClose;
using tonzug::testing::SeenMessage;
using tonzug::testing::ShownFileName;
using tonzug::testing::WhenShown;

namespace {

constexpr QRgb kRed = 0xFFFF0000;

// A red-to-blue vertical gradient of the given size, read from the fields as they stand.
void SetUp(tonzug::ParameterForm& form, const char* width, const char* height) {
    form.colStart.SetColor(tonzug::RgbColor(255, 0, 0));
    form.colEnd.SetColor(tonzug::RgbColor(0, 0, 255));
    form.txtX.SetText(width);
    form.txtY.SetText(height);
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
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("defaultName");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("BMP") << "BMP"
                             << "Bitmap Truecolor (*.bmp)"
                             << ""
                             << "bmp";
        QTest::newRow("png in lower case") << "png"
                                           << "PNG-Bildatei (*.png)"
                                           << "Tonzug"
                                           << "png";
        QTest::newRow("JPG") << "JPG"
                             << "JPG-Bildatei (*.jpg)"
                             << "Tonzug"
                             << "jpg";
    }

    void savesAPictureOfExactlyTheFieldsSize() {
        QFETCH(QString, kind);
        QFETCH(QString, filter);
        QFETCH(QString, defaultName);
        QFETCH(QString, suffix);
        tonzug::ParameterForm form;
        SetUp(form, "37", "23");
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
        tonzug::ExportGradient(owner, form, kind);
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
        tonzug::ParameterForm form;
        WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
        QWidget owner;
        tonzug::ExportGradient(owner, form, "PNG");
        QVERIFY(QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void clipboardGetsAPictureOfExactlyTheFieldsSize() {
        tonzug::ParameterForm form;
        SetUp(form, "41", "300");
        QWidget owner;
        tonzug::ExportGradient(owner, form, "clp");
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
        tonzug::ParameterForm form;
        SeenMessage seen;
        bool boxShown = false;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            WhenShown<QMessageBox>([&](QMessageBox& box) { ReadAndClose(box, seen); }, &boxShown);
            ChooseFile(dialog, target);
        });
        QWidget owner;
        tonzug::ExportGradient(owner, form, "BMP");
        QVERIFY(boxShown);
        QCOMPARE(seen.title, QStringLiteral("GDI Error"));
        QCOMPARE(seen.text, QStringLiteral("File Not Found. GDI+ Error:10"));
        QVERIFY(seen.details.contains(target));
        QVERIFY(!QFile::exists(target));
    }

    void pictureTooLargeForTheClipboardIsReported() {
        tonzug::ParameterForm form;
        SetUp(form, "100000", "100000");
        SeenMessage seen;
        bool boxShown = false;
        WhenShown<QMessageBox>([&](QMessageBox& box) { ReadAndClose(box, seen); }, &boxShown);
        QWidget owner;
        tonzug::ExportGradient(owner, form, "CLP");
        QVERIFY(boxShown);
        QCOMPARE(seen.title, QStringLiteral("GDI Error"));
        QCOMPARE(seen.text, QStringLiteral("Out Of Memory. GDI+ Error:3"));
    }

    void emptyPictureIsReportedBeforeAnyFileIsMade() {
        tonzug::ParameterForm form;
        SetUp(form, "0", "256");
        SeenMessage seen;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            WhenShown<QMessageBox>([&](QMessageBox& box) { ReadAndClose(box, seen); });
            ChooseFile(dialog, folder_->filePath("leer.png"));
        });
        QWidget owner;
        tonzug::ExportGradient(owner, form, "PNG");
        QCOMPARE(seen.text, QStringLiteral("Invalid Parameter. GDI+ Error:2"));
        QVERIFY(!QFile::exists(folder_->filePath("leer.png")));
    }

  private:
    std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(ExportCommandsTest)
#include "ExportCommandsTest.moc"
