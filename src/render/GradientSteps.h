#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "render/ColorLine.h"
#include "render/Raster.h"
#include "render/RasterCoverage.h"

namespace tonzug {

// Rows of 32-bit words that the shapes paint: the pixels of a raster, or the step codes
// from which an unrounded output is made.
struct WordRows {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;

    explicit WordRows(Raster& raster)
        : pixels(raster.Row(0)), width(raster.Width()), height(raster.Height()) {}
    WordRows(std::uint32_t* words, int columns, int rows)
        : pixels(words), width(columns), height(rows) {}

    int Width() const { return width; }
    int Height() const { return height; }
    std::uint32_t* Row(int k) const { return pixels + static_cast<std::size_t>(k) * width; }
};

// The code under which the shapes paint step `step` when asked for steps: never kNoPixel.
inline std::uint32_t StepCode(std::int64_t step) {
    return static_cast<std::uint32_t>(step + 1);
}
inline std::int64_t StepOfCode(std::uint32_t code) {
    return static_cast<std::int64_t>(code) - 1;
}

// The part k of a band (or region) whose surface position first + k lies in `span`,
// for a band of `size` rows (or columns).
inline PixelSpan BandPartWithin(PixelSpan span, int first, int size) {
    const std::int64_t begin = std::max<std::int64_t>(std::int64_t{span.first} - first, 0);
    const std::int64_t end = std::min<std::int64_t>(std::int64_t{span.end} - first, size);
    if (begin >= end) {
        return {};
    }
    return {static_cast<int>(begin), static_cast<int>(end)};
}

// A first guess at the step that reaches `position` for steps of `stepSize`, in range.
inline std::int64_t StepNear(double position, float stepSize, std::int64_t lastStep) {
    if (!(stepSize > 0.0f)) {
        return lastStep;
    }
    const double estimate = std::floor(position / static_cast<double>(stepSize));
    return static_cast<std::int64_t>(std::clamp(estimate, 0.0, static_cast<double>(lastStep)));
}

// Largest index in lo .. hi for which `holds` is true, for a predicate that is true up
// to some index and false after it; lo - 1 when it holds nowhere. The search gallops
// out from `guess`, so a hint that is right or off by one costs two or three tests.
template <typename Predicate>
std::int64_t LastHolding(std::int64_t lo, std::int64_t hi, std::int64_t guess, Predicate holds) {
    if (hi < lo) {
        return lo - 1;
    }
    guess = std::clamp(guess, lo, hi);
    std::int64_t below = 0;  // holds here, or lo - 1
    std::int64_t above = 0;  // fails here, or hi + 1
    std::int64_t stride = 1;
    if (holds(guess)) {
        below = guess;
        for (;;) {
            if (below == hi) {
                return hi;
            }
            const std::int64_t probe = std::min(hi, below + stride);
            if (!holds(probe)) {
                above = probe;
                break;
            }
            below = probe;
            stride *= 2;
        }
    } else {
        above = guess;
        for (;;) {
            if (above == lo) {
                return lo - 1;
            }
            const std::int64_t probe = std::max(lo, above - stride);
            if (holds(probe)) {
                below = probe;
                break;
            }
            above = probe;
            stride *= 2;
        }
    }
    while (above - below > 1) {
        const std::int64_t middle = below + (above - below) / 2;
        if (holds(middle)) {
            below = middle;
        } else {
            above = middle;
        }
    }
    return below;
}

// The pixel words of a gradient's steps (step i shows the colour line's position i + 1),
// or their step codes: what a shape paints for the step it finds at a pixel. Remembers
// runs of steps whose colour paints nothing, so that looking past a long band of such
// colours is paid for once per drawing, not once per pixel.
class StepPainter {
  public:
    enum class Yield { kPixelWords, kStepCodes };

    // `table`, when not empty, holds the word of every step.
    StepPainter(const ColorLine& line, std::span<const std::uint32_t> table,
                Yield yield = Yield::kPixelWords)
        : line_(line), table_(table), yieldsCodes_(yield == Yield::kStepCodes) {}

    // The word of the step, or its code when asked for codes; kNoPixel either way when
    // its colour paints nothing.
    std::uint32_t PixelOf(std::int64_t step) const {
        const std::uint32_t word = table_.empty() ? ResolvePixel(line_.At(step + 1))
                                                  : table_[static_cast<std::size_t>(step)];
        return yieldsCodes_ && word != kNoPixel ? StepCode(step) : word;
    }

    // PixelOf for every step of `steps` into `words` (as far as both reach), their
    // colours worked out together.
    void PixelsOf(std::span<const std::int32_t> steps, std::span<std::uint32_t> words) const {
        const std::size_t count = std::min(steps.size(), words.size());
        if (!table_.empty()) {
            for (std::size_t i = 0; i < count; ++i) {
                words[i] = PixelOf(steps[i]);
            }
            return;
        }
        std::vector<std::int64_t> entries(count);
        for (std::size_t i = 0; i < count; ++i) {
            entries[i] = std::int64_t{steps[i]} + 1;
        }
        std::vector<ColorValue> colors(count);
        line_.AtEach(entries, colors);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t word = ResolvePixel(colors[i]);
            words[i] = yieldsCodes_ && word != kNoPixel ? StepCode(steps[i]) : word;
        }
    }

    // The word of the last step at or below `step` that paints something, looking only
    // at steps for which `covers` holds (it holds for `step` and fails for all steps
    // below the first that fails); kNoPixel when no such step paints.
    template <typename Covers>
    std::uint32_t LastPainted(std::int64_t step, Covers covers) {
        std::uint32_t word = PixelOf(step);
        if (word != kNoPixel) {
            return word;
        }
        std::int64_t low = step;  // steps low .. step paint nothing
        for (;;) {
            low = BottomOfKnownRun(low);
            const std::int64_t next = low - 1;
            if (next < 0 || !covers(next)) {
                break;
            }
            word = PixelOf(next);
            if (word != kNoPixel) {
                break;
            }
            low = next;
        }
        Remember(low, step);
        return word;
    }

  private:
    struct Run {
        std::int64_t low = 0;
        std::int64_t high = -1;
    };

    std::int64_t BottomOfKnownRun(std::int64_t step) const {
        bool moved = true;
        while (moved) {
            moved = false;
            for (const Run& run : unpainted_) {
                if (run.low < step && step <= run.high) {
                    step = run.low;
                    moved = true;
                }
            }
        }
        return step;
    }

    void Remember(std::int64_t low, std::int64_t high) {
        Run merged{low, high};
        std::size_t target = nextSlot_;
        bool joined = false;
        for (std::size_t i = 0; i < unpainted_.size(); ++i) {
            const Run& run = unpainted_[i];
            if (run.low <= run.high && run.low <= merged.high + 1 && merged.low <= run.high + 1) {
                merged = {std::min(run.low, merged.low), std::max(run.high, merged.high)};
                unpainted_[i] = Run{};
                target = i;
                joined = true;
            }
        }
        if (!joined) {
            nextSlot_ = (nextSlot_ + 1) % unpainted_.size();
        }
        unpainted_[target] = merged;
    }

    const ColorLine& line_;
    std::span<const std::uint32_t> table_;
    bool yieldsCodes_ = false;
    std::array<Run, 4> unpainted_{};
    std::size_t nextSlot_ = 0;
};

}  // namespace tonzug
