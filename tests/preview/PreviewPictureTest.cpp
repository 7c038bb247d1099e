#include "preview/PreviewPicture.h"
#include "preview/PreviewPlacement.h"
#include "preview/PreviewZoom.h"

#include <gtest/gtest.h>

#include <string>

#include "render/Gradient.h"

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

// A view that fits the picture shows it as the small preview does: drawn on a surface of
// the shown size, a part of it as that part of the whole.
TEST(PreviewPictureTest, SmallerSurfaceShowsThePictureScaledDown) {
    for (const Orientation orientation : {kHorizontal, kVertical, kCircle}) {
        SCOPED_TRACE(static_cast<int>(orientation));
        const GradientParams params = SampleGradient(orientation, kRgb, 3000.0f, 2000.0f);
        PreviewPicture picture({params});
        Raster whole(300, 200, kBackground);
        DrawGradient(whole, params);
        Raster part(40, 30, kBackground);
        picture.RenderOnSurface(300, 200, {100, 50, 40, 30}, part);
        for (int y = 0; y < part.Height(); ++y) {
            for (int x = 0; x < part.Width(); ++x) {
                ASSERT_EQ(part.PixelAt(x, y), whole.PixelAt(100 + x, 50 + y)) << x << ", " << y;
            }
        }
        Raster untouched(4, 4, kBackground);
        picture.RenderOnSurface(300, 200, {298, 0, 4, 4}, untouched);
        picture.RenderOnSurface(6000, 4000, {0, 0, 4, 4}, untouched);
        EXPECT_EQ(untouched.PixelAt(0, 0), kBackground);
    }
}

TEST(PreviewZoomTest, FitsWithoutEnlargingAndStepsAlongTheLadder) {
    EXPECT_DOUBLE_EQ(FitZoom(1280, 773, 3000, 2000), 773.0 / 2000.0);
    EXPECT_DOUBLE_EQ(FitZoom(1280, 800, 25, 256), kOriginalZoom);
    EXPECT_DOUBLE_EQ(FitZoom(1280, 800, 0, 0), kOriginalZoom);
    EXPECT_DOUBLE_EQ(FitZoom(1280, 1024, 100000000, 256), 1280e-8);
    const struct {
        double zoom, in, out;
    } steps[] = {
        {1.0, 1.5, 0.6667}, {0.3865, 0.5, 0.3333}, {0.6667, 1.0, 0.5}, {16.0, 16.0, 12.0},
        {0.01, 0.02, 1e-5}, {1e-5, 0.01, 1e-5},    {25.0, 16.0, 16.0},
    };
    for (const auto& step : steps) {
        EXPECT_DOUBLE_EQ(ZoomIn(step.zoom), step.in) << step.zoom;
        EXPECT_DOUBLE_EQ(ZoomOut(step.zoom, 1e-5), step.out) << step.zoom;
    }
}

// On each axis the zoomed picture is centred while it is shorter than the view, else
// scrolled within it; a zoom keeps the point under the mouse in place.
TEST(PreviewZoomTest, PlacesAndScrollsTheZoomedPicture) {
    const struct {
        std::int64_t view, zoomed, scroll, start;
    } places[] = {{1000, 500, 40, 250},
                  {1000, 3000, 500, -500},
                  {1000, 3000, 5000, -2000},
                  {1000, 3000, -5, 0}};
    for (const auto& place : places) {
        EXPECT_EQ(ZoomedStart(place.view, place.zoomed, place.scroll), place.start)
            << place.zoomed << " " << place.scroll;
    }
    const struct {
        std::int64_t anchor, oldZoomed, oldScroll, newZoomed, scroll;
    } zooms[] = {
        {500, 3000, 1000, 6000, 2500},  // the middle stays the middle
        {0, 3000, 1000, 1500, 500},     // the left edge of the view stays
        {250, 500, 0, 2000, 0},         // the left edge of a centred picture stays
        {900, 3000, 0, 800, 0},         // smaller than the view: nothing to scroll
    };
    for (const auto& zoom : zooms) {
        EXPECT_EQ(
            ScrollKeepingPoint(1000, zoom.anchor, zoom.oldZoomed, zoom.oldScroll, zoom.newZoomed),
            zoom.scroll)
            << zoom.anchor << " " << zoom.newZoomed;
    }
}

// Only the part in view is drawn: below 1:1 on a surface of the zoomed size, above 1:1 the
// picture's own pixels that cover the view, enlarged.
TEST(PreviewZoomTest, RendersOnlyThePartInView) {
    const PixelRect view{0, 0, 1280, 773};
    const struct {
        PixelRect placement;
        std::int64_t surfaceWidth;
        PixelRect part;
        double targetLeft, targetTop, scale;
    } cases[] = {
        {{60, 0, 1160, 773}, 1160, {0, 0, 1160, 773}, 60, 0, 1},
        {{-860, -613, 3000, 2000}, 3000, {860, 613, 1280, 773}, 0, 0, 1},
        {{-100, -50, 6000, 4000}, 3000, {50, 25, 640, 387}, 0, 0, 2},
        {{-1, 0, 4500, 3000}, 3000, {0, 0, 854, 516}, -1, 0, 1.5},
    };
    for (const auto& c : cases) {
        const ZoomedPart drawn = PartToRender(3000, 2000, c.placement, view);
        EXPECT_EQ(drawn.surfaceWidth, c.surfaceWidth) << c.placement.width;
        EXPECT_EQ(drawn.part, c.part) << c.placement.width;
        EXPECT_DOUBLE_EQ(drawn.targetLeft, c.targetLeft) << c.placement.width;
        EXPECT_DOUBLE_EQ(drawn.targetTop, c.targetTop) << c.placement.width;
        EXPECT_DOUBLE_EQ(drawn.scaleX, c.scale) << c.placement.width;
    }
    EXPECT_TRUE(PartToRender(3000, 2000, {1300, 0, 100, 100}, view).part.Empty());
}

}  // namespace
}  // namespace tonzug
