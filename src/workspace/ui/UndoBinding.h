#pragma once

#include <QObject>
#include <functional>

#include "workspace/EditHistory.h"

class QWidget;

namespace tonzug {

// Undo and redo in the main window: the form's steps are recorded once the changes of an
// event have settled, and Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, also while a text
// field has the focus (its own undo would know only its own text).
class UndoBinding final : public QObject {
  public:
    UndoBinding(QWidget& window, ParameterForm& form);

    // Records after the event being handled, once however often it is asked.
    void RecordSoon();
    void Record();
    // One step back or forward, and the window told.
    void Undo();
    void Redo();
    // Runs a command of the window as one step of its own.
    void RunCommand(const std::function<void()>& command);
    EditHistory& History() { return history_; }
    // Told after every record, undo and redo.
    void SetAfterChange(std::function<void()> afterChange) {
        afterChange_ = std::move(afterChange);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    EditHistory history_;
    bool recordPending_ = false;
    std::function<void()> afterChange_;
};

}  // namespace tonzug
