#include "render/Raster.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "color/SystemColors.h"
#include "render/RasterCoverage.h"

namespace tonzug {
namespace {

// Pixels whose centre c + 1/2 may lie within `reach` of `centre`, clipped to
// 0 .. count - 1. Generous by a pixel; the exact test decides.
PixelSpan PixelsNear(float centre, double reach, int count) {
    const double first = std::max(std::floor(static_cast<double>(centre) - reach - 1.0), 0.0);
    const double last =
        std::min(std::ceil(static_cast<double>(centre) + reach), static_cast<double>(count) - 1.0);
    if (!(first <= last)) {
        return {};
    }
    return {static_cast<int>(first), static_cast<int>(last) + 1};
}

}  // namespace

std::uint32_t ResolvePixel(ColorValue color) {
    if (IsSystemColor(color)) {
        color = TranslateColor(color);
        if (color == kNoColor || IsSystemColor(color)) {
            return kNoPixel;
        }
    }
    return ToPixel(color);
}

Raster::Raster(int width, int height, ColorValue fill) {
    Reset(width, height, fill);
}

void Raster::Reset(int width, int height, ColorValue fill) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    std::uint32_t word = ResolvePixel(fill);
    if (word == kNoPixel) {
        word = ToPixel(kBlack);  // a fresh raster holds real pixels only
    }
    try {
        pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), word);
        width_ = width;
        height_ = height;
    } catch (const std::bad_alloc&) {
        // Too large for memory: an empty raster rather than an exception out of a drawing.
        pixels_.clear();
        pixels_.shrink_to_fit();
        width_ = 0;
        height_ = 0;
    }
}

void Raster::FillBox(float x1, float y1, float x2, float y2, ColorValue color) {
    const std::uint32_t word = ResolvePixel(color);
    const PixelSpan columns = CoveredSpan(x1, x2, width_);
    const PixelSpan rows = CoveredSpan(y1, y2, height_);
    if (word == kNoPixel || columns.Empty()) {
        return;
    }
    for (int y = rows.first; y < rows.end; ++y) {
        std::fill(Row(y) + columns.first, Row(y) + columns.end, word);
    }
}

void Raster::Circle(float centerX, float centerY, float radius, ColorValue color) {
    const std::uint32_t word = ResolvePixel(color);
    if (word == kNoPixel || !(radius >= 0.0f) || !std::isfinite(radius) ||
        !std::isfinite(centerX) || !std::isfinite(centerY)) {
        return;
    }
    const double halfWidth = RingHalfWidth(penWidth_);
    const double reach = static_cast<double>(radius) + halfWidth;
    const PixelSpan rows = PixelsNear(centerY, reach, height_);
    const PixelSpan columns = PixelsNear(centerX, reach, width_);
    for (int y = rows.first; y < rows.end; ++y) {
        const double dy = CentreOffset(y, centerY);
        std::uint32_t* row = Row(y);
        for (int x = columns.first; x < columns.end; ++x) {
            if (RingCovers(radius, halfWidth, DistanceSquared(CentreOffset(x, centerX), dy))) {
                row[x] = word;
            }
        }
    }
}

ColorValue Raster::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kNoColor;
    }
    return FromPixel(Row(y)[x]);
}

void Raster::SetPixel(int x, int y, ColorValue color) {
    const std::uint32_t word = ResolvePixel(color);
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || word == kNoPixel) {
        return;
    }
    Row(y)[x] = word;
}

}  // namespace tonzug
