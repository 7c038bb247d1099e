#include "render/Raster16.h"

#include <algorithm>
#include <new>

#include "render/Raster.h"

namespace tonzug {

Raster16::Raster16(int width, int height, ColorValue fill) {
    Reset(width, height, fill);
}

void Raster16::Reset(int width, int height, ColorValue fill) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    std::uint32_t word = ResolvePixel(fill);
    if (word == kNoPixel) {
        word = ToPixel(kBlack);
    }
    try {
        pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                       DeepPixel(word));
        width_ = width;
        height_ = height;
    } catch (const std::bad_alloc&) {
        pixels_.clear();
        pixels_.shrink_to_fit();
        width_ = 0;
        height_ = 0;
    }
}

Rgb16 Raster16::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {};
    }
    return Row(y)[x];
}

}  // namespace tonzug
