// GIMP's way of drawing a gradient's colour at one place: its blend factors and its HSV.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

#include "render/FreeColorLine.h"
#include "web/GimpGradient.h"

namespace tonzug {
namespace {

// GIMP treats shorter segments as degenerate.
constexpr double kDegenerate = 1e-10;
// Below this spread of the channels GIMP takes a colour as grey: hue and saturation 0.
constexpr double kGreySpread = 0.0001;
constexpr double kHueSectors = 6.0;

struct Hsv {
    double hue = 0.0;  // 0..1
    double saturation = 0.0;
    double value = 0.0;
};

Hsv ToHsv(const CssColor& color) {
    const double largest = std::max({color.red, color.green, color.blue});
    const double spread = largest - std::min({color.red, color.green, color.blue});
    if (spread <= kGreySpread) {
        return {0.0, 0.0, largest};
    }
    double sector = 0.0;
    if (color.red == largest) {
        sector = (color.green - color.blue) / spread;
        if (sector < 0.0) {
            sector += kHueSectors;
        }
    } else if (color.green == largest) {
        sector = 2.0 + (color.blue - color.red) / spread;
    } else {
        sector = 4.0 + (color.red - color.green) / spread;
    }
    return {sector / kHueSectors, spread / largest, largest};
}

CssColor FromHsv(const Hsv& hsv, double alpha) {
    const double v = hsv.value;
    if (hsv.saturation == 0.0) {
        return {v, v, v, alpha};
    }
    const double sector = (hsv.hue >= 1.0 ? 0.0 : hsv.hue) * kHueSectors;
    const int index = std::min(static_cast<int>(sector), static_cast<int>(kHueSectors) - 1);
    const double within = sector - index;
    const double low = v * (1.0 - hsv.saturation);
    const double falling = v * (1.0 - hsv.saturation * within);
    const double rising = v * (1.0 - hsv.saturation * (1.0 - within));
    switch (index) {
        case 0:
            return {v, rising, low, alpha};
        case 1:
            return {falling, v, low, alpha};
        case 2:
            return {low, v, rising, alpha};
        case 3:
            return {low, falling, v, alpha};
        case 4:
            return {rising, low, v, alpha};
        default:
            return {v, low, falling, alpha};
    }
}

double Mix(double from, double to, double factor) {
    return from + (to - from) * factor;
}

// Equal hues go a whole turn round, as in GIMP.
double HueAt(double from, double to, GimpColoring coloring, double factor) {
    if (coloring == GimpColoring::kHsvCounterClockwise) {
        const double hue = from + (from < to ? to - from : 1.0 - (from - to)) * factor;
        return hue > 1.0 ? hue - 1.0 : hue;
    }
    const double hue = from - (to < from ? from - to : 1.0 - (to - from)) * factor;
    return hue < 0.0 ? hue + 1.0 : hue;
}

}  // namespace

CssColor GimpSegmentColorAt(const GimpSegment& segment, double x) {
    const double length = segment.right - segment.left;
    const bool degenerate = length < kDegenerate;
    const double middle = degenerate ? 0.5 : (segment.middle - segment.left) / length;
    const double position = degenerate ? 0.5 : std::clamp((x - segment.left) / length, 0.0, 1.0);
    return GimpBlendColors(segment, EasedFraction(segment.blend, middle, position));
}

CssColor GimpBlendColors(const GimpSegment& segment, double factor) {
    const CssColor& from = segment.leftColor;
    const CssColor& to = segment.rightColor;
    const double alpha = Mix(from.alpha, to.alpha, factor);
    if (segment.coloring == GimpColoring::kRgb) {
        return {Mix(from.red, to.red, factor), Mix(from.green, to.green, factor),
                Mix(from.blue, to.blue, factor), alpha};
    }
    const Hsv start = ToHsv(from);
    const Hsv end = ToHsv(to);
    return FromHsv(
        {HueAt(start.hue, end.hue, segment.coloring, factor),
         Mix(start.saturation, end.saturation, factor), Mix(start.value, end.value, factor)},
        alpha);
}

CssColor GimpColorAt(const GimpSegments& segments, double x) {
    if (segments.empty()) {
        return {0.0, 0.0, 0.0, 0.0};
    }
    const double clamped = std::clamp(x, 0.0, 1.0);
    auto segment = segments.begin();
    while (std::next(segment) != segments.end() && clamped >= segment->right) {
        ++segment;
    }
    return GimpSegmentColorAt(*segment, clamped);
}

}  // namespace tonzug
