#include "render/Raster16.h"

#include "render/Raster.h"

namespace tonzug {

Raster16::Raster16(int width, int height, ColorValue fill) {
    Reset(width, height, fill);
}

void Raster16::Reset(int width, int height, ColorValue fill) {
    AssignPixels(pixels_, width_, height_, width, height, DeepPixel(FillPixel(fill)));
}

Rgb16 Raster16::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {};
    }
    return Row(y)[x];
}

}  // namespace tonzug
