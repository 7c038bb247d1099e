#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "color/SystemColors.h"
#include "render/Raster.h"

namespace tonzug {
namespace {

constexpr ColorValue kRed = RgbColor(255, 0, 0);

// One row of a raster as text: '#' for kRed, '.' for anything else.
std::string RowMarks(const Raster& raster, int y) {
    std::string marks;
    for (int x = 0; x < raster.Width(); ++x) {
        marks += raster.PixelAt(x, y) == kRed ? '#' : '.';
    }
    return marks;
}

TEST(Raster, StoresWordsAsRgb32AndReadsColoursBack) {
    Raster raster(2, 1, RgbColor(1, 2, 3));
    EXPECT_EQ(raster.Row(0)[0], 0xFF010203u);
    EXPECT_EQ(raster.PixelAt(1, 0), RgbColor(1, 2, 3));
    EXPECT_EQ(raster.PixelAt(2, 0), kNoColor);
    EXPECT_EQ(raster.PixelAt(-1, 0), kNoColor);
    raster.Reset(-3, 4);
    EXPECT_EQ(raster.Width(), 0);
    EXPECT_EQ(raster.Height(), 4);
    EXPECT_TRUE(raster.Pixels().empty());
}

struct BoxCase {
    float x1;
    float x2;
    const char* marks;
};

class RasterBoxCoverage : public ::testing::TestWithParam<BoxCase> {};

TEST_P(RasterBoxCoverage, CoversTheColumnsItOverlaps) {
    Raster raster(6, 1, kWhite);
    raster.FillBox(GetParam().x1, 0.0f, GetParam().x2, 1.0f, kRed);
    EXPECT_EQ(RowMarks(raster, 0), GetParam().marks);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, RasterBoxCoverage,
    ::testing::Values(BoxCase{1.0f, 3.0f, ".##..."},    // far edge on a pixel border: not covered
                      BoxCase{0.5f, 1.5f, "##...."},    // partial pixels count
                      BoxCase{3.0f, 1.0f, ".##..."},    // corners in any order
                      BoxCase{2.5f, 2.5f, "..#..."},    // too thin to span: the pixel holding it
                      BoxCase{4.0f, 4.0f, "....#."},    //
                      BoxCase{-5.0f, 0.25f, "#....."},  // clipped at the left
                      BoxCase{5.5f, 1e30f, ".....#"},   // and at the right
                      BoxCase{6.0f, 7.0f, "......"},    // wholly outside
                      BoxCase{NAN, 2.0f, "......"}));

TEST(Raster, LaterBoxesPaintOverSharedPixels) {
    Raster raster(4, 2, kWhite);
    raster.FillBox(0.0f, 0.0f, 1.5f, 2.0f, kBlack);
    raster.FillBox(1.5f, 0.0f, 3.0f, 2.0f, kRed);
    EXPECT_EQ(RowMarks(raster, 1), ".##.");
    EXPECT_EQ(raster.PixelAt(0, 1), kBlack);
    EXPECT_EQ(raster.PixelAt(3, 1), kWhite);
}

TEST(Raster, SystemColoursAreTranslatedAndUnknownOnesPaintNothing) {
    Raster raster(3, 1, kWhite);
    raster.FillBox(0.0f, 0.0f, 1.0f, 1.0f, SystemColor(15));
    raster.FillBox(1.0f, 0.0f, 2.0f, 1.0f, SystemColor(200));
    raster.FillBox(2.0f, 0.0f, 3.0f, 1.0f, kNoColor);
    EXPECT_EQ(raster.PixelAt(0, 0), TranslateColor(SystemColor(15)));
    EXPECT_EQ(raster.PixelAt(1, 0), kWhite);
    EXPECT_EQ(raster.PixelAt(2, 0), kWhite);
    EXPECT_EQ(ResolvePixel(SystemColor(200)), kNoPixel);
}

}  // namespace
}  // namespace tonzug
