#pragma once

#include <cmath>
#include <cstdint>

#include "color/ColorValue.h"

namespace tonzug {

// Rounds a value already limited to 0..255, ties to even.
inline std::int32_t RoundChannel(float v) {
    return static_cast<std::int32_t>(std::nearbyint(v));
}

inline std::int32_t ClampChannel(float x) {
    float v = x >= 0.0f ? x : 0.0f;  // NaN fails the test and counts as 0
    if (v > 255.0f) {
        v = 255.0f;
    }
    return RoundChannel(v);
}

// A straight line through RGB in 32-bit floats: the colour k increments past the origin
// is channel = k * increment + origin, each channel clamped and rounded.
struct RampLine {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float dRed = 0.0f;
    float dGreen = 0.0f;
    float dBlue = 0.0f;

    ColorValue At(float k) const {
        return RgbColor(ClampChannel(k * dRed + red), ClampChannel(k * dGreen + green),
                        ClampChannel(k * dBlue + blue));
    }
};

}  // namespace tonzug
