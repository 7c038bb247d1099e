#include "preview/PreviewPicture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "testing/SampleGradient.h"

namespace tonzug {
namespace {

constexpr ColorValue kBackground = 0x00123456;

using testing::SampleGradient;

// Every pixel of the part equals the same pixel of the whole picture drawn at once.
void ExpectPartMatchesWhole(const GradientParams& params, const PixelRect& part) {
    const PreviewPicture picture(params);
    Raster whole(picture.Width(), picture.Height(), kBackground);
    DrawGradient(whole, params);
    Raster region(static_cast<int>(part.width), static_cast<int>(part.height), kBackground);
    picture.Render(part, region);
    for (int y = 0; y < region.Height(); ++y) {
        for (int x = 0; x < region.Width(); ++x) {
            const int wholeX = static_cast<int>(part.left) + x;
            const int wholeY = static_cast<int>(part.top) + y;
            ASSERT_EQ(region.PixelAt(x, y), whole.PixelAt(wholeX, wholeY))
                << "at picture pixel " << wholeX << "," << wholeY;
        }
    }
}

using RegionCase = std::tuple<std::int32_t, std::int32_t, std::tuple<int, int>>;

class RegionTest : public ::testing::TestWithParam<RegionCase> {};

TEST_P(RegionTest, PartsEqualTheWholePicture) {
    const auto [orientation, mode, size] = GetParam();
    const auto [width, height] = size;
    const GradientParams params =
        SampleGradient(orientation, mode, static_cast<float>(width), static_cast<float>(height));
    const std::int64_t w = width;
    const std::int64_t h = height;
    const PixelRect parts[] = {
        {0, 0, w, h},                  // everything
        {w / 4, h / 3, w / 2, h / 3},  // straddling the centre
        {w / 2 + 7, 5, w / 3, h / 2},  // right of the centre only
        {w - 11, 0, 11, h},            // right edge
        {w / 2 - 1, h / 2 - 1, 3, 3},  // the centre pixels
    };
    for (const PixelRect& part : parts) {
        SCOPED_TRACE(::testing::Message() << "part " << part.left << "," << part.top << " "
                                          << part.width << "x" << part.height);
        ExpectPartMatchesWhole(params, part);
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, RegionTest,
                         ::testing::Combine(::testing::Values(kHorizontal, kVertical, kCircle),
                                            ::testing::Values(kModeRgb, kModeHsl),
                                            ::testing::Values(std::tuple{301, 157},
                                                              std::tuple{200, 120},
                                                              std::tuple{64, 333})));

TEST(PreviewPictureTest, FullSizeRoundsTiesToEvenAndRejectsWhatCannotBeShown) {
    EXPECT_EQ(PreviewPicture(SampleGradient(kVertical, kModeRgb, 2.5f, 3.5f)).Width(), 2);
    EXPECT_EQ(PreviewPicture(SampleGradient(kVertical, kModeRgb, 2.5f, 3.5f)).Height(), 4);
    for (const auto& [width, height] : {std::pair{0.0f, 10.0f}, std::pair{10.0f, -5.0f},
                                        std::pair{1e11f, 10.0f}, std::pair{10.0f, 0.4f}}) {
        const PreviewPicture picture(SampleGradient(kVertical, kModeRgb, width, height));
        EXPECT_EQ(picture.Width(), 0);
        EXPECT_EQ(picture.Height(), 0);
    }
}

// A picture far too wide to hold is shown through a window of its middle.
TEST(PreviewPictureTest, MiddleOfAHugePictureRendersWithoutTheWhole) {
    for (const std::int32_t orientation : {kHorizontal, kVertical, kCircle}) {
        GradientParams params = SampleGradient(orientation, kModeRgb, 99999999.0f, 256.0f);
        params.middleOn = 0;
        params.middlePercent = 50.0f;
        const PreviewPicture picture(params);
        ASSERT_EQ(picture.Width(), 100000000);  // the nearest float
        const PixelRect part = VisiblePart(
            CenterPreview(1280, 1024, picture.Width(), picture.Height()), {0, 0, 1280, 1024});
        Raster region(static_cast<int>(part.width), static_cast<int>(part.height), kBackground);
        picture.Render(part, region);
        const ColorValue top = region.PixelAt(0, 0);
        const ColorValue bottom = region.PixelAt(0, region.Height() - 1);
        SCOPED_TRACE(orientation);
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

}  // namespace
}  // namespace tonzug
