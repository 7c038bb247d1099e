#include "render/FreeRenderer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "render/BlueNoiseMask.h"

namespace tonzug {
namespace {

// Table entries per pixel of the colour line: between two entries a blend bends so little
// that a straight line through them stays far within a level.
constexpr double kEntriesPerPixel = 4.0;
constexpr std::size_t kMinEntries = 64;
constexpr std::size_t kMaxEntries = std::size_t{1} << 18;
constexpr double kChannelMax = 255.0;

ExactColor OverWhite(const CssColor& color) {
    const RgbTriple mapped = MapIntoSrgb(color);
    const double alpha = std::clamp(color.alpha, 0.0, 1.0);
    const auto channel = [alpha](double value) {
        const double opaque = std::isfinite(value) ? std::clamp(value, 0.0, kChannelMax) : 0.0;
        return opaque * alpha + kChannelMax * (1.0 - alpha);
    };
    return {channel(mapped.red), channel(mapped.green), channel(mapped.blue)};
}

// Rounds 0..255 to the nearest whole number, ties to even, as nearbyint does: adding and
// taking away 2^52 leaves no bits for a fraction. Inline, where nearbyint is a library call.
double RoundedLevel(double value) {
    constexpr double kNoFraction = 4503599627370496.0;  // 2^52
    return (std::clamp(value, 0.0, kChannelMax) + kNoFraction) - kNoFraction;
}

std::uint32_t PlainWord(const ExactColor& color) {
    const auto level = [](double value) { return static_cast<std::uint32_t>(RoundedLevel(value)); };
    return 0xFF000000u | (level(color.red) << 16) | (level(color.green) << 8) | level(color.blue);
}

// How many pixels one unit of the line spans at most in the box.
double PixelsPerUnit(const FreeGradient& gradient, const FreePlacement& placement, int width,
                     int height) {
    if (gradient.shape == FreeShape::kConic) {
        return 2.0 * std::numbers::pi * std::hypot(width, height);
    }
    return placement.LineLength();
}

}  // namespace

FreeRenderer::FreeRenderer(const FreeGradient& gradient, int width, int height)
    : FreeRenderer(gradient, width, height, width, height) {}

FreeRenderer::FreeRenderer(const FreeGradient& gradient, int width, int height, int surfaceWidth,
                           int surfaceHeight)
    : placement_(gradient, width, height),
      line_(gradient, placement_.LineLength()),
      scaleX_(surfaceWidth > 0 ? static_cast<double>(width) / surfaceWidth : 1.0),
      scaleY_(surfaceHeight > 0 ? static_cast<double>(height) / surfaceHeight : 1.0),
      linear_(gradient.shape == FreeShape::kLinear),
      repeats_(line_.Repeats()),
      horizontal_(gradient.shape == FreeShape::kLinear &&
                  placement_.PositionAt(0.5, 0.5) == placement_.PositionAt(0.5, 1.5)) {
    const double span = line_.Last() - line_.First();
    if (!(span > 0.0) || !std::isfinite(span)) {
        return;  // every pixel is worked out exactly
    }
    // As fine as the surface's pixels need: a preview needs far fewer entries.
    const double pixels = span * PixelsPerUnit(gradient, placement_, width, height) /
                          std::max(1.0, std::min(scaleX_, scaleY_));
    const auto count = static_cast<std::size_t>(
        std::clamp(std::ceil(pixels * kEntriesPerPixel) + 1.0, static_cast<double>(kMinEntries),
                   static_cast<double>(kMaxEntries)));
    entryStep_ = span / static_cast<double>(count - 1);
    entries_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        entries_[i] = ExactAt(line_.First() + entryStep_ * static_cast<double>(i));
    }
    cellsPerUnit_ = 1.0 / entryStep_;
    exactCells_.assign(count, 0);
    for (const double joint : line_.Joints()) {
        const double cell = (joint - line_.First()) / entryStep_;
        const auto index = static_cast<std::size_t>(
            std::clamp(std::floor(cell), 0.0, static_cast<double>(count - 1)));
        exactCells_[index] = 1;
        exactCells_[index == 0 ? 0 : index - 1] = 1;
    }
}

ExactColor FreeRenderer::ExactAt(double position) const {
    return OverWhite(line_.At(position));
}

ExactColor FreeRenderer::ColorAt(double position) const {
    if (entries_.empty() || !std::isfinite(position)) {
        return ExactAt(position);
    }
    if (repeats_) {
        position = line_.Wrapped(position);
    }
    position = std::clamp(position, line_.First(), line_.Last());
    const double cell = (position - line_.First()) * cellsPerUnit_;
    const auto index = std::min(static_cast<std::size_t>(cell), entries_.size() - 1);
    if (exactCells_[index] != 0 || index + 1 >= entries_.size()) {
        return ExactAt(position);
    }
    const double t = cell - static_cast<double>(index);
    const ExactColor& a = entries_[index];
    const ExactColor& b = entries_[index + 1];
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t,
            a.blue + (b.blue - a.blue) * t};
}

template <class Write>
void FreeRenderer::ForEachPixel(int firstColumn, int firstRow, int columns, int rows,
                                Write write) const {
    const double firstX = (static_cast<double>(firstColumn) + 0.5) * scaleX_;
    for (int k = 0; k < rows; ++k) {
        const double y = (static_cast<double>(firstRow + k) + 0.5) * scaleY_;
        // Along a row a linear gradient's position grows evenly.
        const double rowStart = placement_.PositionAt(firstX, y);
        const double perColumn =
            linear_ ? placement_.PositionAt(firstX + scaleX_, y) - rowStart : 0.0;
        double lastPosition = std::numeric_limits<double>::quiet_NaN();
        ExactColor lastColor;
        for (int c = 0; c < columns; ++c) {
            const double position =
                linear_ ? rowStart + perColumn * c
                        : placement_.PositionAt(firstX + scaleX_ * static_cast<double>(c), y);
            // Runs of one position (a gradient down the rows) take their colour once.
            if (position != lastPosition) {
                lastColor = ColorAt(position);
                lastPosition = position;
            }
            write(k, c, lastColor);
        }
    }
}

void FreeRenderer::RenderRegion(int firstColumn, int firstRow, Raster& region,
                                OutputFormat format) const {
    if (format == OutputFormat::kDithered8) {
        ForEachPixel(firstColumn, firstRow, region.Width(), region.Height(),
                     [&](int k, int c, const ExactColor& color) {
                         region.Row(k)[c] = DitheredWord(
                             DitherLevelsOf(color), BlueNoiseRank(firstColumn + c, firstRow + k));
                     });
        return;
    }
    ForEachPixel(
        firstColumn, firstRow, region.Width(), region.Height(),
        [&](int k, int c, const ExactColor& color) { region.Row(k)[c] = PlainWord(color); });
}

void FreeRenderer::RenderRegion(int firstColumn, int firstRow, Raster16& region) const {
    ForEachPixel(firstColumn, firstRow, region.Width(), region.Height(),
                 [&](int k, int c, const ExactColor& color) { region.Row(k)[c] = DeepOf(color); });
}

std::int32_t FreeRenderer::RowPeriod(OutputFormat format) const {
    if (!horizontal_) {
        return 0;
    }
    return format == OutputFormat::kDithered8 ? kBlueNoiseSide : 1;
}

}  // namespace tonzug
