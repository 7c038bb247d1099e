#include <gtest/gtest.h>

#include "color/ColorValue.h"

namespace tonzug {
namespace {

TEST(ColorValue, ChannelsRoundTripInBgrLayout) {
    const ColorValue orange = RgbColor(255, 128, 0);
    EXPECT_EQ(orange, 0x0080FF);
    EXPECT_EQ(RedOf(orange), 255);
    EXPECT_EQ(GreenOf(orange), 128);
    EXPECT_EQ(BlueOf(orange), 0);
    EXPECT_TRUE(IsSystemColor(SystemColor(15)));
    EXPECT_TRUE(IsSystemColor(kNoColor));
    EXPECT_FALSE(IsSystemColor(kWhite));
}

}  // namespace
}  // namespace tonzug
