#pragma once

#include <cstdint>

#include "color/ColorValue.h"

namespace tonzug {

// Channels as unrounded doubles 0..255, for displays that show them.
struct RgbTriple {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

// Hue in degrees (0 <= hue < 360 as produced), saturation and lightness 0..1.
struct HslColor {
    double hue = 0.0;
    double saturation = 0.0;
    double lightness = 0.0;
};

// Grey value 0..255: 0.3 R + 0.59 G + 0.11 B, ties to even. Like every conversion here it
// takes a plain RGB colour; a system colour is translated before it comes here.
std::int32_t Luminance(ColorValue color);

// Hexcone model.
HslColor RgbToHsl(ColorValue color);

// Back to a colour value; channels rounded with RoundHalfUp and clamped to 0..255.
// The triple receives the unrounded channels.
ColorValue HslToRgb(double hue, double saturation, double lightness, RgbTriple& triple);
ColorValue HslToRgb(double hue, double saturation, double lightness);
ColorValue HslToRgb(const HslColor& hsl);

// One channel of the hexcone model for a hue in degrees (corrected once into 0..360).
double HueToValue(double m1, double m2, double hue);

// HSL on a scale where `scale` stands for 360 degrees and for 1.0 (the chooser uses
// 240). A scale of 0 gives black and leaves the triple alone.
ColorValue HslScaledToRgb(double hue, double saturation, double lightness, std::int16_t scale,
                          RgbTriple& triple);
ColorValue HslScaledToRgb(double hue, double saturation, double lightness, std::int16_t scale);

// trunc(x), plus one when the cut-off fraction is at least one half: halves round up
// for x >= 0, negative values are cut toward zero. 0 when the result is no 32-bit
// integer (NaN, infinity, out of range).
std::int32_t RoundHalfUp(double x);

// Each value below 0 becomes 0, each above 255 becomes 255.
void ClampRgb(double& red, double& green, double& blue);

}  // namespace tonzug
