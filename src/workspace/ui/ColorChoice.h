#pragma once

class QWidget;

namespace tonzug {

class ColorSwatch;

// The "..." buttons: lets the user choose a new colour for a swatch, starting from the
// swatch's colour (a cancel keeps the colour).
void ChooseSwatchColor(QWidget& owner, ColorSwatch& swatch);

}  // namespace tonzug
