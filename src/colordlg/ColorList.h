#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "color/ColorValue.h"
#include "render/Raster.h"
#include "support/Translatable.h"

namespace tonzug {

// The 16 classic standard colours, numbered 0..15 (black, dark blue, ..., white).
inline constexpr int kStandardColorCount = 16;
ColorValue StandardColor(int index);  // kNoColor outside 0..15

// The name of a listed colour: system colours by their reference value, standard
// colours by their RGB value; the empty text for any other value. `translated`
// receives TranslateColor of the value in every case.
std::string ColorName(ColorValue value, ColorValue& translated);
std::string ColorName(ColorValue value);

// One entry of the chooser's colour list.
struct ColorListItem {
    std::string key;   // "K000000" .. "K000040"
    std::string name;  // German name, translated under kColorListContext
    ColorValue value;  // listed value: a system colour reference or the standard colour
    ColorValue rgb;    // what the value shows now (kNoColor when it cannot be translated)
    std::string tag;   // "rgb|value", both in decimal
};

inline constexpr int kColorListCount = 41;
inline constexpr std::string_view kColorListTitle =
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Systemfarben");
// The context under which the list's title and names are collected for translation.
inline constexpr const char* kColorListContext = "tonzug::ColorList";

// The 25 system colours, then the 16 standard colours, with their colours as the
// system colour table holds them now.
std::vector<ColorListItem> BuildColorList();

// Reads an item tag: the two sides of the first "|", each trimmed and read by the
// leading-number rule. A side that is no 32-bit integer reads as kNoColor.
struct ColorTag {
    ColorValue rgb = kNoColor;
    ColorValue value = kNoColor;
};
ColorTag ParseColorTag(std::string_view tag);

// A 16 x 16 list icon: a black outlined square from (1, 1) to (14, 14) filled with
// the colour, the outer frame in the list's background. A colour that cannot be
// translated leaves the inside in the background.
inline constexpr int kSwatchIconSize = 16;
Raster SwatchIcon(ColorValue fill, ColorValue background);

}  // namespace tonzug
