#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "color/PerceptualBlend.h"
#include "render/ColorRamp.h"
#include "render/RampParts.h"

namespace tonzug {
namespace {

using ramp_parts::BandLayout;
using ramp_parts::EmptyRamp;
using ramp_parts::EndColorAt;
using ramp_parts::IndexRange;
using ramp_parts::PrepareEnds;
using ramp_parts::RampEnds;

// A perceptual sample costs up to a microsecond when it leaves the sRGB gamut, so only
// short ramps are worth a table: a preview looks up a few hundred entries at most.
constexpr std::int32_t kTableLimit = 128;

ExactColor ExactFrom(const RgbTriple& channels) {
    const auto limit = [](double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 255.0) : 0.0; };
    return {limit(channels.red), limit(channels.green), limit(channels.blue)};
}

// The 8-bit colour of unrounded channels, ties to even as the RGB ramps round.
ColorValue Rounded(const ExactColor& exact) {
    return RgbColor(static_cast<int>(std::nearbyint(exact.red)),
                    static_cast<int>(std::nearbyint(exact.green)),
                    static_cast<int>(std::nearbyint(exact.blue)));
}

// The blends at `ts`, gamut-mapped together and rounded as one by one, into `colors`.
void BlendEach(const PerceptualBlend& blend, std::span<const double> ts,
               std::span<ColorValue> colors) {
    std::vector<RgbTriple> channels(ts.size());
    blend.AtEach(ts, channels);
    for (std::size_t i = 0; i < channels.size() && i < colors.size(); ++i) {
        colors[i] = Rounded(ExactFrom(channels[i]));
    }
}

// One blended section of a banded ramp, sampled where the RGB section samples: entry k
// of count entries at t = (k - shift / 2) / (count + 1/2) between c1 and c2.
class PerceptualSection {
  public:
    PerceptualSection(const IndexRange& range, ColorValue c1, ColorValue c2, std::int32_t shift,
                      BlendSpace space, HuePath path)
        : blend_(ChannelsOf(c1), ChannelsOf(c2), space, path),
          count_(static_cast<double>(range.last - range.first) + 1.5),
          shift_(static_cast<double>(shift) / 2.0) {}

    ColorValue At(std::int64_t k) const { return Rounded(Exact(k)); }
    ExactColor Exact(std::int64_t k) const { return ExactFrom(blend_.At(PositionOf(k))); }

    void AtEach(std::span<const std::int64_t> ks, std::span<ColorValue> colors) const {
        std::vector<double> ts(std::min(ks.size(), colors.size()));
        for (std::size_t i = 0; i < ts.size(); ++i) {
            ts[i] = PositionOf(ks[i]);
        }
        BlendEach(blend_, ts, colors);
    }

  private:
    double PositionOf(std::int64_t k) const { return (static_cast<double>(k) - shift_) / count_; }

    PerceptualBlend blend_;
    double count_;
    double shift_;
};

// Start to end colour, entry i at t = (i - 1) / (steps - 1) as in the RGB ramp.
class PerceptualTwo final : public ColorRamp {
  public:
    PerceptualTwo(const RampEnds& ends, float steps, BlendSpace space, HuePath path)
        : ends_(ends),
          divisor_(static_cast<double>(steps) - 1.0),
          blend_(ChannelsOf(ends.start), ChannelsOf(ends.end), space, path) {}

    std::int32_t UpperBound() const override { return ends_.upperBound; }

    ColorValue At(std::int64_t index) const override {
        if (const std::optional<ColorValue> endColor = EndColorAt(index, ends_)) {
            return *endColor;
        }
        return Rounded(Exact(index));
    }

    ExactColor Exact(std::int64_t index) const override {
        if (const std::optional<ColorValue> endColor = EndColorAt(index, ends_)) {
            return ExactOf(*endColor);
        }
        return ExactFrom(blend_.At(PositionOf(index)));
    }

    void AtEach(std::span<const std::int64_t> indices,
                std::span<ColorValue> colors) const override {
        // Every entry is blended; the ends and the entries outside are then put right.
        std::vector<double> ts(std::min(indices.size(), colors.size()));
        for (std::size_t i = 0; i < ts.size(); ++i) {
            ts[i] = PositionOf(std::clamp<std::int64_t>(indices[i], 1, ends_.upperBound));
        }
        BlendEach(blend_, ts, colors);
        for (std::size_t i = 0; i < ts.size(); ++i) {
            if (const std::optional<ColorValue> endColor = EndColorAt(indices[i], ends_)) {
                colors[i] = *endColor;
            }
        }
    }

  private:
    double PositionOf(std::int64_t index) const {
        return static_cast<double>(index - 1) / divisor_;
    }

    RampEnds ends_;
    double divisor_;
    PerceptualBlend blend_;
};

}  // namespace

std::unique_ptr<ColorRamp> BuildRampPerceptualTwo(ColorValue start, ColorValue end, float steps,
                                                  BlendSpace space, HuePath path) {
    const std::optional<RampEnds> ends = PrepareEnds(start, end, steps);
    if (!ends) {
        return std::make_unique<EmptyRamp>();
    }
    return ramp_parts::Finish(PerceptualTwo(*ends, steps, space, path), kTableLimit);
}

std::unique_ptr<ColorRamp> BuildRampPerceptualBands(const ClassicColors& colors, float steps,
                                                    BlendSpace space, HuePath path) {
    const std::optional<RampEnds> ends = PrepareEnds(colors.start, colors.end, steps);
    if (!ends) {
        return std::make_unique<EmptyRamp>();
    }
    const ColorValue start = ends->start;
    const ColorValue end = ends->end;
    ColorValue middle = colors.middle;
    const std::int32_t upperBound = ends->upperBound;
    const BandLayout layout = ramp_parts::ComputeBandLayout(steps, upperBound, colors);
    if (!colors.middleOn) {
        // The space's own halfway point, as a whole colour like the RGB ramp's.
        const PerceptualBlend whole(ChannelsOf(start), ChannelsOf(end), space, path);
        middle = Rounded(ExactFrom(whole.At(0.5)));
    }
    return ramp_parts::Finish(
        ramp_parts::RampBandsOf<PerceptualSection>(
            upperBound, layout, start, middle, end,
            PerceptualSection(layout.towardMiddle, start, middle, 0, space, path),
            PerceptualSection(layout.awayFromMiddle, middle, end, 1, space, path)),
        kTableLimit);
}

}  // namespace tonzug
