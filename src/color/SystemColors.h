#pragma once

#include <array>
#include <cstdint>

#include "color/ColorValue.h"

namespace tonzug {

// The desktop's interface colours, indexed as a system colour value names them
// (0x80000000 + index): 0 scroll bars, 1 desktop, ..., 15 button face, ..., 24 tool tip.
inline constexpr int kSystemColorCount = 25;
using SystemColorArray = std::array<ColorValue, kSystemColorCount>;

// Replaces one entry, e.g. from the desktop palette of the window system. Only plain
// RGB values (0..0xFFFFFF) are taken; returns false and changes nothing otherwise.
bool SetSystemColor(int index, ColorValue color);

// Back to the fixed classic scheme.
void ResetSystemColors();

// A plain colour value comes back unchanged; a system colour value comes back as the
// colour the table holds for its index, or kNoColor when the index is not in the table.
// The palette is accepted for the callers' sake and not used.
ColorValue TranslateColor(ColorValue color, std::int32_t palette = 0);

}  // namespace tonzug
