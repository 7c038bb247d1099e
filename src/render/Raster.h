#pragma once

#include <algorithm>
#include <cstdint>
#include <new>
#include <span>
#include <vector>

#include "color/ColorValue.h"

namespace tonzug {

// A 32-bit RGB picture surface. Pixels are stored as 0xFFRRGGBB words, row by row,
// top row first (the layout of a QImage in Format_RGB32), so a window can show the
// raster without copying it. The raster is the persistent image of the surface.
//
// Pixel coverage (arithmetic in render/RasterCoverage.h):
//  - A box fill from x1 to x2 covers every pixel column c whose square [c, c + 1)
//    overlaps [min(x1, x2), max(x1, x2)) with positive length, i.e. the columns
//    floor(lo) .. ceil(hi) - 1, and always at least the column floor(lo) that holds
//    the near edge; rows likewise. A box too thin for the float spacing at its place
//    (lo == hi) thus still shows as one column instead of vanishing. Boxes that meet
//    at a shared edge leave no gap, and a later box paints over the pixels it shares
//    with an earlier one.
//  - A circle outline of radius r >= 0 with pen width p (below 1 counts as 1) covers
//    every pixel whose centre lies at a distance d from the circle's centre with
//    |d - r| <= p / 2 + 1/2 (see RingCovers; d is compared squared, in double). The
//    extra half pixel makes neighbouring rings overlap, so the rings of a circular
//    gradient leave no gap. A negative or NaN radius draws nothing.
//  - The colours are plain RGB; one with bit 31 set (a system colour or "no colour")
//    paints nothing, since system colours are translated where they enter the model.
class Raster {
  public:
    Raster() = default;
    Raster(int width, int height, ColorValue fill = kWhite);

    int Width() const { return width_; }
    int Height() const { return height_; }
    float ScaleWidth() const { return static_cast<float>(width_); }
    float ScaleHeight() const { return static_cast<float>(height_); }

    // Resizes and fills the whole raster with one colour. Sizes below 0 count as 0.
    void Reset(int width, int height, ColorValue fill = kWhite);

    bool AutoRedraw() const { return autoRedraw_; }
    void SetAutoRedraw(bool on) { autoRedraw_ = on; }
    std::int16_t PenWidth() const { return penWidth_; }
    void SetPenWidth(std::int16_t width) { penWidth_ = width; }

    void FillBox(float x1, float y1, float x2, float y2, ColorValue color);

    ColorValue PixelAt(int x, int y) const;  // kNoColor outside the raster

    std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* Row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    std::span<const std::uint32_t> Pixels() const { return pixels_; }

  private:
    int width_ = 0;
    int height_ = 0;
    bool autoRedraw_ = false;
    std::int16_t penWidth_ = 1;
    std::vector<std::uint32_t> pixels_;
};

// 0xFFRRGGBB word of a plain colour value, and back.
constexpr std::uint32_t ToPixel(ColorValue c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
           (static_cast<std::uint32_t>(GreenOf(c)) << 8) | static_cast<std::uint32_t>(BlueOf(c));
}
constexpr ColorValue FromPixel(std::uint32_t pixel) {
    return RgbColor(static_cast<int>((pixel >> 16) & 0xFFu), static_cast<int>((pixel >> 8) & 0xFFu),
                    static_cast<int>(pixel & 0xFFu));
}

// The word a colour paints; kNoPixel (never a pixel word, whose top byte is 0xFF) for a
// colour with bit 31 set, which paints nothing.
inline constexpr std::uint32_t kNoPixel = 0;
std::uint32_t ResolvePixel(ColorValue color);

// The word a fresh surface is filled with: the colour's, black for one that cannot be
// resolved (a fresh surface holds real pixels only).
std::uint32_t FillPixel(ColorValue color);

// Makes `pixels` width x height copies of `fill` (sizes below 0 count as 0) and sets the
// size; a size beyond memory leaves it empty, 0 x 0, rather than throwing out of a drawing.
template <class Pixel>
void AssignPixels(std::vector<Pixel>& pixels, int& width, int& height, int newWidth, int newHeight,
                  Pixel fill) {
    newWidth = std::max(newWidth, 0);
    newHeight = std::max(newHeight, 0);
    try {
        pixels.assign(static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(newHeight),
                      fill);
        width = newWidth;
        height = newHeight;
    } catch (const std::bad_alloc&) {
        pixels.clear();
        pixels.shrink_to_fit();
        width = 0;
        height = 0;
    }
}

}  // namespace tonzug
