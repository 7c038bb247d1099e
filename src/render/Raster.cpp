#include "render/Raster.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "color/SystemColors.h"
#include "render/RasterCoverage.h"

namespace tonzug {

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

ColorValue Raster::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kNoColor;
    }
    return FromPixel(Row(y)[x]);
}

}  // namespace tonzug
