#include <gtest/gtest.h>

#include <cmath>
#include <string>

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

}  // namespace
}  // namespace tonzug
