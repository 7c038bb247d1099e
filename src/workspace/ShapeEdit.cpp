#include "workspace/ShapeEdit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/FreeShapes.h"

namespace tonzug {
namespace {

constexpr double kFullTurn = 360.0;
// Angles and centres are kept to a hundredth, so that a drag writes short CSS.
constexpr double kHundredths = 100.0;
constexpr double kLowestCentre = -100.0;
constexpr double kHighestCentre = 200.0;

double Hundredths(double value) {
    return std::round(value * kHundredths) / kHundredths;
}

double IntoTurn(double degrees) {
    const double turned = std::fmod(degrees, kFullTurn);
    const double positive = turned < 0.0 ? turned + kFullTurn : turned;
    // Rounding may reach a full turn again.
    const double rounded = Hundredths(positive);
    return rounded >= kFullTurn ? 0.0 : rounded;
}

BoxPosition& CentreOf(FreeGradient& gradient) {
    return gradient.shape == FreeShape::kConic ? gradient.conic.center : gradient.radial.center;
}

double Percent(const LengthPercentage& length, double reference) {
    return reference > 0.0 ? length.Resolve(reference) / reference * 100.0 : length.percent;
}

}  // namespace

ShapeChoice ShapeChoiceOf(const FreeGradient& gradient) {
    switch (gradient.shape) {
        case FreeShape::kRadial:
            return gradient.radial.form == RadialForm::kCircle ? ShapeChoice::kCircle
                                                               : ShapeChoice::kEllipse;
        case FreeShape::kConic:
            return ShapeChoice::kConic;
        case FreeShape::kLinear:
            break;
    }
    return ShapeChoice::kLinear;
}

void SetShapeChoice(FreeGradient& gradient, ShapeChoice choice) {
    const BoxPosition centre = CentreOf(gradient);
    const bool wasLinear = gradient.shape == FreeShape::kLinear;
    switch (choice) {
        case ShapeChoice::kLinear:
            gradient.shape = FreeShape::kLinear;
            break;
        case ShapeChoice::kCircle:
        case ShapeChoice::kEllipse:
            gradient.shape = FreeShape::kRadial;
            gradient.radial.form =
                choice == ShapeChoice::kCircle ? RadialForm::kCircle : RadialForm::kEllipse;
            // A circle's radius cannot be a percentage: lengths give way to an extent.
            if (gradient.radial.extent == RadialExtent::kExplicit) {
                gradient.radial.extent = RadialExtent::kFarthestCorner;
            }
            gradient.radial.center = centre;
            break;
        case ShapeChoice::kConic:
            if (wasLinear) {
                gradient.conic.fromDegrees =
                    gradient.linear.towardX == 0 && gradient.linear.towardY == 0
                        ? IntoTurn(gradient.linear.degrees)
                        : 0.0;
            }
            gradient.shape = FreeShape::kConic;
            gradient.conic.center = centre;
            break;
    }
}

double ShapeAngle(const FreeGradient& gradient, double width, double height) {
    switch (gradient.shape) {
        case FreeShape::kLinear:
            return IntoTurn(DirectionDegrees(gradient.linear, width, height));
        case FreeShape::kConic:
            return IntoTurn(gradient.conic.fromDegrees);
        case FreeShape::kRadial:
            break;
    }
    return 0.0;
}

void SetShapeAngle(FreeGradient& gradient, double degrees) {
    if (gradient.shape == FreeShape::kLinear) {
        gradient.linear = LinearDirection{.degrees = IntoTurn(degrees)};
    } else if (gradient.shape == FreeShape::kConic) {
        gradient.conic.fromDegrees = IntoTurn(degrees);
    }
}

bool HasAngle(const FreeGradient& gradient) {
    return gradient.shape != FreeShape::kRadial;
}

bool HasCentre(const FreeGradient& gradient) {
    return gradient.shape != FreeShape::kLinear;
}

CentrePercent ShapeCentre(const FreeGradient& gradient, double width, double height) {
    const BoxPosition& centre =
        gradient.shape == FreeShape::kConic ? gradient.conic.center : gradient.radial.center;
    return {Percent(centre.x, width), Percent(centre.y, height)};
}

void SetShapeCentre(FreeGradient& gradient, CentrePercent centre) {
    const auto kept = [](double percent) {
        return LengthPercentage{Hundredths(std::clamp(percent, kLowestCentre, kHighestCentre)),
                                0.0};
    };
    CentreOf(gradient) = BoxPosition{kept(centre.x), kept(centre.y)};
}

RadialExtent ShapeExtent(const FreeGradient& gradient) {
    return gradient.radial.extent == RadialExtent::kExplicit ? RadialExtent::kFarthestCorner
                                                             : gradient.radial.extent;
}

void SetShapeExtent(FreeGradient& gradient, RadialExtent extent) {
    if (extent != RadialExtent::kExplicit) {
        gradient.radial.extent = extent;
    }
}

double DragAngle(double centreX, double centreY, double x, double y) {
    if (x == centreX && y == centreY) {
        return 0.0;
    }
    return IntoTurn(std::atan2(x - centreX, centreY - y) * 180.0 / std::numbers::pi);
}

std::int32_t SpaceOptionIndex(InterpolationSpace space) {
    const auto* found = std::ranges::find(kSpaceOptions, space, &SpaceOption::space);
    return static_cast<std::int32_t>(found - kSpaceOptions.begin());
}

}  // namespace tonzug
