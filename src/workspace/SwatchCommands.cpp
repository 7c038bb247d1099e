#include "workspace/SwatchCommands.h"

#include <string>

#include "color/ColorSpaces.h"
#include "color/SystemColors.h"

namespace tonzug {

ColorValue ShiftLightness(ColorValue color, double percent) {
    HslColor hsl = RgbToHsl(TranslateColor(color));
    hsl.lightness = (percent / 100.0 + 1.0) * hsl.lightness;
    return HslToRgb(hsl);
}

void ShiftAllLightness(ParameterForm& form, double percent) {
    form.ChangeTogether([&form, percent] {
        for (ColorSwatch* swatch : {&form.colStart, &form.colMid, &form.colEnd}) {
            swatch->SetColor(ShiftLightness(swatch->Color(), percent));
        }
    });
}

void SwapColors(ParameterForm& form) {
    form.ChangeTogether([&form] {
        const ColorValue start = form.colStart.Color();
        form.colStart.SetColor(form.colEnd.Color());
        form.colEnd.SetColor(start);
    });
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

void ApplyChosenColor(ColorSwatch& swatch, ColorValue chosen) {
    if (chosen != kNoColor) {
        swatch.SetColor(chosen);
    }
}

}  // namespace tonzug
