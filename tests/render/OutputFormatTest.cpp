// The three outputs of the renderer: plain 8 bits, dithered 8 bits and 16 bits, made from
// the unrounded ramp at the very end.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

#include "render/BlueNoiseMask.h"
#include "render/Gradient.h"

namespace tonzug {
namespace {

using enum Orientation;
using enum ColorMode;

constexpr ColorValue kFill = RgbColor(7, 8, 9);

struct Outputs {
    Raster plain;
    Raster dithered;
    Raster16 deep;
};

Outputs RenderAll(const GradientParams& params, int width, int height) {
    Outputs out{Raster(width, height, kFill), Raster(width, height, kFill),
                Raster16(width, height, kFill)};
    const GradientRenderer renderer(params, width, height);
    renderer.RenderRows(0, out.plain);
    renderer.RenderRows(0, out.dithered, OutputFormat::kDithered8);
    renderer.RenderRows(0, out.deep);
    return out;
}

int Red(std::uint32_t word) {
    return static_cast<int>((word >> 16) & 0xFFu);
}

// A 64 x 4096 ramp from grey 32 to grey 48, 16 levels over 4096 steps, down the rows or
// (turned) along the columns.
class LongGreyRamp : public ::testing::TestWithParam<Orientation> {};

TEST_P(LongGreyRamp, PlainShowsBandsDitherKeepsTheMeanDeepKeepsTheValue) {
    const bool alongColumns = GetParam() == kHorizontal;
    GradientParams params;
    params.colors.start = RgbColor(32, 32, 32);
    params.colors.end = RgbColor(48, 48, 48);
    params.orientation = GetParam();
    params.width = alongColumns ? 4096.0f : 64.0f;
    params.height = alongColumns ? 64.0f : 4096.0f;
    const Outputs out = RenderAll(params, int(params.width), int(params.height));
    // Line k is row k, or column k.
    const auto at = [alongColumns](const auto& raster, int line, int across) {
        return alongColumns ? raster.Row(across)[line] : raster.Row(line)[across];
    };
    const std::unique_ptr<ColorRamp> entries = BuildGradientRamp(params);
    std::vector<int> bands;  // lengths of the runs of one plain level
    int previousLevel = -1;
    for (int line = 0; line < 4096; ++line) {
        const double v = entries->Exact(line + 1).red;
        ASSERT_NEAR(v, 32.0 + 16.0 * line / 4095.0, 1e-4) << "line " << line;
        const int plain = Red(at(out.plain, line, 0));
        if (plain != previousLevel) {
            bands.push_back(0);
            previousLevel = plain;
        }
        ++bands.back();
        double sum = 0.0;
        for (int across = 0; across < 64; ++across) {
            const std::uint32_t word = at(out.dithered, line, across);
            ASSERT_EQ(word & 0xFFu, Red(word));  // still grey
            ASSERT_LT(std::abs(Red(word) - v), 1.0) << "line " << line;
            sum += Red(word);
            ASSERT_EQ(at(out.deep, line, across).red, std::nearbyint(v * 257.0)) << "line " << line;
        }
        ASSERT_NEAR(sum / 64.0, v, 0.1) << "line " << line;
    }
    std::vector<int> expected(17, 256);
    expected.front() = 128;  // the end levels are half bands: 32 up to 32.5, 47.5 up to 48
    expected.back() = 128;
    EXPECT_EQ(bands, expected);
}

INSTANTIATE_TEST_SUITE_P(RowsAndColumns, LongGreyRamp, ::testing::Values(kVertical, kHorizontal));

// Pictures whose every value is a whole number look the same in all three outputs: a ramp
// that steps by whole numbers, the solid bands (rows 0..19, 44..54 and 80..99) and solid
// colours.
TEST(WholeValues, LookTheSameInEveryOutput) {
    GradientParams rings;
    rings.orientation = kCircle;
    rings.width = 72;
    rings.height = 30;
    rings.colors.start = kBlack;
    rings.colors.end = RgbColor(38, 76, 114);
    GradientParams hsl;
    hsl.colorMode = kHsl;
    hsl.width = 4;
    hsl.height = 256;
    hsl.colors.start = kBlack;
    hsl.colors.end = kWhite;
    GradientParams banded;
    banded.width = 5;
    banded.height = 100;
    banded.colors.start = RgbColor(10, 200, 30);
    banded.colors.end = RgbColor(90, 3, 250);
    banded.colors.middleOn = true;
    banded.colors.middle = RgbColor(128, 64, 1);
    banded.colors.bands.start = banded.colors.bands.end = 20;
    banded.colors.bands.middle = 11;
    // Solid pictures as large as the dither mask: every cell of it keeps the whole value.
    GradientParams solidWhite;
    solidWhite.width = solidWhite.height = kBlueNoiseSide;
    solidWhite.colors.start = solidWhite.colors.end = kWhite;
    GradientParams solidGrey = solidWhite;
    solidGrey.orientation = kHorizontal;
    solidGrey.colors.start = solidGrey.colors.end = RgbColor(128, 128, 128);
    for (const GradientParams* params : {&rings, &hsl, &banded, &solidWhite, &solidGrey}) {
        const int width = int(params->width);
        const Outputs out = RenderAll(*params, width, int(params->height));
        for (int y = 0; y < int(params->height); ++y) {
            if (params == &banded && !(y < 20 || (y >= 44 && y < 55) || y >= 80)) {
                continue;
            }
            for (int x = 0; x < width; ++x) {
                const std::uint32_t plain = out.plain.Row(y)[x];
                ASSERT_EQ(out.dithered.Row(y)[x], plain) << width << " (" << x << ", " << y << ")";
                ASSERT_EQ(out.deep.Row(y)[x], DeepPixel(plain))
                    << width << " (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(BlueNoiseMask, HoldsEveryRankOnceSpreadEvenlyOverRowsAndColumns) {
    const std::set<std::uint16_t> ranks(kBlueNoiseRanks.begin(), kBlueNoiseRanks.end());
    ASSERT_EQ(ranks.size(), 4096u);
    EXPECT_EQ(*ranks.rbegin(), 4095);
    // In every row and column, the share of cells from any rank up is the mask's.
    for (int line = 0; line < kBlueNoiseSide; ++line) {
        std::vector<std::uint32_t> row;
        std::vector<std::uint32_t> column;
        for (int i = 0; i < kBlueNoiseSide; ++i) {
            row.push_back(BlueNoiseRank(i, line));
            column.push_back(BlueNoiseRank(line, i));
        }
        for (std::vector<std::uint32_t>* cells : {&row, &column}) {
            for (std::uint32_t from = 0; from <= 4096; from += 16) {
                const auto above = std::count_if(cells->begin(), cells->end(),
                                                 [from](std::uint32_t r) { return r >= from; });
                EXPECT_NEAR(static_cast<double>(above) / 64.0, (4096.0 - from) / 4096.0, 0.05)
                    << "line " << line << " from rank " << from;
            }
        }
    }
}

}  // namespace
}  // namespace tonzug
