#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "render/Gradient.h"
#include "testing/SampleGradient.h"

namespace tonzug {
namespace {

using enum Orientation;
using enum ColorMode;

constexpr ColorValue kFill = RgbColor(7, 8, 9);

GradientParams Params(ColorMode mode, Orientation orientation, float width, float height) {
    return testing::RedToBlue(orientation, mode, width, height);
}

bool AllPixelsAre(const Raster& raster, ColorValue color) {
    for (std::uint32_t word : raster.Pixels()) {
        if (word != ToPixel(color)) {
            return false;
        }
    }
    return true;
}

struct RadiusCase {
    std::int32_t a;
    std::int32_t b;
    std::int32_t radius;
};

class CornerRadiusOf : public ::testing::TestWithParam<RadiusCase> {};

TEST_P(CornerRadiusOf, HalvesSidesTiesToEvenThenRoundsTheRoot) {
    EXPECT_EQ(CornerRadius(GetParam().a, GetParam().b), GetParam().radius);
}

// One row per rule: halves tie to even, the root rounds, signs drop, no 32-bit overflow.
INSTANTIATE_TEST_SUITE_P(Sizes, CornerRadiusOf,
                         ::testing::Values(RadiusCase{300, 200, 180}, RadiusCase{101, 0, 50},
                                           RadiusCase{103, 0, 52}, RadiusCase{-300, -200, 180},
                                           RadiusCase{std::numeric_limits<std::int32_t>::max(),
                                                      std::numeric_limits<std::int32_t>::max(),
                                                      1518500250}));

TEST(DrawGradient, DrawsNothingWithoutStepsOrShape) {
    const GradientParams nothing[] = {
        Params(kRgb, kHorizontal, 0.0f, 10.0f),
        Params(kHsl, kHorizontal, -5.0f, 10.0f),
        Params(kRgb, kVertical, 10.0f, 0.4f),
        Params(kRgb, kCircle, 1.0f, 1.0f),
        Params(static_cast<ColorMode>(4), kVertical, 10.0f, 10.0f),
        Params(kRgb, static_cast<Orientation>(3), 10.0f, 10.0f),
        Params(kRgb, kHorizontal, 1e12f, 10.0f),
    };
    for (const GradientParams& params : nothing) {
        Raster surface(12, 12, kFill);
        surface.SetPenWidth(5);
        DrawGradient(surface, params);
        EXPECT_TRUE(AllPixelsAre(surface, kFill)) << params.width << "x" << params.height;
        EXPECT_TRUE(surface.AutoRedraw());
        EXPECT_EQ(surface.PenWidth(), 5);
    }
}

}  // namespace
}  // namespace tonzug
