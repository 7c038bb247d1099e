#include "preview/PreviewPicture.h"
#include "preview/PreviewPlacement.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/SampleGradient.h"

namespace tonzug {
namespace {

using enum Orientation;
using enum ColorMode;

constexpr ColorValue kBackground = 0x00123456;

using testing::SampleGradient;

// Parts of pictures that can be held are drawn by the renderer's windows, which the
// equivalence tests compare with the step-by-step drawing.

TEST(PreviewPictureTest, FullSizeRoundsTiesToEvenAndRejectsWhatCannotBeShown) {
    EXPECT_EQ(PreviewPicture({SampleGradient(kVertical, kRgb, 2.5f, 3.5f)}).Width(), 2);
    EXPECT_EQ(PreviewPicture({SampleGradient(kVertical, kRgb, 2.5f, 3.5f)}).Height(), 4);
    for (const auto& [width, height] : {std::pair{0.0f, 10.0f}, std::pair{10.0f, -5.0f},
                                        std::pair{1e11f, 10.0f}, std::pair{10.0f, 0.4f}}) {
        const PreviewPicture picture({SampleGradient(kVertical, kRgb, width, height)});
        EXPECT_EQ(picture.Width(), 0);
        EXPECT_EQ(picture.Height(), 0);
    }
}

// A picture far too wide to hold is shown through a window of its middle.
TEST(PreviewPictureTest, MiddleOfAHugePictureRendersWithoutTheWhole) {
    for (const Orientation orientation : {kHorizontal, kVertical, kCircle}) {
        GradientParams params = SampleGradient(orientation, kRgb, 99999999.0f, 256.0f);
        params.colors.middleOn = false;
        params.colors.middlePercent = 50.0f;
        const PreviewPicture picture({params});
        ASSERT_EQ(picture.Width(), 100000000);  // the nearest float
        const PixelRect part = VisiblePart(
            CenterPreview(1280, 1024, picture.Width(), picture.Height()), {0, 0, 1280, 1024});
        Raster region(static_cast<int>(part.width), static_cast<int>(part.height), kBackground);
        picture.Render(part, region);
        const ColorValue top = region.PixelAt(0, 0);
        const ColorValue bottom = region.PixelAt(0, region.Height() - 1);
        SCOPED_TRACE(static_cast<int>(orientation));
        EXPECT_NE(top, kBackground);
        if (orientation == kVertical) {
            EXPECT_EQ(top, RgbColor(255, 0, 0));
            EXPECT_EQ(bottom, RgbColor(0, 0, 255));
        } else if (orientation == kHorizontal) {
            EXPECT_EQ(top, bottom);  // the middle columns, halfway along
            EXPECT_NEAR(RedOf(top), 128, 2);
            EXPECT_NEAR(BlueOf(top), 127, 2);
        } else {
            EXPECT_GE(RedOf(top), 250);  // a few hundred rings out of fifty million
        }
    }
}

// Centred on each axis: cut off (or left free) evenly, to one pixel.
TEST(PreviewPlacementTest, CentresThePictureOnEachAxis) {
    const struct {
        std::int64_t inner, picture, left;
    } cases[] = {
        {1280, 25, 627}, {1280, 3001, -861}, {1280, 2147483647, -1073741184}, {1280, 0, 640}};
    for (const auto& c : cases) {
        EXPECT_EQ(CenterPreview(c.inner, 100, c.picture, 10),
                  (PixelRect{c.left, 45, c.picture, 10}));
        EXPECT_EQ(CenterPreview(100, c.inner, 10, c.picture).top, c.left) << c.picture;
    }
}

TEST(PreviewPlacementTest, ExposedAreaLimitsTheVisiblePart) {
    const PixelRect part = VisiblePart(CenterPreview(1280, 1024, 3000, 200), {0, 0, 1280, 1024});
    EXPECT_EQ(part, (PixelRect{860, 0, 1280, 200}));
    const PixelRect placement{100, 50, 25, 256};
    EXPECT_EQ(VisiblePart(placement, {110, 0, 500, 60}), (PixelRect{10, 0, 15, 10}));
    EXPECT_TRUE(VisiblePart(placement, {0, 0, 100, 1000}).Empty());
    EXPECT_TRUE(VisiblePart({10, 10, 0, 0}, {0, 0, 100, 100}).Empty());
}

}  // namespace
}  // namespace tonzug
