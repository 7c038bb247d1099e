// The production renderer against the step-by-step reference drawing, on many random
// small gradients of every shape: the pixels must be identical, whole, in bands of rows,
// in windows, and (as the step shown there) in the unrounded outputs.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "color/SystemColors.h"
#include "render/BlueNoiseMask.h"
#include "render/Gradient.h"
#include "render/LiteralDraw.h"

namespace tonzug {
namespace {

using enum Orientation;
using enum ColorMode;

struct Case {
    GradientParams params;
    int surfaceWidth = 1;
    int surfaceHeight = 1;
    ColorValue fill = kWhite;
    std::int16_t pen = 1;
};

std::string Describe(const Case& c) {
    const GradientParams& p = c.params;
    std::ostringstream text;
    text << "mode " << static_cast<int>(p.colorMode) << " orientation "
         << static_cast<int>(p.orientation) << " size " << p.width << "x" << p.height << " on "
         << c.surfaceWidth << "x" << c.surfaceHeight << " middle " << p.colors.middlePercent << "% "
         << p.colors.middle << " on " << p.colors.middleOn << " bands " << p.colors.bands.start
         << "/" << p.colors.bands.middle << "/" << p.colors.bands.end << " colours "
         << p.colors.start << "->" << p.colors.end << " pen " << c.pen;
    return text.str();
}

// The colours as the form hands them over: mostly plain, now and then a system colour's,
// and "no colour" from one that cannot be resolved or from -1.
ColorValue RandomColour(std::mt19937& random) {
    switch (random() % 16) {
        case 0:
            return TranslateColor(SystemColor(static_cast<int>(random() % 25)));
        case 1:
            return TranslateColor(SystemColor(100));
        case 2:
            return kNoColor;
        default:
            return RgbColor(static_cast<int>(random() % 256), static_cast<int>(random() % 256),
                            static_cast<int>(random() % 256));
    }
}

// 0..maxWhole, a quarter of them with a fraction, a few negative.
float RandomSize(std::mt19937& random, int maxWhole) {
    auto size = static_cast<float>(random() % static_cast<unsigned>(maxWhole + 1));
    if (random() % 4 == 0) {
        size += static_cast<float>(random() % 9 + 1) / 10.0f;
    }
    return random() % 25 == 0 ? -size : size;
}

int Below(std::mt19937& random, int limit) {
    return static_cast<int>(random() % static_cast<unsigned>(limit));
}

Case RandomCase(std::mt19937& random, ColorMode mode, Orientation orientation, int minGradient,
                int maxGradient, int maxSurface) {
    Case c;
    GradientParams& p = c.params;
    p.colorMode = mode;
    p.orientation = orientation;
    p.width = static_cast<float>(minGradient) + RandomSize(random, maxGradient - minGradient);
    p.height = static_cast<float>(minGradient) + RandomSize(random, maxGradient - minGradient);
    p.colors.start = RandomColour(random);
    p.colors.end = RandomColour(random);
    p.colors.middle = RandomColour(random);
    p.colors.middleOn = random() % 2 != 0;
    p.colors.middlePercent = random() % 3 == 0 ? 50.0f : RandomSize(random, 100);
    p.colors.bands.start = Below(random, 12);
    p.colors.bands.middle = Below(random, 12);
    p.colors.bands.end = Below(random, 12);
    c.surfaceWidth = 1 + Below(random, maxSurface);
    c.surfaceHeight = 1 + Below(random, maxSurface);
    c.fill = RgbColor(1, 2, Below(random, 256));
    c.pen = static_cast<std::int16_t>(1 + Below(random, 4));
    return c;
}

template <typename Draw>
Raster Drawn(const Case& c, Draw draw) {
    Raster surface(c.surfaceWidth, c.surfaceHeight, c.fill);
    surface.SetPenWidth(c.pen);
    draw(surface, c.params);
    return surface;
}

Raster Reference(const Case& c) {
    return Drawn(c, [](Raster& s, const GradientParams& p) { reference::DrawGradient(s, p); });
}

Raster Rendered(const Case& c) {
    return Drawn(c, [](Raster& s, const GradientParams& p) { DrawGradient(s, p); });
}

// A region of the surface at (firstColumn, firstRow) holds the expected pixels; pixels
// outside the surface keep the fill.
::testing::AssertionResult RegionMatches(const Raster& expected, const Raster& region,
                                         ColorValue fill, int firstColumn = 0, int firstRow = 0) {
    for (int k = 0; k < region.Height(); ++k) {
        for (int j = 0; j < region.Width(); ++j) {
            const int x = firstColumn + j;
            const int y = firstRow + k;
            const ColorValue wanted =
                expected.PixelAt(x, y) == kNoColor ? fill : expected.PixelAt(x, y);
            if (region.PixelAt(j, k) != wanted) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << region.PixelAt(j, k)
                       << ", wanted " << wanted;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class GradientMatchesStepByStep
    : public ::testing::TestWithParam<std::tuple<ColorMode, Orientation>> {
  protected:
    ColorMode Mode() const { return std::get<0>(GetParam()); }
    Orientation Shape() const { return std::get<1>(GetParam()); }
    // Small gradients mostly; every fourth with many steps per pixel.
    Case Next(int round) {
        return round % 4 == 0 ? RandomCase(random_, Mode(), Shape(), 200, 3000, 24)
                              : RandomCase(random_, Mode(), Shape(), 0, 80, 60);
    }
    std::mt19937 random_{static_cast<std::mt19937::result_type>(
        1000 + 10 * static_cast<int>(Mode()) + static_cast<int>(Shape()))};
};

TEST_P(GradientMatchesStepByStep, WholeInBandsAndInWindows) {
    for (int round = 0; round < 300; ++round) {
        const Case c = Next(round);
        const Raster expected = Reference(c);
        ASSERT_TRUE(RegionMatches(expected, Rendered(c), c.fill)) << Describe(c);
        if (round % 3 != 0) {
            continue;
        }
        const GradientRenderer renderer(c.params, c.surfaceWidth, c.surfaceHeight, c.pen);
        for (int firstRow = -Below(random_, 3); firstRow < c.surfaceHeight + 2;) {
            Raster band(c.surfaceWidth, 1 + Below(random_, 9), c.fill);
            renderer.RenderRows(firstRow, band);
            ASSERT_TRUE(RegionMatches(expected, band, c.fill, 0, firstRow)) << Describe(c);
            firstRow += band.Height();
        }
        for (int window = 0; window < 8; ++window) {
            const int firstColumn = Below(random_, c.surfaceWidth + 2);
            const int firstRow = Below(random_, c.surfaceHeight + 4) - 2;
            Raster region(1 + Below(random_, 12), 1 + Below(random_, 12), c.fill);
            renderer.RenderRegion(firstColumn, firstRow, region);
            ASSERT_TRUE(RegionMatches(expected, region, c.fill, firstColumn, firstRow))
                << Describe(c);
        }
    }
}

TEST_P(GradientMatchesStepByStep, WhenWideBandsPaintNothing) {
    // A middle colour that cannot be resolved leaves each pixel to the last covering
    // step before the middle band.
    for (int round = 0; round < 10; ++round) {
        Case c = RandomCase(random_, Mode(), Shape(), 500, 2500, 20);
        c.params.colors.middleOn = true;
        c.params.colors.middle = kNoColor;
        c.params.colors.bands.middle = 100 + Below(random_, 400);
        c.params.colors.start = round % 2 == 0 ? kNoColor : c.params.colors.start;
        c.params.colors.bands.start = Below(random_, 300);
        ASSERT_TRUE(RegionMatches(Reference(c), Rendered(c), c.fill)) << Describe(c);
    }
}

// The unrounded outputs show at each pixel the step that the plain output shows there
// (one of the steps with that 8-bit colour), quantised; uncovered pixels keep the fill.
// Bands of rows give the same pixels as the whole surface.
::testing::AssertionResult ExactOutputsFollowPlainSteps(const Case& c) {
    const Raster plain = Reference(c);
    Raster dithered(c.surfaceWidth, c.surfaceHeight, c.fill);
    Raster16 deep(c.surfaceWidth, c.surfaceHeight, c.fill);
    const GradientRenderer renderer(c.params, c.surfaceWidth, c.surfaceHeight, c.pen);
    renderer.RenderRows(0, dithered, OutputFormat::kDithered8);
    renderer.RenderRows(0, deep);
    const std::unique_ptr<ColorRamp> ramp = BuildGradientRamp(c.params);
    std::map<std::uint32_t, std::vector<std::int64_t>> stepsOfWord;
    for (std::int64_t step = 0; ramp && step < renderer.StepCount(); ++step) {
        stepsOfWord[ResolvePixel(ramp->At(step + 1))].push_back(step);
    }
    for (int y = 0; y < c.surfaceHeight; ++y) {
        for (int x = 0; x < c.surfaceWidth; ++x) {
            const std::uint32_t word = plain.Row(y)[x];
            bool found = word == ToPixel(c.fill) && dithered.Row(y)[x] == word &&
                         deep.Row(y)[x] == DeepPixel(word);
            for (const std::int64_t step : stepsOfWord[word]) {
                const ExactColor exact = ramp->Exact(step + 1);
                found = found || (deep.Row(y)[x] == DeepOf(exact) &&
                                  dithered.Row(y)[x] ==
                                      DitheredWord(DitherLevelsOf(exact), BlueNoiseRank(x, y)));
            }
            if (!found) {
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ")";
            }
        }
    }
    for (int firstRow = 0, rows = 1; firstRow < c.surfaceHeight; firstRow += rows, rows += 2) {
        Raster ditheredBand(c.surfaceWidth, rows, c.fill);
        Raster16 deepBand(c.surfaceWidth, rows, c.fill);
        renderer.RenderRows(firstRow, ditheredBand, OutputFormat::kDithered8);
        renderer.RenderRows(firstRow, deepBand);
        for (int k = 0; k < rows && firstRow + k < c.surfaceHeight; ++k) {
            for (int x = 0; x < c.surfaceWidth; ++x) {
                if (ditheredBand.Row(k)[x] != dithered.Row(firstRow + k)[x] ||
                    deepBand.Row(k)[x] != deep.Row(firstRow + k)[x]) {
                    return ::testing::AssertionFailure()
                           << "band pixel (" << x << ", " << firstRow + k << ")";
                }
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_P(GradientMatchesStepByStep, InUnroundedOutputs) {
    for (int round = 0; round < 100; ++round) {
        const Case c = Next(round);
        ASSERT_TRUE(ExactOutputsFollowPlainSteps(c)) << Describe(c);
    }
}

INSTANTIATE_TEST_SUITE_P(AllShapes, GradientMatchesStepByStep,
                         ::testing::Combine(::testing::Values(kRgb, kHsl),
                                            ::testing::Values(kHorizontal, kVertical, kCircle)));

// Sizes at the edges of the float and pen arithmetic, each on a surface one row high.
struct ExtremeCase {
    const char* name;
    Orientation orientation;
    float width;
    float height;
    int surfaceWidth;
    int shownColumn;  // a column that some step must paint
};

class GradientMatchesStepByStepAt : public ::testing::TestWithParam<ExtremeCase> {};

TEST_P(GradientMatchesStepByStepAt, ExtremeSizes) {
    Case c;
    c.params.orientation = GetParam().orientation;
    c.params.width = GetParam().width;
    c.params.height = GetParam().height;
    c.surfaceWidth = GetParam().surfaceWidth;
    c.fill = RgbColor(1, 2, 3);
    const Raster rendered = Rendered(c);
    EXPECT_TRUE(RegionMatches(Reference(c), rendered, c.fill)) << Describe(c);
    EXPECT_NE(rendered.PixelAt(GetParam().shownColumn, 0), c.fill);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, GradientMatchesStepByStepAt,
    ::testing::Values(
        // With more than about 2^24 steps the boxes near the far side get zero width in
        // floats; each still shows as one column, so the whole surface is painted.
        ExtremeCase{"BoxesThinnerThanTheFloatSpacing", kHorizontal, 26000000.0f, 1.0f, 3, 2},
        // Two rings 35000 pixels apart: no 16-bit pen spans that, so they are drawn with the
        // surface's pen and the pixels between them keep the fill; the outer ring shows.
        ExtremeCase{"RingsFartherApartThanAnyPen", kCircle, 4.0f, 0.0f, 140000, 105000}),
    [](const ::testing::TestParamInfo<ExtremeCase>& info) { return info.param.name; });

// A whole surface large enough to share its ring colours among threads gives the pixels
// that bands of rows give, whose rings are found row by row.
TEST(GradientMatchesStepByStepAlone, WholeCircleOnThreadsMatchesBands) {
    for (const ColorMode mode : {kRgb, kOklch}) {
        GradientParams params;
        params.colors.start = RgbColor(255, 0, 0);
        params.colors.end = RgbColor(0, 255, 255);
        params.colors.middle = RgbColor(250, 250, 0);
        params.colors.middleOn = true;
        params.colorMode = mode;
        params.orientation = kCircle;
        params.width = 200000.0f;
        const GradientRenderer renderer(params, 300, 300);
        Raster whole(300, 300, kWhite);
        renderer.RenderRows(0, whole);
        for (int firstRow = 0; firstRow < 300; firstRow += 7) {
            Raster band(300, 7, kWhite);
            renderer.RenderRows(firstRow, band);
            ASSERT_TRUE(RegionMatches(whole, band, kWhite, 0, firstRow))
                << "mode " << static_cast<int>(mode);
        }
    }
}

}  // namespace
}  // namespace tonzug
