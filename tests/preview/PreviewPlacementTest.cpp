#include "preview/PreviewPlacement.h"

#include <gtest/gtest.h>

namespace tonzug {
namespace {

struct CentringCase {
    std::int64_t inner;
    std::int64_t picture;
    std::int64_t left;
};

class CentringTest : public ::testing::TestWithParam<CentringCase> {};

TEST_P(CentringTest, PlacesPictureInTheMiddleOfEachAxis) {
    const CentringCase c = GetParam();
    const PixelRect across = CenterPreview(c.inner, 100, c.picture, 10);
    const PixelRect down = CenterPreview(100, c.inner, 10, c.picture);
    EXPECT_EQ(across.left, c.left);
    EXPECT_EQ(down.top, c.left);
    EXPECT_EQ(across.width, c.picture);
    // Cut off (or left free) evenly, to one pixel.
    const std::int64_t before = c.left;
    const std::int64_t after = c.inner - across.Right();
    EXPECT_LE(std::abs(before - after), 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, CentringTest,
                         ::testing::Values(CentringCase{1280, 25, 627},  // odd gap
                                           CentringCase{1280, 3001, -861},
                                           CentringCase{1280, 2147483647, -1073741184},
                                           CentringCase{1280, 0, 640}));

TEST(VisiblePartTest, WiderPictureShowsItsMiddleCutEvenly) {
    const PixelRect part = VisiblePart(CenterPreview(1280, 1024, 3000, 200), {0, 0, 1280, 1024});
    EXPECT_EQ(part, (PixelRect{860, 0, 1280, 200}));
}

TEST(VisiblePartTest, ExposedAreaLimitsThePart) {
    const PixelRect placement{100, 50, 25, 256};
    EXPECT_EQ(VisiblePart(placement, {110, 0, 500, 60}), (PixelRect{10, 0, 15, 10}));
    EXPECT_TRUE(VisiblePart(placement, {0, 0, 100, 1000}).Empty());
    EXPECT_TRUE(VisiblePart({10, 10, 0, 0}, {0, 0, 100, 100}).Empty());
}

}  // namespace
}  // namespace tonzug
