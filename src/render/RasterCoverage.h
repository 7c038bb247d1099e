#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tonzug {

// The pixel-coverage arithmetic of the raster. The raster's primitives and the
// gradient renderer both decide coverage through these functions only, so a fast
// renderer that skips steps paints exactly what drawing every step would.

// Pixels first .. end - 1 along one axis.
struct PixelSpan {
    int first = 0;
    int end = 0;
    bool Empty() const { return end <= first; }
};

// A box edge pair lo <= hi covers the pixels FirstCovered(lo) .. EndCovered(lo, hi) - 1:
// every pixel whose square [c, c + 1) overlaps [lo, hi), and at least the pixel that
// holds lo, so that a box thinner than the float spacing at its position still shows.
inline double FirstCovered(float lo) {
    return std::floor(static_cast<double>(lo));
}
inline double EndCovered(float lo, float hi) {
    return std::max(std::floor(static_cast<double>(lo)) + 1.0, std::ceil(static_cast<double>(hi)));
}

// The pixels 0 .. count - 1 that the box edges a and b (in any order) cover.
inline PixelSpan CoveredSpan(float a, float b, int count) {
    if (std::isnan(a) || std::isnan(b)) {
        return {};
    }
    const float lo = std::min(a, b);
    const float hi = std::max(a, b);
    const double first = std::max(FirstCovered(lo), 0.0);
    const double end = std::min(EndCovered(lo, hi), static_cast<double>(count));
    if (!(first < end)) {
        return {};
    }
    return {static_cast<int>(first), static_cast<int>(end)};
}

// Offset of the centre of pixel `pixel` from a float coordinate; exact in double.
inline double CentreOffset(std::int64_t pixel, float centre) {
    return (static_cast<double>(pixel) + 0.5) - static_cast<double>(centre);
}

// Squared distance of a pixel centre, exact for the offsets of any raster size.
inline double DistanceSquared(double dx, double dy) {
    return dx * dx + dy * dy;
}

// Half the thickness of a circle outline drawn with a pen: half the pen plus half a
// pixel, so that rings one pen width apart overlap. Pens below 1 draw as 1.
inline double RingHalfWidth(std::int16_t penWidth) {
    return (static_cast<double>(std::max<std::int16_t>(penWidth, 1)) + 1.0) / 2.0;
}

// A ring of radius r covers a pixel centre at squared distance d2 when
// r - half <= d <= r + half, i.e. RingInnerLimit <= d2 <= RingOuterLimit. The two sides
// are separate predicates because each is monotone in r: the inner one holds for all
// radii up to some value, the outer one for all radii from some value on. Radii are
// non-negative; a ring whose inner edge reaches the centre has the inner limit -1.
inline double RingInnerLimit(float radius, double halfWidth) {
    const double inner = static_cast<double>(radius) - halfWidth;
    return inner <= 0.0 ? -1.0 : inner * inner;
}
inline double RingOuterLimit(float radius, double halfWidth) {
    const double outer = static_cast<double>(radius) + halfWidth;
    return outer * outer;
}
inline bool RingReachesInward(float radius, double halfWidth, double distanceSquared) {
    return RingInnerLimit(radius, halfWidth) <= distanceSquared;
}
inline bool RingReachesOutward(float radius, double halfWidth, double distanceSquared) {
    return distanceSquared <= RingOuterLimit(radius, halfWidth);
}
inline bool RingCovers(float radius, double halfWidth, double distanceSquared) {
    return RingReachesInward(radius, halfWidth, distanceSquared) &&
           RingReachesOutward(radius, halfWidth, distanceSquared);
}

}  // namespace tonzug
