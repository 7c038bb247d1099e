#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "color/ColorSpaces.h"
#include "color/CssColor.h"
#include "color/CssNamedColors.h"
#include "color/SystemColors.h"

namespace tonzug {
namespace {

TEST(ColorValue, ChannelsInBgrLayoutAndLuminance) {
    EXPECT_EQ(RgbColor(255, 128, 0), 0x0080FF);
    EXPECT_EQ(Luminance(RgbColor(0, 255, 0)), 150);  // 150.45
    EXPECT_EQ(Luminance(RgbColor(255, 0, 0)), 76);   // 76.5 rounds to even
}

TEST(HslToRgb, RoundsHalvesUpFailuresToZeroAndInvertsRgbToHsl) {
    RgbTriple triple;
    EXPECT_EQ(HslToRgb(0, 0, 0.5, triple), RgbColor(128, 128, 128));
    EXPECT_EQ(triple.red, 127.5);
    EXPECT_EQ(HslToRgb(360, 1, 0.5), RgbColor(255, 0, 0));
    EXPECT_EQ(HslToRgb(std::nan(""), std::nan(""), std::nan("")), kBlack);
    EXPECT_EQ(RoundHalfUp(-2.7), -2);  // towards zero
    EXPECT_EQ(RoundHalfUp(2147483647.5), 0);
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

TEST(CssColor, ReadsEveryFormAsCssDoes) {
    const struct {
        const char* text;
        ColorValue expected;
        double alpha;
    } cases[] = {
        {" #abc ", RgbColor(0xAA, 0xBB, 0xCC), 1.0},
        {"#Ff8000", RgbColor(255, 128, 0), 1.0},
        {"#0000FF80", RgbColor(0, 0, 255), 128 / 255.0},
        {"#1234", RgbColor(0x11, 0x22, 0x33), 0x44 / 255.0},
        {"RebeccaPurple", RgbColor(0x66, 0x33, 0x99), 1.0},
        {"transparent", kBlack, 0.0},
        {"rgb(10,20,30)", RgbColor(10, 20, 30), 1.0},
        {"rgba( 10 , 20 , 30 , 50% )", RgbColor(10, 20, 30), 0.5},
        {"RGB(100% 50% 0% / 0.25)", RgbColor(255, 128, 0), 0.25},  // 127.5 rounds to even
        {"rgb(300 -5 none / none)", RgbColor(255, 0, 0), 0.0},     // clamped, none is 0
        {"rgb(1e2 .5e1 +7)", RgbColor(100, 5, 7), 1.0},
        {"hsl(120, 100%, 25%)", RgbColor(0, 128, 0), 1.0},
        {"hsla(120deg 100 25 / 2)", RgbColor(0, 128, 0), 1.0},
        {"hsl(-240 100% 50%)", RgbColor(0, 255, 0), 1.0},
        {"hsl(0.5turn -50% 40%)", RgbColor(102, 102, 102), 1.0},  // negative saturation is 0
        {"hsl(200grad 100% 50%)", RgbColor(0, 255, 255), 1.0},
        {"hsl(3.14159265rad 100% 50%)", RgbColor(0, 255, 255), 1.0},
        {"hwb(0 0% 0%)", RgbColor(255, 0, 0), 1.0},
        {"hwb(120 20% 40%)", RgbColor(51, 153, 51), 1.0},
        {"hwb(90 60% 60%)", RgbColor(128, 128, 128), 1.0},  // white and black beyond 100 %
        {"oklab(62.796% 0.22486 0.12585)", RgbColor(255, 0, 0), 1.0},
        {"oklch(0.62796 0.25768 29.2339)", RgbColor(255, 0, 0), 1.0},
        {"oklch(0.7 0.4 150)", RgbColor(0, 194, 72), 1.0},  // gamut-mapped as the colour modes
        {"oklch(120% 0.4 140)", kWhite, 1.0},               // lightness clamped to white
        {"oklch(50% none none)", RgbColor(99, 99, 99), 1.0},
        {"lch(50% 40% 0.75turn)", RgbColor(0, 123, 222), 1.0},    // gamut-mapped
        {"Color(Display-P3 1 0 0)", RgbColor(255, 11, 12), 1.0},  // gamut-mapped
        {"color(srgb 40% 0.25 none / 50%)", RgbColor(102, 64, 0), 0.5},
    };
    for (const auto& c : cases) {
        const CssColorReading reading = ReadCssColor(c.text);
        ASSERT_TRUE(reading.color)
            << c.text << ": " << DescribeCssError(reading.error, MessageLanguage::kEnglish);
        EXPECT_EQ(ToColorValue(*reading.color), c.expected) << c.text;
        EXPECT_NEAR(reading.color->alpha, c.alpha, 1e-12) << c.text;
    }
    EXPECT_EQ(NamedCssColorCount(), 148u);
}

TEST(CssColor, SaysWhatItExpectedWhere) {
    const struct {
        const char* text;
        std::size_t character;
        CssExpected expected;
    } cases[] = {
        {"", 0, CssExpected::kColor},
        {"#12345", 1, CssExpected::kHexDigits},
        {"#GGGGGG", 1, CssExpected::kHexDigits},
        {"#ÄÖÜ123", 1, CssExpected::kHexDigits},
        {"reddish", 0, CssExpected::kColor},
        {"lab(50, 0, 0)", 6, CssExpected::kNumberOrPercentage},
        {"lch(50 10 10px)", 10, CssExpected::kHue},
        {"color(rgb 1 0 0)", 6, CssExpected::kColorSpace},
        {"color( 1 0 0)", 7, CssExpected::kColorSpace},
        {"color(xyz 1 0 0deg)", 14, CssExpected::kNumberOrPercentage},
        {"rgb(10,20 30)", 10, CssExpected::kComma},
        {"rgb(10 20,30)", 9, CssExpected::kNumberOrPercentage},
        {"rgb(10%, 20, 30)", 9, CssExpected::kPercentage},
        {"rgb(none, 0, 0)", 8, CssExpected::kNumberOrPercentage},
        {"rgb(10, 20, 30 / 1)", 15, CssExpected::kCommaOrClose},
        {"rgb(10 20 30", 12, CssExpected::kSlashOrClose},
        {"rgb(10 20 30 / 1 2)", 17, CssExpected::kClose},
        {"rgb(10 20 30) x", 14, CssExpected::kEnd},
        {"hsl(10px 20% 30%)", 4, CssExpected::kHue},
        {"hsl(10, 20, 30%)", 8, CssExpected::kPercentage},
        {"hwb(10, 20%, 30%)", 6, CssExpected::kNumberOrPercentage},
    };
    for (const auto& c : cases) {
        const CssColorReading reading = ReadCssColor(c.text);
        ASSERT_FALSE(reading.color) << c.text;
        EXPECT_EQ(reading.error.character, c.character) << c.text;
        EXPECT_EQ(reading.error.expected, c.expected) << c.text;
    }
    EXPECT_EQ(DescribeCssError(ReadCssColor("rgb(1 x 3)").error, MessageLanguage::kEnglish),
              "expected a number or a percentage or none at character 7");
    EXPECT_EQ(DescribeCssError(ReadCssColor("#12").error, MessageLanguage::kGerman),
              "An Stelle 2 wird 3, 4, 6 oder 8 Hexadezimalziffern erwartet");
}

TEST(CssColor, OpaquePlacesTakeBareHexAndRefuseTransparency) {
    const auto read = [](const char* text, HexHash hash) {
        return ReadOpaqueColor(text, hash, MessageLanguage::kEnglish);
    };
    EXPECT_EQ(read("ff8000", HexHash::kOptional).color, RgbColor(255, 128, 0));
    EXPECT_EQ(read("abc", HexHash::kOptional).color, RgbColor(0xAA, 0xBB, 0xCC));
    EXPECT_FALSE(read("ff8000", HexHash::kRequired).color);
    EXPECT_EQ(read("rgb(0 0 0 / 100%)", HexHash::kRequired).color, kBlack);
    for (const char* transparent : {"#ff000080", "transparent", "hsl(0 0% 0% / 0.999)"}) {
        const OpaqueColorReading reading = read(transparent, HexHash::kRequired);
        EXPECT_FALSE(reading.color) << transparent;
        EXPECT_NE(reading.problem.find("transparent"), std::string::npos) << reading.problem;
    }
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
