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
    const std::string& SettingsFile() const { return settingsFile_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* BuildHeading();
    QWidget* BuildPreviewFrame();
    QLayout* BuildCommandRow();
    void ExportCommand(ExportTarget target);
    QToolButton* MakePictureButton(const char* name, CommandIcon icon, const QString& tooltip);
    void ConnectHooks();
    void StartUp();
    // Writes the settings file; a failed write is not reported and never stops closing.
    void SaveSettings();

    ParameterForm form_;
    std::string settingsFile_;
    // Set when the settings file exists but could not be read at start-up: what it holds
    // is kept, so closing does not replace it with the defaults.
    bool keepSettingsFile_ = false;
    ParameterPanel* panel_ = nullptr;
    PreviewContainer* preview_ = nullptr;
    // Made once the start-up set is loaded: that set is where undo ends.
    UndoBinding* undo_ = nullptr;
};

}  // namespace tonzug
