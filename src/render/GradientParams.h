#pragma once

#include <cstdint>

#include "color/HuePath.h"
#include "render/ClassicColors.h"

namespace tonzug {

// The colour space in which the colours are blended. The values of both enums are the
// ones stored in parameter files.
enum class ColorMode : std::int32_t { kRgb = 0, kHsl = 1, kOklab = 2, kOklch = 3 };
enum class Orientation : std::int32_t { kHorizontal = 0, kVertical = 1, kCircle = 2 };

// One classic gradient as handed to the renderer; width and height are the full size in
// pixels. A colour mode or orientation outside its enum draws nothing.
struct GradientParams {
    ClassicColors colors;
    float width = 0.0f;
    float height = 0.0f;
    ColorMode colorMode = ColorMode::kRgb;
    Orientation orientation = Orientation::kVertical;
    // The way round the colour circle in HSL and OkLCh.
    HuePath huePath = HuePath::kDirect;

    friend bool operator==(const GradientParams&, const GradientParams&) = default;
};

}  // namespace tonzug
