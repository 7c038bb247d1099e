#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <functional>
#include <memory>

#include "export/ui/ExportCommands.h"
#include "render/GradientParams.h"
#include "support/IniFile.h"
#include "support/SettingsFolder.h"
#include "support/ui/DialogDriver.h"
#include "support/ui/FileDialogs.h"
#include "workspace/ExportParams.h"
#include "workspace/ParameterFiles.h"
#include "workspace/ParameterForm.h"
#include "workspace/ui/ParameterFileCommands.h"
#include "workspace/ui/WindowTestSupport.h"

using tonzug::testing::ChooseFile;
using tonzug::testing::ReadAndClose;
using tonzug::testing::SeenMessage;
using tonzug::testing::ShownFileName;
using tonzug::testing::WhenShown;

// The save and open dialogs as the user meets them, and the parameter-file commands
// that run through them.
class FileDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        sandbox_ = std::make_unique<tonzug::testing::SettingsSandbox>();
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
    }
    void cleanup() { sandbox_.reset(); }

    void saveDialogOffersAllFilesFirstAndPreselectsTheType() {
        QStringList filters;
        QString selected;
        QString title;
        bool confirms = false;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            filters = dialog.nameFilters();
            selected = dialog.selectedNameFilter();
            title = dialog.windowTitle();
            confirms = !dialog.testOption(QFileDialog::DontConfirmOverwrite) &&
                       dialog.acceptMode() == QFileDialog::AcceptSave;
            dialog.reject();
        });
        QWidget owner;
        const QString chosen =
            tonzug::ShowSaveDialog(&owner, "Windows Bitmap|PNG-Bildatei", "bmp|png", "", "", "");
        QVERIFY(chosen.isEmpty());  // cancelled
        QCOMPARE(filters, QStringList({"Alle Dateien (*)", "Windows Bitmap (*.bmp)",
                                       "PNG-Bildatei (*.png)"}));
        QCOMPARE(selected, QStringLiteral("Windows Bitmap (*.bmp)"));
        QCOMPARE(title, QStringLiteral("Datei speichern :"));
        QVERIFY(confirms);
    }

    void saveDialogStartsInTheFolderAndAppendsTheExtension() {
        QString startFolder;
        QString shownName;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            startFolder = dialog.directory().absolutePath();
            shownName = ShownFileName(dialog);
            ChooseFile(dialog, folder_->filePath("verlauf"));
        });
        QWidget owner;
        const QString chosen = tonzug::ShowSaveDialog(&owner, "PNG-Bildatei", "png", "Speichern",
                                                      folder_->path(), "Tonzug");
        QCOMPARE(startFolder, QDir(folder_->path()).absolutePath());
        QCOMPARE(shownName, QStringLiteral("Tonzug"));
        QCOMPARE(chosen, folder_->filePath("verlauf.png"));
    }

    void openDialogPreselectionFollowsTheCallersIndex_data() {
        QTest::addColumn<int>("filterIndex");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0 is no choice") << 0 << "Tonzugs-Parameter (*.tzg)";
        QTest::newRow("1 is all files") << 1 << "Alle Dateien (*)";
        QTest::newRow("2 is the type") << 2 << "Tonzugs-Parameter (*.tzg)";
        QTest::newRow("beyond the list") << 3 << "Tonzugs-Parameter (*.tzg)";
    }

    void openDialogPreselectionFollowsTheCallersIndex() {
        QFETCH(int, filterIndex);
        QFETCH(QString, expected);
        QString selected;
        bool existingOnly = false;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            selected = dialog.selectedNameFilter();
            existingOnly = dialog.fileMode() == QFileDialog::ExistingFile;
            dialog.reject();
        });
        QWidget owner;
        QVERIFY(tonzug::ShowOpenDialog(&owner, "Tonzugs-Parameter", "tzg", "", "", "", filterIndex)
                    .isEmpty());
        QCOMPARE(selected, expected);
        QVERIFY(existingOnly);
    }

    void parameterFileRoundTripsThroughTheDialogs() {
        tonzug::ParameterForm saved;
        saved.txtX.SetText("100");
        saved.txtY.SetText("50");
        saved.chkMid.SetValue(1);
        saved.optV.Select(tonzug::kCircle);
        saved.optF.Select(tonzug::kModeHsl);
        saved.colStart.SetColor(tonzug::RgbColor(10, 20, 30));
        QString title;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            title = dialog.windowTitle();
            ChooseFile(dialog, folder_->filePath("satz"));
        });
        QWidget owner;
        tonzug::SaveParameterFileCommand(owner, saved);
        QCOMPARE(title, QStringLiteral("Einstellungsdatei speichern"));
        QVERIFY(QFile::exists(folder_->filePath("satz.tzg")));

        tonzug::ParameterForm loaded;
        std::int32_t redraws = 0;
        tonzug::GradientParams drawn;
        loaded.SetHooks({[&](const tonzug::GradientParams& params) {
                             ++redraws;
                             drawn = params;
                         },
                         {},
                         {}});
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            title = dialog.windowTitle();
            ChooseFile(dialog, folder_->filePath("satz.tzg"));
        });
        tonzug::LoadParameterFileCommand(owner, loaded);
        QCOMPARE(title, QStringLiteral("Einstellungsdatei laden"));
        QCOMPARE(loaded.txtX.Text(), std::string("100"));
        QCOMPARE(loaded.txtM.Text(), std::string("28"));  // half the radius of 100 x 50
        QCOMPARE(loaded.OrientationIndex(), tonzug::kCircle);
        QCOMPARE(loaded.ColorModeIndex(), tonzug::kModeHsl);
        QCOMPARE(loaded.chkMid.Value(), std::int16_t{1});
        QVERIFY(redraws > 0);
        QCOMPARE(drawn.startColor, tonzug::RgbColor(10, 20, 30));  // the last redraw saw it
    }

    // A file that differs only in its colours changes no field; the command redraws anyway.
    void loadingOnlyNewColoursStillRedraws() {
        tonzug::ParameterForm source;
        source.colEnd.SetColor(tonzug::RgbColor(0, 128, 0));
        WhenShown<QFileDialog>(
            [&](QFileDialog& dialog) { ChooseFile(dialog, folder_->filePath("gruen.tzg")); });
        QWidget owner;
        tonzug::SaveParameterFileCommand(owner, source);

        tonzug::ParameterForm target;
        tonzug::GradientParams drawn;
        target.SetHooks({[&](const tonzug::GradientParams& params) { drawn = params; }, {}, {}});
        WhenShown<QFileDialog>(
            [&](QFileDialog& dialog) { ChooseFile(dialog, folder_->filePath("gruen.tzg")); });
        tonzug::LoadParameterFileCommand(owner, target);
        QCOMPARE(drawn.endColor, tonzug::RgbColor(0, 128, 0));
    }

    // A text file chosen by mistake is no parameter file: the box, and the form as it was.
    void aFileWithoutTheSectionIsRefusedAndTheFormKept() {
        const QString file = folder_->filePath("notizen.tzg");
        {
            QFile text(file);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("X=7\nEinkaufsliste\n");
        }
        SeenMessage seen;
        bool boxShown = false;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            WhenShown<QMessageBox>([&](QMessageBox& box) { ReadAndClose(box, seen); }, &boxShown);
            ChooseFile(dialog, file);
        });
        QWidget owner;
        tonzug::ParameterForm form;
        form.colEnd.SetColor(tonzug::RgbColor(0, 128, 0));
        tonzug::LoadParameterFileCommand(owner, form);
        QVERIFY(boxShown);
        QCOMPARE(seen.text, QStringLiteral("Die Einstellungsdatei konnte nicht gelesen werden."));
        QCOMPARE(form.txtX.Text(), std::string("25"));
        QCOMPARE(form.colEnd.Color(), tonzug::RgbColor(0, 128, 0));
    }

    void unwritableParameterFileIsReported() {
        QFile blocker(folder_->filePath("kein-ordner"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        // Below a plain file: no user, not even root, can create anything there.
        const QString target = folder_->filePath("kein-ordner/satz.tzg");
        SeenMessage seen;
        bool boxShown = false;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            WhenShown<QMessageBox>([&](QMessageBox& box) { ReadAndClose(box, seen); }, &boxShown);
            ChooseFile(dialog, target);
        });
        QWidget owner;
        tonzug::ParameterForm form;
        tonzug::SaveParameterFileCommand(owner, form);
        QVERIFY(boxShown);
        QCOMPARE(seen.title, QStringLiteral("Einstellungsdatei speichern"));
        QCOMPARE(seen.text,
                 QStringLiteral("Die Einstellungsdatei konnte nicht gespeichert werden."));
        QCOMPARE(seen.details, target);
        QVERIFY(!QFile::exists(target));
    }

    // Parameter files and pictures each start where the user last put one, while that
    // folder exists; else in the documents (pictures) folder, else at home. The settings
    // file keeps the folders apart from the parameter set.
    void dialogsStartWhereTheUserLastWent() {
        QDir home(folder_->path());
        const auto restoreHome =
            qScopeGuard([previous = qgetenv("HOME")] { qputenv("HOME", previous); });
        qputenv("HOME", home.path().toLocal8Bit());
        QVERIFY(home.mkpath("Dokumente/Tonzug") && home.mkpath("Bilder"));
        QFile userDirs(QDir(sandbox_->Path()).filePath("user-dirs.dirs"));
        QVERIFY(userDirs.open(QIODevice::WriteOnly));
        userDirs.write(
            "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
        userDirs.close();
        tonzug::ParameterForm form;
        form.txtX.SetText("4");
        form.txtY.SetText("4");
        QWidget owner;
        const auto startOf = [&](const std::function<void()>& command, const QString& chosen) {
            QString start;
            WhenShown<QFileDialog>([&](QFileDialog& dialog) {
                start = dialog.directory().absolutePath();
                if (chosen.isEmpty()) {
                    dialog.reject();
                } else {
                    ChooseFile(dialog, home.filePath(chosen));
                }
            });
            command();
            return home.relativeFilePath(start);
        };
        const auto saveSet = [&] { tonzug::SaveParameterFileCommand(owner, form); };
        const auto loadSet = [&] { tonzug::LoadParameterFileCommand(owner, form); };
        const auto savePicture = [&] {
            tonzug::ExportGradient(owner, tonzug::ReadExportParams(form),
                                   tonzug::ExportTarget::kPngFile);
        };

        QCOMPARE(startOf(saveSet, "Dokumente/Tonzug/satz"), QStringLiteral("Dokumente"));
        QCOMPARE(startOf(savePicture, "Bilder/bild"), QStringLiteral("Bilder"));
        QCOMPARE(startOf(loadSet, "Dokumente/Tonzug/satz.tzg"), QStringLiteral("Dokumente/Tonzug"));
        QVERIFY(home.rename("Bilder", "Fotos"));
        QCOMPARE(startOf(savePicture, "Fotos/verlauf"), QStringLiteral("."));
        QCOMPARE(startOf(savePicture, {}), QStringLiteral("Fotos"));
        QCOMPARE(startOf(saveSet, {}), QStringLiteral("Dokumente/Tonzug"));
        QVERIFY(QDir(home.filePath("Dokumente")).removeRecursively());
        QCOMPARE(startOf(saveSet, {}), QStringLiteral("."));

        tonzug::IniDocument settings;
        QVERIFY(settings.Load(tonzug::SettingsFilePath()));
        QVERIFY(!settings.Get(tonzug::kParameterSection, "PICTURES"));
        QCOMPARE(settings.Get("FOLDERS", "PICTURES"), home.filePath("Fotos").toStdString());
    }

  private:
    std::unique_ptr<tonzug::testing::SettingsSandbox> sandbox_;
    std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(FileDialogsTest)
#include "FileDialogsTest.moc"
