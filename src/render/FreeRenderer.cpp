#include "render/FreeRenderer.h"

#include <algorithm>
#include <cmath>
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

std::uint32_t PlainWord(const ExactColor& color) {
    const auto level = [](double value) {
        return static_cast<std::uint32_t>(std::nearbyint(std::clamp(value, 0.0, kChannelMax)));
    };
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
    exactCells_.assign(count, false);
    for (const double joint : line_.Joints()) {
        const double cell = (joint - line_.First()) / entryStep_;
        const auto index = static_cast<std::size_t>(
            std::clamp(std::floor(cell), 0.0, static_cast<double>(count - 1)));
        exactCells_[index] = true;
        exactCells_[index == 0 ? 0 : index - 1] = true;
    }
}

ExactColor FreeRenderer::ExactAt(double position) const {
    return OverWhite(line_.At(position));
}

ExactColor FreeRenderer::ColorAt(double position) const {
    if (entries_.empty() || !std::isfinite(position)) {
        return ExactAt(position);
    }
    position = std::clamp(line_.Wrapped(position), line_.First(), line_.Last());
    const double cell = (position - line_.First()) / entryStep_;
    const auto index = std::min(static_cast<std::size_t>(cell), entries_.size() - 1);
    if (exactCells_[index] || index + 1 >= entries_.size()) {
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
    for (int k = 0; k < rows; ++k) {
        const double y = (static_cast<double>(firstRow + k) + 0.5) * scaleY_;
        for (int c = 0; c < columns; ++c) {
            const double x = (static_cast<double>(firstColumn + c) + 0.5) * scaleX_;
            write(k, c, ColorAt(placement_.PositionAt(x, y)));
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
