#pragma once

#include <cstdint>

#include "color/ColorValue.h"

namespace tonzug {

// The colour space in which the colours are blended; the values are those of "FRB".
enum ColorMode : std::int32_t { kModeRgb = 0, kModeHsl = 1, kModeOklab = 2, kModeOklch = 3 };
enum Orientation : std::int32_t { kHorizontal = 0, kVertical = 1, kCircle = 2 };

// One gradient as handed to the renderer. The colours are already translated by
// the caller; width and height are the full size in pixels.
struct GradientParams {
    ColorValue startColor = kWhite;
    ColorValue endColor = kBlack;
    float width = 0.0f;
    float height = 0.0f;
    float middlePercent = 50.0f;
    ColorValue middleColor = kWhite;
    std::int16_t middleOn = 0;  // 0 off, -1 on; any non-zero value counts as on
    std::int32_t startBand = 1;
    std::int32_t middleBand = 1;
    std::int32_t endBand = 1;
    std::int32_t colorMode = kModeRgb;
    std::int32_t orientation = kVertical;
    // The way round the colour circle in HSL and OkLCh, as "HUE" stores it (HuePath).
    std::int32_t huePath = 0;

    friend bool operator==(const GradientParams&, const GradientParams&) = default;
};

}  // namespace tonzug
