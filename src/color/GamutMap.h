#pragma once

#include "color/ColorSpaces.h"
#include "color/Oklab.h"

namespace tonzug {

// Brings a colour into the sRGB gamut the way CSS Color 4 maps gamuts: lightness at or
// beyond white or black gives white or black; otherwise the OkLCh chroma is reduced by
// binary search until clipping the colour changes it by less than a just noticeable
// difference (deltaEOK 0.02), and the result is clipped. Channels 0..255, unrounded.
RgbTriple GamutMapToSrgb(const OklabColor& color);

}  // namespace tonzug
