#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "color/CssColor.h"
#include "color/CssInterpolation.h"

namespace tonzug {

// A colour's three components in one of CSS Color 4's spaces, in the order and the units
// CSS writes them: r g b 0..1 in the RGB spaces, x y z with white's y 1, Lab's L 0..100
// with a and b, LCh's L C H, Oklab's L 0..1 with a and b, OkLCh's L C H, and HSL's and
// HWB's hue first, then saturation and lightness, or whiteness and blackness, as
// fractions 0..1. Hues are in degrees, NaN where the colour has none (a grey).
using SpaceComponents = std::array<double, 3>;

// A colour in extended sRGB (alpha and missing components aside) in `space`. Outside the
// sRGB gamut the components leave their usual ranges as the conversions carry them.
SpaceComponents ComponentsInSpace(const CssColor& color, InterpolationSpace space);

// The colour of `components` in `space`, in extended sRGB; a NaN component counts as 0,
// as CSS counts a missing one.
CssColor ColorFromSpace(const SpaceComponents& components, InterpolationSpace space,
                        double alpha = 1.0);

// Where the hue stands in a space's components; nullopt for the spaces without one.
std::optional<std::size_t> HueIndex(InterpolationSpace space);

// The kind of each of a space's components, which a missing component keeps across spaces.
std::array<ColorComponent, 3> ComponentKinds(InterpolationSpace space);

}  // namespace tonzug
