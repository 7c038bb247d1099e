// The main window's parameter file: loading, saving, the title and the shortcuts.
#include <QAbstractButton>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QShortcut>
#include <QToolButton>
#include <QUrl>

#include "desktop/ui/InterfaceLanguage.h"
#include "web/CssGradientReader.h"
#include "web/GimpGradient.h"
#include "workspace/GradientFiles.h"
#include "workspace/RecentFiles.h"
#include "workspace/ui/HelpWindow.h"
#include "workspace/ui/MainWindow.h"
#include "workspace/ui/ParameterFileCommands.h"
#include "workspace/ui/UndoBinding.h"

namespace tonzug {

namespace {

// A shortcut of no control of its own.
constexpr const char* kNoControl = "";

}  // namespace

void MainWindow::BindShortcuts() {
    // Each key, and the control whose tooltip names it as the language's keyboards label it.
    const auto bind = [this](QKeyCombination keys, const char* named, auto command) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        connect(shortcut, &QShortcut::activated, this, command);
        auto* control = *named != '\0' ? findChild<QWidget*>(QString::fromLatin1(named)) : nullptr;
        if (control != nullptr) {
            control->setToolTip(QStringLiteral("%1 (%2)").arg(control->toolTip(),
                                                              KeysAsLabelled(QKeySequence(keys))));
        }
    };
    bind(Qt::CTRL | Qt::Key_O, "cmdLoadP", [this] {
        form_.FinishEdits();
        undo_->RunCommand([this] { LoadCommand(); });
    });
    bind(Qt::CTRL | Qt::Key_S, kNoControl, [this] { SaveCommand(); });
    bind(Qt::CTRL | Qt::SHIFT | Qt::Key_S, "cmdSaveP", [this] { SaveAsCommand(); });
    bind(Qt::CTRL | Qt::Key_E, "cmdSavePNG", [this] { ExportCommand(ExportTarget::kPngFile); });
    bind(Qt::CTRL | Qt::Key_C, "cmdSaveCLP", [this] { ExportCommand(ExportTarget::kClipboard); });
    bind(Qt::CTRL | Qt::SHIFT | Qt::Key_C, "cmdCopyCSS",
         [this] { ExportCommand(ExportTarget::kCssClipboard); });
    bind(QKeyCombination(Qt::Key_F11), "picDisp", [this] { ShowLargePreview(); });
    bind(QKeyCombination(Qt::Key_F1), kNoControl, [this] { ShowHelpWindow(*this); });
    // The other buttons by keys of their own, pressed as a click would (not when disabled).
    struct ButtonKeys {
        QKeyCombination keys;
        const char* button;
    };
    for (const ButtonKeys& press : {
             ButtonKeys{Qt::CTRL | Qt::Key_B, "cmdSave"},
             ButtonKeys{Qt::CTRL | Qt::Key_J, "cmdSaveJPG"},
             ButtonKeys{Qt::CTRL | Qt::Key_N, "cmdLoadD"},
             ButtonKeys{Qt::CTRL | Qt::Key_Minus, "cmdLM"},
             ButtonKeys{Qt::CTRL | Qt::Key_Plus, "cmdLP"},
             ButtonKeys{Qt::CTRL | Qt::Key_1, "cmdStart"},
             ButtonKeys{Qt::CTRL | Qt::Key_2, "cmdMid"},
             ButtonKeys{Qt::CTRL | Qt::Key_3, "cmdEnd"},
             ButtonKeys{Qt::CTRL | Qt::Key_T, "cmdSwap"},
             ButtonKeys{Qt::CTRL | Qt::SHIFT | Qt::Key_T, "cmdHBS"},
         }) {
        auto* button = findChild<QAbstractButton*>(QString::fromLatin1(press.button));
        if (button != nullptr) {
            bind(press.keys, press.button, [button] { button->click(); });
        }
    }
    // A text field pastes into itself; elsewhere the window takes the text.
    bind(Qt::CTRL | Qt::Key_V, kNoControl,
         [this] { PasteText(QGuiApplication::clipboard()->text()); });
}

void MainWindow::AttachRecentFiles() {
    auto* load = findChild<QToolButton*>(QStringLiteral("cmdLoadP"));
    if (load == nullptr) {
        return;
    }
    auto* menu = new QMenu(tr("Zuletzt verwendet"), load);
    menu->setObjectName(QStringLiteral("mnuRecent"));
    // Filled as it opens: another window of the program may have used a file since.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menu->clear();
        const std::vector<std::string> files = ReadRecentFiles(settingsFile_);
        if (files.empty()) {
            menu->addAction(tr("(keine Dateien)"))->setEnabled(false);
        }
        for (const std::string& file : files) {
            const QString name = QFile::decodeName(QByteArray::fromStdString(file));
            QAction* open = menu->addAction(QFileInfo(name).fileName());
            open->setToolTip(name);
            connect(open, &QAction::triggered, this, [this, name] { OpenFile(name); });
        }
    });
    load->setMenu(menu);
    load->setPopupMode(QToolButton::MenuButtonPopup);
}

void MainWindow::OpenFile(const QString& file) {
    form_.FinishEdits();
    bool loaded = false;
    undo_->RunCommand([&] { loaded = LoadParameterFile(*this, form_, file); });
    if (loaded && !IsGimpGradientPath(QFile::encodeName(file).toStdString())) {
        FileSaved(file);
    }
}

void MainWindow::LoadCommand() {
    const QString file = LoadParameterFileCommand(*this, form_);
    // A GIMP gradient is read, never written: Ctrl+S does not overwrite it.
    if (!file.isEmpty() && !IsGimpGradientPath(QFile::encodeName(file).toStdString())) {
        undo_->Record();
        FileSaved(file);
    }
}

bool MainWindow::SaveCommand() {
    form_.FinishEdits();
    if (currentFile_.isEmpty()) {
        return SaveAsCommand();
    }
    if (!SaveParameterFile(*this, form_, currentFile_)) {
        return false;
    }
    FileSaved(currentFile_);
    return true;
}

bool MainWindow::SaveAsCommand() {
    form_.FinishEdits();
    const QString file = SaveParameterFileCommand(*this, form_);
    if (file.isEmpty()) {
        return false;
    }
    FileSaved(file);
    return true;
}

void MainWindow::FileSaved(const QString& file) {
    currentFile_ = file;
    if (!keepSettingsFile_) {
        RememberRecentFile(settingsFile_, QFile::encodeName(file).toStdString());
    }
    undo_->History().MarkSaved();
    UpdateTitle();
}

void MainWindow::UpdateTitle() {
    if (currentFile_.isEmpty()) {
        setWindowTitle(QStringLiteral("Tonzug"));
        return;
    }
    // "[*]" is where the desktop's mark of unsaved changes goes.
    setWindowTitle(QFileInfo(currentFile_).fileName() + QStringLiteral("[*] – Tonzug"));
    setWindowModified(undo_->History().Modified());
}

void MainWindow::UpdateUndoButtons() {
    findChild<QToolButton*>(QStringLiteral("cmdUndo"))->setEnabled(undo_->History().CanUndo());
    findChild<QToolButton*>(QStringLiteral("cmdRedo"))->setEnabled(undo_->History().CanRedo());
}

bool MainWindow::MayClose() {
    if (currentFile_.isEmpty() || !undo_->History().Modified()) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tonzug"),
                    tr("Die Einstellungsdatei „%1“ wurde geändert. Sollen die "
                       "Änderungen gespeichert werden?")
                        .arg(QFileInfo(currentFile_).fileName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveCommand();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void MainWindow::PasteText(const QString& text) {
    form_.FinishEdits();
    const std::string pasted = text.toStdString();
    bool taken = false;
    undo_->RunCommand([&] { taken = PasteGradientText(form_, pasted); });
    if (!taken) {
        QMessageBox box(QMessageBox::Information, tr("Einfügen"),
                        tr("Der Text enthält keinen CSS-Farbverlauf."), QMessageBox::Ok, this);
        box.setInformativeText(QString::fromStdString(
            DescribeCssGradientError(ReadCssGradient(pasted).error, WindowMessageLanguage())));
        box.exec();
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() || data->hasText()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    event->acceptProposedAction();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().front().isLocalFile()) {
        OpenDroppedFile(data->urls().front().toLocalFile());
    } else if (data->hasText()) {
        PasteText(data->text());
    }
}

void MainWindow::OpenDroppedFile(const QString& file) {
    if (!file.endsWith(QStringLiteral(".css"), Qt::CaseInsensitive)) {
        OpenFile(file);
        return;
    }
    form_.FinishEdits();
    std::optional<std::string> problem;
    undo_->RunCommand([&] {
        problem = LoadGradientTextFile(QFile::encodeName(file).toStdString(), form_,
                                       WindowMessageLanguage());
    });
    if (problem) {
        QMessageBox box(QMessageBox::Warning, tr("Einfügen"),
                        tr("Die Datei enthält keinen CSS-Farbverlauf: %1")
                            .arg(QString::fromStdString(*problem)),
                        QMessageBox::Ok, this);
        box.setInformativeText(file);
        box.exec();
    }
}

void MainWindow::CloseWithoutAsking() {
    askBeforeClosing_ = false;
}

}  // namespace tonzug
