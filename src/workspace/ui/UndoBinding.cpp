#include "workspace/ui/UndoBinding.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>
#include <QWidget>

namespace tonzug {
namespace {

bool IsUndoKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Undo);
}

bool IsRedoKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Redo) ||
           key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           key.keyCombination() ==
               QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

}  // namespace

UndoBinding::UndoBinding(QWidget& window, ParameterForm& form)
    : QObject(&window), window_(window), history_(form) {
    const auto bind = [this](const QKeySequence& keys, void (UndoBinding::*step)()) {
        auto* shortcut = new QShortcut(keys, &window_);
        connect(shortcut, &QShortcut::activated, this, step);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_Z), &UndoBinding::Undo);
    bind(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &UndoBinding::Redo);
    bind(QKeySequence(Qt::CTRL | Qt::Key_Y), &UndoBinding::Redo);
    // The window's text fields all stand from the start.
    for (QLineEdit* field : window_.findChildren<QLineEdit*>()) {
        field->installEventFilter(this);
    }
}

void UndoBinding::RecordSoon() {
    if (recordPending_) {
        return;
    }
    recordPending_ = true;
    QTimer::singleShot(0, this, [this] {
        recordPending_ = false;
        Record();
    });
}

void UndoBinding::Undo() {
    history_.Undo();
    if (afterChange_) {
        afterChange_();
    }
}

void UndoBinding::Redo() {
    history_.Redo();
    if (afterChange_) {
        afterChange_();
    }
}

void UndoBinding::Record() {
    history_.Record();
    if (afterChange_) {
        afterChange_();
    }
}

void UndoBinding::RunCommand(const std::function<void()>& command) {
    history_.Record();
    command();
    Record();
}

bool UndoBinding::eventFilter(QObject* watched, QEvent* event) {
    // A line edit claims the undo keys for itself before shortcuts are looked at; in this
    // window they undo the form.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsUndoKey(*key) || IsRedoKey(*key)) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tonzug
