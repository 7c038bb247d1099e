#pragma once

#include "color/ColorSpaces.h"

namespace tonzug {

// Linear-light sRGB, 0..1 inside the gamut; values outside stand for colours beyond it.
struct LinearRgb {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

// Oklab: lightness 0..1 (black to white), a and b roughly -0.4..0.4.
struct OklabColor {
    double lightness = 0.0;
    double a = 0.0;
    double b = 0.0;
};

// Oklab in polar form. The hue is in degrees, 0 <= hue < 360, or NaN where the colour is
// achromatic and so has no hue.
struct OklchColor {
    double lightness = 0.0;
    double chroma = 0.0;
    double hue = 0.0;
};

// Chroma up to which a colour counts as achromatic: its hue is then powerless (NaN).
inline constexpr double kAchromaticChroma = 0.000004;

// The sRGB transfer function for one channel on the 0..1 scale, extended to values
// outside 0..1 by mirroring at zero.
double SrgbToLinear(double encoded);
double LinearToSrgb(double linear);

// Channels 0..255, unrounded.
LinearRgb SrgbToLinearRgb(const RgbTriple& channels);
RgbTriple LinearRgbToSrgb(const LinearRgb& linear);

OklabColor LinearRgbToOklab(const LinearRgb& linear);
LinearRgb OklabToLinearRgb(const OklabColor& lab);

// Whole ways between 0..255 sRGB channels and Oklab. The way back does no gamut mapping:
// its channels may lie outside 0..255.
OklabColor SrgbToOklab(const RgbTriple& channels);
RgbTriple OklabToSrgb(const OklabColor& lab);

OklchColor OklabToOklch(const OklabColor& lab);
// A NaN hue (no hue) gives a = b = 0.
OklabColor OklchToOklab(const OklchColor& lch);

// The colour difference deltaEOK: the Euclidean distance in Oklab.
double DeltaEOk(const OklabColor& one, const OklabColor& two);

}  // namespace tonzug
