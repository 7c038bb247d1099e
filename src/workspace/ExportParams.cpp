#include "workspace/ExportParams.h"

#include <cmath>

#include "export/ExportPicture.h"
#include "support/Numbers.h"
#include "support/TextHelpers.h"
#include "web/CssGradientReader.h"
#include "web/EasingText.h"

namespace tonzug {

GradientParams ReadExportParams(const ParameterForm& form) {
    GradientParams params = form.Gather();
    ApplyMiddleSwitch(params);
    return params;
}

std::optional<FreeGradient> ReadFreeGradient(const ParameterForm& form) {
    if (form.txtGradient.Text().empty()) {
        return std::nullopt;
    }
    std::optional<FreeGradient> gradient = ReadCssGradient(form.txtGradient.Text()).gradient;
    // An easing list that does not fit the stops is left out.
    if (gradient) {
        FreeGradient eased = *gradient;
        if (ApplyEasingText(form.txtEasing.Text(), eased)) {
            return eased;
        }
    }
    return gradient;
}

GradientPicture ReadExportPicture(const ParameterForm& form) {
    return {ReadExportParams(form), ReadFreeGradient(form)};
}

ColorDepthChoice ReadColorDepth(const ParameterForm& form) {
    return {.sixteenBits = form.optDepth.Selected() == 1, .dither = form.chkDither.Value() == 1};
}

SaveResult CheckTypedSize(const ParameterForm& form) {
    const auto tooLarge = [](const TextField& field) {
        const std::optional<double> side = ParseUserNumber(field.Text());
        return side && std::nearbyint(*side) > kMaxPictureSide;
    };
    if (tooLarge(form.txtX) || tooLarge(form.txtY)) {
        return PictureTooLarge(TrimBlanks(form.txtX.Text()), TrimBlanks(form.txtY.Text()));
    }
    return SaveResult::Success();
}

}  // namespace tonzug
