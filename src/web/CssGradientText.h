#pragma once

#include <string>

#include "render/FreeGradient.h"

namespace tonzug {

// Whether CSS can say the gradient exactly: two to kMaxColorStops stops, segments that
// are straight without a midpoint or curved (a colour hint), a hue path that CSS has for
// the space (none but the default one in a rectangular space, never kDirect) and a circle
// radius in pixels of 0 or more.
bool CssCanExpress(const FreeGradient& gradient);

// The canonical CSS text of the gradient ("linear-gradient(...)"), which ReadCssGradient
// reads back to an equal gradient when CssCanExpress holds: only what differs from CSS's
// defaults, colours as #rrggbb[aa] where that is exact and as color(srgb r g b / a)
// otherwise, numbers with all the digits they need. What CSS cannot say is written as
// near as it goes: any midpoint as a colour hint, another hue path as the default one.
std::string CssGradientText(const FreeGradient& gradient);

}  // namespace tonzug
