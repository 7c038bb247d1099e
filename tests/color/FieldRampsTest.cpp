#include <gtest/gtest.h>

#include <vector>

#include "color/FieldRamps.h"

namespace tonzug {
namespace {

TEST(FieldRamps, HueFieldRunsRoundTheColourCircle) {
    const std::vector<ColorValue> expected = {0,
                                              RgbColor(255, 0, 0),
                                              RgbColor(255, 255, 0),
                                              RgbColor(0, 255, 0),
                                              RgbColor(0, 255, 255),
                                              RgbColor(0, 0, 255),
                                              RgbColor(255, 0, 255)};
    EXPECT_EQ(FieldRampHue(240, 120, 6), expected);
}

TEST(FieldRamps, FirstBandHoldsTheRunningComponentAtZero) {
    for (const double hue : {0.0, 40.0, 200.0}) {
        EXPECT_EQ(FieldRampLight(hue, 240, 10).at(1), kBlack) << hue;
        EXPECT_EQ(FieldRampSat(hue, 120, 10).at(1), RgbColor(128, 128, 128)) << hue;
    }
    // The lightness field ends one band short of white.
    EXPECT_NE(FieldRampLight(0, 0, 10).back(), kWhite);
}

TEST(FieldRamps, SizeFollowsTheBandCount) {
    EXPECT_EQ(FieldRampHue(240, 120, 0), std::vector<ColorValue>{0});
    EXPECT_TRUE(FieldRampSat(0, 120, -1).empty());
    const std::vector<ColorValue> ramp = FieldRampLight(0, 0, 240);
    ASSERT_EQ(ramp.size(), 241u);
    EXPECT_EQ(ramp[0], 0);
}

}  // namespace
}  // namespace tonzug
