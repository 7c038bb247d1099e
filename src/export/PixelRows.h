#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "render/Raster16.h"

namespace tonzug {

// Unpacks one row of 0xFFRRGGBB words into 3 bytes per pixel, red first.
inline void PackRgbRow(const std::uint32_t* pixels, std::int32_t width, std::uint8_t* out) {
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t pixel = pixels[x];
        out[0] = static_cast<std::uint8_t>(pixel >> 16);
        out[1] = static_cast<std::uint8_t>(pixel >> 8);
        out[2] = static_cast<std::uint8_t>(pixel);
        out += 3;
    }
}

// Unpacks one row of 0xAARRGGBB words into 4 bytes per pixel: red, green, blue, alpha.
inline void PackRgbaRow(const std::uint32_t* pixels, std::int32_t width, std::uint8_t* out) {
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t pixel = pixels[x];
        out[0] = static_cast<std::uint8_t>(pixel >> 16);
        out[1] = static_cast<std::uint8_t>(pixel >> 8);
        out[2] = static_cast<std::uint8_t>(pixel);
        out[3] = static_cast<std::uint8_t>(pixel >> 24);
        out += 4;
    }
}

// Unpacks one row into 3 bytes per pixel, blue first (the order of a 24-bit bitmap).
inline void PackBgrRow(const std::uint32_t* pixels, std::int32_t width, std::uint8_t* out) {
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t pixel = pixels[x];
        out[0] = static_cast<std::uint8_t>(pixel);
        out[1] = static_cast<std::uint8_t>(pixel >> 8);
        out[2] = static_cast<std::uint8_t>(pixel >> 16);
        out += 3;
    }
}

// Unpacks one row of 16-bit pixels (Rgb16 or Rgba16) into 2 bytes per sample in the
// pixel's order, each sample big-endian (the order of a 16-bit PNG).
template <class Pixel>
void PackDeepRow(const Pixel* pixels, std::int32_t width, std::uint8_t* out) {
    // The samples lie one after the other: the row is swapped to big-endian as one run of
    // 16-bit numbers, which the compiler turns into vector shifts.
    constexpr std::size_t kSamples = sizeof(Pixel) / sizeof(std::uint16_t);
    const auto* bytes = reinterpret_cast<const unsigned char*>(pixels);
    const std::size_t samples = kSamples * static_cast<std::size_t>(std::max(width, 0));
    for (std::size_t i = 0; i < samples; ++i) {
        std::uint16_t sample = 0;
        std::memcpy(&sample, bytes + 2 * i, sizeof sample);
        if constexpr (std::endian::native == std::endian::little) {
            sample = static_cast<std::uint16_t>(sample << 8 | sample >> 8);
        }
        std::memcpy(out + 2 * i, &sample, sizeof sample);
    }
}

}  // namespace tonzug
