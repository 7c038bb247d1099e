#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "color/ColorValue.h"
#include "workspace/ParameterForm.h"

namespace tonzug {

// Everything of the form that the user can change, as its controls hold it.
struct FormState {
    std::array<ColorValue, 3> colors{};  // start, end, middle
    std::array<std::string, 9> texts;
    std::array<std::int32_t, 7> choices{};

    friend bool operator==(const FormState&, const FormState&) = default;
};

FormState CaptureState(const ParameterForm& form);
// Puts a captured state back as it was (ParameterForm::Restore).
void RestoreState(ParameterForm& form, const FormState& state);

// The states the form went through, for undo and redo. The window records once each change
// has settled, after the event that made it; a record of an unchanged form adds nothing.
// Typing into one field is one step until the field's edit ends; a gesture (a drag) is one
// step from its start to its end.
class EditHistory {
  public:
    // Steps that can be undone; older ones are forgotten.
    static constexpr std::size_t kMaxSteps = 200;

    explicit EditHistory(ParameterForm& form);
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    void Record();
    void BeginGesture();
    void EndGesture();

    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < states_.size(); }
    // False when there is nothing to undo or redo.
    bool Undo();
    bool Redo();

    // The form as it is now counts as saved (as it was when the history began, until
    // then): Modified() is false until it changes.
    void MarkSaved();
    bool Modified() const;

  private:
    void MoveTo(std::size_t step);
    const TextField* FieldBeingTyped() const;

    ParameterForm& form_;
    std::vector<FormState> states_;
    std::size_t current_ = 0;
    // The field whose typing made the current step, while it may still grow.
    const TextField* typedField_ = nullptr;
    std::int32_t gestures_ = 0;
    std::optional<FormState> saved_;
};

}  // namespace tonzug
