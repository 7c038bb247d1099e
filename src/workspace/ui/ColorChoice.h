#pragma once

class QWidget;

namespace tonzug {

class ColorSwatch;
class ParameterForm;

// The "..." buttons: lets the user choose a new colour for a swatch, starting from the
// swatch's colour, and redraws (a cancel keeps the colour).
void ChooseSwatchColor(QWidget& owner, ParameterForm& form, ColorSwatch& swatch);

}  // namespace tonzug
