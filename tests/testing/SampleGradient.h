#pragma once

#include <cstdint>

#include "render/GradientParams.h"

namespace tonzug::testing {

// Plain red to blue.
inline GradientParams RedToBlue(std::int32_t orientation, std::int32_t colorMode, float width,
                                float height) {
    GradientParams params;
    params.startColor = RgbColor(255, 0, 0);
    params.endColor = RgbColor(0, 0, 255);
    params.width = width;
    params.height = height;
    params.orientation = orientation;
    params.colorMode = colorMode;
    return params;
}

// Red to blue through a green middle at 30 %, with start, middle and end bands.
inline GradientParams SampleGradient(std::int32_t orientation, std::int32_t colorMode, float width,
                                     float height) {
    GradientParams params = RedToBlue(orientation, colorMode, width, height);
    params.middleColor = RgbColor(0, 255, 0);
    params.middleOn = -1;
    params.middlePercent = 30.0f;
    params.startBand = 3;
    params.middleBand = 4;
    params.endBand = 2;
    return params;
}

}  // namespace tonzug::testing
