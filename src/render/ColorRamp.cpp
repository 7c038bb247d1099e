#include "render/ColorRamp.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "color/ColorSpaces.h"
#include "color/SystemColors.h"
#include "render/RampLine.h"
#include "render/Raster.h"

namespace tonzug {
namespace {

// Ramps up to this many steps are evaluated once into a table; longer ones are
// evaluated per call. The limit stays small because a preview redraws on every
// keystroke and looks up only a few hundred entries: a table of tens of thousands of
// HSL entries would cost more than the drawing. The renderer keeps tables of its own
// where a picture looks up each step many times.
constexpr std::int32_t kTableLimit = 1024;

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

RampLine LineFrom(ColorValue origin) {
    RampLine line;
    line.red = static_cast<float>(RedOf(origin));
    line.green = static_cast<float>(GreenOf(origin));
    line.blue = static_cast<float>(BlueOf(origin));
    return line;
}

struct IndexRange {
    std::int64_t first = 0;
    std::int64_t last = -1;
    bool Contains(std::int64_t index) const { return index >= first && index <= last; }
};

// One blended section of a banded ramp: entries from..to on the way from c1 to c2,
// sampled at k / (count + 1/2) (shift 0) or (k - 1/2) / (count + 1/2) (shift 1).
struct RampSection {
    RampSection(std::int64_t from, std::int64_t to, ColorValue c1, ColorValue c2,
                std::int32_t shift)
        : range{from, to}, line(LineFrom(c1)) {
        const auto count = static_cast<float>(static_cast<double>(to - from) + 1.5);
        line.dRed = DiffRed(c1, c2) / count;
        line.dGreen = DiffGreen(c1, c2) / count;
        line.dBlue = DiffBlue(c1, c2) / count;
        const auto shiftFactor = static_cast<float>(shift);
        line.red -= (line.dRed / 2.0f) * shiftFactor;
        line.green -= (line.dGreen / 2.0f) * shiftFactor;
        line.blue -= (line.dBlue / 2.0f) * shiftFactor;
    }

    ColorValue At(std::int64_t index) const { return line.At(Increments(index)); }
    ExactColor Exact(std::int64_t index) const { return line.ExactAt(Increments(index)); }
    float Increments(std::int64_t index) const {
        return static_cast<float>(index - range.first + 1);
    }

    IndexRange range;
    RampLine line;
};

class EmptyRamp final : public ColorRamp {
  public:
    std::int32_t UpperBound() const override { return -1; }
    ColorValue At(std::int64_t) const override { return 0; }
    ExactColor Exact(std::int64_t) const override { return {}; }
};

class RampTwo final : public ColorRamp {
  public:
    RampTwo(ColorValue start, ColorValue end, float steps, std::int32_t upperBound)
        : upperBound_(upperBound), start_(start), end_(end), line_(LineFrom(start)) {
        const float divisor = steps - 1.0f;  // the float step count, not N - 1
        line_.dRed = DiffRed(start, end) / divisor;
        line_.dGreen = DiffGreen(start, end) / divisor;
        line_.dBlue = DiffBlue(start, end) / divisor;
    }

    std::int32_t UpperBound() const override { return upperBound_; }

    ColorValue At(std::int64_t index) const override {
        if (index < 1 || index > upperBound_) {
            return 0;
        }
        if (index == 1) {
            return start_;
        }
        if (index == upperBound_) {
            return end_;
        }
        return line_.At(static_cast<float>(index - 1));
    }

    ExactColor Exact(std::int64_t index) const override {
        if (index < 1 || index > upperBound_) {
            return {};
        }
        if (index == 1 || index == upperBound_) {
            return ExactOf(At(index));
        }
        return line_.ExactAt(static_cast<float>(index - 1));
    }

  private:
    std::int32_t upperBound_;
    ColorValue start_;
    ColorValue end_;
    RampLine line_;
};

// Start band, end band, a section toward the middle colour, a section away from it and
// the middle band, where a later one of these wins an index over an earlier one.
class RampBands final : public ColorRamp {
  public:
    struct Layout {
        IndexRange startBand;
        IndexRange endBand;
        IndexRange middleBand;
        std::int64_t towardMiddleFrom = 0;
        std::int64_t towardMiddleTo = -1;
        std::int64_t awayFromMiddleFrom = 0;
        std::int64_t awayFromMiddleTo = -1;
    };

    RampBands(std::int32_t upperBound, const Layout& layout, ColorValue start, ColorValue middle,
              ColorValue end)
        : upperBound_(upperBound),
          start_(start),
          middle_(middle),
          end_(end),
          startBand_(layout.startBand),
          endBand_(layout.endBand),
          middleBand_(layout.middleBand),
          towardMiddle_(layout.towardMiddleFrom, layout.towardMiddleTo, start, middle, 0),
          awayFromMiddle_(layout.awayFromMiddleFrom, layout.awayFromMiddleTo, middle, end, 1) {}

    std::int32_t UpperBound() const override { return upperBound_; }

    ColorValue At(std::int64_t index) const override {
        if (index < 0 || index > upperBound_) {
            return 0;
        }
        if (middleBand_.Contains(index)) {
            return middle_;
        }
        if (awayFromMiddle_.range.Contains(index)) {
            return awayFromMiddle_.At(index);
        }
        if (towardMiddle_.range.Contains(index)) {
            return towardMiddle_.At(index);
        }
        if (endBand_.Contains(index)) {
            return end_;
        }
        if (startBand_.Contains(index)) {
            return start_;
        }
        return 0;
    }

    ExactColor Exact(std::int64_t index) const override {
        if (index < 0 || index > upperBound_ || middleBand_.Contains(index)) {
            return ExactOf(At(index));
        }
        if (awayFromMiddle_.range.Contains(index)) {
            return awayFromMiddle_.Exact(index);
        }
        if (towardMiddle_.range.Contains(index)) {
            return towardMiddle_.Exact(index);
        }
        return ExactOf(At(index));
    }

  private:
    std::int32_t upperBound_;
    ColorValue start_;
    ColorValue middle_;
    ColorValue end_;
    IndexRange startBand_;
    IndexRange endBand_;
    IndexRange middleBand_;
    RampSection towardMiddle_;
    RampSection awayFromMiddle_;
};

class RampHsl final : public ColorRamp {
  public:
    RampHsl(ColorValue start, ColorValue end, std::int32_t upperBound)
        : upperBound_(upperBound), start_(start), end_(end), origin_(RgbToHsl(start)) {
        const HslColor target = RgbToHsl(end);
        // With one step the increments cannot be formed and stay 0.
        if (upperBound != 1) {
            const double divisor = static_cast<double>(upperBound) - 1.0;
            increment_.hue = (target.hue - origin_.hue) / divisor;
            increment_.saturation = (target.saturation - origin_.saturation) / divisor;
            increment_.lightness = (target.lightness - origin_.lightness) / divisor;
        }
    }

    std::int32_t UpperBound() const override { return upperBound_; }

    ColorValue At(std::int64_t index) const override {
        if (index < 0 || index > upperBound_) {
            return 0;
        }
        // The end colour is written to index N before the blend rewrites 2..N, so it
        // survives only where the blend does not reach: N = 0 and N = 1.
        if (index == upperBound_ && upperBound_ <= 1) {
            return end_;
        }
        if (index == 0) {
            return 0;
        }
        if (index == 1) {
            return start_;
        }
        RgbTriple unused;
        return Blend(index, unused);
    }

    ExactColor Exact(std::int64_t index) const override {
        if (index <= 1 || index > upperBound_ || (index == upperBound_ && upperBound_ <= 1)) {
            return ExactOf(At(index));
        }
        RgbTriple unrounded;
        const ColorValue rounded = Blend(index, unrounded);
        return {ExactHslChannel(unrounded.red, RedOf(rounded)),
                ExactHslChannel(unrounded.green, GreenOf(rounded)),
                ExactHslChannel(unrounded.blue, BlueOf(rounded))};
    }

  private:
    ColorValue Blend(std::int64_t index, RgbTriple& unrounded) const {
        const auto k = static_cast<double>(index - 1);
        return HslToRgb(k * increment_.hue + origin_.hue,
                        k * increment_.saturation + origin_.saturation,
                        k * increment_.lightness + origin_.lightness, unrounded);
    }

    // The channel x 255 limited to 0..255, as long as it rounds (halves up) to the channel
    // HslToRgb gave; the channel itself for the few values that do not (a channel that
    // was no number counts as 0 there).
    static double ExactHslChannel(double unrounded, std::int32_t rounded) {
        const double limited = std::isfinite(unrounded) ? std::clamp(unrounded, 0.0, 255.0) : 0.0;
        return RoundHalfUp(limited) == rounded ? limited : static_cast<double>(rounded);
    }

    std::int32_t upperBound_;
    ColorValue start_;
    ColorValue end_;
    HslColor origin_;
    HslColor increment_;
};

// The entries of a short ramp, evaluated once.
class TabulatedRamp final : public ColorRamp {
  public:
    template <class Ramp>
    explicit TabulatedRamp(const Ramp& source)
        : entries_(static_cast<std::size_t>(source.UpperBound()) + 1), exact_(entries_.size()) {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            entries_[i] = source.Ramp::At(static_cast<std::int64_t>(i));
            exact_[i] = source.Ramp::Exact(static_cast<std::int64_t>(i));
        }
    }

    std::int32_t UpperBound() const override {
        return static_cast<std::int32_t>(entries_.size()) - 1;
    }

    ColorValue At(std::int64_t index) const override {
        if (index < 0 || static_cast<std::uint64_t>(index) >= entries_.size()) {
            return 0;
        }
        return entries_[static_cast<std::size_t>(index)];
    }

    ExactColor Exact(std::int64_t index) const override {
        if (index < 0 || static_cast<std::uint64_t>(index) >= entries_.size()) {
            return {};
        }
        return exact_[static_cast<std::size_t>(index)];
    }

  private:
    std::vector<ColorValue> entries_;
    std::vector<ExactColor> exact_;
};

template <class Ramp>
std::unique_ptr<ColorRamp> Finish(const Ramp& ramp) {
    if (ramp.UpperBound() <= kTableLimit) {
        return std::make_unique<TabulatedRamp>(ramp);
    }
    return std::make_unique<Ramp>(ramp);
}

}  // namespace

ExactColor ExactOf(ColorValue color) {
    const std::uint32_t word = ResolvePixel(color);
    if (word == kNoPixel) {
        return {};
    }
    const ColorValue resolved = FromPixel(word);
    return {static_cast<double>(RedOf(resolved)), static_cast<double>(GreenOf(resolved)),
            static_cast<double>(BlueOf(resolved))};
}

std::int32_t ClampByte(float x) {
    return ClampChannel(x);
}

float DiffRed(ColorValue c1, ColorValue c2) {
    return static_cast<float>(RedOf(c2) - RedOf(c1));
}
float DiffGreen(ColorValue c1, ColorValue c2) {
    return static_cast<float>(GreenOf(c2) - GreenOf(c1));
}
float DiffBlue(ColorValue c1, ColorValue c2) {
    return static_cast<float>(BlueOf(c2) - BlueOf(c1));
}

std::unique_ptr<ColorRamp> BuildRampTwo(ColorValue start, ColorValue end, float steps) {
    start = TranslateColor(start, 0);
    end = TranslateColor(end, 0);
    const std::optional<std::int32_t> upperBound = RgbUpperBound(steps);
    if (!upperBound) {
        return std::make_unique<EmptyRamp>();
    }
    return Finish(RampTwo(start, end, steps, *upperBound));
}

std::unique_ptr<ColorRamp> BuildRampBands(ColorValue start, ColorValue end, float steps,
                                          float middlePercent, ColorValue middle,
                                          std::int16_t middleOn, std::int32_t startBand,
                                          std::int32_t middleBand, std::int32_t endBand) {
    start = TranslateColor(start, 0);
    end = TranslateColor(end, 0);
    const std::optional<std::int32_t> upperBound = RgbUpperBound(steps);
    if (!upperBound) {
        return std::make_unique<EmptyRamp>();
    }
    const std::int64_t n = *upperBound;

    RampBands::Layout layout;
    layout.startBand = {1, startBand};
    // A float step count plus a 32-bit band width: formed in doubles, where the sum is exact,
    // so that a wide band is not shifted by the float's rounding.
    layout.endBand = {
        RoundPosition(static_cast<double>(steps) - static_cast<double>(endBand) + 1.0).value_or(0),
        n};
    // Two floats: the product and the quotient are floats, rounded at each operation, as the
    // decimal arithmetic a user has in mind gives (125 steps at 2.8 % make 3.5, so index 4;
    // in doubles 2.8f is 2.7999999 and the index 3). A position that cannot be rounded
    // leaves the index at 0.
    const float middlePosition = steps * middlePercent / 100.0f;
    const std::int64_t middleIndex = RoundPosition(middlePosition).value_or(0);
    const std::int64_t beforeMiddle = middleIndex - middleBand / 2 - 1;
    const std::int64_t afterMiddle = beforeMiddle + middleBand + 1;
    layout.middleBand = {beforeMiddle + 1, afterMiddle - 1};
    layout.towardMiddleFrom = static_cast<std::int64_t>(startBand) + 1;
    layout.towardMiddleTo = beforeMiddle;
    layout.awayFromMiddleFrom = afterMiddle;
    layout.awayFromMiddleTo = n - endBand;

    if (middleOn == 0) {
        const RampLine halfway = LineFrom(start);
        middle = RgbColor(ClampByte(halfway.red + DiffRed(start, end) / 2.0f),
                          ClampByte(halfway.green + DiffGreen(start, end) / 2.0f),
                          ClampByte(halfway.blue + DiffBlue(start, end) / 2.0f));
    }
    return Finish(RampBands(*upperBound, layout, start, middle, end));
}

std::unique_ptr<ColorRamp> BuildRampHsl(ColorValue start, ColorValue end, std::int32_t steps) {
    if (steps < 0) {
        return std::make_unique<EmptyRamp>();
    }
    return Finish(RampHsl(start, end, steps));
}

}  // namespace tonzug
