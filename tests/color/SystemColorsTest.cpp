#include <gtest/gtest.h>

#include "color/SystemColors.h"

namespace tonzug {
namespace {

class SystemColorsTest : public ::testing::Test {
  protected:
    void TearDown() override { ResetSystemColors(); }
};

TEST_F(SystemColorsTest, PlainColoursPassUnchanged) {
    for (const ColorValue color : {kBlack, kWhite, RgbColor(1, 2, 3), 0x7FFFFFFF}) {
        EXPECT_EQ(TranslateColor(color), color);
    }
}

TEST_F(SystemColorsTest, SystemColoursResolveToPlainTableColours) {
    const SystemColorArray table = SystemColorTable();
    for (int index = 0; index < kSystemColorCount; ++index) {
        const ColorValue translated = TranslateColor(SystemColor(index));
        EXPECT_EQ(translated, table[index]);
        EXPECT_FALSE(IsSystemColor(translated)) << index;
    }
    EXPECT_EQ(TranslateColor(SystemColor(15)), RgbColor(212, 208, 200));  // button face
    EXPECT_EQ(TranslateColor(SystemColor(5)), kWhite);                    // window
}

TEST_F(SystemColorsTest, IndicesOutsideTheTableGiveNoColour) {
    for (const ColorValue color : {SystemColor(25), SystemColor(0x7FFFFFFF), kNoColor}) {
        EXPECT_EQ(TranslateColor(color), kNoColor);
    }
}

TEST_F(SystemColorsTest, SetSystemColorTakesOnlyPlainColoursAtValidIndices) {
    EXPECT_TRUE(SetSystemColor(15, RgbColor(10, 20, 30)));
    EXPECT_EQ(TranslateColor(SystemColor(15)), RgbColor(10, 20, 30));
    EXPECT_FALSE(SetSystemColor(25, kWhite));
    EXPECT_FALSE(SetSystemColor(-1, kWhite));
    EXPECT_FALSE(SetSystemColor(15, SystemColor(5)));
    EXPECT_FALSE(SetSystemColor(15, kNoColor));
    EXPECT_EQ(TranslateColor(SystemColor(15)), RgbColor(10, 20, 30));
    ResetSystemColors();
    EXPECT_EQ(TranslateColor(SystemColor(15)), RgbColor(212, 208, 200));
}

}  // namespace
}  // namespace tonzug
