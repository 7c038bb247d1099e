#pragma once

#include <cstdint>

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

// Unpacks one row of 16-bit pixels into 6 bytes per pixel, red first, each sample big-endian
// (the order of a 16-bit PNG).
inline void PackRgb16Row(const Rgb16* pixels, std::int32_t width, std::uint8_t* out) {
    for (std::int32_t x = 0; x < width; ++x) {
        for (const std::uint16_t sample : {pixels[x].red, pixels[x].green, pixels[x].blue}) {
            out[0] = static_cast<std::uint8_t>(sample >> 8);
            out[1] = static_cast<std::uint8_t>(sample);
            out += 2;
        }
    }
}

}  // namespace tonzug
