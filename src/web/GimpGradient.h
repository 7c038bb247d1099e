#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "color/CssColor.h"
#include "render/FreeGradient.h"
#include "web/ColorLineSplit.h"

// GIMP's gradient files (.ggr): a colour line of segments, each with its own blend type
// and colouring.
namespace tonzug {

enum class GimpColoring : std::int32_t {
    kRgb,
    kHsvCounterClockwise,  // hue increasing
    kHsvClockwise,         // hue decreasing
};

// One segment as the file holds it: positions 0..1 on the gradient line, the middle
// absolute (not relative to the segment), colours with straight alpha.
struct GimpSegment {
    double left = 0.0;
    double middle = 0.5;
    double right = 1.0;
    CssColor leftColor;
    CssColor rightColor;
    Easing blend = Easing::kLinear;
    GimpColoring coloring = GimpColoring::kRgb;

    friend bool operator==(const GimpSegment&, const GimpSegment&) = default;
};

// Left to right, covering 0..1.
using GimpSegments = std::vector<GimpSegment>;

enum class GimpFileProblem : std::int32_t {
    kNotGimpGradient,  // the first line is not "GIMP Gradient"
    kSegmentCount,
    kSegmentLine,  // not 13 or 15 numbers, or the file ends early
    kNotFinite,
    kBlendType,
    kColoring,
    kColorType,
    kColorRange,
    kReversed,  // the segment ends before it begins
    kMiddle,
    kGap,  // the segment does not begin where the one before it ends (the first: at 0)
    kEnd,  // the last segment does not end at 1
    kTooManyStops,
};

struct GimpFileError {
    std::size_t line = 0;  // counted from 1
    GimpFileProblem problem = GimpFileProblem::kNotGimpGradient;
};

struct GimpSegmentsReading {
    std::optional<GimpSegments> segments;
    std::string name;
    GimpFileError error;               // when `segments` is empty
    std::size_t firstSegmentLine = 0;  // for problems found in the segments later
};

// The segments of a .ggr file as GIMP reads them: "GIMP Gradient", an optional
// "Name: …", the number of segments, then one line per segment, "left middle right r0 g0
// b0 a0 r1 g1 b1 a1 type colouring" with or without the two colour types GIMP 2.10 adds.
// Foreground and background colour types take the colours stored in the line (transparent
// ones with alpha 0). Segments must join within the precision GIMP writes (1e-6).
GimpSegmentsReading ReadGimpSegments(std::string_view fileText);

struct GimpGradientReading {
    std::optional<FreeGradient> gradient;
    std::string name;
    GimpFileError error;  // when `gradient` is empty
};

// The file as a linear gradient to the right, blended in sRGB. Each segment gives a stop at
// either end (one stop where neighbours share the colour, two at the same place where they
// do not) and its blend type and middle as easing and midpoint; a middle at the centre
// gives no midpoint. HSV segments become sRGB pieces within half a level of GIMP's colours.
// Alpha blends straight where a segment changes it.
GimpGradientReading ReadGimpGradient(std::string_view fileText);

// Whether a file name ends in ".ggr", in any letter case.
bool IsGimpGradientPath(std::string_view path);

// "line 4: the middle lies outside its segment", or its German form.
std::string DescribeGimpFileError(const GimpFileError& error, MessageLanguage language);

// The colour line as segments GIMP draws exactly, or nothing where it cannot: stops need
// pure fractions in 0..1 in order, midpoints pure fractions within their segment,
// channels 0..1, sRGB interpolation, and equal alphas on each segment unless alpha blends
// straight. Stops that do not reach 0 or 1 get a segment of their colour up to the end.
std::optional<GimpSegments> GimpSegmentsOf(const FreeGradient& gradient);

// GIMP's drawing: colours brought into sRGB by the gamut mapping, blended there with
// straight alpha, every easing its own.
PieceDrawing StraightSrgbDrawing();

// The .ggr text of the colour line (lineLength as for FreeColorLine), numbers with six
// decimals as GIMP writes them: the segments GimpSegmentsOf gives, which ReadGimpGradient
// gives back for values six decimals hold, or else segments split so that GIMP draws
// them within half a level of the line, their own easing kept where that is close. The
// file holds the line from 0 to 1, a repeating line one period of it. Nothing for a line
// of fewer than two stops.
std::optional<std::string> GimpGradientText(const FreeGradient& gradient, std::string_view name,
                                            double lineLength);
std::string GimpFileText(const GimpSegments& segments, std::string_view name);

// The colour at x (clamped to 0..1) by GIMP's rules: the segment found as GIMP finds it
// (a boundary belongs to the segment on its right), its blend factor, the colour blended in
// RGB or along the HSV hue, alpha straight.
CssColor GimpColorAt(const GimpSegments& segments, double x);
// The same within one segment, x anywhere from its left to its right end.
CssColor GimpSegmentColorAt(const GimpSegment& segment, double x);
// The colour the segment's colouring gives at a blend factor 0..1.
CssColor GimpBlendColors(const GimpSegment& segment, double factor);

}  // namespace tonzug
