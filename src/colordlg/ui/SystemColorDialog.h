#pragma once

#include "color/ColorValue.h"

class QWidget;

namespace tonzug {

// Lets the user choose a colour in the toolkit's colour dialog, starting from `color`
// (a system colour starts from the colour it stands for). Its custom colours are white
// again at every call. Returns the chosen colour, or kNoColor on cancel.
ColorValue ShowSystemColorDialog(QWidget* owner, ColorValue color);

}  // namespace tonzug
