#pragma once

#include <cmath>
#include <cstdint>

#include "color/ColorValue.h"

namespace tonzug {

// Rounds a value already limited to 0..255, ties to even.
inline std::int32_t RoundChannel(float v) {
    return static_cast<std::int32_t>(std::nearbyint(v));
}

// x limited to 0..255, unrounded; NaN counts as 0.
inline float LimitChannel(float x) {
    float v = x >= 0.0f ? x : 0.0f;  // NaN fails the test and counts as 0
    if (v > 255.0f) {
        v = 255.0f;
    }
    return v;
}

inline std::int32_t ClampChannel(float x) {
    return RoundChannel(LimitChannel(x));
}

// The channels of a ramp entry before rounding, each 0..255.
struct ExactColor {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;

    friend bool operator==(const ExactColor&, const ExactColor&) = default;
};

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

    // The same channels unrounded: rounding them, ties to even, gives At(k).
    ExactColor ExactAt(float k) const {
        return {LimitChannel(k * dRed + red), LimitChannel(k * dGreen + green),
                LimitChannel(k * dBlue + blue)};
    }
};

}  // namespace tonzug
