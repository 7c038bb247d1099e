#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "color/ColorValue.h"

namespace tonzug {

// One pixel of 16 bits per channel.
struct Rgb16 {
    std::uint16_t red = 0;
    std::uint16_t green = 0;
    std::uint16_t blue = 0;

    friend bool operator==(const Rgb16&, const Rgb16&) = default;
};
static_assert(sizeof(Rgb16) == 6, "rows are packed red, green, blue samples");

// A picture band of 16 bits per channel: row by row, top row first, each row the packed
// samples red, green, blue of every pixel in the machine's byte order (the row of a 16-bit
// RGB PNG once the bytes are swapped on a little-endian machine). It covers the same pixels
// as a Raster; the gradient renderer paints into it what a Raster would get in 16 bits.
class Raster16 {
  public:
    Raster16() = default;
    Raster16(int width, int height, ColorValue fill = kWhite);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Resizes and fills with one colour, each channel c as c x 257. Sizes below 0 count
    // as 0; a size beyond memory leaves the band empty. A colour that cannot be resolved
    // fills black.
    void Reset(int width, int height, ColorValue fill = kWhite);

    Rgb16* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const Rgb16* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    std::span<const Rgb16> Pixels() const { return pixels_; }
    Rgb16 PixelAt(int x, int y) const;  // black outside the band

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb16> pixels_;
};

// The 16-bit pixel of an 8-bit word 0xFFRRGGBB: each channel c as c x 257.
constexpr Rgb16 DeepPixel(std::uint32_t word) {
    constexpr std::uint32_t kWiden = 257;
    return {static_cast<std::uint16_t>(((word >> 16) & 0xFFu) * kWiden),
            static_cast<std::uint16_t>(((word >> 8) & 0xFFu) * kWiden),
            static_cast<std::uint16_t>((word & 0xFFu) * kWiden)};
}

}  // namespace tonzug
