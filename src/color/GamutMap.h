#pragma once

#include <span>

#include "color/ColorSpaces.h"
#include "color/Oklab.h"

namespace tonzug {

// Brings a colour into the sRGB gamut the way CSS Color 4 maps gamuts: lightness at or
// beyond white or black gives white or black; otherwise the OkLCh chroma is reduced by
// binary search until clipping the colour changes it by less than a just noticeable
// difference (deltaEOK 0.02), and the result is clipped. Channels 0..255, unrounded.
RgbTriple GamutMapToSrgb(const OklabColor& color);

// The same for many colours at once, several times faster than one by one: `mapped[i]`
// is exactly what GamutMapToSrgb(colors[i]) gives. Spans of unequal length are mapped as
// far as the shorter one reaches.
void GamutMapToSrgb(std::span<const OklabColor> colors, std::span<RgbTriple> mapped);

}  // namespace tonzug
