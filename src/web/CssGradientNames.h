#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "render/FreeGradient.h"

// The words CSS has for the parts of the gradient model, for reading and writing alike.
namespace tonzug {

struct CssSpaceName {
    std::string_view name;
    InterpolationSpace space;
    bool polar;
};

inline constexpr std::array<CssSpaceName, 15> kCssSpaceNames{{
    {"srgb", InterpolationSpace::kSrgb, false},
    {"srgb-linear", InterpolationSpace::kSrgbLinear, false},
    {"display-p3", InterpolationSpace::kDisplayP3, false},
    {"a98-rgb", InterpolationSpace::kA98Rgb, false},
    {"prophoto-rgb", InterpolationSpace::kProphotoRgb, false},
    {"rec2020", InterpolationSpace::kRec2020, false},
    {"lab", InterpolationSpace::kLab, false},
    {"oklab", InterpolationSpace::kOklab, false},
    {"xyz-d65", InterpolationSpace::kXyzD65, false},
    {"xyz-d50", InterpolationSpace::kXyzD50, false},
    {"xyz", InterpolationSpace::kXyzD65, false},
    {"hsl", InterpolationSpace::kHsl, true},
    {"hwb", InterpolationSpace::kHwb, true},
    {"lch", InterpolationSpace::kLch, true},
    {"oklch", InterpolationSpace::kOklch, true},
}};

inline constexpr std::array<std::pair<std::string_view, HuePath>, 4> kCssHueNames{{
    {"shorter", HuePath::kShorter},
    {"longer", HuePath::kLonger},
    {"increasing", HuePath::kIncreasing},
    {"decreasing", HuePath::kDecreasing},
}};

inline constexpr std::array<std::pair<std::string_view, RadialExtent>, 4> kCssExtentNames{{
    {"closest-side", RadialExtent::kClosestSide},
    {"farthest-side", RadialExtent::kFarthestSide},
    {"closest-corner", RadialExtent::kClosestCorner},
    {"farthest-corner", RadialExtent::kFarthestCorner},
}};

// The word for a value; empty where CSS has none.
template <typename Value, std::size_t kCount>
std::string_view CssNameOf(const std::array<std::pair<std::string_view, Value>, kCount>& names,
                           Value value) {
    for (const auto& [name, entry] : names) {
        if (entry == value) {
            return name;
        }
    }
    return {};
}

}  // namespace tonzug
