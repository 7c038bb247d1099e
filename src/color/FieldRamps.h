#pragma once

#include <cstdint>
#include <vector>

#include "color/ColorValue.h"

namespace tonzug {

// The colour lists of the chooser's hue, saturation and lightness fields. One HSL
// component runs over n bands from 0 to one band short of 240 while the other two stay
// fixed (all on the 240 scale). Entry i + 1 is the colour of band i; entry 0 is unused
// and 0. n = 0 gives just entry 0; n < 0 gives an empty list.
std::vector<ColorValue> FieldRampHue(double saturation, double lightness, std::int32_t n);
std::vector<ColorValue> FieldRampSat(double hue, double lightness, std::int32_t n);
std::vector<ColorValue> FieldRampLight(double hue, double saturation, std::int32_t n);

}  // namespace tonzug
