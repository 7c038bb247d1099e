#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "color/ColorSpaces.h"
#include "color/SystemColors.h"
#include "render/ColorRamp.h"
#include "testing/SampleGradient.h"

namespace tonzug {
namespace {

using testing::ThroughMiddle;

constexpr ColorValue kRed = RgbColor(255, 0, 0);
constexpr ColorValue kBlue = RgbColor(0, 0, 255);

TEST(ClampByte, LimitsAndRoundsTiesToEven) {
    const struct {
        float x;
        std::int32_t expected;
    } cases[] = {{-1.0f, 0},
                 {0.5f, 0},
                 {1.5f, 2},
                 {254.5f, 254},
                 {255.4f, 255},
                 {300.0f, 255},
                 {std::numeric_limits<float>::quiet_NaN(), 0},
                 {std::numeric_limits<float>::infinity(), 255}};
    for (const auto& c : cases) {
        EXPECT_EQ(ClampByte(c.x), c.expected) << c.x;
    }
}

// A step count that rounds to no 32-bit integer gives an empty ramp.
TEST(ColorRamps, UnusableStepCountsGiveEmptyRamps) {
    for (const float steps : {std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(), 2147483648.0f, 1e20f}) {
        EXPECT_EQ(BuildRampTwo(kRed, kBlue, steps)->UpperBound(), -1) << steps;
        const auto bands =
            BuildRampBands(ThroughMiddle(kRed, kWhite, kBlue, 30.0f, {1, 1, 1}), steps);
        EXPECT_EQ(bands->UpperBound(), -1) << steps;
        EXPECT_EQ(bands->At(1), 0);
    }
    EXPECT_EQ(BuildRampHsl(kRed, kBlue, -1)->UpperBound(), -1);
}

// Band widths at the ends of the 32-bit range must neither overflow nor cost time.
TEST(BuildRampBands, ExtremeBandWidthsAndLongRampsStayCheap) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const auto wide =
        BuildRampBands(ThroughMiddle(kRed, kWhite, kBlue, 50.0f, {kMax, kMin, kMax}), 2e9f);
    ASSERT_EQ(wide->UpperBound(), 2000000000);
    EXPECT_EQ(wide->At(1), kBlue);  // the end band covers the start band
    EXPECT_EQ(wide->At(2000000000), kBlue);
    const auto narrow =
        BuildRampBands(ThroughMiddle(kRed, kWhite, kBlue, 50.0f, {kMin, kMax, kMin}), 2e9f);
    EXPECT_EQ(narrow->At(1), kWhite);  // the middle band covers everything
    EXPECT_EQ(narrow->At(2000000000), kWhite);
    const auto noMiddle =
        BuildRampBands(ThroughMiddle(kRed, kWhite, kBlue, std::nanf(""), {0, 0, 0}), 2e9f);
    EXPECT_EQ(noMiddle->At(2000000000), RgbColor(0, 0, 255));
}

}  // namespace
}  // namespace tonzug
