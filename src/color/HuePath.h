#pragma once

#include <cstdint>

#include "color/ColorSpaces.h"

namespace tonzug {

// The way a blend goes round the hue circle; the values are the ones parameter files store.
enum class HuePath : std::int32_t {
    kDirect = 0,      // the hues blended as plain numbers
    kShorter = 1,     // the shorter arc
    kLonger = 2,      // the longer arc
    kIncreasing = 3,  // upward, wrapping at 360
    kDecreasing = 4,  // downward, wrapping at 0
};

// A stored key value as a path; values outside 0..4 read as kDirect.
HuePath HuePathFromKey(std::int32_t key);

// The hues, in degrees, at the two ends of a blend.
struct HuePair {
    double from = 0.0;
    double to = 0.0;
};

// Prepares two hues for blending along `path`. A NaN hue (a colour without hue) takes the
// other end's hue, whatever the path; with both NaN both stay NaN. kDirect leaves the
// hues otherwise untouched. The other paths bring both into 0..360 and then add 360 to one
// of them where the arc demands it, so a blended hue may reach up to 720: pass it through
// NormalizeHue before turning it back into a colour.
HuePair AdjustHues(double from, double to, HuePath path);

// The hue brought into 0 <= hue < 360; NaN stays NaN.
double NormalizeHue(double degrees);

// The hues of two HSL colours for a blend along `path`. kDirect keeps the numeric
// blend exactly, where a grey counts as hue 0. On the other paths a grey (saturation 0)
// has no hue and takes the other end's, so that red to grey along the shorter arc stays
// red rather than turning through other hues.
HuePair HslHuesForPath(const HslColor& from, const HslColor& to, HuePath path);

}  // namespace tonzug
