#pragma once

class QPalette;

namespace tonzug {

// Fills the system colour table (color/SystemColors.h) from the desktop's palette, so
// that system colour values show the colours of the user's desktop.
void FillSystemColorsFromPalette(const QPalette& palette);

}  // namespace tonzug
