#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "render/ColorRamp.h"

// The pieces that every ramp builder shares: the layout of the bands and sections, the
// banded ramp over any kind of section, and the table that short ramps are held in.
namespace tonzug::ramp_parts {

struct IndexRange {
    std::int64_t first = 0;
    std::int64_t last = -1;
    bool Contains(std::int64_t index) const { return index >= first && index <= last; }
};

// Where the bands and the two blended sections of a banded ramp lie.
struct BandLayout {
    IndexRange startBand;
    IndexRange endBand;
    IndexRange middleBand;
    IndexRange towardMiddle;
    IndexRange awayFromMiddle;
};

// What the start of every two- and three-colour builder works out: the end colours and N
// for the step count (raised to 2 in `steps`). Empty when there is no
// N; the builder then gives an empty ramp.
struct RampEnds {
    ColorValue start = 0;
    ColorValue end = 0;
    std::int32_t upperBound = 0;
};
std::optional<RampEnds> PrepareEnds(ColorValue start, ColorValue end, float& steps);

// The colour of an index of a two-colour ramp on or beyond its ends: 0 outside 1 .. N,
// the start and end colours as given at 1 and N; empty for an index inside, which the
// ramp blends.
std::optional<ColorValue> EndColorAt(std::int64_t index, const RampEnds& ends);

// The layout of the colours' middle and bands for `steps` (already raised to 2) and N.
BandLayout ComputeBandLayout(float steps, std::int64_t upperBound, const ClassicColors& colors);

// A section blends its colours over its range; k counts its entries from 1.
template <class Section>
class RampBandsOf final : public ColorRamp {
  public:
    RampBandsOf(std::int32_t upperBound, const BandLayout& layout, ColorValue start,
                ColorValue middle, ColorValue end, Section towardMiddle, Section awayFromMiddle)
        : upperBound_(upperBound),
          layout_(layout),
          start_(start),
          middle_(middle),
          end_(end),
          towardMiddle_(std::move(towardMiddle)),
          awayFromMiddle_(std::move(awayFromMiddle)) {}

    std::int32_t UpperBound() const override { return upperBound_; }

    ColorValue At(std::int64_t index) const override {
        const Source source = Locate(index);
        return source.section != nullptr ? source.section->At(source.k) : source.color;
    }

    ExactColor Exact(std::int64_t index) const override {
        const Source source = Locate(index);
        return source.section != nullptr ? source.section->Exact(source.k) : ExactOf(source.color);
    }

    void AtEach(std::span<const std::int64_t> indices,
                std::span<ColorValue> colors) const override {
        if constexpr (!kSectionsWorkTogether) {
            ColorRamp::AtEach(indices, colors);
        } else {
            // Each section's entries together; the colours as given on the first pass.
            const std::size_t count = std::min(indices.size(), colors.size());
            std::vector<Source> sources(count);
            for (std::size_t i = 0; i < count; ++i) {
                sources[i] = Locate(indices[i]);
                colors[i] = sources[i].color;
            }
            std::vector<std::int64_t> ks;
            std::vector<std::size_t> slots;
            std::vector<ColorValue> blended;
            for (const Section* section : {&towardMiddle_, &awayFromMiddle_}) {
                ks.clear();
                slots.clear();
                for (std::size_t i = 0; i < count; ++i) {
                    if (sources[i].section == section) {
                        ks.push_back(sources[i].k);
                        slots.push_back(i);
                    }
                }
                blended.resize(ks.size());
                section->AtEach(ks, blended);
                for (std::size_t j = 0; j < slots.size(); ++j) {
                    colors[slots[j]] = blended[j];
                }
            }
        }
    }

  private:
    static constexpr bool kSectionsWorkTogether = requires(
        const Section& section, std::span<const std::int64_t> ks, std::span<ColorValue> out) {
        section.AtEach(ks, out);
    };

    // Where an entry's colour comes from: entry k of a section, or a colour as given (0
    // outside the ramp).
    struct Source {
        const Section* section = nullptr;
        std::int64_t k = 0;
        ColorValue color = 0;
    };

    // Start band, end band, the section toward the middle, the one away from it and the
    // middle band were written in this order: a later one wins an index.
    Source Locate(std::int64_t index) const {
        if (index < 0 || index > upperBound_) {
            return {};
        }
        if (layout_.middleBand.Contains(index)) {
            return {.color = middle_};
        }
        if (layout_.awayFromMiddle.Contains(index)) {
            return {&awayFromMiddle_, index - layout_.awayFromMiddle.first + 1};
        }
        if (layout_.towardMiddle.Contains(index)) {
            return {&towardMiddle_, index - layout_.towardMiddle.first + 1};
        }
        if (layout_.endBand.Contains(index)) {
            return {.color = end_};
        }
        if (layout_.startBand.Contains(index)) {
            return {.color = start_};
        }
        return {};
    }

    std::int32_t upperBound_;
    BandLayout layout_;
    ColorValue start_;
    ColorValue middle_;
    ColorValue end_;
    Section towardMiddle_;
    Section awayFromMiddle_;
};

class EmptyRamp final : public ColorRamp {
  public:
    std::int32_t UpperBound() const override { return -1; }
    ColorValue At(std::int64_t) const override { return 0; }
    ExactColor Exact(std::int64_t) const override { return {}; }
};

// The entries of a short ramp, evaluated once.
class TabulatedRamp final : public ColorRamp {
  public:
    explicit TabulatedRamp(const ColorRamp& source);

    std::int32_t UpperBound() const override {
        return static_cast<std::int32_t>(entries_.size()) - 1;
    }
    ColorValue At(std::int64_t index) const override {
        return Inside(index) ? entries_[static_cast<std::size_t>(index)] : 0;
    }
    ExactColor Exact(std::int64_t index) const override {
        return Inside(index) ? exact_[static_cast<std::size_t>(index)] : ExactColor{};
    }

  private:
    bool Inside(std::int64_t index) const {
        return index >= 0 && static_cast<std::uint64_t>(index) < entries_.size();
    }

    std::vector<ColorValue> entries_;
    std::vector<ExactColor> exact_;
};

// The ramp as it is, or in a table when it has at most `tableLimit` steps.
template <class Ramp>
std::unique_ptr<ColorRamp> Finish(Ramp&& ramp, std::int32_t tableLimit) {
    if (ramp.UpperBound() <= tableLimit) {
        return std::make_unique<TabulatedRamp>(ramp);
    }
    return std::make_unique<std::decay_t<Ramp>>(std::forward<Ramp>(ramp));
}

}  // namespace tonzug::ramp_parts
