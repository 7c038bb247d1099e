#pragma once

#include <array>
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

// The space CSS blends in when a gradient names none: sRGB when every colour is a legacy
// one, else Oklab.
constexpr InterpolationSpace DefaultInterpolationSpace(ColorNotation allColors) {
    return allColors == ColorNotation::kLegacy ? InterpolationSpace::kSrgb
                                               : InterpolationSpace::kOklab;
}

// Two colours blended as CSS Color 4 interpolates: both converted into the method's space,
// a component missing in one (written "none", or a hue a grey has not) taken from the
// other, the hues prepared along the hue path, and the rest blended with premultiplied
// alpha. The ends are converted once; At() is cheap to call often and from several
// threads.
class CssBlend {
  public:
    CssBlend(const CssColor& from, const CssColor& to, const InterpolationMethod& method);

    // The blend at t (0 at `from`, 1 at `to`), in extended sRGB with straight alpha; not
    // brought into the gamut.
    CssColor At(double t) const;

  private:
    // Three components in the space and alpha, the components premultiplied (but for the
    // hue); NaN where both colours miss a component.
    using Premultiplied = std::array<double, 4>;

    InterpolationSpace space_;
    Premultiplied from_;
    Premultiplied to_;
};

}  // namespace tonzug
