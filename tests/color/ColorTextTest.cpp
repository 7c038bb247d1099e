#include <gtest/gtest.h>

#include <random>

#include "color/ColorText.h"

namespace tonzug {
namespace {

TEST(ColorToHex, WritesRedGreenBlueWithLeadingZeros) {
    EXPECT_EQ(ColorToHex(kBlack), "000000");
    EXPECT_EQ(ColorToHex(RgbColor(0, 255, 0)), "00FF00");
    EXPECT_EQ(ColorToHex(RgbColor(255, 0, 0)), "FF0000");
    EXPECT_EQ(ColorToHex(RgbColor(255, 0, 0), true), "#FF0000");
    EXPECT_EQ(ColorToHex(RgbColor(1, 0xAB, 0x0C), true), "#01AB0C");
}

TEST(HtmlToRgb, ReadsSixDigitsWithOrWithoutHash) {
    RgbTriple triple;
    for (const char* text : {"#ff8000", "  FF8000 ", "\t#Ff8000"}) {
        EXPECT_EQ(HtmlToRgb(text, triple), RgbColor(255, 128, 0)) << text;
        EXPECT_EQ(triple.red, 255.0);
        EXPECT_EQ(triple.green, 128.0);
        EXPECT_EQ(triple.blue, 0.0);
    }
}

TEST(HtmlToRgb, OtherLengthsGiveBlackAndNonDigitsCountAsZero) {
    for (const char* text : {"#FFF", "FFFFF", "#FFFFFFF", "", "#", "##FFFFFF"}) {
        EXPECT_EQ(HtmlToRgb(text), kBlack) << text;
    }
    EXPECT_EQ(HtmlToRgb("#GG80ZZ"), RgbColor(0, 0x80, 0));
    EXPECT_EQ(HtmlToRgb("#1G80Z2"), RgbColor(0x10, 0x80, 0x02));
    // Measured in characters, not bytes.
    EXPECT_EQ(HtmlToRgb("\xC3\xA4\xC3\xA4"
                        "1234"),
              RgbColor(0, 0x12, 0x34));
    EXPECT_EQ(HtmlToRgb("\xC3\xA4"
                        "1234"),
              kBlack);
}

TEST(HtmlToRgb, ReadsWhatColorToHexWrites) {
    std::mt19937 engine(11);
    std::uniform_int_distribution<ColorValue> color(0, kWhite);
    for (int i = 0; i < 1000; ++i) {
        const ColorValue c = color(engine);
        EXPECT_EQ(HtmlToRgb(ColorToHex(c, i % 2 == 0)), c);
    }
}

}  // namespace
}  // namespace tonzug
