#pragma once

#include <string>
#include <string_view>

#include "color/ColorSpaces.h"
#include "color/ColorValue.h"

namespace tonzug {

// Six upper-case hex digits in the order RRGGBB ("FF0000" for red), with a leading "#"
// when withHash is set. Meant for plain colour values 0..0xFFFFFF.
std::string ColorToHex(ColorValue color, bool withHash = false);

// Reads "#RRGGBB" or "RRGGBB" (blanks around it, digits in either case). A text of any
// other length gives black; a character that is no hex digit counts as 0.
ColorValue HtmlToRgb(std::string_view text, RgbTriple& triple);
ColorValue HtmlToRgb(std::string_view text);

}  // namespace tonzug
