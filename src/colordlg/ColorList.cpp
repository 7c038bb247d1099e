#include "colordlg/ColorList.h"

#include <algorithm>

#include "color/SystemColors.h"
#include "support/Numbers.h"
#include "support/Translatable.h"

namespace tonzug {
namespace {

constexpr std::array<std::string_view, kSystemColorCount> kSystemColorNames = {
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Bildlaufleisten"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Desktop"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Aktive Titelleiste"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Inaktive Titelleiste"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Menüleiste"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Fensterhintergrund"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Fensterrahmen"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Menütext"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Fenstertext"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Text der aktiven Titelleiste"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Aktiver Rahmen"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Inaktiver Rahmen"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Programmarbeitsbereich"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Markierung"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Markierter Text"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Schaltfläche"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Schaltflächenschatten"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Gesperrter Text"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Schaltflächentext"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Text der inaktiven Titelleiste"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Schaltflächennmarkierung"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Dunkler Schaltflächenschatten"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Heller Schaltflächenschatten"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Quickinfo -Text"),
    TONZUG_TRANSLATABLE("tonzug::ColorList", "Quickinfo"),
};

struct StandardEntry {
    ColorValue color;
    std::string_view name;
};

constexpr std::array<StandardEntry, kStandardColorCount> kStandardColors = {{
    {0x000000, TONZUG_TRANSLATABLE("tonzug::ColorList", "Schwarz")},
    {0x800000, TONZUG_TRANSLATABLE("tonzug::ColorList", "Dunkelblau")},
    {0x008000, TONZUG_TRANSLATABLE("tonzug::ColorList", "Dunkelgrün")},
    {0x808000, TONZUG_TRANSLATABLE("tonzug::ColorList", "Türkis")},
    {0x000080, TONZUG_TRANSLATABLE("tonzug::ColorList", "Dunkelrot")},
    {0x800080, TONZUG_TRANSLATABLE("tonzug::ColorList", "Violet")},
    {0x008080, TONZUG_TRANSLATABLE("tonzug::ColorList", "Olivgrün")},
    {0xC0C0C0, TONZUG_TRANSLATABLE("tonzug::ColorList", "Hellgrau")},
    {0x808080, TONZUG_TRANSLATABLE("tonzug::ColorList", "Dunkelgrau")},
    {0xFF0000, TONZUG_TRANSLATABLE("tonzug::ColorList", "Blau")},
    {0x00FF00, TONZUG_TRANSLATABLE("tonzug::ColorList", "Grün")},
    {0xFFFF00, TONZUG_TRANSLATABLE("tonzug::ColorList", "Cyan")},
    {0x0000FF, TONZUG_TRANSLATABLE("tonzug::ColorList", "Rot")},
    {0xFF00FF, TONZUG_TRANSLATABLE("tonzug::ColorList", "Magenta")},
    {0x00FFFF, TONZUG_TRANSLATABLE("tonzug::ColorList", "Gelb")},
    {0xFFFFFF, TONZUG_TRANSLATABLE("tonzug::ColorList", "Weiss")},
}};

// "K" and the position in six digits. Built by appending: GCC 12 reports a false
// overlap in `"K" + std::string` at -O2.
std::string ItemKey(int position) {
    const std::string digits = IntegerText(position);
    std::string key(1, 'K');
    key.append(digits.size() < 6 ? 6 - digits.size() : 0, '0');
    key.append(digits);
    return key;
}

ColorValue TagSide(std::string_view side) {
    return RoundToInt32(LeadingNumber(side)).value_or(kNoColor);
}

ColorListItem MakeItem(int position, ColorValue value) {
    ColorValue rgb = kNoColor;
    std::string name = ColorName(value, rgb);
    std::string tag = IntegerText(rgb);
    tag.append(1, '|').append(IntegerText(value));
    return {ItemKey(position), std::move(name), value, rgb, std::move(tag)};
}

}  // namespace

ColorValue StandardColor(int index) {
    if (index < 0 || index >= kStandardColorCount) {
        return kNoColor;
    }
    return kStandardColors[static_cast<std::size_t>(index)].color;
}

std::string ColorName(ColorValue value, ColorValue& translated) {
    translated = TranslateColor(value, 0);
    if (IsSystemColor(value)) {
        const std::uint32_t index = static_cast<std::uint32_t>(value) - kSystemColorFlag;
        if (index < kSystemColorNames.size()) {
            return std::string(kSystemColorNames[index]);
        }
        return {};
    }
    const auto found = std::find_if(kStandardColors.begin(), kStandardColors.end(),
                                    [value](const StandardEntry& e) { return e.color == value; });
    return found != kStandardColors.end() ? std::string(found->name) : std::string();
}

std::string ColorName(ColorValue value) {
    ColorValue translated = kNoColor;
    return ColorName(value, translated);
}

std::vector<ColorListItem> BuildColorList() {
    std::vector<ColorListItem> items;
    items.reserve(kColorListCount);
    for (int index = 0; index < kSystemColorCount; ++index) {
        items.push_back(MakeItem(index, SystemColor(index)));
    }
    for (int index = 0; index < kStandardColorCount; ++index) {
        items.push_back(MakeItem(kSystemColorCount + index, StandardColor(index)));
    }
    return items;
}

ColorTag ParseColorTag(std::string_view tag) {
    const std::size_t bar = tag.find('|');
    if (bar == std::string_view::npos) {
        return {TagSide(tag), kNoColor};
    }
    return {TagSide(tag.substr(0, bar)), TagSide(tag.substr(bar + 1))};
}

Raster SwatchIcon(ColorValue fill, ColorValue background) {
    Raster icon(kSwatchIconSize, kSwatchIconSize, background);
    icon.FillBox(1.0f, 1.0f, 15.0f, 15.0f, kBlack);
    icon.FillBox(2.0f, 2.0f, 14.0f, 14.0f, background);
    icon.FillBox(2.0f, 2.0f, 14.0f, 14.0f, fill);
    return icon;
}

}  // namespace tonzug
