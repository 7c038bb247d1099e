#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <cerrno>

#include "desktop/ui/InterfaceLanguage.h"
#include "export/ExportPicture.h"
#include "export/ui/ExportCommands.h"
#include "export/ui/FailureReason.h"
#include "support/ui/DialogDriver.h"
#include "testing/QtTests.h"
#include "testing/SampleGradient.h"

using tonzug::testing::Cell;
using tonzug::testing::ChooseFile;
using tonzug::testing::ReadAndClose;
using tonzug::testing::SeenMessage;
using tonzug::testing::WhenShown;

namespace {

void InstallLanguage(const QString& locale) {
    tonzug::InstallInterfaceLanguage(QLocale(locale));
}

}  // namespace

// A failed export told in the language of the windows: the classic status stays, the reason
// below it, the save dialog and the failures' wordings follow the language.
class TranslatedExportTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanupTestCase() { InstallLanguage(QStringLiteral("en_GB")); }

    void failedSaveIsToldInTheLanguage_data() {
        tonzug::testing::TextTable(
            {"locale", "title", "allFiles", "filter", "reason"},
            {{"German", "de_DE", "Tonzug speichern", "Alle Dateien (*)", "Bitmap Truecolor (*.bmp)",
              "%1 kann nicht geschrieben werden: ein Teil des Pfades ist kein Ordner"},
             {"no language", "C", "Tonzug speichern", "Alle Dateien (*)",
              "Bitmap Truecolor (*.bmp)",
              "%1 kann nicht geschrieben werden: ein Teil des Pfades ist kein Ordner"},
             {"English", "en_GB", "Save Gradient Picture", "All files (*)",
              "Bitmap true colour (*.bmp)", "Cannot write %1: part of the path is not a folder"}});
    }
    void failedSaveIsToldInTheLanguage() {
        InstallLanguage(Cell("locale"));
        QTemporaryDir folder;
        QFile blocker(folder.filePath(QStringLiteral("datei")));  // a file where a folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString target = folder.filePath(QStringLiteral("datei/bild.bmp"));
        QString title;
        QStringList filters;
        SeenMessage seen;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            title = dialog.windowTitle();
            filters = dialog.nameFilters();
            WhenShown<QMessageBox>([&seen](QMessageBox& box) { ReadAndClose(box, seen); });
            ChooseFile(dialog, target);
        });
        QWidget owner;
        tonzug::ExportGradient(owner,
                               {tonzug::testing::RedToBlue(tonzug::Orientation::kVertical,
                                                           tonzug::ColorMode::kRgb, 20, 20)},
                               tonzug::ExportTarget::kBmpFile);
        QCOMPARE(title, Cell("title"));
        QCOMPARE(filters.value(0), Cell("allFiles"));
        QCOMPARE(filters.value(1), Cell("filter"));
        QCOMPARE(seen.title, QStringLiteral("GDI Error"));
        QCOMPARE(seen.text, QStringLiteral("File Not Found. GDI+ Error:10"));
        QCOMPARE(seen.details, Cell("reason").arg(target));
    }

    // Each common failure has a wording of its own in each language; others keep the
    // system's text.
    void systemErrorsAreWordedInEachLanguage() {
        const int worded[] = {ENOSPC, EACCES, EPERM, EROFS, ENOENT,       ENOTDIR,
                              EISDIR, EDQUOT, EFBIG, EIO,   ENAMETOOLONG, ENOMEM};
        InstallLanguage(QStringLiteral("de_DE"));
        QStringList german;
        for (const int error : worded) {
            german << tonzug::SystemErrorText(error);
        }
        InstallLanguage(QStringLiteral("en_GB"));
        QStringList english;
        for (const int error : worded) {
            english << tonzug::SystemErrorText(error);
        }
        QCOMPARE(german.first(), QStringLiteral("kein Platz auf dem Gerät"));
        QCOMPARE(english.first(), QStringLiteral("no space left on device"));
        QCOMPARE(QSet<QString>(german.begin(), german.end()).size(), std::size(worded));
        QCOMPARE(QSet<QString>(english.begin(), english.end()).size(), std::size(worded));
        for (qsizetype i = 0; i < german.size(); ++i) {
            QVERIFY2(german[i] != english[i], qPrintable(german[i]));
        }
        QCOMPARE(tonzug::SystemErrorText(EXDEV), QStringLiteral("Invalid cross-device link"));
    }

    // The values go where the language puts them, each once, whatever they hold.
    void limitsNameTheirValues() {
        InstallLanguage(QStringLiteral("en_GB"));
        const tonzug::SaveResult tooLarge = tonzug::PictureTooLarge("70000%2", "5");
        QCOMPARE(tonzug::FailureReason(tooLarge),
                 QStringLiteral("The picture size 70000%2 × 5 is too large: at most 16777216 "
                                "pixels each way"));
        InstallLanguage(QStringLiteral("de_DE"));
        QCOMPARE(tonzug::FailureReason(tooLarge),
                 QStringLiteral("Die Bildgröße 70000%2 × 5 ist zu groß: höchstens 16777216 "
                                "Pixel in jede Richtung"));
        // Without a wording of its own the reason shows as the core gave it.
        const tonzug::SaveResult internal =
            tonzug::SaveResult::Failure(tonzug::SaveFailure::kWrongState, "band pipeline stopped");
        QCOMPARE(tonzug::FailureReason(internal), QStringLiteral("band pipeline stopped"));
    }
};

TONZUG_QT_TEST(TranslatedExportTest)

#include "TranslatedExportTest.moc"
