#pragma once

#include <QString>

#include "color/ColorValue.h"

class QWidget;

namespace tonzug {

// Runs the colour chooser "Farbauswahl" modally over the owner, starting from `color`
// (a system colour is allowed). showBack shows the "Hintergrund" button, showHtml the
// HTML row; a non-empty caption replaces the title. Returns the chosen colour as plain
// RGB, or kNoColor when the user cancelled or closed the window. Every call starts with
// a fresh dialog.
ColorValue ShowColorDialog(QWidget* owner, ColorValue color, bool showBack, bool showHtml,
                           const QString& caption);

}  // namespace tonzug
