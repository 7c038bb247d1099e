#pragma once

// The bands the gradient renderer paints into, one class per output format. The shapes
// (render/GradientShape.h) find the step that shows at each column, row or pixel; a
// target turns what the step painter yields for it (a pixel word, or a step code for the
// unrounded outputs) into "levels" once per step, and the levels into pixels at their
// place on the surface.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <mutex>
#include <type_traits>
#include <vector>

#include "render/ColorLine.h"
#include "render/GradientSteps.h"
#include "render/OutputFormat.h"
#include "render/Raster.h"
#include "render/Raster16.h"
#include "render/RasterCoverage.h"

namespace tonzug {

// Copies the first `period` items of span `columns` of a row along the rest of the span,
// so that every item repeats the one `period` columns before it.
// Runs `prepare` once for all threads. An exception (out of memory) must not leave
// std::call_once, which ends the program here, so it is caught inside and thrown again
// outside; the preparation then counts as done, and its result as missing.
template <class Prepare>
void PrepareOnce(std::once_flag& flag, Prepare prepare) {
    std::exception_ptr failure;
    std::call_once(flag, [&] {
        try {
            prepare();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    if (failure) {
        std::rethrow_exception(failure);
    }
}

template <class Pixel>
void RepeatAlongRow(Pixel* row, PixelSpan columns, int period) {
    const int total = columns.end - columns.first;
    int filled = std::min(period, total);
    Pixel* first = row + columns.first;
    while (filled < total) {
        const int length = std::min(filled, total - filled);
        std::memcpy(first + filled, first, static_cast<std::size_t>(length) * sizeof(Pixel));
        filled += length;
    }
}

// Sets row[c] = pixelAt(c) for the columns begin .. end - 1 whose painted[c] is not
// kNoPixel; for all of them when `painted` is null, in a loop the compiler can vectorise.
template <class Pixel, class PixelAt>
void PaintPixels(Pixel* row, const std::uint32_t* painted, int begin, int end, PixelAt pixelAt) {
    if (painted == nullptr) {
        for (int c = begin; c < end; ++c) {
            row[c] = pixelAt(c);
        }
        return;
    }
    for (int c = begin; c < end; ++c) {
        if (painted[c] != kNoPixel) {
            row[c] = pixelAt(c);
        }
    }
}

template <class Pixel>
void CopyRowSpan(const Pixel* from, Pixel* to, PixelSpan columns) {
    std::copy(from + columns.first, from + columns.end, to + columns.first);
}

// A band as the shapes paint it, for outputs whose pixel for a step is the same wherever
// the step shows; an output that depends on the place hides PaintRow and FillSpan.
template <class Band, class Pixel>
class BandTarget {
  public:
    explicit BandTarget(Band& band) : band_(band) {}

    int Width() const { return band_.Width(); }
    int Height() const { return band_.Height(); }

    template <class LevelsAt>
    void PaintRow(int k, std::int64_t /*firstColumn*/, std::int64_t /*y*/,
                  const std::uint32_t* painted, int columns, LevelsAt levelsAt) {
        PaintPixels(band_.Row(k), painted, 0, columns, [&](int c) { return levelsAt(c); });
    }
    void FillSpan(int k, PixelSpan columns, std::int64_t /*firstColumn*/, std::int64_t /*y*/,
                  Pixel pixel) {
        std::fill(band_.Row(k) + columns.first, band_.Row(k) + columns.end, pixel);
    }
    void CopyRow(int from, int to, PixelSpan columns) {
        CopyRowSpan(band_.Row(from), band_.Row(to), columns);
    }
    void CopyRowFrom(const Pixel* from, int to, PixelSpan columns) {
        CopyRowSpan(from, band_.Row(to), columns);
    }

  protected:
    Band& band_;
};

// Plain 8-bit pixels: each step's rounded colour.
class PlainTarget : public BandTarget<Raster, std::uint32_t> {
  public:
    using Levels = std::uint32_t;
    static constexpr StepPainter::Yield kYield = StepPainter::Yield::kPixelWords;
    // Rows that repeat: each row of a horizontal gradient is the one above.
    static constexpr int kRowPeriod = 1;

    explicit PlainTarget(Raster& raster) : BandTarget(raster) {}

    WordRows Words() { return WordRows(band_); }
    Levels LevelsOf(std::uint32_t word) const { return word; }
};

// Unrounded outputs: the levels of a step come from its exact colour.
class ExactLevels {
  public:
    static constexpr StepPainter::Yield kYield = StepPainter::Yield::kStepCodes;

    explicit ExactLevels(const ColorLine& line) : line_(line) {}

    ExactColor ExactOfCode(std::uint32_t code) const { return line_.Exact(StepOfCode(code) + 1); }
    // The line, for a target of the same output on another band.
    const ColorLine& Line() const { return line_; }

  private:
    const ColorLine& line_;
};

// 8 bits, dithered with the blue-noise mask at each pixel's place on the surface.
class DitherTarget : public BandTarget<Raster, std::uint32_t>, public ExactLevels {
  public:
    using Band = Raster;
    using Levels = DitherLevels;
    static constexpr int kRowPeriod = kBlueNoiseSide;

    DitherTarget(const ColorLine& line, Raster& raster) : BandTarget(raster), ExactLevels(line) {}

    Levels LevelsOf(std::uint32_t code) const { return DitherLevelsOf(ExactOfCode(code)); }
    template <class LevelsAt>
    void PaintRow(int k, std::int64_t firstColumn, std::int64_t y, const std::uint32_t* painted,
                  int columns, LevelsAt levelsAt) {
        const std::uint16_t* ranks = BlueNoiseRankRow(y);
        constexpr std::int64_t kWrap = kBlueNoiseSide - 1;
        // In runs of columns that meet the mask row in one piece.
        for (int begin = 0; begin < columns;) {
            const auto offset = static_cast<int>((firstColumn + begin) & kWrap) - begin;
            const int end = std::min(columns, begin + kBlueNoiseSide - (offset + begin));
            PaintPixels(band_.Row(k), painted, begin, end,
                        [&](int c) { return DitheredWord(levelsAt(c), ranks[offset + c]); });
            begin = end;
        }
    }
    // A row of one colour repeats with the mask, every 64 columns.
    void FillSpan(int k, PixelSpan columns, std::int64_t firstColumn, std::int64_t y,
                  const Levels& levels) {
        std::uint32_t* row = band_.Row(k);
        const std::uint16_t* ranks = BlueNoiseRankRow(y);
        constexpr std::int64_t kWrap = kBlueNoiseSide - 1;
        const int patternEnd = std::min(columns.end, columns.first + kBlueNoiseSide);
        for (int c = columns.first; c < patternEnd; ++c) {
            row[c] = DitheredWord(levels, ranks[(firstColumn + c) & kWrap]);
        }
        RepeatAlongRow(row, columns, kBlueNoiseSide);
    }
};

// 16 bits per channel.
class DeepTarget : public BandTarget<Raster16, Rgb16>, public ExactLevels {
  public:
    using Band = Raster16;
    using Levels = Rgb16;
    static constexpr int kRowPeriod = 1;

    DeepTarget(const ColorLine& line, Raster16& raster) : BandTarget(raster), ExactLevels(line) {}

    Levels LevelsOf(std::uint32_t code) const { return DeepOf(ExactOfCode(code)); }
};

// One `Of<Target>` for each unrounded output, picked by the target: what a shape prepares
// once for such an output and shares between bands.
template <template <class> class Of>
class PerExactTarget {
  public:
    template <class Target>
    Of<Target>& For() {
        if constexpr (std::is_same_v<Target, DitherTarget>) {
            return dither_;
        } else {
            static_assert(std::is_same_v<Target, DeepTarget>);
            return deep_;
        }
    }

  private:
    Of<DitherTarget> dither_;
    Of<DeepTarget> deep_;
};

}  // namespace tonzug
