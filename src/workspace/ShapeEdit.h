#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "color/CssInterpolation.h"
#include "render/FreeGradient.h"

namespace tonzug {

// The shapes the window offers, in the order of its choice: a radial gradient is a circle
// or an ellipse.
enum class ShapeChoice : std::int32_t { kLinear, kCircle, kEllipse, kConic };

ShapeChoice ShapeChoiceOf(const FreeGradient& gradient);
// Another shape keeps the stops, the space, the repetition and the centre; a linear gradient
// turned conic starts where it pointed.
void SetShapeChoice(FreeGradient& gradient, ShapeChoice choice);

// The angle of a linear gradient (a side or corner resolved on a box of width x height) or
// where a conic gradient starts, in degrees clockwise from up, 0 .. 360; 0 for radial ones.
double ShapeAngle(const FreeGradient& gradient, double width, double height);
// Sets that angle, brought into 0 .. 360 and rounded to a hundredth of a degree; radial
// gradients have none.
void SetShapeAngle(FreeGradient& gradient, double degrees);
// Whether the shape has an angle (linear, conic) or a centre (radial, conic).
bool HasAngle(const FreeGradient& gradient);
bool HasCentre(const FreeGradient& gradient);

// The centre of a radial or conic gradient in percent of the box.
struct CentrePercent {
    double x = 50.0;
    double y = 50.0;
};
CentrePercent ShapeCentre(const FreeGradient& gradient, double width, double height);
// Sets it in percent, rounded to a hundredth, kept within -100 .. 200 % of the box.
void SetShapeCentre(FreeGradient& gradient, CentrePercent centre);

// The extent of a radial gradient as the window offers it (closest side .. farthest corner);
// radii given as lengths count as the farthest corner.
RadialExtent ShapeExtent(const FreeGradient& gradient);
void SetShapeExtent(FreeGradient& gradient, RadialExtent extent);

// The direction from (centreX, centreY) to (x, y) as CSS measures angles: degrees clockwise
// from up, 0 .. 360. A point on the centre gives 0.
double DragAngle(double centreX, double centreY, double x, double y);

// The interpolation spaces of the colour mode, in the window's order: the four classic modes
// first (RGB, HSL, Oklab, OkLCh), then the others of CSS.
struct SpaceOption {
    InterpolationSpace space;
    std::string_view caption;
};
inline constexpr std::array<SpaceOption, 14> kSpaceOptions{{
    {InterpolationSpace::kSrgb, "RGB"},
    {InterpolationSpace::kHsl, "HSL"},
    {InterpolationSpace::kOklab, "Oklab"},
    {InterpolationSpace::kOklch, "OkLCh"},
    {InterpolationSpace::kSrgbLinear, "sRGB linear"},
    {InterpolationSpace::kDisplayP3, "Display P3"},
    {InterpolationSpace::kA98Rgb, "A98 RGB"},
    {InterpolationSpace::kProphotoRgb, "ProPhoto RGB"},
    {InterpolationSpace::kRec2020, "Rec. 2020"},
    {InterpolationSpace::kLab, "Lab"},
    {InterpolationSpace::kLch, "LCh"},
    {InterpolationSpace::kXyzD50, "XYZ D50"},
    {InterpolationSpace::kXyzD65, "XYZ D65"},
    {InterpolationSpace::kHwb, "HWB"},
}};
// The classic colour modes are the first four options.
inline constexpr std::int32_t kClassicSpaceOptions = 4;

// The index of a space in kSpaceOptions.
std::int32_t SpaceOptionIndex(InterpolationSpace space);

}  // namespace tonzug
