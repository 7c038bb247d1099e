#pragma once

#include <cstdint>

namespace tonzug {

// A colour value laid out 0x00BBGGRR: red in bits 0-7, green 8-15, blue 16-23.
// A value with bit 31 set (0x80000000 + index) names a system colour and must go
// through TranslateColor before its channels mean anything. -1 means "no colour".
using ColorValue = std::int32_t;

inline constexpr ColorValue kNoColor = -1;
inline constexpr ColorValue kWhite = 0xFFFFFF;
inline constexpr ColorValue kBlack = 0;
inline constexpr std::uint32_t kSystemColorFlag = 0x80000000u;

constexpr int RedOf(ColorValue c) {
    return static_cast<int>(static_cast<std::uint32_t>(c) & 0xFFu);
}
constexpr int GreenOf(ColorValue c) {
    return static_cast<int>((static_cast<std::uint32_t>(c) >> 8) & 0xFFu);
}
constexpr int BlueOf(ColorValue c) {
    return static_cast<int>((static_cast<std::uint32_t>(c) >> 16) & 0xFFu);
}

// Packs three channels 0..255 into a colour value.
constexpr ColorValue RgbColor(int red, int green, int blue) {
    return static_cast<ColorValue>(static_cast<std::uint32_t>(red & 0xFF) |
                                   (static_cast<std::uint32_t>(green & 0xFF) << 8) |
                                   (static_cast<std::uint32_t>(blue & 0xFF) << 16));
}

constexpr bool IsSystemColor(ColorValue c) {
    return (static_cast<std::uint32_t>(c) & kSystemColorFlag) != 0;
}

constexpr ColorValue SystemColor(int index) {
    return static_cast<ColorValue>(kSystemColorFlag | static_cast<std::uint32_t>(index));
}

}  // namespace tonzug
