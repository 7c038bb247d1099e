#pragma once

#include <QString>

#include "color/ColorValue.h"

class QWidget;

namespace tonzug {

// The optional parts of the chooser that a caller shows.
enum class BackgroundButton { kHidden, kShown };
enum class HtmlRow { kHidden, kShown };

// Runs the colour chooser "Farbauswahl" modally over the owner, starting from `color`
// (a system colour is allowed), with or without the "Hintergrund" button and the HTML
// row; a non-empty caption replaces the title. Returns the chosen colour as plain
// RGB, or kNoColor when the user cancelled or closed the window. Every call starts with
// a fresh dialog.
ColorValue ShowColorDialog(QWidget* owner, ColorValue color, BackgroundButton background,
                           HtmlRow html, const QString& caption);

}  // namespace tonzug
