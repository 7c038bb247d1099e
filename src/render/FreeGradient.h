#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "color/CssColor.h"
#include "color/CssInterpolation.h"

// A free gradient: a shape, a colour line and an interpolation method, with the meaning
// CSS Images 4 gives them, plus the easing of GIMP's gradient segments.
namespace tonzug {

// A length in the picture: a percentage of a reference length plus pixels, as CSS's
// calc(<percentage> + <length>) gives it ("right 10px" is 100% - 10px).
struct LengthPercentage {
    double percent = 0.0;
    double pixels = 0.0;

    double Resolve(double reference) const { return percent / 100.0 * reference + pixels; }
    friend bool operator==(const LengthPercentage&, const LengthPercentage&) = default;
};

// A point of the picture box, from its left and top edges; the centre by default.
struct BoxPosition {
    LengthPercentage x{50.0, 0.0};
    LengthPercentage y{50.0, 0.0};

    friend bool operator==(const BoxPosition&, const BoxPosition&) = default;
};

// The direction of a linear gradient: an angle (0deg points up, clockwise, as CSS has
// it) or "to" a side or corner. A corner follows CSS's rule that the line through the
// two other corners is perpendicular to the gradient line.
struct LinearDirection {
    double degrees = 180.0;  // used when toward is {0, 0}
    // The side or corner after "to": horizontal -1 left, 1 right; vertical -1 top, 1 bottom.
    std::int32_t towardX = 0;
    std::int32_t towardY = 0;

    friend bool operator==(const LinearDirection&, const LinearDirection&) = default;
};

enum class RadialForm : std::int32_t { kCircle, kEllipse };
enum class RadialExtent : std::int32_t {
    kClosestSide,
    kFarthestSide,
    kClosestCorner,
    kFarthestCorner,
    kExplicit,  // the radii below
};

struct RadialGeometry {
    RadialForm form = RadialForm::kEllipse;
    RadialExtent extent = RadialExtent::kFarthestCorner;
    LengthPercentage radiusX;  // of the width; a circle uses radiusX alone
    LengthPercentage radiusY;  // of the height
    BoxPosition center;

    friend bool operator==(const RadialGeometry&, const RadialGeometry&) = default;
};

struct ConicGeometry {
    double fromDegrees = 0.0;  // 0 points up, clockwise
    BoxPosition center;

    friend bool operator==(const ConicGeometry&, const ConicGeometry&) = default;
};

enum class FreeShape : std::int32_t { kLinear, kRadial, kConic };

// Where a stop or a hint sits on the colour line: a fraction of the line plus an absolute
// part, pixels along the gradient line (linear, radial) or degrees (conic).
struct LinePosition {
    double fraction = 0.0;
    double absolute = 0.0;

    friend bool operator==(const LinePosition&, const LinePosition&) = default;
};

struct ColorStop {
    CssColor color;
    // Without one, CSS spaces the stop evenly between its neighbours.
    std::optional<LinePosition> position;

    friend bool operator==(const ColorStop&, const ColorStop&) = default;
};

// How the colour goes from one stop to the next, after GIMP's blend types. A CSS colour
// hint is kCurved with the hint as midpoint.
enum class Easing : std::int32_t {
    kLinear,  // straight, or in two straight pieces through a midpoint
    kCurved,  // the power curve that passes half way at the midpoint
    kSine,
    kSphereIncreasing,
    kSphereDecreasing,
    kStep,  // the first colour up to the midpoint, the second after it
};

struct StopSegment {
    Easing easing = Easing::kLinear;
    // Half way between the two colours; the middle of the segment without one.
    std::optional<LinePosition> midpoint;

    friend bool operator==(const StopSegment&, const StopSegment&) = default;
};

// How colours of different alpha blend: CSS blends them premultiplied, GIMP's gradients
// blend colour and alpha each on its own (straight).
enum class AlphaBlend : std::int32_t { kPremultiplied, kStraight };

// The most stops a colour line may hold.
inline constexpr std::size_t kMaxColorStops = 1024;

struct FreeGradient {
    FreeShape shape = FreeShape::kLinear;
    bool repeating = false;
    LinearDirection linear;
    RadialGeometry radial;
    ConicGeometry conic;
    // At least two; a stop written with two positions is two stops of its colour.
    std::vector<ColorStop> stops;
    // segments[i] lies between stops[i] and stops[i + 1].
    std::vector<StopSegment> segments;
    InterpolationMethod interpolation;
    AlphaBlend alphaBlend = AlphaBlend::kPremultiplied;

    friend bool operator==(const FreeGradient&, const FreeGradient&) = default;
};

}  // namespace tonzug
