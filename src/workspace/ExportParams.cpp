#include "workspace/ExportParams.h"

#include <cmath>

#include "color/SystemColors.h"
#include "export/ExportPicture.h"
#include "support/Numbers.h"
#include "support/TextHelpers.h"

namespace tonzug {

GradientParams ReadExportParams(const ParameterForm& form) {
    GradientParams params;
    params.middleOn = form.chkMid.Value() == 1 ? -1 : 0;
    params.middleColor = TranslateColor(form.colMid.Color(), 0);
    params.startColor = TranslateColor(form.colStart.Color(), 0);
    params.endColor = TranslateColor(form.colEnd.Color(), 0);
    params.middlePercent = TextToSingle(form.txtMid.Text()).value_or(0.0f);
    params.width = TextToSingle(form.txtX.Text()).value_or(0.0f);
    params.height = TextToSingle(form.txtY.Text()).value_or(0.0f);
    params.middleBand = TextToInt32(form.txtMBR.Text()).value_or(0);
    params.startBand = TextToInt32(form.txtSBR.Text()).value_or(0);
    params.endBand = TextToInt32(form.txtEBR.Text()).value_or(0);
    params.colorMode = form.ColorModeIndex();
    params.huePath = form.HuePathIndex();
    params.orientation = form.OrientationIndex();
    if (params.middleOn == 0) {
        params.middleBand = 1;
    }
    return params;
}

ColorDepthChoice ReadColorDepth(const ParameterForm& form) {
    return {.sixteenBits = form.optDepth.Selected() == 1, .dither = form.chkDither.Value() == 1};
}

EncodeStatus CheckTypedSize(const ParameterForm& form) {
    const auto tooLarge = [](const TextField& field) {
        const std::optional<double> side = ParseUserNumber(field.Text());
        return side && std::nearbyint(*side) > kMaxPictureSide;
    };
    if (tooLarge(form.txtX) || tooLarge(form.txtY)) {
        return PictureTooLarge(TrimBlanks(form.txtX.Text()), TrimBlanks(form.txtY.Text()));
    }
    return EncodeStatus::Success();
}

}  // namespace tonzug
