#pragma once

#include <QObject>
#include <cstdint>
#include <optional>

class QKeyEvent;
class QLineEdit;

namespace tonzug {

// The character code a key press types, as the numeric fields' filter judges it:
// Ctrl+letter gives the control code (Ctrl+C 3, Ctrl+Z 26), Backspace 8, Tab 9, Enter 13,
// Escape 27, a printable key its character. Keys that type nothing (arrows, Home, End,
// Delete, Shift+Insert, Alt combinations) give none and always pass.
std::optional<std::int16_t> TypedCharacterCode(const QKeyEvent& event);

// Lets only digits, "+", "-", the editing keys and the standard editing shortcuts (select
// all, undo, redo, copy, cut, paste) into a line edit; text composed by an input method
// passes only when every character would pass. Pasted and dropped text is cleaned as
// typing it would have been, and refused when no number is left.
class NumericKeyFilter : public QObject {
    Q_OBJECT

  public:
    // Installs itself on the edit, as the edit's child, with a validator for pasted text.
    explicit NumericKeyFilter(QLineEdit& edit);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tonzug
