#include "render/ColorRamp.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "color/ColorSpaces.h"
#include "render/RampLine.h"
#include "render/RampParts.h"
#include "render/Raster.h"

namespace tonzug {
namespace {

using ramp_parts::BandLayout;
using ramp_parts::EmptyRamp;
using ramp_parts::EndColorAt;
using ramp_parts::IndexRange;
using ramp_parts::PrepareEnds;
using ramp_parts::RampEnds;

// Ramps up to this many steps are evaluated once into a table; longer ones are
// evaluated per call. The limit stays small because a preview redraws on every
// keystroke and looks up only a few hundred entries: a table of tens of thousands of
// HSL entries would cost more than the drawing. The renderer keeps tables of its own
// where a picture looks up each step many times.
constexpr std::int32_t kTableLimit = 1024;

RampLine LineFrom(ColorValue origin) {
    RampLine line;
    line.red = static_cast<float>(RedOf(origin));
    line.green = static_cast<float>(GreenOf(origin));
    line.blue = static_cast<float>(BlueOf(origin));
    return line;
}

// One blended section of an RGB banded ramp: k increments past its origin, which lies
// at c1 (shift 0) or half an increment before it (shift 1), the increment being
// (c2 - c1) / (count + 1/2).
class RampSection {
  public:
    RampSection(const IndexRange& range, ColorValue c1, ColorValue c2, std::int32_t shift)
        : line_(LineFrom(c1)) {
        const auto count = static_cast<float>(static_cast<double>(range.last - range.first) + 1.5);
        line_.dRed = DiffRed(c1, c2) / count;
        line_.dGreen = DiffGreen(c1, c2) / count;
        line_.dBlue = DiffBlue(c1, c2) / count;
        const auto shiftFactor = static_cast<float>(shift);
        line_.red -= (line_.dRed / 2.0f) * shiftFactor;
        line_.green -= (line_.dGreen / 2.0f) * shiftFactor;
        line_.blue -= (line_.dBlue / 2.0f) * shiftFactor;
    }

    ColorValue At(std::int64_t k) const { return line_.At(static_cast<float>(k)); }
    ExactColor Exact(std::int64_t k) const { return line_.ExactAt(static_cast<float>(k)); }

  private:
    RampLine line_;
};

class RampTwo final : public ColorRamp {
  public:
    RampTwo(const RampEnds& ends, float steps) : ends_(ends), line_(LineFrom(ends.start)) {
        const float divisor = steps - 1.0f;  // the float step count, not N - 1
        line_.dRed = DiffRed(ends.start, ends.end) / divisor;
        line_.dGreen = DiffGreen(ends.start, ends.end) / divisor;
        line_.dBlue = DiffBlue(ends.start, ends.end) / divisor;
    }

    std::int32_t UpperBound() const override { return ends_.upperBound; }

    ColorValue At(std::int64_t index) const override {
        if (const std::optional<ColorValue> endColor = EndColorAt(index, ends_)) {
            return *endColor;
        }
        return line_.At(static_cast<float>(index - 1));
    }

    ExactColor Exact(std::int64_t index) const override {
        if (const std::optional<ColorValue> endColor = EndColorAt(index, ends_)) {
            return ExactOf(*endColor);
        }
        return line_.ExactAt(static_cast<float>(index - 1));
    }

  private:
    RampEnds ends_;
    RampLine line_;
};

class RampHsl final : public ColorRamp {
  public:
    RampHsl(ColorValue start, ColorValue end, std::int32_t upperBound, HuePath path)
        : upperBound_(upperBound),
          start_(start),
          end_(end),
          origin_(RgbToHsl(start)),
          wrapsHue_(path != HuePath::kDirect) {
        HslColor target = RgbToHsl(end);
        const HuePair hues = HslHuesForPath(origin_, target, path);
        origin_.hue = hues.from;
        target.hue = hues.to;
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
        // Along a chosen path the blended hue may pass 360 and is brought back; the direct
        // blend keeps the plain number.
        const double hue = k * increment_.hue + origin_.hue;
        return HslToRgb(wrapsHue_ ? NormalizeHue(hue) : hue,
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
    bool wrapsHue_;
};

}  // namespace

void ColorLine::AtEach(std::span<const std::int64_t> positions,
                       std::span<ColorValue> colors) const {
    const std::size_t count = std::min(positions.size(), colors.size());
    for (std::size_t i = 0; i < count; ++i) {
        colors[i] = At(positions[i]);
    }
}

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
    const std::optional<RampEnds> ends = PrepareEnds(start, end, steps);
    if (!ends) {
        return std::make_unique<EmptyRamp>();
    }
    return ramp_parts::Finish(RampTwo(*ends, steps), kTableLimit);
}

std::unique_ptr<ColorRamp> BuildRampBands(const ClassicColors& colors, float steps) {
    const std::optional<RampEnds> ends = PrepareEnds(colors.start, colors.end, steps);
    if (!ends) {
        return std::make_unique<EmptyRamp>();
    }
    const ColorValue start = ends->start;
    const ColorValue end = ends->end;
    ColorValue middle = colors.middle;
    const BandLayout layout = ramp_parts::ComputeBandLayout(steps, ends->upperBound, colors);
    if (!colors.middleOn) {
        const RampLine halfway = LineFrom(start);
        middle = RgbColor(ClampByte(halfway.red + DiffRed(start, end) / 2.0f),
                          ClampByte(halfway.green + DiffGreen(start, end) / 2.0f),
                          ClampByte(halfway.blue + DiffBlue(start, end) / 2.0f));
    }
    return ramp_parts::Finish(
        ramp_parts::RampBandsOf<RampSection>(ends->upperBound, layout, start, middle, end,
                                             RampSection(layout.towardMiddle, start, middle, 0),
                                             RampSection(layout.awayFromMiddle, middle, end, 1)),
        kTableLimit);
}

std::unique_ptr<ColorRamp> BuildRampHsl(ColorValue start, ColorValue end, std::int32_t steps,
                                        HuePath path) {
    if (steps < 0) {
        return std::make_unique<EmptyRamp>();
    }
    return ramp_parts::Finish(RampHsl(start, end, steps, path), kTableLimit);
}

}  // namespace tonzug
