#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "color/CssColor.h"
#include "render/FreeGradient.h"

namespace tonzug {

// What the reader looked for where a text stopped being a gradient.
enum class CssGradientExpected {
    kGradient,  // linear-gradient(), radial-gradient(), conic-gradient() or a repeating one
    kColor,     // the colour reader's own finding is in CssGradientError::color
    kColorStop,
    kSideOrCorner,
    kAngle,
    kLengthOrPercentage,
    kAngleOrPercentage,
    kRadius,
    kPosition,
    kColorSpace,
    kHue,  // the word "hue" after shorter, longer, increasing or decreasing
    kComma,
    kCommaOrClose,
    kClose,
    kEnd,
    kTwoStops,
    kFewerStops,
};

struct CssGradientError {
    std::size_t character = 0;  // counted from 0 in characters, not bytes
    CssGradientExpected expected = CssGradientExpected::kGradient;
    CssColorError color;  // with kColor: the same character and what the colour lacked
};

struct CssGradientReading {
    std::optional<FreeGradient> gradient;
    CssGradientError error;  // where and why the text is no gradient, when `gradient` is empty
};

// One CSS Images 4 gradient: linear-gradient(), radial-gradient(), conic-gradient() and
// their repeating- forms in any letter case, with every geometry, "in <space> [<hue> hue]",
// colour stops with up to two positions and colour hints; lengths in px (other absolute
// units converted at 96 px to the inch), percentages, angles for conic stops, and
// calc() sums of a percentage and lengths. Also a whole "background:" or
// "background-image:" declaration as copied from a style sheet, of which the first
// gradient counts. Positions are kept as written; CSS's fix-up of stops is the drawing's.
// Without "in" the colours blend in sRGB when every stop is a legacy colour (hex, a name,
// rgb(), hsl(), hwb()), else in Oklab.
CssGradientReading ReadCssGradient(std::string_view text);

// The first gradient function in a longer text, as in a style sheet ("a { background:
// linear-gradient(...) }"): from its name, a "repeating-" before it included, to its
// closing parenthesis. Nothing when no name is followed by balanced parentheses.
std::optional<std::string_view> FindCssGradient(std::string_view text);

// "expected a colour stop at character 17", or its German form for the window.
std::string DescribeCssGradientError(const CssGradientError& error, MessageLanguage language);

}  // namespace tonzug
