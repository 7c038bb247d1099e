#include "form/ColorSwatch.h"

#include "color/SystemColors.h"

namespace tonzug {

bool ColorSwatch::SetColor(ColorValue color) {
    if (TranslateColor(color, 0) == kNoColor) {
        return false;
    }
    if (color != color_) {
        color_ = color;
        Raise();
    }
    return true;
}

}  // namespace tonzug
