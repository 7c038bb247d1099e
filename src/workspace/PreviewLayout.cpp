#include "workspace/PreviewLayout.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "support/Numbers.h"

namespace tonzug {
namespace {

// A side derived from the container; a size the box cannot take keeps the old one.
void SetDerivedSide(std::int32_t& side, double length) {
    if (const std::optional<std::int32_t> rounded = RoundToInt32(length);
        rounded && *rounded >= 0) {
        side = std::max<std::int32_t>(*rounded, 1);
    }
}

}  // namespace

PreviewRect LayoutPreviewBox(std::string_view widthText, std::string_view heightText,
                             std::int32_t containerWidth, std::int32_t containerHeight,
                             const PreviewRect& previous) {
    PreviewRect box = previous;
    const std::int32_t width = RoundToInt32(LeadingNumber(widthText)).value_or(0);
    const std::int32_t height = RoundToInt32(LeadingNumber(heightText)).value_or(0);
    const double shorter = MinOf(static_cast<double>(width), static_cast<double>(height));
    const std::optional<double> ratio =
        shorter != 0.0
            ? std::optional<double>(MaxOf(static_cast<double>(width), static_cast<double>(height)) /
                                    shorter)
            : std::nullopt;
    // In a container that is not square the copied side may give a box too large for the
    // other side: that side limits the box instead.
    if (width <= height) {
        box.height = containerHeight;
        if (ratio) {
            SetDerivedSide(box.width, containerHeight / *ratio);
            if (box.width > containerWidth) {
                box.width = containerWidth;
                SetDerivedSide(box.height, containerWidth * *ratio);
            }
        }
    } else {
        box.width = containerWidth;
        if (ratio) {
            SetDerivedSide(box.height, containerWidth / *ratio);
            if (box.height > containerHeight) {
                box.height = containerHeight;
                SetDerivedSide(box.width, containerHeight * *ratio);
            }
        }
    }
    box.left = RoundToInt32((containerWidth - box.width) / 2.0).value_or(0);
    box.top = RoundToInt32((containerHeight - box.height) / 2.0).value_or(0);
    return box;
}

MidControlState ComputeMidControlState(const ParameterForm& form) {
    const bool hsl = form.SelectedColorMode() == ColorMode::kHsl;
    const bool middleOn = form.chkMid.Value() == 1 && !hsl;
    MidControlState state;
    state.middleColorVisible = middleOn;
    state.middleBandCovered = !middleOn;
    state.middleButtonEnabled = middleOn;
    state.sliderEnabled = !hsl;
    state.positionCovered = hsl;
    state.switchEnabled = !hsl;
    const ColorMode mode = form.SelectedColorMode();
    state.huePathEnabled = mode == ColorMode::kHsl || mode == ColorMode::kOklch;
    return state;
}

}  // namespace tonzug
