#include "workspace/SwatchCommands.h"

#include <string>

#include "color/ColorSpaces.h"

namespace tonzug {

ColorValue ShiftLightness(ColorValue color, double percent) {
    HslColor hsl = RgbToHsl(color);
    hsl.lightness = (percent / 100.0 + 1.0) * hsl.lightness;
    return HslToRgb(hsl);
}

void ShiftAllLightness(ParameterForm& form, double percent) {
    for (ColorSwatch* swatch : {&form.colStart, &form.colMid, &form.colEnd}) {
        swatch->SetColor(ShiftLightness(swatch->Color(), percent));
    }
    form.RedrawPreview();
}

void SwapColors(ParameterForm& form) {
    const ColorValue start = form.colStart.Color();
    form.colStart.SetColor(form.colEnd.Color());
    form.colEnd.SetColor(start);
    form.RedrawPreview();
}

void SwapWidthAndHeight(ParameterForm& form) {
    form.FinishEdits();
    const std::string width = form.txtX.Text();
    form.txtX.SetText(form.txtY.Text());
    form.txtY.SetText(width);
}

void ResetMiddlePosition(ParameterForm& form) {
    form.FinishEdits();
    form.txtMid.SetText("50");
}

void ApplyChosenColor(ParameterForm& form, ColorSwatch& swatch, ColorValue chosen) {
    if (chosen != kNoColor) {
        swatch.SetColor(chosen);
    }
    form.RedrawPreview();
}

}  // namespace tonzug
