#include "workspace/ParameterForm.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "color/SystemColors.h"
#include "render/Gradient.h"
#include "support/Numbers.h"
#include "workspace/ParameterKeys.h"

namespace tonzug {
namespace {

// A field that cannot be read counts as 0 wherever the set is gathered.
float SingleOrZero(const TextField& field) {
    return TextToSingle(field.Text()).value_or(0.0f);
}
std::int32_t IntegerOrZero(const TextField& field) {
    return TextToInt32(field.Text()).value_or(0);
}

// Truncation toward zero of a finite value that fits 64 bits; empty otherwise.
std::optional<std::int64_t> Truncated(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(std::trunc(value));
}

// Upper bound of a band: len / divisor truncated, but never below the lower bound 1.
// For a gradient shorter than 3 (2 for the middle band) the two bounds would contradict
// each other, and writing one back would re-trigger the other without end; the lower
// bound wins, so such a gradient settles with bands of 1.
std::int32_t BandUpperBound(float length, float divisor) {
    const std::optional<std::int64_t> bound = Truncated(static_cast<double>(length / divisor));
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(bound.value_or(0), 1, INT32_MAX));
}

}  // namespace

void ApplyMiddleSwitch(GradientParams& params) {
    if (!params.colors.middleOn) {
        params.colors.bands.middle = 1;
    }
}

std::int32_t GradientLength(Orientation orientation, std::int32_t width, std::int32_t height) {
    switch (orientation) {
        case Orientation::kHorizontal:
            return width;
        case Orientation::kVertical:
            return height;
        case Orientation::kCircle:
            return CornerRadius(width, height);
        default:
            return 0;
    }
}

ParameterForm::ParameterForm() {
    InitialiseControls(*this);
    MidTextToSlider();
    ConnectHandlers();
}

void ParameterForm::ConnectHandlers() {
    chkMid.SetHandler([this] { Guarded(&ParameterForm::MidStateChanged); });
    optF.SetHandler([this] { Guarded(&ParameterForm::MidStateChanged); });
    optH.SetHandler([this] { Guarded(&ParameterForm::RedrawPreview); });
    chkDither.SetHandler([this] { Guarded(&ParameterForm::RedrawPreview); });
    txtGradient.SetHandler([this] { Guarded(&ParameterForm::RedrawPreview); });
    txtEasing.SetHandler([this] { Guarded(&ParameterForm::RedrawPreview); });
    optV.SetHandler([this] { Guarded(&ParameterForm::OrientationChanged); });
    txtX.SetHandler([this] { Guarded(&ParameterForm::SizeChanged); });
    txtY.SetHandler([this] { Guarded(&ParameterForm::SizeChanged); });
    txtMid.SetHandler([this] { Guarded(&ParameterForm::PercentChanged); });
    txtM.SetHandler([this] { Guarded(&ParameterForm::PixelsChanged); });
    txtSBR.SetHandler([this] { Guarded(&ParameterForm::RedrawPreview); });
    txtMBR.SetHandler([this] { Guarded(&ParameterForm::RedrawPreview); });
    txtEBR.SetHandler([this] { Guarded(&ParameterForm::RedrawPreview); });
    scrM.SetHandler([this] { SliderToMidText(); });
    for (ColorSwatch* swatch : {&colStart, &colEnd, &colMid}) {
        swatch->SetHandler([this] { Guarded(&ParameterForm::RedrawPreview); });
    }
    for (TextField* field : TextFields()) {
        field->SetFinishHandler([this] { Guarded(&ParameterForm::RedrawPreview); });
    }
}

std::array<TextField*, 7> ParameterForm::TextFields() {
    return {&txtX, &txtY, &txtMid, &txtM, &txtSBR, &txtMBR, &txtEBR};
}

void ParameterForm::FinishEdits() {
    for (TextField* field : TextFields()) {
        field->FinishEdit();
    }
}

void ParameterForm::WriteCorrection(TextField& field, const std::string& text) {
    for (const TextField* other : TextFields()) {
        if (other != &field && other->Editing()) {
            return;
        }
    }
    field.SetText(text);
}

void ParameterForm::Guarded(void (ParameterForm::*steps)()) {
    if (!updating_) {
        (this->*steps)();
    }
}

void ParameterForm::MidStateChanged() {
    UpdateMidControls();
    RedrawPreview();
}

void ParameterForm::OrientationChanged() {
    SyncMidPosition(MidSync::kSizeChanged);
    MidTextToSlider();
    RedrawPreview();
}

void ParameterForm::SizeChanged() {
    SyncMidPosition(MidSync::kSizeChanged);
    MidTextToSlider();
    LayoutPreview();
    RedrawPreview();
}

void ParameterForm::PercentChanged() {
    SyncMidPosition(MidSync::kPercentChanged);
    MidTextToSlider();
    RedrawPreview();
}

void ParameterForm::PixelsChanged() {
    SyncMidPosition(MidSync::kPixelsChanged);
    MidTextToSlider();
    RedrawPreview();
}

void ParameterForm::LayoutPreview() const {
    if (hooks_.layoutPreview) {
        hooks_.layoutPreview();
    }
}

void ParameterForm::UpdateMidControls() const {
    if (hooks_.updateMidControls) {
        hooks_.updateMidControls();
    }
}

void ParameterForm::SliderToMidText() {
    if (!updating_) {
        txtMid.SetText(IntegerText(scrM.Value()));
    }
}

void ParameterForm::MidTextToSlider() {
    const GuardFlag updating(updating_);
    if (const std::optional<std::int32_t> percent = TextToInt32(txtMid.Text())) {
        if (const std::optional<std::int16_t> value = NarrowToInt16(*percent)) {
            scrM.SetValue(*value);
        }
    }
}

void ParameterForm::SyncMidPosition(MidSync mode) {
    const GuardFlag updating(updating_);
    std::int32_t length = 0;
    const std::optional<std::int32_t> width = TextToInt32(txtX.Text());
    const std::optional<std::int32_t> height = TextToInt32(txtY.Text());
    if (width && height) {
        length = GradientLength(SelectedOrientation(), *width, *height);
    }
    if (mode == MidSync::kSizeChanged || mode == MidSync::kPercentChanged) {
        if (const std::optional<std::int32_t> percent = TextToInt32(txtMid.Text())) {
            const double pixels = static_cast<double>(*percent) / 100.0 * length;
            if (const std::optional<std::int64_t> text = Truncated(pixels)) {
                txtM.SetText(IntegerText(*text));
            }
        }
    } else if (mode == MidSync::kPixelsChanged && length != 0) {
        if (const std::optional<std::int32_t> pixels = TextToInt32(txtM.Text())) {
            const double percent = static_cast<double>(*pixels) / length * 100.0;
            if (const std::optional<std::int64_t> text = Truncated(percent)) {
                txtMid.SetText(IntegerText(*text));
            }
        }
    }
}

GradientParams ParameterForm::Gather() const {
    // System colours become plain RGB here, where they enter the model.
    GradientParams params;
    params.colors = {.start = TranslateColor(colStart.Color()),
                     .end = TranslateColor(colEnd.Color()),
                     .middle = TranslateColor(colMid.Color()),
                     .middleOn = chkMid.Value() == 1,
                     .middlePercent = SingleOrZero(txtMid),
                     .bands = {.start = IntegerOrZero(txtSBR),
                               .middle = IntegerOrZero(txtMBR),
                               .end = IntegerOrZero(txtEBR)}};
    params.width = SingleOrZero(txtX);
    params.height = SingleOrZero(txtY);
    params.colorMode = SelectedColorMode();
    params.orientation = SelectedOrientation();
    params.huePath = SelectedHuePath();
    return params;
}

GradientParams ParameterForm::GatherAndClamp() {
    GradientParams params = Gather();

    float length = 0.0f;
    const std::optional<std::int32_t> width = RoundToInt32(params.width);
    const std::optional<std::int32_t> height = RoundToInt32(params.height);
    if (width && height) {
        length = static_cast<float>(GradientLength(params.orientation, *width, *height));
    }

    float& middlePercent = params.colors.middlePercent;
    if (middlePercent < 0.0f) {
        middlePercent = 0.0f;
        WriteCorrection(txtMid, "0");
    }
    if (middlePercent > 100.0f) {
        middlePercent = 100.0f;
        WriteCorrection(txtMid, "100");
    }
    // Each band to 1 .. upper, each corrected value written back into its field.
    const auto clampBand = [this](std::int32_t& band, std::int32_t upper, TextField& field) {
        if (band < 1) {
            band = 1;
            WriteCorrection(field, "1");
        }
        if (band > upper) {
            band = upper;
            WriteCorrection(field, IntegerText(band));
        }
    };
    SolidBands& bands = params.colors.bands;
    clampBand(bands.middle, BandUpperBound(length, 2.0f), txtMBR);
    ApplyMiddleSwitch(params);
    clampBand(bands.start, BandUpperBound(length, 3.0f), txtSBR);
    clampBand(bands.end, BandUpperBound(length, 3.0f), txtEBR);
    return params;
}

void ParameterForm::ChangeTogether(const std::function<void()>& change) {
    if (holdingRedraws_) {
        change();
        return;
    }
    redrawHeld_ = false;
    {
        const GuardFlag holding(holdingRedraws_);
        change();
    }
    if (redrawHeld_) {
        RedrawPreview();
    }
}

void ParameterForm::Restore(const std::function<void()>& write) {
    {
        const GuardFlag updating(updating_);
        write();
    }
    UpdateMidControls();
    LayoutPreview();
    RedrawPreview();
}

void ParameterForm::RedrawPreview() {
    if (holdingRedraws_) {
        redrawHeld_ = true;
        return;
    }
    const GradientParams params = GatherAndClamp();
    if (hooks_.drawPreview) {
        hooks_.drawPreview(params);
    }
}

}  // namespace tonzug
