#include "desktop/ui/DesktopColors.h"

#include <QPalette>
#include <array>

#include "color/SystemColors.h"
#include "desktop/ui/QtColor.h"

namespace tonzug {
namespace {

struct PaletteEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colour indices and the palette colour that plays the same part. Qt's
// shading roles run Light > Midlight > Button > Mid > Dark > Shadow, which matches the
// 3-D highlight, light, face, shadow and dark shadow of the classic scheme. The desktop,
// the caption bars and the window frame have no palette role of their own; they take
// the nearest one.
constexpr std::array<PaletteEntry, kSystemColorCount> kPaletteOfIndex = {{
    {QPalette::Active, QPalette::Button},           // 0 scroll bar
    {QPalette::Active, QPalette::Dark},             // 1 desktop
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Mid},            // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Window},           // 10 active border
    {QPalette::Inactive, QPalette::Window},         // 11 inactive border
    {QPalette::Active, QPalette::Dark},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlighted text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Inactive, QPalette::WindowText},     // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 tool tip text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 tool tip background
}};

}  // namespace

void FillSystemColorsFromPalette(const QPalette& palette) {
    for (int index = 0; index < kSystemColorCount; ++index) {
        const PaletteEntry& entry = kPaletteOfIndex[static_cast<std::size_t>(index)];
        const ColorValue color = FromQColor(palette.color(entry.group, entry.role));
        if (color != kNoColor) {
            SetSystemColor(index, color);
        }
    }
}

}  // namespace tonzug
