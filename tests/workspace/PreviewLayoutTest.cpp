#include "workspace/PreviewLayout.h"

#include <gtest/gtest.h>

namespace tonzug {
namespace {

TEST(PreviewLayoutTest, FollowsTheGradientsAspectAndCentres) {
    const PreviewRect upright = LayoutPreviewBox("25", "256", 300, 300, {});
    EXPECT_EQ(upright, (PreviewRect{136, 0, 29, 300}));  // 300 / 10.24 = 29.3
    const PreviewRect landscape = LayoutPreviewBox("512", "256", 300, 300, upright);
    EXPECT_EQ(landscape, (PreviewRect{0, 75, 300, 150}));
    const PreviewRect square = LayoutPreviewBox("40abc", " 4 0", 200, 100, {});
    EXPECT_EQ(square, (PreviewRect{50, 0, 100, 100}));
}

// A container the window has stretched: the box still fits both ways.
TEST(PreviewLayoutTest, ContainerOfAnotherShapeLimitsTheOtherSide) {
    const struct {
        const char *width, *height;
        std::int32_t containerWidth, containerHeight;
        PreviewRect expected;
    } cases[] = {
        {"300", "400", 150, 400, {0, 100, 150, 200}},
        {"1000", "100", 500, 40, {50, 0, 400, 40}},
        {"25", "256", 700, 400, {330, 0, 39, 400}},
        {"40", "40", 300, 500, {0, 100, 300, 300}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LayoutPreviewBox(c.width, c.height, c.containerWidth, c.containerHeight, {}),
                  c.expected)
            << c.width << " x " << c.height;
    }
}

TEST(PreviewLayoutTest, ZeroOrNegativeSidesKeepThePreviousOtherSide) {
    const PreviewRect before{10, 20, 30, 40};
    EXPECT_EQ(LayoutPreviewBox("0", "256", 300, 300, before), (PreviewRect{135, 0, 30, 300}));
    EXPECT_EQ(LayoutPreviewBox("-5", "256", 300, 300, before), (PreviewRect{135, 0, 30, 300}));
    // A very thin gradient still gets a visible box.
    EXPECT_EQ(LayoutPreviewBox("1", "99999999", 300, 300, before).width, 1);
}

}  // namespace
}  // namespace tonzug
