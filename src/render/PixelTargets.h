#pragma once

// The bands the gradient renderer paints into, one class per output format. The shapes
// find the step that shows at each column, row or pixel; a target turns what the step
// painter yields for it (a pixel word, or a step code for the unrounded outputs) into
// "levels" once per step, and the levels into pixels at their place on the surface.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "render/ColorRamp.h"
#include "render/GradientSteps.h"
#include "render/OutputFormat.h"
#include "render/Raster.h"
#include "render/Raster16.h"
#include "render/RasterCoverage.h"

namespace tonzug {

// Copies the first `period` items of span `columns` of a row along the rest of the span,
// so that every item repeats the one `period` columns before it.
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

template <class Pixel>
void CopyRowSpan(const Pixel* from, Pixel* to, PixelSpan columns) {
    std::copy(from + columns.first, from + columns.end, to + columns.first);
}

// Today's 8-bit pixels: each step's rounded colour.
class PlainTarget {
  public:
    using Levels = std::uint32_t;
    static constexpr StepPainter::Yield kYield = StepPainter::Yield::kPixelWords;
    // Rows that repeat: each row of a horizontal gradient is the one above.
    static constexpr int kRowPeriod = 1;

    explicit PlainTarget(Raster& raster) : raster_(raster) {}

    int Width() const { return raster_.Width(); }
    int Height() const { return raster_.Height(); }
    WordRows Words() { return WordRows(raster_); }

    Levels LevelsOf(std::uint32_t word) const { return word; }
    void Put(int k, int c, std::int64_t /*x*/, std::int64_t /*y*/, Levels word) {
        raster_.Row(k)[c] = word;
    }
    void FillSpan(int k, PixelSpan columns, std::int64_t /*firstColumn*/, std::int64_t /*y*/,
                  Levels word) {
        std::fill(raster_.Row(k) + columns.first, raster_.Row(k) + columns.end, word);
    }
    void CopyRow(int from, int to, PixelSpan columns) {
        CopyRowSpan(raster_.Row(from), raster_.Row(to), columns);
    }

  private:
    Raster& raster_;
};

// Unrounded outputs: the levels of a step come from its exact colour.
class ExactTarget {
  public:
    static constexpr StepPainter::Yield kYield = StepPainter::Yield::kStepCodes;

    explicit ExactTarget(const ColorRamp& ramp) : ramp_(ramp) {}

    ExactColor ExactOfCode(std::uint32_t code) const { return ramp_.Exact(StepOfCode(code) + 1); }

  private:
    const ColorRamp& ramp_;
};

// 8 bits, dithered with the blue-noise mask at each pixel's place on the surface.
class DitherTarget : public ExactTarget {
  public:
    using Levels = DitherLevels;
    static constexpr int kRowPeriod = kBlueNoiseSide;

    DitherTarget(const ColorRamp& ramp, Raster& raster) : ExactTarget(ramp), raster_(raster) {}

    int Width() const { return raster_.Width(); }
    int Height() const { return raster_.Height(); }

    Levels LevelsOf(std::uint32_t code) const { return DitherLevelsOf(ExactOfCode(code)); }
    void Put(int k, int c, std::int64_t x, std::int64_t y, const Levels& levels) {
        raster_.Row(k)[c] = DitheredWord(levels, BlueNoiseRank(x, y));
    }
    // A row of one colour repeats with the mask, every 64 columns.
    void FillSpan(int k, PixelSpan columns, std::int64_t firstColumn, std::int64_t y,
                  const Levels& levels) {
        std::uint32_t* row = raster_.Row(k);
        const int patternEnd = std::min(columns.end, columns.first + kBlueNoiseSide);
        for (int c = columns.first; c < patternEnd; ++c) {
            row[c] = DitheredWord(levels, BlueNoiseRank(firstColumn + c, y));
        }
        RepeatAlongRow(row, columns, kBlueNoiseSide);
    }
    void CopyRow(int from, int to, PixelSpan columns) {
        CopyRowSpan(raster_.Row(from), raster_.Row(to), columns);
    }

  private:
    Raster& raster_;
};

// 16 bits per channel.
class DeepTarget : public ExactTarget {
  public:
    using Levels = Rgb16;
    static constexpr int kRowPeriod = 1;

    DeepTarget(const ColorRamp& ramp, Raster16& raster) : ExactTarget(ramp), raster_(raster) {}

    int Width() const { return raster_.Width(); }
    int Height() const { return raster_.Height(); }

    Levels LevelsOf(std::uint32_t code) const { return DeepOf(ExactOfCode(code)); }
    void Put(int k, int c, std::int64_t /*x*/, std::int64_t /*y*/, Levels pixel) {
        raster_.Row(k)[c] = pixel;
    }
    void FillSpan(int k, PixelSpan columns, std::int64_t /*firstColumn*/, std::int64_t /*y*/,
                  Levels pixel) {
        std::fill(raster_.Row(k) + columns.first, raster_.Row(k) + columns.end, pixel);
    }
    void CopyRow(int from, int to, PixelSpan columns) {
        CopyRowSpan(raster_.Row(from), raster_.Row(to), columns);
    }

  private:
    Raster16& raster_;
};

}  // namespace tonzug
