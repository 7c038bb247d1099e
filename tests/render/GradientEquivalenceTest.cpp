// The production renderer against the step-by-step reference drawing, on many random
// small gradients of every shape: the pixels must be identical.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "render/BlueNoiseMask.h"
#include "render/Gradient.h"
#include "render/LiteralDraw.h"

namespace tonzug {
namespace {

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
    text << "mode " << p.colorMode << " orientation " << p.orientation << " size " << p.width << "x"
         << p.height << " on " << c.surfaceWidth << "x" << c.surfaceHeight << " middle "
         << p.middlePercent << "% colour " << p.middleColor << " on " << p.middleOn << " bands "
         << p.startBand << "/" << p.middleBand << "/" << p.endBand << " colours " << p.startColor
         << "->" << p.endColor << " fill " << c.fill << " pen " << c.pen;
    return text.str();
}

// Mostly plain colours, now and then a system colour, one that cannot be resolved or -1.
ColorValue RandomColour(std::mt19937& random) {
    switch (random() % 16) {
        case 0:
            return SystemColor(static_cast<int>(random() % 25));
        case 1:
            return SystemColor(100);
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

Case RandomCase(std::mt19937& random, std::int32_t mode, std::int32_t orientation, int minGradient,
                int maxGradient, int maxSurface) {
    Case c;
    GradientParams& p = c.params;
    p.colorMode = mode;
    p.orientation = orientation;
    p.width = static_cast<float>(minGradient) + RandomSize(random, maxGradient - minGradient);
    p.height = static_cast<float>(minGradient) + RandomSize(random, maxGradient - minGradient);
    p.startColor = RandomColour(random);
    p.endColor = RandomColour(random);
    p.middleColor = RandomColour(random);
    p.middleOn = random() % 2 == 0 ? 0 : -1;
    p.middlePercent = random() % 3 == 0 ? 50.0f : RandomSize(random, 100);
    p.startBand = static_cast<std::int32_t>(random() % 12);
    p.middleBand = static_cast<std::int32_t>(random() % 12);
    p.endBand = static_cast<std::int32_t>(random() % 12);
    c.surfaceWidth = 1 + static_cast<int>(random() % static_cast<unsigned>(maxSurface));
    c.surfaceHeight = 1 + static_cast<int>(random() % static_cast<unsigned>(maxSurface));
    c.fill = RgbColor(1, 2, static_cast<int>(random() % 256));
    c.pen = static_cast<std::int16_t>(1 + random() % 4);
    return c;
}

Raster Reference(const Case& c) {
    Raster surface(c.surfaceWidth, c.surfaceHeight, c.fill);
    surface.SetPenWidth(c.pen);
    reference::DrawGradient(surface, c.params);
    return surface;
}

Raster Rendered(const Case& c) {
    Raster surface(c.surfaceWidth, c.surfaceHeight, c.fill);
    surface.SetPenWidth(c.pen);
    DrawGradient(surface, c.params);
    return surface;
}

::testing::AssertionResult SamePixels(const Raster& expected, const Raster& actual) {
    for (int y = 0; y < expected.Height(); ++y) {
        for (int x = 0; x < expected.Width(); ++x) {
            if (expected.PixelAt(x, y) != actual.PixelAt(x, y)) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << actual.PixelAt(x, y)
                       << ", drawn step by step " << expected.PixelAt(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class GradientMatchesStepByStep
    : public ::testing::TestWithParam<std::tuple<std::int32_t, std::int32_t>> {
  protected:
    std::int32_t Mode() const { return std::get<0>(GetParam()); }
    std::int32_t Orientation() const { return std::get<1>(GetParam()); }
    std::mt19937 random_{
        static_cast<std::mt19937::result_type>(1000 + 10 * Mode() + Orientation())};
};

TEST_P(GradientMatchesStepByStep, OnSmallGradientsAndSurfaces) {
    for (int round = 0; round < 300; ++round) {
        const Case c = RandomCase(random_, Mode(), Orientation(), 0, 60, 60);
        ASSERT_TRUE(SamePixels(Reference(c), Rendered(c))) << Describe(c);
    }
}

TEST_P(GradientMatchesStepByStep, WithManyStepsPerPixel) {
    for (int round = 0; round < 25; ++round) {
        const Case c = RandomCase(random_, Mode(), Orientation(), 200, 3000, 24);
        ASSERT_TRUE(SamePixels(Reference(c), Rendered(c))) << Describe(c);
    }
}

// Checks one region of the surface at (firstColumn, firstRow): pixels of the surface
// as drawn step by step, pixels outside it untouched.
::testing::AssertionResult RegionMatches(const Raster& expected, const Raster& region,
                                         int firstColumn, int firstRow, ColorValue fill) {
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

TEST_P(GradientMatchesStepByStep, InBandsOfRows) {
    for (int round = 0; round < 60; ++round) {
        const Case c = RandomCase(random_, Mode(), Orientation(), 0, 80, 40);
        const Raster expected = Reference(c);
        const GradientRenderer renderer(c.params, c.surfaceWidth, c.surfaceHeight, c.pen);
        int firstRow = -static_cast<int>(random_() % 3);
        while (firstRow < c.surfaceHeight + 2) {
            Raster band(c.surfaceWidth, 1 + static_cast<int>(random_() % 9), c.fill);
            renderer.RenderRows(firstRow, band);
            ASSERT_TRUE(RegionMatches(expected, band, 0, firstRow, c.fill)) << Describe(c);
            firstRow += band.Height();
        }
    }
}

TEST_P(GradientMatchesStepByStep, InWindowsOfTheSurface) {
    for (int round = 0; round < 60; ++round) {
        const Case c = RandomCase(random_, Mode(), Orientation(), 0, 80, 40);
        const Raster expected = Reference(c);
        const GradientRenderer renderer(c.params, c.surfaceWidth, c.surfaceHeight, c.pen);
        for (int window = 0; window < 8; ++window) {
            const int firstColumn =
                static_cast<int>(random_() % static_cast<unsigned>(c.surfaceWidth + 2));
            const int firstRow =
                static_cast<int>(random_() % static_cast<unsigned>(c.surfaceHeight + 4)) - 2;
            Raster region(1 + static_cast<int>(random_() % 12),
                          1 + static_cast<int>(random_() % 12), c.fill);
            renderer.RenderRegion(firstColumn, firstRow, region);
            ASSERT_TRUE(RegionMatches(expected, region, firstColumn, firstRow, c.fill))
                << Describe(c);
        }
    }
}

TEST_P(GradientMatchesStepByStep, WhenWideBandsPaintNothing) {
    // A middle colour that cannot be resolved leaves each pixel to the last covering
    // step before the middle band.
    for (int round = 0; round < 10; ++round) {
        Case c = RandomCase(random_, Mode(), Orientation(), 500, 2500, 20);
        c.params.middleOn = -1;
        c.params.middleColor = kNoColor;
        c.params.middleBand = 100 + static_cast<std::int32_t>(random_() % 400);
        c.params.startColor = round % 2 == 0 ? kNoColor : c.params.startColor;
        c.params.startBand = static_cast<std::int32_t>(random_() % 300);
        ASSERT_TRUE(SamePixels(Reference(c), Rendered(c))) << Describe(c);
    }
}

// The unrounded outputs show at each pixel the step that the plain output shows there
// (one of the steps with that 8-bit colour), quantised, and uncovered pixels keep the
// band's content. Bands of rows give the same pixels as the whole surface.
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
        const Case c = round % 4 == 0 ? RandomCase(random_, Mode(), Orientation(), 200, 3000, 24)
                                      : RandomCase(random_, Mode(), Orientation(), 0, 80, 70);
        ASSERT_TRUE(ExactOutputsFollowPlainSteps(c)) << Describe(c);
    }
}

INSTANTIATE_TEST_SUITE_P(AllShapes, GradientMatchesStepByStep,
                         ::testing::Combine(::testing::Values(kModeRgb, kModeHsl),
                                            ::testing::Values(kHorizontal, kVertical, kCircle)));

TEST(GradientMatchesStepByStepAlone, WhenBoxesAreThinnerThanTheFloatSpacing) {
    // With more than about 2^24 steps the boxes near the far side get zero width in
    // floats; each still shows as one column, so the whole surface is painted.
    Case c;
    c.params.colorMode = kModeRgb;
    c.params.orientation = kHorizontal;
    c.params.width = 26000000.0f;
    c.params.height = 1.0f;
    c.surfaceWidth = 3;
    c.fill = RgbColor(1, 2, 3);
    const Raster rendered = Rendered(c);
    EXPECT_TRUE(SamePixels(Reference(c), rendered)) << Describe(c);
    EXPECT_NE(rendered.PixelAt(2, 0), c.fill);
}

}  // namespace
}  // namespace tonzug
