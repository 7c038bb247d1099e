#pragma once

#include <string>
#include <string_view>

#include "render/FreeGradient.h"

namespace tonzug {

// The easing of a colour line's segments beyond what its CSS text says, as the parameter
// files keep it next to that text: one name per segment, separated by commas, empty where
// the CSS says it all (a straight segment, or a colour hint's curve), for example
// "sine,,step". The names are linear, curved, sine, sphere-increasing, sphere-decreasing
// and step; a segment's midpoint is its CSS hint. "straight-alpha:" in front says that
// alpha blends apart from the colour, as GIMP blends it. Empty for a line that CSS says
// whole.
std::string EasingText(const FreeGradient& gradient);

// Whether the text is such a list of names (blanks around them allowed).
bool IsEasingText(std::string_view text);

// Gives the segments the easings the text names; false, and nothing changed, for a text
// that is no such list or names more segments than the gradient has.
bool ApplyEasingText(std::string_view text, FreeGradient& gradient);

}  // namespace tonzug
