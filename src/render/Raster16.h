#pragma once

#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "color/ColorValue.h"
#include "render/Raster.h"

namespace tonzug {

// One pixel of 16 bits per channel.
struct Rgb16 {
    std::uint16_t red = 0;
    std::uint16_t green = 0;
    std::uint16_t blue = 0;

    friend bool operator==(const Rgb16&, const Rgb16&) = default;
};
static_assert(sizeof(Rgb16) == 6, "rows are packed red, green, blue samples");

// One pixel of 16 bits per channel with straight alpha.
struct Rgba16 {
    std::uint16_t red = 0;
    std::uint16_t green = 0;
    std::uint16_t blue = 0;
    std::uint16_t alpha = 0;

    friend bool operator==(const Rgba16&, const Rgba16&) = default;
};
static_assert(sizeof(Rgba16) == 8, "rows are packed red, green, blue, alpha samples");

// The 16-bit pixel of an 8-bit word 0xFFRRGGBB: each channel c as c x 257.
constexpr Rgb16 DeepPixel(std::uint32_t word) {
    constexpr std::uint32_t kWiden = 257;
    return {static_cast<std::uint16_t>(((word >> 16) & 0xFFu) * kWiden),
            static_cast<std::uint16_t>(((word >> 8) & 0xFFu) * kWiden),
            static_cast<std::uint16_t>((word & 0xFFu) * kWiden)};
}

// The same with alpha, from a word 0xAARRGGBB.
constexpr Rgba16 DeepPixelWithAlpha(std::uint32_t word) {
    constexpr std::uint32_t kWiden = 257;
    const Rgb16 color = DeepPixel(word);
    return {color.red, color.green, color.blue, static_cast<std::uint16_t>((word >> 24) * kWiden)};
}

// A picture band of 16 bits per channel: row by row, top row first, each row the packed
// samples of every pixel in the machine's byte order (the row of a 16-bit PNG once the
// bytes are swapped on a little-endian machine). It covers the same pixels as a Raster;
// the gradient renderer paints into it what a Raster would get in 16 bits.
template <class Pixel>
class DeepRaster {
  public:
    DeepRaster() = default;
    DeepRaster(int width, int height, ColorValue fill = kWhite) { Reset(width, height, fill); }

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Resizes and fills with one opaque colour, each channel c as c x 257. Sizes below 0
    // count as 0; a size beyond memory leaves the band empty. A colour that cannot be
    // resolved fills black.
    void Reset(int width, int height, ColorValue fill = kWhite) {
        const std::uint32_t word = FillPixel(fill);
        if constexpr (std::is_same_v<Pixel, Rgba16>) {
            AssignPixels(pixels_, width_, height_, width, height, DeepPixelWithAlpha(word));
        } else {
            AssignPixels(pixels_, width_, height_, width, height, DeepPixel(word));
        }
    }

    Pixel* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const Pixel* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    std::span<const Pixel> Pixels() const { return pixels_; }
    // Black (and transparent) outside the band.
    Pixel PixelAt(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) {
            return {};
        }
        return Row(y)[x];
    }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

// Red, green, blue: the 16-bit picture.
using Raster16 = DeepRaster<Rgb16>;
// Red, green, blue and straight alpha: the 16-bit picture of a gradient with transparency.
using Raster16Alpha = DeepRaster<Rgba16>;

}  // namespace tonzug
