#include "workspace/EditHistory.h"

#include <iterator>

namespace tonzug {
namespace {

// The text fields in a fixed order, for capture and restore alike.
template <class Form>
auto TextFieldsOf(Form& form) {
    return std::array{&form.txtX,   &form.txtY,   &form.txtMid,      &form.txtM,     &form.txtSBR,
                      &form.txtMBR, &form.txtEBR, &form.txtGradient, &form.txtEasing};
}

}  // namespace

FormState CaptureState(const ParameterForm& form) {
    FormState state;
    state.colors = {form.colStart.Color(), form.colEnd.Color(), form.colMid.Color()};
    const auto fields = TextFieldsOf(form);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        state.texts[i] = fields[i]->Text();
    }
    state.choices = {form.chkMid.Value(),   form.scrM.Value(),    form.optV.Selected(),
                     form.optF.Selected(),  form.optH.Selected(), form.optDepth.Selected(),
                     form.chkDither.Value()};
    return state;
}

void RestoreState(ParameterForm& form, const FormState& state) {
    form.Restore([&] {
        form.colStart.SetColor(state.colors[0]);
        form.colEnd.SetColor(state.colors[1]);
        form.colMid.SetColor(state.colors[2]);
        const auto fields = TextFieldsOf(form);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            fields[i]->SetText(state.texts[i]);
        }
        form.chkMid.SetValue(state.choices[0]);
        form.scrM.SetValue(state.choices[1]);
        form.optV.Select(state.choices[2]);
        form.optF.Select(state.choices[3]);
        form.optH.Select(state.choices[4]);
        form.optDepth.Select(state.choices[5]);
        form.chkDither.SetValue(state.choices[6]);
    });
}

EditHistory::EditHistory(ParameterForm& form)
    : form_(form), states_{CaptureState(form)}, saved_(states_.front()) {}

const TextField* EditHistory::FieldBeingTyped() const {
    for (const TextField* field : TextFieldsOf(form_)) {
        if (field->Editing()) {
            return field;
        }
    }
    return nullptr;
}

void EditHistory::Record() {
    if (gestures_ > 0) {
        return;
    }
    FormState now = CaptureState(form_);
    if (now == states_[current_]) {
        return;
    }
    const TextField* typing = FieldBeingTyped();
    // More typing into the field of the current step, or the clamps that end its edit,
    // change that step rather than add one.
    const bool sameTyping = typedField_ != nullptr && (typing == typedField_ || typing == nullptr);
    if (sameTyping && !CanRedo()) {
        states_[current_] = std::move(now);
        typedField_ = typing;
        return;
    }
    states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, states_.end());
    states_.push_back(std::move(now));
    if (states_.size() > kMaxSteps + 1) {
        states_.erase(states_.begin());
    }
    current_ = states_.size() - 1;
    typedField_ = typing;
}

void EditHistory::BeginGesture() {
    Record();  // what came before the gesture is a step of its own
    ++gestures_;
}

void EditHistory::EndGesture() {
    if (gestures_ > 0 && --gestures_ == 0) {
        typedField_ = nullptr;
        Record();
    }
}

bool EditHistory::Undo() {
    form_.FinishEdits();
    Record();
    if (!CanUndo()) {
        return false;
    }
    MoveTo(current_ - 1);
    return true;
}

bool EditHistory::Redo() {
    form_.FinishEdits();
    Record();
    if (!CanRedo()) {
        return false;
    }
    MoveTo(current_ + 1);
    return true;
}

void EditHistory::MoveTo(std::size_t step) {
    current_ = step;
    typedField_ = nullptr;
    RestoreState(form_, states_[current_]);
}

void EditHistory::MarkSaved() {
    saved_ = CaptureState(form_);
}

bool EditHistory::Modified() const {
    return !saved_ || CaptureState(form_) != *saved_;
}

}  // namespace tonzug
