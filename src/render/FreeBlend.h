#pragma once

#include "color/CssColor.h"
#include "color/CssInterpolation.h"

namespace tonzug {

// Two colours blended at t (0 at `from`, 1 at `to`) by the interpolation method, with
// premultiplied alpha; straight alpha in and out.
CssColor BlendCssColors(const CssColor& from, const CssColor& to, double t,
                        const InterpolationMethod& method);

}  // namespace tonzug
