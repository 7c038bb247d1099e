#include "colordlg/ColorForm.h"

#include <algorithm>
#include <cctype>

#include "color/ColorSpaces.h"
#include "color/ColorText.h"
#include "color/CssColor.h"
#include "color/SystemColors.h"
#include "colordlg/ColorList.h"
#include "support/Numbers.h"

namespace tonzug {
namespace {

constexpr ColorValue kButtonFace = SystemColor(15);
constexpr std::int16_t kHslMaximum = 240;
constexpr std::int32_t kChannelMaximum = 255;

// The leading number of a text as a whole number (ties to even); 0 when it has none
// or it lies beyond the 32-bit range.
std::int32_t LeadingWhole(const TextField& field) {
    return RoundToInt32(LeadingNumber(field.Text())).value_or(0);
}

// A text below 0 becomes "0", then one above the maximum becomes the maximum. Each
// rewrite raises the field's change handling, nested.
void ClampText(TextField& field, std::int32_t maximum) {
    if (LeadingNumber(field.Text()) < 0.0) {
        field.SetText("0");
    }
    if (LeadingNumber(field.Text()) > static_cast<double>(maximum)) {
        field.SetText(IntegerText(maximum));
    }
}

bool IsPlainColor(ColorValue color) {
    return color >= 0 && color <= kWhite;
}

// "#RRGGBB", complete: the code that applies while it is being typed.
bool IsCompleteHtmlCode(std::string_view text) {
    constexpr std::size_t kHtmlCodeLength = 7;
    return text.size() == kHtmlCodeLength && text.front() == '#' &&
           std::all_of(text.begin() + 1, text.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

ColorForm::ColorForm() : ColorForm(PictureSizes{}) {}

ColorForm::ColorForm(const PictureSizes& sizes)
    : pCol(kButtonFace),
      picSW(kBlack),
      picHFF(HslComponent::kHue, sizes.fieldWidth, sizes.fieldHeight),
      picFSF(HslComponent::kSaturation, sizes.fieldWidth, sizes.fieldHeight),
      picFFL(HslComponent::kLightness, sizes.fieldWidth, sizes.fieldHeight),
      colPick_(sizes.stripWidth, sizes.stripHeight),
      colPickSW_(sizes.stripWidth, sizes.stripHeight) {
    DrawGreyStrip(colPickSW_);
    DrawHueStrip(colPick_);
    ConnectHandlers();
}

void ColorForm::ConnectHandlers() {
    scrR.SetHandler([this] { RgbScrollChanged(); });
    scrG.SetHandler([this] { RgbScrollChanged(); });
    scrB.SetHandler([this] { RgbScrollChanged(); });
    scrH1.SetHandler([this] { HslScrollChanged(); });
    scrS1.SetHandler([this] { HslScrollChanged(); });
    scrL1.SetHandler([this] { HslScrollChanged(); });
    scrS.SetHandler([this] { GreyScrollChanged(); });
    txtR.SetHandler([this] { RgbTextChanged(); });
    txtG.SetHandler([this] { RgbTextChanged(); });
    txtB.SetHandler([this] { RgbTextChanged(); });
    // Each HSL text redraws the two fields that depend on it, then moves its own marker.
    txtH1.SetHandler([this] {
        HslTextChange(HslComponent::kHue, HslComponent::kLightness, HslComponent::kSaturation);
    });
    txtS1.SetHandler([this] {
        HslTextChange(HslComponent::kSaturation, HslComponent::kHue, HslComponent::kLightness);
    });
    txtL1.SetHandler([this] {
        HslTextChange(HslComponent::kLightness, HslComponent::kHue, HslComponent::kSaturation);
    });
    txtS.SetHandler([this] {
        ShowGreySwatch();
        GreyTextChanged();
    });
    txtHTML.SetHandler([this] { HtmlTextChanged(); });
}

HslField& ColorForm::Field(HslComponent component) {
    switch (component) {
        case HslComponent::kHue:
            return picHFF;
        case HslComponent::kSaturation:
            return picFSF;
        case HslComponent::kLightness:
            break;
    }
    return picFFL;
}

TextField& ColorForm::FieldText(HslComponent component) {
    switch (component) {
        case HslComponent::kHue:
            return txtH1;
        case HslComponent::kSaturation:
            return txtS1;
        case HslComponent::kLightness:
            break;
    }
    return txtL1;
}

const Raster& ColorForm::Strip(PickStrip strip) const {
    return strip == PickStrip::kHue ? colPick_ : colPickSW_;
}

void ColorForm::ShowColor(ColorValue rgb, ColorValue previewColor) {
    if (syncing_ || !IsPlainColor(rgb)) {
        return;
    }
    const GuardFlag syncing(syncing_);
    const HslColor hsl = RgbToHsl(rgb);
    pCol.SetColor(previewColor != kNoColor ? previewColor : rgb);
    WriteDisplays(rgb, RoundHalfUp(hsl.hue / 360.0 * kHslMaximum),
                  RoundHalfUp(hsl.saturation * kHslMaximum),
                  RoundHalfUp(hsl.lightness * kHslMaximum));
}

void ColorForm::ShowHsl(std::int32_t hue, std::int32_t saturation, std::int32_t lightness) {
    if (syncing_) {
        return;
    }
    const GuardFlag syncing(syncing_);
    const ColorValue rgb = HslScaledToRgb(hue, saturation, lightness, kHslMaximum);
    pCol.SetColor(rgb);
    WriteDisplays(rgb, hue, saturation, lightness);
}

void ColorForm::WriteDisplays(ColorValue rgb, std::int32_t hue, std::int32_t saturation,
                              std::int32_t lightness) {
    txtR.SetText(IntegerText(RedOf(rgb)));
    txtG.SetText(IntegerText(GreenOf(rgb)));
    txtB.SetText(IntegerText(BlueOf(rgb)));
    txtS.SetText(IntegerText(Luminance(rgb)));
    txtH1.SetText(IntegerText(hue));
    txtS1.SetText(IntegerText(saturation));
    txtL1.SetText(IntegerText(lightness));
    // A slider refuses a value outside its range and keeps its own.
    scrR.SetValue(LeadingWhole(txtR));
    scrG.SetValue(LeadingWhole(txtG));
    scrB.SetValue(LeadingWhole(txtB));
    scrS.SetValue(LeadingWhole(txtS));
    scrH1.SetValue(hue);
    scrS1.SetValue(saturation);
    scrL1.SetValue(lightness);
    txtHTML.SetText(ColorToHex(rgb, true));
}

bool ColorForm::SetStartColor(ColorValue color) {
    const bool isColor =
        IsPlainColor(color) || (IsSystemColor(color) && TranslateColor(color) != kNoColor);
    return isColor && pCol.SetColor(color);
}

void ColorForm::Initialize() {
    ColorValue current = pCol.Color();
    if (current < 0) {
        current = TranslateColor(current);
    }
    ShowColor(current, kNoColor);
}

void ColorForm::ApplyHtml() {
    const OpaqueColorReading reading =
        ReadOpaqueColor(txtHTML.Text(), HexHash::kOptional, refusalLanguage);
    if (!reading.color) {
        htmlRefusal.SetText(reading.problem + ".");
        return;
    }
    htmlRefusal.SetText({});
    ShowColor(*reading.color, kNoColor);
}

void ColorForm::ShowBackground() {
    ShowColor(TranslateColor(kButtonFace), kButtonFace);
}

void ColorForm::ShowListedColor(std::string_view itemTag) {
    const ColorTag parsed = ParseColorTag(itemTag);
    ShowColor(parsed.rgb, parsed.value);
}

// A one-character fill: GCC 12 reports a false overlap for assigning a literal at -O2.
void ColorForm::Accept() {
    tag.assign(1, '1');
}

void ColorForm::Cancel() {
    tag.assign(1, '0');
}

ColorValue ColorForm::Result() const {
    if (LeadingNumber(tag) != 1.0) {
        return kNoColor;
    }
    return TranslateColor(pCol.Color());
}

void ColorForm::FieldMouse(HslComponent component, MouseAction action, MouseButtons buttons,
                           float x, float y) {
    HslField& field = Field(component);
    if (!MousePicks(action, buttons) || !IsInsidePicture(field.Picture(), x, y)) {
        return;
    }
    FieldText(component).SetText(FieldValueText(field.ValueFromY(y)));
}

void ColorForm::StripMouse(PickStrip strip, MouseAction action, MouseButtons buttons, float x,
                           float y) {
    if (!MousePicks(action, buttons)) {
        return;
    }
    if (const std::optional<ColorValue> color = StripColorAt(Strip(strip), x, y)) {
        ShowColor(*color, kNoColor);
    }
}

void ColorForm::ApplySystemDialogColor(ColorValue chosen) {
    if (chosen != kNoColor) {
        ShowColor(chosen, kNoColor);
    }
}

void ColorForm::RgbScrollChanged() {
    ShowColor(RgbColor(scrR.Value(), scrG.Value(), scrB.Value()), kNoColor);
}

void ColorForm::HslScrollChanged() {
    ShowHsl(scrH1.Value(), scrS1.Value(), scrL1.Value());
}

void ColorForm::GreyScrollChanged() {
    const std::int32_t grey = scrS.Value();
    ShowColor(RgbColor(grey, grey, grey), kNoColor);
}

void ColorForm::RgbTextChanged() {
    ClampText(txtR, kChannelMaximum);
    ClampText(txtG, kChannelMaximum);
    ClampText(txtB, kChannelMaximum);
    ShowColor(RgbColor(LeadingWhole(txtR), LeadingWhole(txtG), LeadingWhole(txtB)), kNoColor);
}

void ColorForm::HslTextChanged() {
    ClampText(txtH1, kHslMaximum);
    ClampText(txtS1, kHslMaximum);
    ClampText(txtL1, kHslMaximum);
    ShowHsl(LeadingWhole(txtH1), LeadingWhole(txtS1), LeadingWhole(txtL1));
}

void ColorForm::GreyTextChanged() {
    ClampText(txtS, kChannelMaximum);
    const std::int32_t grey = LeadingWhole(txtS);
    ShowColor(RgbColor(grey, grey, grey), kNoColor);
}

void ColorForm::ShowGreySwatch() {
    const std::int32_t grey = std::clamp(TextToInt32(txtS.Text()).value_or(0), 0, kChannelMaximum);
    picSW.SetColor(RgbColor(grey, grey, grey));
}

void ColorForm::HtmlTextChanged() {
    // A changed text is no longer the one refused.
    htmlRefusal.SetText({});
    if (IsCompleteHtmlCode(txtHTML.Text())) {
        ApplyHtml();
    }
}

void ColorForm::HslTextChange(HslComponent own, HslComponent firstRedraw,
                              HslComponent secondRedraw) {
    DrawField(firstRedraw);
    DrawField(secondRedraw);
    HslTextChanged();
    PlaceFieldMarker(own);
}

void ColorForm::DrawField(HslComponent component) {
    // The two other components in the order hue, saturation, lightness.
    auto number = [](const TextField& field) {
        return ParseUserNumber(field.Text()).value_or(0.0);
    };
    switch (component) {
        case HslComponent::kHue:
            picHFF.Draw(number(txtS1), number(txtL1));
            break;
        case HslComponent::kSaturation:
            picFSF.Draw(number(txtH1), number(txtL1));
            break;
        case HslComponent::kLightness:
            picFFL.Draw(number(txtH1), number(txtS1));
            break;
    }
}

void ColorForm::PlaceFieldMarker(HslComponent component) {
    Field(component).PlaceMarker(TextToInt32(FieldText(component).Text()).value_or(0));
}

}  // namespace tonzug
