// The three outputs of the renderer: plain 8 bits, dithered 8 bits and 16 bits, made from
// the unrounded ramp at the very end.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "render/BlueNoiseMask.h"
#include "render/Gradient.h"

namespace tonzug {
namespace {

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
// (turned) along the columns. Line k is row k, or column k.
struct LongRamp {
    GradientParams params;
    int width = 0;
    int height = 0;
    bool alongColumns = false;

    LongRamp(std::int32_t orientation) : alongColumns(orientation == kHorizontal) {
        params.startColor = RgbColor(32, 32, 32);
        params.endColor = RgbColor(48, 48, 48);
        params.orientation = orientation;
        width = alongColumns ? 4096 : 64;
        height = alongColumns ? 64 : 4096;
        params.width = static_cast<float>(width);
        params.height = static_cast<float>(height);
    }
    std::uint32_t Word(const Raster& r, int line, int across) const {
        return alongColumns ? r.Row(across)[line] : r.Row(line)[across];
    }
    Rgb16 Deep(const Raster16& r, int line, int across) const {
        return alongColumns ? r.Row(across)[line] : r.Row(line)[across];
    }
};

class LongGreyRamp : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(LongGreyRamp, PlainShowsBandsDitherKeepsTheMeanDeepKeepsTheValue) {
    const LongRamp ramp(GetParam());
    const Outputs out = RenderAll(ramp.params, ramp.width, ramp.height);
    const std::unique_ptr<ColorRamp> entries = BuildGradientRamp(ramp.params);
    std::vector<int> bands;  // lengths of the runs of one plain level
    int previousLevel = -1;
    for (int line = 0; line < 4096; ++line) {
        const double v = entries->Exact(line + 1).red;
        ASSERT_NEAR(v, 32.0 + 16.0 * line / 4095.0, 1e-4) << "line " << line;
        const int plain = Red(ramp.Word(out.plain, line, 0));
        if (plain != previousLevel) {
            bands.push_back(0);
            previousLevel = plain;
        }
        ++bands.back();
        double sum = 0.0;
        for (int across = 0; across < 64; ++across) {
            const std::uint32_t word = ramp.Word(out.dithered, line, across);
            ASSERT_EQ(word & 0xFFu, Red(word));  // still grey
            ASSERT_LT(std::abs(Red(word) - v), 1.0) << "line " << line;
            sum += Red(word);
            ASSERT_EQ(ramp.Deep(out.deep, line, across).red, std::nearbyint(v * 257.0))
                << "line " << line;
        }
        ASSERT_NEAR(sum / 64.0, v, 0.1) << "line " << line;
    }
    std::vector<int> expected(17, 256);
    expected.front() = 128;  // the end levels are half bands: 32 up to 32.5, 47.5 up to 48
    expected.back() = 128;
    EXPECT_EQ(bands, expected);
}

INSTANTIATE_TEST_SUITE_P(RowsAndColumns, LongGreyRamp, ::testing::Values(kVertical, kHorizontal));

// Pictures, or rows of them, whose every value is a whole number look the same in all
// three outputs: solid bands, the end colours, a ramp that steps by whole numbers.
struct WholeCase {
    const char* name;
    GradientParams params;
    int width;
    int height;
    std::vector<int> rows;  // the rows to compare; empty for all of them
};

GradientParams Gradient(std::int32_t orientation, float width, float height, ColorValue start,
                        ColorValue end) {
    GradientParams params;
    params.orientation = orientation;
    params.width = width;
    params.height = height;
    params.startColor = start;
    params.endColor = end;
    return params;
}

GradientParams Banded() {
    GradientParams params =
        Gradient(kVertical, 5, 100, RgbColor(10, 200, 30), RgbColor(90, 3, 250));
    params.middleOn = -1;
    params.middleColor = RgbColor(128, 64, 1);
    params.startBand = 20;
    params.middleBand = 11;
    params.endBand = 20;
    return params;
}

std::vector<int> Span(int first, int end) {
    std::vector<int> rows;
    for (int row = first; row < end; ++row) {
        rows.push_back(row);
    }
    return rows;
}

std::vector<WholeCase> WholeCases() {
    std::vector<int> bandRows = Span(0, 20);  // start band; the middle band is rows 44..54
    for (const std::vector<int>& more : {Span(44, 55), Span(80, 100)}) {
        bandRows.insert(bandRows.end(), more.begin(), more.end());
    }
    return {
        {"whole steps across", Gradient(kHorizontal, 256, 3, kBlack, kWhite), 256, 3, {}},
        {"whole steps in rings",
         Gradient(kCircle, 72, 30, kBlack, RgbColor(38, 76, 114)),
         72,
         30,
         {}},
        {"whole steps in HSL",
         [] {
             GradientParams p = Gradient(kVertical, 4, 256, kBlack, kWhite);
             p.colorMode = kModeHsl;
             return p;
         }(),
         4,
         256,
         {}},
        {"solid bands", Banded(), 5, 100, bandRows},
        {"end colours",
         Gradient(kVertical, 70, 333, RgbColor(1, 2, 3), RgbColor(250, 7, 99)),
         70,
         333,
         {0, 332}},
    };
}

TEST(WholeValues, LookTheSameInEveryOutput) {
    for (const WholeCase& c : WholeCases()) {
        const Outputs out = RenderAll(c.params, c.width, c.height);
        const std::vector<int> rows = c.rows.empty() ? Span(0, c.height) : c.rows;
        for (const int y : rows) {
            for (int x = 0; x < c.width; ++x) {
                const std::uint32_t plain = out.plain.Row(y)[x];
                ASSERT_EQ(out.dithered.Row(y)[x], plain) << c.name << " (" << x << ", " << y << ")";
                ASSERT_EQ(out.deep.Row(y)[x], DeepPixel(plain))
                    << c.name << " (" << x << ", " << y << ")";
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
