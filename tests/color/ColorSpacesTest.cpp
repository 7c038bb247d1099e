#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "color/ColorSpaces.h"
#include "color/SystemColors.h"

namespace tonzug {
namespace {

TEST(Luminance, WeighsTheChannels) {
    EXPECT_EQ(Luminance(kWhite), 255);
    EXPECT_EQ(Luminance(kBlack), 0);
    EXPECT_EQ(Luminance(RgbColor(0, 255, 0)), 150);  // 150.45
    EXPECT_EQ(Luminance(RgbColor(255, 0, 0)), 76);   // 76.5 rounds to even
}

TEST(RgbToHsl, HexconeReferenceColours) {
    const struct {
        ColorValue color;
        double hue, saturation, lightness;
    } cases[] = {
        {kWhite, 0, 0, 1},
        {kBlack, 0, 0, 0},
        {RgbColor(255, 255, 0), 60, 1, 0.5},   // red wins the tie with green
        {RgbColor(0, 255, 255), 180, 1, 0.5},  // green wins the tie with blue
        {RgbColor(0, 0, 255), 240, 1, 0.5},
        {RgbColor(255, 0, 128), 360 - 60 * 128 / 255.0, 1, 0.5},  // 329.88
        {RgbColor(64, 128, 64), 120, 1.0 / 3, 96 / 255.0},
    };
    for (const auto& c : cases) {
        const HslColor hsl = RgbToHsl(c.color);
        EXPECT_NEAR(hsl.hue, c.hue, 1e-9) << std::hex << c.color;
        EXPECT_NEAR(hsl.saturation, c.saturation, 1e-9) << std::hex << c.color;
        EXPECT_NEAR(hsl.lightness, c.lightness, 1e-9) << std::hex << c.color;
    }
}

TEST(HslToRgb, RoundsHalvesUpAndWrapsHueOnce) {
    RgbTriple triple;
    EXPECT_EQ(HslToRgb(0, 0, 0.5, triple), RgbColor(128, 128, 128));
    EXPECT_EQ(triple.red, 127.5);
    EXPECT_EQ(HslToRgb(360, 1, 0.5), HslToRgb(0, 1, 0.5));
    EXPECT_EQ(HslToRgb(0, 1, 0.5), RgbColor(255, 0, 0));
    EXPECT_EQ(HslToRgb(120, 1, 0.25), RgbColor(0, 128, 0));
    // Out-of-range components are clamped, NaN falls back to 0 without faults.
    EXPECT_EQ(HslToRgb(0, 0, 2.0), kWhite);
    EXPECT_EQ(HslToRgb(0, 0, -1.0), kBlack);
    EXPECT_EQ(HslToRgb(std::nan(""), std::nan(""), std::nan("")), kBlack);
}

TEST(HslToRgb, InvertsRgbToHsl) {
    std::mt19937 engine(7);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int i = 0; i < 20000; ++i) {
        const ColorValue color = RgbColor(channel(engine), channel(engine), channel(engine));
        EXPECT_EQ(HslToRgb(RgbToHsl(color)), color) << std::hex << color;
    }
}

TEST(HslScaledToRgb, ScaleStandsForFullCircleAndOne) {
    RgbTriple triple{1, 2, 3};
    EXPECT_EQ(HslScaledToRgb(80, 240, 120, 240, triple), RgbColor(0, 255, 0));
    EXPECT_EQ(triple.green, 255.0);
    triple = RgbTriple{1, 2, 3};
    EXPECT_EQ(HslScaledToRgb(80, 240, 120, 0, triple), kBlack);
    EXPECT_EQ(triple.red, 1.0);  // left alone
}

TEST(RoundHalfUp, HalvesUpNegativesTowardZeroFailuresZero) {
    const struct {
        double x;
        std::int32_t expected;
    } cases[] = {{127.5, 128},
                 {2.5, 3},
                 {2.49, 2},
                 {-2.7, -2},
                 {-0.5, 0},
                 {2147483646.5, 2147483647},
                 {2147483647.5, 0},
                 {-2147483648.9, -2147483647 - 1},
                 {1e300, 0},
                 {std::numeric_limits<double>::infinity(), 0},
                 {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfUp(c.x), c.expected) << c.x;
    }
}

}  // namespace
}  // namespace tonzug
