#include "render/FreeShapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace tonzug {
namespace {

constexpr double kDegreesPerTurn = 360.0;
// A radius of zero is drawn as one this small, as CSS asks for a degenerate ending shape.
constexpr double kTinyRadius = 1e-9;
// And the other radius of an ellipse flattened to nothing this large.
constexpr double kHugeRadius = 1e9;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

struct Radii {
    double x = 0.0;
    double y = 0.0;
};

// The distances from the centre to the nearer and the farther side, each way.
struct SideDistances {
    double nearX;
    double farX;
    double nearY;
    double farY;
};

Radii RadiiOf(const RadialGeometry& radial, double cx, double cy, double width, double height) {
    const SideDistances sides{std::min(std::abs(cx), std::abs(width - cx)),
                              std::max(std::abs(cx), std::abs(width - cx)),
                              std::min(std::abs(cy), std::abs(height - cy)),
                              std::max(std::abs(cy), std::abs(height - cy))};
    const bool circle = radial.form == RadialForm::kCircle;
    // A corner's ellipse keeps the aspect ratio of the matching side's.
    const auto throughCorner = [circle](double cornerX, double cornerY, Radii side) {
        if (circle) {
            const double r = std::hypot(cornerX, cornerY);
            return Radii{r, r};
        }
        if (side.x <= 0.0 || side.y <= 0.0) {
            return Radii{0.0, 0.0};
        }
        const double ratio = side.y / side.x;
        const double rx = std::hypot(cornerX, cornerY / ratio);
        return Radii{rx, rx * ratio};
    };
    switch (radial.extent) {
        case RadialExtent::kClosestSide:
            if (circle) {
                const double r = std::min(sides.nearX, sides.nearY);
                return {r, r};
            }
            return {sides.nearX, sides.nearY};
        case RadialExtent::kFarthestSide:
            if (circle) {
                const double r = std::max(sides.farX, sides.farY);
                return {r, r};
            }
            return {sides.farX, sides.farY};
        case RadialExtent::kClosestCorner:
            return throughCorner(sides.nearX, sides.nearY, {sides.nearX, sides.nearY});
        case RadialExtent::kFarthestCorner:
            return throughCorner(sides.farX, sides.farY, {sides.farX, sides.farY});
        case RadialExtent::kExplicit:
            break;
    }
    if (circle) {
        const double reference = std::hypot(width, height) / std::numbers::sqrt2;
        const double r = radial.radiusX.Resolve(reference);
        return {r, r};
    }
    return {radial.radiusX.Resolve(width), radial.radiusY.Resolve(height)};
}

// CSS's degenerate ending shapes: zero size a tiny circle, zero width or height a
// needle of the other way.
Radii Drawable(Radii radii) {
    const bool flatX = !(radii.x > 0.0);
    const bool flatY = !(radii.y > 0.0);
    if (flatX && flatY) {
        return {kTinyRadius, kTinyRadius};
    }
    if (flatX) {
        return {kTinyRadius, kHugeRadius};
    }
    if (flatY) {
        return {kHugeRadius, kTinyRadius};
    }
    return radii;
}

// t times a polynomial in t^2 of the given coefficients, lowest first.
template <class Real, std::size_t kCount>
[[gnu::always_inline]] inline Real OddPolynomial(Real t,
                                                 const std::array<Real, kCount>& coefficients) {
    const Real s = t * t;
    Real sum = coefficients.back();
    for (std::size_t k = kCount - 1; k-- > 0;) {
        sum = sum * s + coefficients[k];
    }
    return t * sum;
}

// atan(t) for t in 0..1 as t times a polynomial in t^2, interpolated at the Chebyshev
// points of atan(sqrt(s)) / sqrt(s) on 0..1: off by less than 4e-11 (a thousandth of a
// pixel 16384 pixels from the centre). Branch-free, so a loop over it becomes vector code.
[[gnu::always_inline]] inline double ArcTangentOfFraction(double t) {
    constexpr std::array<double, 12> kCoefficients = {
        0.9999999999293024,   -0.3333333129088515,   0.1999990110215625,   -0.14283813257109715,
        0.11091922983234306,  -0.08974172076654932,  0.07228278741369346,  -0.05395668858621623,
        0.033826229014569734, -0.015828330421451632, 0.004732487451595564, -0.0006633960486700137};
    return OddPolynomial(t, kCoefficients);
}

// The same in single precision for a preview: Hastings' polynomial, off by less than 4e-8
// before the rounding of floats.
[[gnu::always_inline]] inline float ArcTangentOfFraction(float t) {
    constexpr std::array<float, 8> kCoefficients = {0.9999993329f,  -0.3332985605f, 0.1994653599f,
                                                    -0.1390853351f, 0.0964200441f,  -0.0559098861f,
                                                    0.0218612288f,  -0.0040540580f};
    return OddPolynomial(t, kCoefficients);
}

// atan2(across, up): the angle of (across, up) from the up direction, growing clockwise,
// -pi .. pi.
template <class Real>
[[gnu::always_inline]] inline Real AngleFromUp(Real across, Real up) {
    constexpr Real kZero = 0;
    constexpr Real kPi = std::numbers::pi_v<Real>;
    const Real a = std::abs(across);
    const Real b = std::abs(up);
    const Real larger = std::max(a, b);
    const Real fraction = larger > kZero ? std::min(a, b) / larger : kZero;
    Real angle = ArcTangentOfFraction(fraction);
    angle = a > b ? kPi / 2 - angle : angle;
    angle = up < kZero ? kPi - angle : angle;
    return across < kZero ? -angle : angle;
}

// A turn of -1.5 .. 1 (half a turn either way, less a start of 0 .. 1) brought into 0 .. 1,
// without a floor, which takes a library call on plain x86-64.
[[gnu::always_inline]] inline double TurnsWithin(double turns) {
    turns += turns < 0.0 ? 1.0 : 0.0;
    return turns + (turns < 0.0 ? 1.0 : 0.0);
}

}  // namespace

double DirectionDegrees(const LinearDirection& direction, double width, double height) {
    if (direction.towardX == 0 && direction.towardY == 0) {
        return direction.degrees;
    }
    // A corner's gradient line is perpendicular to the diagonal through the two other corners.
    return std::atan2(static_cast<double>(direction.towardX) * height,
                      -static_cast<double>(direction.towardY) * width) *
           180.0 / std::numbers::pi;
}

FreePlacement::FreePlacement(const FreeGradient& gradient, double width, double height)
    : shape_(gradient.shape) {
    switch (shape_) {
        case FreeShape::kLinear: {
            const double angle = Radians(DirectionDegrees(gradient.linear, width, height));
            directionX_ = std::sin(angle);
            directionY_ = -std::cos(angle);
            lineLength_ = std::abs(width * directionX_) + std::abs(height * directionY_);
            pixelsPerUnit_ = lineLength_;
            centerX_ = width / 2.0;
            centerY_ = height / 2.0;
            break;
        }
        case FreeShape::kRadial: {
            centerX_ = gradient.radial.center.x.Resolve(width);
            centerY_ = gradient.radial.center.y.Resolve(height);
            const Radii radii =
                Drawable(RadiiOf(gradient.radial, centerX_, centerY_, width, height));
            lineLength_ = radii.x;
            // A unit longer than the box's diagonal is never seen whole.
            pixelsPerUnit_ = std::min(std::max(radii.x, radii.y), std::hypot(width, height));
            inverseRadiusX_ = 1.0 / radii.x;
            inverseRadiusY_ = 1.0 / radii.y;
            break;
        }
        case FreeShape::kConic:
            centerX_ = gradient.conic.center.x.Resolve(width);
            centerY_ = gradient.conic.center.y.Resolve(height);
            lineLength_ = kDegreesPerTurn;
            pixelsPerUnit_ = 2.0 * std::numbers::pi *
                             std::hypot(std::max(std::abs(centerX_), std::abs(width - centerX_)),
                                        std::max(std::abs(centerY_), std::abs(height - centerY_)));
            startTurns_ = gradient.conic.fromDegrees / kDegreesPerTurn;
            startTurns_ -= std::floor(startTurns_);
            break;
    }
}

double FreePlacement::PositionAt(double x, double y) const {
    const double dx = x - centerX_;
    const double dy = y - centerY_;
    switch (shape_) {
        case FreeShape::kLinear:
            return lineLength_ > 0.0 ? (dx * directionX_ + dy * directionY_) / lineLength_ + 0.5
                                     : 0.5;
        case FreeShape::kRadial: {
            // Far from overflowing at any picture size, so the plain root (hypot is slow).
            const double across = dx * inverseRadiusX_;
            const double down = dy * inverseRadiusY_;
            return std::sqrt(across * across + down * down);
        }
        case FreeShape::kConic: {
            // 0 points up and the angle grows clockwise, y growing downward.
            return TurnsWithin(AngleFromUp(dx, -dy) / (2.0 * std::numbers::pi) - startTurns_);
        }
    }
    return 0.0;
}

// Four lanes at a time where the processor has them; the same operations, so the same bits.
[[gnu::target_clones("avx2", "default")]] void FreePlacement::PositionsAlongRow(
    double firstX, double stepX, double y, int firstStep, std::span<double> positions) const {
    const auto xAt = [&](std::size_t i) {
        return firstX + stepX * static_cast<double>(firstStep + static_cast<int>(i));
    };
    switch (shape_) {
        case FreeShape::kLinear: {
            // Along a row a linear gradient's position grows evenly.
            const double rowStart = PositionAt(firstX, y);
            const double perStep = PositionAt(firstX + stepX, y) - rowStart;
            for (std::size_t i = 0; i < positions.size(); ++i) {
                positions[i] =
                    rowStart + perStep * static_cast<double>(firstStep + static_cast<int>(i));
            }
            return;
        }
        case FreeShape::kRadial: {
            const double down = (y - centerY_) * inverseRadiusY_;
            for (std::size_t i = 0; i < positions.size(); ++i) {
                const double across = (xAt(i) - centerX_) * inverseRadiusX_;
                positions[i] = std::sqrt(across * across + down * down);
            }
            return;
        }
        case FreeShape::kConic: {
            const double up = centerY_ - y;
            for (std::size_t i = 0; i < positions.size(); ++i) {
                positions[i] = TurnsWithin(
                    AngleFromUp(xAt(i) - centerX_, up) / (2.0 * std::numbers::pi) - startTurns_);
            }
            return;
        }
    }
}

// Sixteen lanes at a time where the processor has them, and fused multiplies and adds.
[[gnu::target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")]] void
FreePlacement::RoughPositionsAlongRow(double firstX, double stepX, double y, int firstStep,
                                      std::span<float> positions) const {
    // Pixel i lies (whole + i + fraction) steps right of the centre: the whole steps exact in a
    // float, so that right beside the centre the offset is off by no more than a rounding.
    const double stepsFromCenter = (firstX - centerX_) / stepX + static_cast<double>(firstStep);
    const double wholeSteps = std::floor(stepsFromCenter);
    const auto whole = static_cast<std::int32_t>(wholeSteps);
    const auto fraction = static_cast<float>(stepsFromCenter - wholeSteps);
    const auto stepsAt = [&](std::size_t i) {
        return static_cast<float>(whole + static_cast<std::int32_t>(i)) + fraction;
    };
    switch (shape_) {
        case FreeShape::kLinear: {
            const double rowStart = PositionAt(firstX, y);
            const double perStep = PositionAt(firstX + stepX, y) - rowStart;
            const auto start =
                static_cast<float>(rowStart + perStep * static_cast<double>(firstStep));
            const auto step = static_cast<float>(perStep);
            for (std::size_t i = 0; i < positions.size(); ++i) {
                positions[i] = start + step * static_cast<float>(i);
            }
            return;
        }
        case FreeShape::kRadial: {
            const auto down = static_cast<float>((y - centerY_) * inverseRadiusY_);
            const auto acrossPerStep = static_cast<float>(stepX * inverseRadiusX_);
            for (std::size_t i = 0; i < positions.size(); ++i) {
                const float across = stepsAt(i) * acrossPerStep;
                positions[i] = std::sqrt(across * across + down * down);
            }
            return;
        }
        case FreeShape::kConic: {
            const auto up = static_cast<float>(centerY_ - y);
            const auto step = static_cast<float>(stepX);
            const auto start = static_cast<float>(startTurns_);
            constexpr float kTurnsPerRadian = 0.5f / std::numbers::pi_v<float>;
            for (std::size_t i = 0; i < positions.size(); ++i) {
                float turns = AngleFromUp(stepsAt(i) * step, up) * kTurnsPerRadian - start;
                turns += turns < 0.0f ? 1.0f : 0.0f;
                positions[i] = turns + (turns < 0.0f ? 1.0f : 0.0f);
            }
            return;
        }
    }
}

}  // namespace tonzug
