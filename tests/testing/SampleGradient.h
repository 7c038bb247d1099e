#pragma once

#include <cstdint>

#include "render/GradientParams.h"

namespace tonzug::testing {

// Start to end through a middle colour that is switched on.
inline ClassicColors ThroughMiddle(ColorValue start, ColorValue middle, ColorValue end,
                                   float middlePercent, SolidBands bands) {
    return {.start = start,
            .end = end,
            .middle = middle,
            .middleOn = true,
            .middlePercent = middlePercent,
            .bands = bands};
}

// Plain red to blue.
inline GradientParams RedToBlue(Orientation orientation, ColorMode colorMode, float width,
                                float height) {
    GradientParams params;
    params.colors.start = RgbColor(255, 0, 0);
    params.colors.end = RgbColor(0, 0, 255);
    params.width = width;
    params.height = height;
    params.orientation = orientation;
    params.colorMode = colorMode;
    return params;
}

// Red to blue through a green middle at 30 %, with start, middle and end bands.
inline GradientParams SampleGradient(Orientation orientation, ColorMode colorMode, float width,
                                     float height) {
    GradientParams params = RedToBlue(orientation, colorMode, width, height);
    params.colors.middle = RgbColor(0, 255, 0);
    params.colors.middleOn = true;
    params.colors.middlePercent = 30.0f;
    params.colors.bands = {.start = 3, .middle = 4, .end = 2};
    return params;
}

}  // namespace tonzug::testing
