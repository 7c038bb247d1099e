#pragma once

#include <QColor>

#include "color/ColorValue.h"

namespace tonzug {

// A plain colour value as a QColor and back. System colours are translated first;
// one that cannot be translated gives an invalid QColor.
QColor ToQColor(ColorValue color);
ColorValue FromQColor(const QColor& color);

}  // namespace tonzug
