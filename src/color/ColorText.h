#pragma once

#include <string>

#include "color/ColorSpaces.h"
#include "color/ColorValue.h"

namespace tonzug {

// Six upper-case hex digits in the order RRGGBB ("FF0000" for red), with a leading "#"
// when withHash is set. Meant for plain colour values 0..0xFFFFFF.
std::string ColorToHex(ColorValue color, bool withHash = false);

}  // namespace tonzug
