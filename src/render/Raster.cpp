#include "render/Raster.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "render/RasterCoverage.h"

namespace tonzug {

std::uint32_t ResolvePixel(ColorValue color) {
    return IsSystemColor(color) ? kNoPixel : ToPixel(color);
}

std::uint32_t FillPixel(ColorValue color) {
    const std::uint32_t word = ResolvePixel(color);
    return word == kNoPixel ? ToPixel(kBlack) : word;
}

Raster::Raster(int width, int height, ColorValue fill) {
    Reset(width, height, fill);
}

void Raster::Reset(int width, int height, ColorValue fill) {
    AssignPixels(pixels_, width_, height_, width, height, FillPixel(fill));
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
