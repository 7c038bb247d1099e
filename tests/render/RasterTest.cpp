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
    raster.SetPixel(1, 0, RgbColor(10, 20, 30));
    EXPECT_EQ(raster.PixelAt(1, 0), RgbColor(10, 20, 30));
    EXPECT_EQ(raster.PixelAt(2, 0), kNoColor);
    EXPECT_EQ(raster.PixelAt(-1, 0), kNoColor);
    raster.SetPixel(5, 5, kRed);  // outside: ignored
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

TEST(Raster, CircleOutlineIsPenWidePlusHalfAPixelEachSide) {
    // Centre (4.5, 4.5), radius 3, pen 1: centres with 2 <= d <= 4 are covered.
    Raster raster(9, 9, kWhite);
    raster.Circle(4.5f, 4.5f, 3.0f, kRed);
    EXPECT_EQ(RowMarks(raster, 4), "###...###");
    EXPECT_EQ(RowMarks(raster, 0), "....#....");
    // Pen 2: 1.5 <= d <= 4.5.
    raster.Reset(9, 9, kWhite);
    raster.SetPenWidth(2);
    raster.Circle(4.5f, 4.5f, 3.0f, kRed);
    EXPECT_EQ(RowMarks(raster, 4), "###...###");
    EXPECT_EQ(RowMarks(raster, 0), "..#####..");
}

TEST(Raster, CircleOfRadiusZeroIsADot) {
    Raster raster(5, 5, kWhite);
    raster.SetPenWidth(0);  // counts as 1: centres within one pixel
    raster.Circle(2.5f, 2.5f, 0.0f, kRed);
    EXPECT_EQ(RowMarks(raster, 1), "..#..");
    EXPECT_EQ(RowMarks(raster, 2), ".###.");
    raster.Circle(2.5f, 2.5f, -1.0f, kBlack);  // negative radius draws nothing
    raster.Circle(2.5f, 2.5f, NAN, kBlack);
    EXPECT_EQ(raster.PixelAt(2, 2), kRed);
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
