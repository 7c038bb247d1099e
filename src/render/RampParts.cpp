#include "render/RampParts.h"

#include <algorithm>
#include <cmath>

namespace tonzug::ramp_parts {
namespace {

// Ties to even. Far values are pinned to +-2^62 so that index sums stay in range.
std::optional<std::int64_t> RoundPosition(double x) {
    if (std::isnan(x)) {
        return std::nullopt;
    }
    constexpr double kLimit = 4611686018427387904.0;  // 2^62
    return static_cast<std::int64_t>(std::nearbyint(std::clamp(x, -kLimit, kLimit)));
}

// N of an RGB ramp: the step count raised to 2 and rounded. Empty when the result is
// no 32-bit integer (NaN, infinity, too large).
std::optional<std::int32_t> RgbUpperBound(float& steps) {
    if (steps < 2.0f) {
        steps = 2.0f;
    }
    if (!(steps < 2147483648.0f)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(std::nearbyint(steps));
}

}  // namespace

std::optional<RampEnds> PrepareEnds(ColorValue start, ColorValue end, float& steps) {
    const std::optional<std::int32_t> upperBound = RgbUpperBound(steps);
    if (!upperBound) {
        return std::nullopt;
    }
    return RampEnds{start, end, *upperBound};
}

std::optional<ColorValue> EndColorAt(std::int64_t index, const RampEnds& ends) {
    if (index < 1 || index > ends.upperBound) {
        return ColorValue{0};
    }
    if (index == 1) {
        return ends.start;
    }
    if (index == ends.upperBound) {
        return ends.end;
    }
    return std::nullopt;
}

BandLayout ComputeBandLayout(float steps, std::int64_t upperBound, const ClassicColors& colors) {
    const SolidBands& bands = colors.bands;
    BandLayout layout;
    layout.startBand = {1, bands.start};
    // A float step count plus a 32-bit band width: formed in doubles, where the sum is exact,
    // so that a wide band is not shifted by the float's rounding.
    layout.endBand = {
        RoundPosition(static_cast<double>(steps) - static_cast<double>(bands.end) + 1.0)
            .value_or(0),
        upperBound};
    // Two floats: the product and the quotient are floats, rounded at each operation, as the
    // decimal arithmetic a user has in mind gives (125 steps at 2.8 % make 3.5, so index 4;
    // in doubles 2.8f is 2.7999999 and the index 3). A position that cannot be rounded
    // leaves the index at 0.
    const float middlePosition = steps * colors.middlePercent / 100.0f;
    const std::int64_t middleIndex = RoundPosition(middlePosition).value_or(0);
    const std::int64_t beforeMiddle = middleIndex - bands.middle / 2 - 1;
    const std::int64_t afterMiddle = beforeMiddle + bands.middle + 1;
    layout.middleBand = {beforeMiddle + 1, afterMiddle - 1};
    layout.towardMiddle = {static_cast<std::int64_t>(bands.start) + 1, beforeMiddle};
    layout.awayFromMiddle = {afterMiddle, upperBound - bands.end};
    return layout;
}

TabulatedRamp::TabulatedRamp(const ColorRamp& source)
    : entries_(static_cast<std::size_t>(source.UpperBound()) + 1), exact_(entries_.size()) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i] = source.At(static_cast<std::int64_t>(i));
        exact_[i] = source.Exact(static_cast<std::int64_t>(i));
    }
}

}  // namespace tonzug::ramp_parts
