#pragma once

#include "color/ColorValue.h"
#include "form/FormControls.h"

namespace tonzug {

// A colour swatch of the main window. Like every control it announces a new colour to
// its change handler and observers. It refuses a value that cannot be translated to a
// real colour, so it never holds "no colour".
class ColorSwatch : public ControlEvents {
  public:
    explicit ColorSwatch(ColorValue color) : color_(color) {}
    ColorValue Color() const { return color_; }
    bool SetColor(ColorValue color);

  private:
    ColorValue color_;
};

}  // namespace tonzug
