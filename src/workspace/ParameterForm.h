#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "form/ColorSwatch.h"
#include "form/FormControls.h"
#include "render/GradientParams.h"

namespace tonzug {

// What SyncMidPosition brings in step: 0 after a new size or orientation (the pixels follow
// the percent), 1 after a new percent, 2 after new pixels (the percent follows them).
enum class MidSync : std::int32_t { kSizeChanged = 0, kPercentChanged = 1, kPixelsChanged = 2 };

// The main window's parameter controls and their change cascade, without any toolkit.
// The gradient lives in these controls; every change of a field, a swatch, the switch or
// an option ends in RedrawPreview, which gathers and clamps the set and hands it to the
// drawPreview hook. Clamped values are written back into their fields, and each such
// write re-enters the cycle through that field's change handling. While the user types
// into one field, the others keep what the user gave them (the preview draws them
// clamped); they are clamped into their fields when the edit is finished.
class ParameterForm {
  public:
    // What the window binds to: drawing the preview, fitting the preview box to the
    // gradient's aspect, and showing or covering the middle-colour controls.
    struct Hooks {
        std::function<void(const GradientParams&)> drawPreview;
        std::function<void()> layoutPreview;
        std::function<void()> updateMidControls;
    };

    ParameterForm();
    ParameterForm(const ParameterForm&) = delete;
    ParameterForm& operator=(const ParameterForm&) = delete;

    void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    Orientation SelectedOrientation() const { return static_cast<Orientation>(optV.Selected()); }
    ColorMode SelectedColorMode() const { return static_cast<ColorMode>(optF.Selected()); }
    HuePath SelectedHuePath() const { return HuePathFromKey(optH.Selected()); }
    bool Updating() const { return updating_; }

    void SliderToMidText();
    void MidTextToSlider();
    void SyncMidPosition(MidSync mode);
    void RedrawPreview();
    // Runs a command that writes several controls with their redraws held back, and
    // redraws once at the end if any was asked for.
    void ChangeTogether(const std::function<void()>& change);
    // Puts back what the controls held at another time: `write` sets them without their
    // change handling (they agreed with each other then), and the middle controls, the
    // preview box and the preview follow once.
    void Restore(const std::function<void()>& write);
    // The set as the fields hold it now, colours translated, a field that cannot be read
    // as 0; no clamp applied and the middle band as typed.
    GradientParams Gather() const;
    // Finishes the edit of whichever field the user is typing into, writing the clamps
    // it held back. Every command that reads or replaces the set runs this first.
    void FinishEdits();

    // The window's hooks, run directly by commands that need them.
    void LayoutPreview() const;
    void UpdateMidControls() const;

    // Filled with the defaults of the parameter table on construction.
    ColorSwatch colStart{kBlack};
    ColorSwatch colEnd{kBlack};
    ColorSwatch colMid{kBlack};
    CheckBox chkMid;
    TextField txtX;
    TextField txtY;
    TextField txtMid;
    TextField txtM;
    TextField txtSBR;
    TextField txtMBR;
    TextField txtEBR;
    Slider scrM{0, 100, 0};
    OptionGroup optV{3, static_cast<std::int32_t>(Orientation::kHorizontal)};
    OptionGroup optF{4, static_cast<std::int32_t>(ColorMode::kRgb)};
    OptionGroup optH{5, 0};
    // How pictures are saved: 8 or 16 bits per channel (PNG only), and dithering.
    OptionGroup optDepth{2, 0};
    CheckBox chkDither{0};
    // A free gradient as CSS text; empty for the classic gradient of the controls above.
    TextField txtGradient;
    // Its segments' easing beyond CSS's, one name each ("sine,,step").
    TextField txtEasing;

  private:
    void ConnectHandlers();
    // Runs a field's handling unless the program is writing under the guard.
    void Guarded(void (ParameterForm::*steps)());
    void SizeChanged();
    void OrientationChanged();
    void PercentChanged();
    void PixelsChanged();
    void MidStateChanged();
    GradientParams GatherAndClamp();
    // Writes a clamped value back, unless the user is typing into another field.
    void WriteCorrection(TextField& field, const std::string& text);
    std::array<TextField*, 7> TextFields();

    bool updating_ = false;
    bool holdingRedraws_ = false;
    bool redrawHeld_ = false;
    Hooks hooks_;
};

// While the middle colour is off the middle band counts as 1, so a covered field the user
// can neither see nor edit never shapes the picture; the field keeps its text.
void ApplyMiddleSwitch(GradientParams& params);

// The number of steps along the gradient axis: the width, the height, or the corner
// radius; 0 for an unknown orientation.
std::int32_t GradientLength(Orientation orientation, std::int32_t width, std::int32_t height);

}  // namespace tonzug
