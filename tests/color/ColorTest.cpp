#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "color/ColorSpaces.h"
#include "color/ColorText.h"
#include "color/SystemColors.h"

namespace tonzug {
namespace {

TEST(ColorValue, ChannelsInBgrLayoutAndLuminance) {
    EXPECT_EQ(RgbColor(255, 128, 0), 0x0080FF);
    EXPECT_EQ(Luminance(RgbColor(0, 255, 0)), 150);  // 150.45
    EXPECT_EQ(Luminance(RgbColor(255, 0, 0)), 76);   // 76.5 rounds to even
}

TEST(HslToRgb, RoundsHalvesUpClampsAndInvertsRgbToHsl) {
    RgbTriple triple;
    EXPECT_EQ(HslToRgb(0, 0, 0.5, triple), RgbColor(128, 128, 128));
    EXPECT_EQ(triple.red, 127.5);
    EXPECT_EQ(HslToRgb(360, 1, 0.5), RgbColor(255, 0, 0));
    EXPECT_EQ(HslToRgb(std::nan(""), std::nan(""), std::nan("")), kBlack);
    triple = RgbTriple{1, 2, 3};
    EXPECT_EQ(HslScaledToRgb(80, 240, 120, 0, triple), kBlack);  // no scale: left alone
    EXPECT_EQ(triple.red, 1.0);
    std::mt19937 engine(7);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int i = 0; i < 20000; ++i) {
        const ColorValue color = RgbColor(channel(engine), channel(engine), channel(engine));
        ASSERT_EQ(HslToRgb(RgbToHsl(color)), color) << std::hex << color;
    }
}

TEST(RoundHalfUp, HalvesUpNegativesTowardZeroFailuresZero) {
    const struct {
        double x;
        std::int32_t expected;
    } cases[] = {{127.5, 128},
                 {2.49, 2},
                 {-2.7, -2},
                 {2147483647.5, 0},
                 {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfUp(c.x), c.expected) << c.x;
    }
}

TEST(HtmlToRgb, ReadsSixDigitsAndOnlySix) {
    RgbTriple triple;
    EXPECT_EQ(HtmlToRgb("\t#Ff8000 ", triple), RgbColor(255, 128, 0));
    EXPECT_EQ(triple.green, 128.0);
    for (const char* text : {"#FFF", "#FFFFFFF"}) {
        EXPECT_EQ(HtmlToRgb(text), kBlack) << text;
    }
    EXPECT_EQ(HtmlToRgb("#1G80Z2"), RgbColor(0x10, 0x80, 0x02));  // a non-digit counts as 0
    // Measured in characters, not bytes.
    EXPECT_EQ(HtmlToRgb("\xC3\xA4\xC3\xA4"
                        "1234"),
              RgbColor(0, 0x12, 0x34));
    std::mt19937 engine(11);
    std::uniform_int_distribution<ColorValue> color(0, kWhite);
    for (int i = 0; i < 1000; ++i) {
        const ColorValue c = color(engine);
        ASSERT_EQ(HtmlToRgb(ColorToHex(c, i % 2 == 0)), c);
    }
    EXPECT_EQ(ColorToHex(RgbColor(1, 0xAB, 0x0C), true), "#01AB0C");
}

TEST(SystemColors, TranslateThroughTheTableThatTheDesktopFills) {
    EXPECT_EQ(TranslateColor(RgbColor(1, 2, 3)), RgbColor(1, 2, 3));
    EXPECT_EQ(TranslateColor(SystemColor(15)), RgbColor(212, 208, 200));  // button face
    for (const ColorValue color : {SystemColor(25), kNoColor}) {
        EXPECT_EQ(TranslateColor(color), kNoColor);
    }
    EXPECT_TRUE(SetSystemColor(15, RgbColor(10, 20, 30)));
    EXPECT_FALSE(SetSystemColor(25, kWhite));
    EXPECT_FALSE(SetSystemColor(15, SystemColor(5)));
    EXPECT_EQ(TranslateColor(SystemColor(15)), RgbColor(10, 20, 30));
    ResetSystemColors();
}

}  // namespace
}  // namespace tonzug
