#include "color/SystemColors.h"

#include <atomic>

namespace tonzug {
namespace {

// Classic desktop scheme: light grey faces, white windows, black text, dark blue
// highlight and title bars.
constexpr SystemColorArray kClassicScheme = {
    RgbColor(212, 208, 200),  // 0 scroll bars
    RgbColor(58, 110, 165),   // 1 desktop
    RgbColor(10, 36, 106),    // 2 active title bar
    RgbColor(128, 128, 128),  // 3 inactive title bar
    RgbColor(212, 208, 200),  // 4 menu bar
    RgbColor(255, 255, 255),  // 5 window background
    RgbColor(0, 0, 0),        // 6 window frame
    RgbColor(0, 0, 0),        // 7 menu text
    RgbColor(0, 0, 0),        // 8 window text
    RgbColor(255, 255, 255),  // 9 active title text
    RgbColor(212, 208, 200),  // 10 active border
    RgbColor(212, 208, 200),  // 11 inactive border
    RgbColor(128, 128, 128),  // 12 application workspace
    RgbColor(10, 36, 106),    // 13 highlight
    RgbColor(255, 255, 255),  // 14 highlighted text
    RgbColor(212, 208, 200),  // 15 button face
    RgbColor(128, 128, 128),  // 16 button shadow
    RgbColor(128, 128, 128),  // 17 disabled text
    RgbColor(0, 0, 0),        // 18 button text
    RgbColor(212, 208, 200),  // 19 inactive title text
    RgbColor(255, 255, 255),  // 20 button highlight
    RgbColor(64, 64, 64),     // 21 dark button shadow
    RgbColor(212, 208, 200),  // 22 light button shadow
    RgbColor(0, 0, 0),        // 23 tool tip text
    RgbColor(255, 255, 225),  // 24 tool tip background
};

// Atomic entries: renderers may translate on worker threads while the window
// refreshes the table from the desktop palette.
struct LiveTable {
    LiveTable() { Reset(); }
    void Reset() {
        for (int i = 0; i < kSystemColorCount; ++i) {
            entries[i].store(kClassicScheme[i], std::memory_order_relaxed);
        }
    }
    std::array<std::atomic<ColorValue>, kSystemColorCount> entries;
};

LiveTable& Table() {
    static LiveTable table;
    return table;
}

}  // namespace

bool SetSystemColor(int index, ColorValue color) {
    if (index < 0 || index >= kSystemColorCount || color < 0 || color > kWhite) {
        return false;
    }
    Table().entries[index].store(color, std::memory_order_relaxed);
    return true;
}

void ResetSystemColors() {
    Table().Reset();
}

ColorValue TranslateColor(ColorValue color, std::int32_t /*palette*/) {
    if (!IsSystemColor(color)) {
        return color;
    }
    const std::uint32_t index = static_cast<std::uint32_t>(color) - kSystemColorFlag;
    if (index >= static_cast<std::uint32_t>(kSystemColorCount)) {
        return kNoColor;
    }
    return Table().entries[index].load(std::memory_order_relaxed);
}

}  // namespace tonzug
