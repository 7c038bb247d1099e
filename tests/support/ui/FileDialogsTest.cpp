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
#include "support/IniFile.h"
#include "support/SettingsFolder.h"
#include "support/ui/DialogDriver.h"
#include "support/ui/FileDialogs.h"
#include "testing/TempFolder.h"
#include "workspace/ExportParams.h"
#include "workspace/ParameterFiles.h"
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

    void saveDialogShowsTheRequestAndAppendsTheExtension() {
        QStringList seen;
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            seen = dialog.nameFilters();
            seen << dialog.selectedNameFilter() << dialog.windowTitle()
                 << dialog.directory().absolutePath() << ShownFileName(dialog);
            QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
            QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
            ChooseFile(dialog, folder_->filePath("verlauf"));
        });
        QWidget owner;
        QCOMPARE(
            tonzug::ShowSaveDialog(&owner, "PNG-Bildatei", "png", "", folder_->path(), "Tonzug"),
            folder_->filePath("verlauf.png"));
        QCOMPARE(seen, QStringList(
                           {"Alle Dateien (*)", "PNG-Bildatei (*.png)", "PNG-Bildatei (*.png)",
                            "Datei speichern :", QDir(folder_->path()).absolutePath(), "Tonzug"}));
    }

    // A file that differs only in its colours changes no field; the command redraws anyway.
    void parameterFileRoundTripsThroughTheDialogsAndRedraws() {
        tonzug::ParameterForm saved;
        saved.colEnd.SetColor(tonzug::RgbColor(0, 128, 0));
        QStringList titles;
        const auto choose = [&](const char* name) {
            WhenShown<QFileDialog>([&titles, name, this](QFileDialog& dialog) {
                titles << dialog.windowTitle()
                       << (dialog.fileMode() == QFileDialog::ExistingFile ? "existing" : "any");
                ChooseFile(dialog, folder_->filePath(name));
            });
        };
        QWidget owner;
        choose("satz");
        tonzug::SaveParameterFileCommand(owner, saved);
        QVERIFY(QFile::exists(folder_->filePath("satz.tzg")));

        tonzug::ParameterForm loaded;
        tonzug::GradientParams drawn;
        loaded.SetHooks({[&](const tonzug::GradientParams& params) { drawn = params; }, {}, {}});
        choose("satz.tzg");
        tonzug::LoadParameterFileCommand(owner, loaded);
        QCOMPARE(drawn.colors.end, tonzug::RgbColor(0, 128, 0));
        QCOMPARE(titles, QStringList({"Einstellungsdatei speichern", "any",
                                      "Einstellungsdatei laden", "existing"}));
    }

    // What cannot be read or written is told in a box, and changes nothing; values that are
    // not valid are told too.
    void fileProblemsAreReportedAndChangeNothing() {
        const QString blocker = folder_->filePath("notizen.tzg");  // a text file, and no folder
        tonzug::testing::WriteWholeFile(blocker.toStdString(), "X=7\nEinkaufsliste\n");
        const QString unwritable = folder_->filePath("notizen.tzg/satz.tzg");
        tonzug::ParameterForm form;
        form.colEnd.SetColor(tonzug::RgbColor(0, 128, 0));
        QWidget owner;
        const auto seenFor = [&](const QString& path, const std::function<void()>& command) {
            SeenMessage seen;
            WhenShown<QFileDialog>([&](QFileDialog& dialog) {
                WhenShown<QMessageBox>([&](QMessageBox& box) { ReadAndClose(box, seen); });
                ChooseFile(dialog, path);
            });
            command();
            return QStringList{seen.title, seen.text, seen.details};
        };
        QCOMPARE(seenFor(blocker, [&] { tonzug::LoadParameterFileCommand(owner, form); }),
                 QStringList({"Einstellungsdatei laden",
                              "Die Einstellungsdatei konnte nicht gelesen werden.", blocker}));
        QCOMPARE(form.txtX.Text(), std::string("25"));
        QCOMPARE(form.colEnd.Color(), tonzug::RgbColor(0, 128, 0));
        QCOMPARE(
            seenFor(unwritable, [&] { tonzug::SaveParameterFileCommand(owner, form); }),
            QStringList({"Einstellungsdatei speichern",
                         "Die Einstellungsdatei konnte nicht gespeichert werden.", unwritable}));

        // A file with values that are not valid loads, and the box names their keys.
        const QString wrong = folder_->filePath("falsch.tzg");
        tonzug::testing::WriteWholeFile(wrong.toStdString(), "[LAST]\nX=abc\nY=50\nOPT=5\n");
        QCOMPARE(seenFor(wrong, [&] { tonzug::LoadParameterFileCommand(owner, form); }),
                 QStringList({"Einstellungsdatei laden",
                              "Die Einstellungsdatei enthält ungültige Werte für X und OPT; sie "
                              "wurden begrenzt oder durch ihre Vorgaben ersetzt.",
                              wrong}));
        QCOMPARE(form.txtX.Text(), std::string("25"));
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
        tonzug::testing::WriteWholeFile(
            QDir(sandbox_->Path()).filePath("user-dirs.dirs").toStdString(),
            "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
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
            tonzug::ExportGradient(owner, tonzug::ReadExportPicture(form),
                                   tonzug::ExportTarget::kPngFile);
        };

        QCOMPARE(startOf(saveSet, "Dokumente/Tonzug/satz"), QStringLiteral("Dokumente"));
        QCOMPARE(startOf(savePicture, "Bilder/bild"), QStringLiteral("Bilder"));
        QCOMPARE(startOf(loadSet, "Dokumente/Tonzug/satz.tzg"), QStringLiteral("Dokumente/Tonzug"));
        QVERIFY(home.rename("Bilder", "Fotos"));
        QCOMPARE(startOf(savePicture, "Fotos/verlauf"), QStringLiteral("."));
        QCOMPARE(startOf(savePicture, {}), QStringLiteral("Fotos"));
        QVERIFY(QDir(home.filePath("Dokumente")).removeRecursively());
        QCOMPARE(startOf(saveSet, {}), QStringLiteral("."));

        // A save that failed is not remembered; a remembered kernel folder is passed over.
        WhenShown<QFileDialog>([](QFileDialog& dialog) {
            WhenShown<QMessageBox>([](QMessageBox& box) { box.accept(); });
            ChooseFile(dialog, QStringLiteral("/proc/tonzug-bild.png"));
        });
        savePicture();
        QCOMPARE(startOf(savePicture, {}), QStringLiteral("Fotos"));

        tonzug::IniDocument settings;
        QVERIFY(settings.Load(tonzug::SettingsFilePath()));
        QVERIFY(!settings.Get(tonzug::kParameterSection, "PICTURES"));
        QCOMPARE(settings.Get("FOLDERS", "PICTURES"), home.filePath("Fotos").toStdString());
        QVERIFY(settings.Set("FOLDERS", "PICTURES", "/proc/self"));
        QVERIFY(settings.Save(tonzug::SettingsFilePath()));
        QCOMPARE(startOf(savePicture, {}), QStringLiteral("."));
    }

  private:
    std::unique_ptr<tonzug::testing::SettingsSandbox> sandbox_;
    std::unique_ptr<QTemporaryDir> folder_;
};

TONZUG_QT_TEST(FileDialogsTest)
#include "FileDialogsTest.moc"
