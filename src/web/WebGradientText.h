#pragma once

#include <string>

#include "web/WebGradient.h"

namespace tonzug {

// One CSS declaration, "background-image: ...;" with a linear-gradient (to right, to
// bottom) or a radial-gradient from the centre to the farthest corner, colours as #rrggbb
// and positions in percent. Drawn on an element of the picture's size it shows the
// picture; at another size it stretches with the element.
std::string CssDeclaration(const WebGradient& gradient);

// A complete SVG picture of the picture's size: one rectangle filled with the same stops
// in a linearGradient or radialGradient of gradientUnits="userSpaceOnUse".
std::string SvgPicture(const WebGradient& gradient);

}  // namespace tonzug
