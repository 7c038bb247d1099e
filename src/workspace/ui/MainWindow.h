#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "export/ui/ExportCommands.h"
#include "workspace/ParameterForm.h"

class QToolButton;

namespace tonzug {

enum class CommandIcon;
class ParameterPanel;
class PreviewContainer;
class PreviewHandles;
class UndoBinding;

// The main window "Tonzug": a view over its parameter form. It starts with
// the parameter set of the settings file (or the defaults), redraws the preview after
// every change, and writes the settings file whenever it closes.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    ParameterForm& Form() { return form_; }
    UndoBinding& Undo() { return *undo_; }
    // Loads a parameter file (or a GIMP gradient) as "Einstellungsdatei laden" does; a
    // parameter file becomes the window's file, which Ctrl+S saves to.
    void OpenFile(const QString& file);
    // Closes without asking about unsaved changes, as when the session ends.
    void CloseWithoutAsking();
    const std::string& SettingsFile() const { return settingsFile_; }

    // Text pasted or dropped: a CSS gradient becomes the free gradient; a message tells
    // when the text holds none.
    void PasteText(const QString& text);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QWidget* BuildHeading();
    QWidget* BuildPreviewFrame();
    QLayout* BuildCommandRow();
    void ExportCommand(ExportTarget target);
    void ShowLargePreview();
    QToolButton* MakePictureButton(const char* name, CommandIcon icon, const QString& tooltip);
    void ConnectHooks();
    // Moves the controls of `group`, in their order, before `next` in the Tab order.
    void TabBefore(QWidget& group, QWidget& next);
    // A dropped file: a parameter file, a GIMP gradient or a style sheet.
    void OpenDroppedFile(const QString& file);
    void BindShortcuts();
    // "Zuletzt verwendet" beside the load button.
    void AttachRecentFiles();
    void LoadCommand();
    // Saves to the window's file, or asks for one; false when nothing was saved.
    bool SaveCommand();
    bool SaveAsCommand();
    void FileSaved(const QString& file);
    void UpdateTitle();
    void UpdateUndoButtons();
    // Asks before closing with unsaved changes to the window's file; false to stay open.
    bool MayClose();
    void StartUp();
    // Writes the settings file; a failed write is not reported and never stops closing.
    void SaveSettings();
    // The size of the last run, shrunk to the screen; the preferred size the first time.
    void RestoreSize();
    void RememberSize();

    ParameterForm form_;
    std::string settingsFile_;
    // Set when the settings file exists but could not be read at start-up: what it holds
    // is kept, so closing does not replace it with the defaults.
    bool keepSettingsFile_ = false;
    ParameterPanel* panel_ = nullptr;
    PreviewContainer* preview_ = nullptr;
    PreviewHandles* handles_ = nullptr;
    // Made once the start-up set is loaded: that set is where undo ends.
    UndoBinding* undo_ = nullptr;
    // The parameter file last loaded or saved; empty for the set of the settings file.
    QString currentFile_;
    bool askBeforeClosing_ = true;
    // The size the window has when it is neither maximised nor minimised.
    QSize normalSize_;
};

}  // namespace tonzug
