#pragma once

#include <cstdint>

#include "color/CssColor.h"
#include "color/HuePath.h"

namespace tonzug {

// The colour spaces in which CSS Color 4 interpolates (<color-interpolation-method>).
enum class InterpolationSpace : std::int32_t {
    kSrgb,
    kSrgbLinear,
    kDisplayP3,
    kA98Rgb,
    kProphotoRgb,
    kRec2020,
    kLab,
    kOklab,
    kXyzD50,
    kXyzD65,  // "xyz" is the same space
    kHsl,
    kHwb,
    kLch,
    kOklch,
};

struct InterpolationMethod {
    InterpolationSpace space = InterpolationSpace::kOklab;
    // Matters in the polar spaces (hsl, hwb, lch, oklch) only.
    HuePath hue = HuePath::kShorter;

    friend bool operator==(const InterpolationMethod&, const InterpolationMethod&) = default;
};

}  // namespace tonzug
