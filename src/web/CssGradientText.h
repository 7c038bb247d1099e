#pragma once

#include <string>

#include "render/FreeGradient.h"

namespace tonzug {

// Whether CSS can say the gradient exactly: two to kMaxColorStops stops, segments that
// are straight without a midpoint or curved (a colour hint), a hue path that CSS has for
// the space (none but the default one in a rectangular space, never kDirect), colours
// without missing components, alpha premultiplied wherever it changes, and a circle
// radius in pixels of 0 or more.
bool CssCanExpress(const FreeGradient& gradient);

// The canonical CSS text of the gradient ("linear-gradient(...)") for a browser: when
// CssCanExpress holds, one that ReadCssGradient reads back to an equal gradient: only
// what differs from CSS's defaults, colours as #rrggbb[aa] where that is exact and as
// color(srgb r g b / a) otherwise, numbers with all the digits they need. A colour line
// CSS cannot say is split into stops (at their places on a line of lineLength, see
// FreeColorLine) that a browser draws within half a level of it, in the same space, hints
// kept where they are exact; a geometry CSS cannot say is written as near as it goes.
std::string CssGradientText(const FreeGradient& gradient, double lineLength);

// The CSS text that the easing text (EasingText) completes, as a parameter file keeps a
// gradient: the shape and stops as they are, any midpoint as a colour hint, another hue
// path as the default one.
std::string CssGradientTextBesideEasing(const FreeGradient& gradient);

}  // namespace tonzug
