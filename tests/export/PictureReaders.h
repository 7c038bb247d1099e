#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/Raster.h"

namespace tonzug::testing {

// A decoded picture: pixels as 0xFFRRGGBB words, row by row, top row first.
struct DecodedPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(std::int32_t x, std::int32_t y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// A PNG's pixels as 0xAARRGGBB, straight alpha, 0xFF without an alpha channel.
struct DecodedRgba {
    DecodedPicture picture;
    bool hasAlpha = false;
};

// Each reader returns nothing when the file is missing or not a valid picture of its kind.
std::optional<DecodedPicture> ReadPng(const std::string& path);
std::optional<DecodedRgba> ReadPngRgba(const std::string& path);
std::optional<DecodedPicture> ReadJpeg(const std::string& path);
// Parses a 24-bit uncompressed bitmap by hand, checking every header field it relies on.
std::optional<DecodedPicture> ReadBmp(const std::string& path);
// A 16-bit RGB PNG's samples, red, green, blue of each pixel in turn; nothing for a file
// of another depth or kind.
std::optional<std::vector<std::uint16_t>> ReadPng16(const std::string& path);
// A PNG's samples as the file holds them, 8 or 16 bits, RGB or RGBA with straight alpha,
// read with libpng's own row reader, which changes none of them.
struct PngSamples {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t colorType = 0;  // 2 RGB, 6 RGBA
    std::int32_t bitDepth = 0;
    std::int32_t channels = 0;
    std::vector<std::uint16_t> samples;  // row by row, each pixel's channels in turn

    std::uint16_t At(std::int32_t x, std::int32_t y, std::int32_t channel) const {
        return samples[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(x)) *
                           static_cast<std::size_t>(channels) +
                       static_cast<std::size_t>(channel)];
    }
};
std::optional<PngSamples> ReadPngSamples(const std::string& path);
// By the file name's extension.
std::optional<DecodedPicture> ReadPicture(const std::string& path);

inline bool SamePixels(const DecodedPicture& read, const Raster& expected) {
    return read.width == expected.Width() && read.height == expected.Height() &&
           std::equal(read.pixels.begin(), read.pixels.end(), expected.Pixels().begin(),
                      expected.Pixels().end());
}

}  // namespace tonzug::testing
