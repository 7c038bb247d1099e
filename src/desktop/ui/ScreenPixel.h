#pragma once

#include <QPoint>

#include "color/ColorValue.h"

namespace tonzug {

// The colour the user sees at a point of the desktop (global coordinates of the
// toolkit). It is read from the screen; where the window system does not let a program
// read the screen (some Wayland sessions), from the program's own window at that point;
// kNoColor when neither can be read.
ColorValue ScreenPixel(QPoint globalPos);

// Whether the window system lets the program read the screen at that point.
bool ScreenCanBeRead(QPoint globalPos);

// The colour at that point as the program's own window there draws it; kNoColor where no
// window of the program is.
ColorValue OwnWindowPixel(QPoint globalPos);

}  // namespace tonzug
