#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "color/HuePath.h"
#include "color/OklabReference.h"
#include "color/PerceptualBlend.h"
#include "render/ColorRamp.h"
#include "render/Gradient.h"
#include "testing/SampleGradient.h"

namespace tonzug {
namespace {

using testing::ThroughMiddle;

ColorValue Whole(const RgbTriple& c) {
    return RgbColor(static_cast<int>(c.red), static_cast<int>(c.green), static_cast<int>(c.blue));
}

// A two-colour ramp of 5 or 11 steps samples t = 1/4, 1/2, 3/4 or t = 1/10 ... 9/10:
// where the reference has a blend at such a t, the entry is the reference's colour.
TEST(PerceptualRamps, TwoColourEntriesAreTheReferenceBlends) {
    int compared = 0;
    for (const auto& c : reference::kBlendReference) {
        for (const float steps : {5.0f, 11.0f}) {
            const double k = c.t * (steps - 1.0f);
            if (std::abs(k - std::round(k)) > 1e-9) {
                continue;
            }
            const auto ramp =
                BuildRampPerceptualTwo(Whole(c.from), Whole(c.to), steps, c.space, c.path);
            const auto index = static_cast<std::int64_t>(std::round(k)) + 1;
            const ExactColor exact = ramp->Exact(index);
            SCOPED_TRACE(std::string(c.name) + " t=" + std::to_string(c.t));
            EXPECT_NEAR(exact.red, c.srgb.red, 1e-6);
            EXPECT_NEAR(exact.green, c.srgb.green, 1e-6);
            EXPECT_NEAR(exact.blue, c.srgb.blue, 1e-6);
            const ColorValue rounded = ramp->At(index);
            EXPECT_LE(std::abs(RedOf(rounded) - c.srgb.red), 0.5 + 1e-9);
            EXPECT_LE(std::abs(BlueOf(rounded) - c.srgb.blue), 0.5 + 1e-9);
            ++compared;
        }
    }
    EXPECT_GT(compared, 100);
}

// Bands and the middle are laid out exactly as in RGB; only the sections' colours differ.
TEST(PerceptualRamps, BandsAndMiddleSitWhereTheRgbRampPutsThem) {
    const ColorValue red = RgbColor(255, 0, 0);
    const ColorValue cyan = RgbColor(0, 255, 255);
    const ColorValue middle = RgbColor(20, 40, 200);
    for (const BlendSpace space : {BlendSpace::kOklab, BlendSpace::kOklch}) {
        const ClassicColors colors = ThroughMiddle(red, middle, cyan, 30.0f, {12, 5, 20});
        const auto rgb = BuildRampBands(colors, 300.0f);
        const auto lab = BuildRampPerceptualBands(colors, 300.0f, space, HuePath::kShorter);
        ASSERT_EQ(lab->UpperBound(), rgb->UpperBound());
        for (std::int64_t i = 1; i <= 300; ++i) {
            const bool solid = rgb->At(i) == red || rgb->At(i) == cyan || rgb->At(i) == middle;
            if (solid) {
                EXPECT_EQ(lab->At(i), rgb->At(i)) << i;
            }
        }
        EXPECT_EQ(lab->At(12), red);
        EXPECT_NE(lab->At(13), red);
        EXPECT_EQ(lab->At(90), middle);  // m = 90, middle band 88..92
        EXPECT_EQ(lab->At(281), cyan);
        EXPECT_NE(lab->At(280), cyan);
    }
}

// Each step of a banded perceptual ramp lies where the RGB ramp puts it: with the middle
// black and the end white, the RGB ramp's red channel is the blend's t in the second
// section (and one minus it in the first, from white to black).
TEST(PerceptualRamps, EveryStepBlendsAtTheRgbRampsPosition) {
    const ColorValue white = RgbColor(255, 255, 255);
    const ColorValue black = RgbColor(0, 0, 0);
    const std::int64_t length = 41;
    const ClassicColors colors = ThroughMiddle(white, black, white, 40.0f, {3, 2, 4});
    const auto rgb = BuildRampBands(colors, 41.0f);
    for (const BlendSpace space : {BlendSpace::kOklab, BlendSpace::kOklch}) {
        const auto lab = BuildRampPerceptualBands(colors, 41.0f, space, HuePath::kShorter);
        for (std::int64_t i = 1; i <= length; ++i) {
            const double red = rgb->Exact(i).red / 255.0;
            const RgbTriple expected =
                BlendPerceptual(ChannelsOf(black), ChannelsOf(white), red, space);
            SCOPED_TRACE(i);
            EXPECT_NEAR(lab->Exact(i).red, expected.red, 1e-3);
            EXPECT_NEAR(lab->Exact(i).blue, expected.blue, 1e-3);
        }
    }
}

// Hues exactly half a circle apart go the increasing way on the shorter path, as CSS
// draws them, whichever end is the lower hue.
TEST(HuePaths, HalfACircleApartKeepsTheDirectWay) {
    const ColorValue red = RgbColor(255, 0, 0);     // hue 0
    const ColorValue cyan = RgbColor(0, 255, 255);  // hue 180
    EXPECT_EQ(BuildRampHsl(red, cyan, 3, HuePath::kShorter)->At(2), RgbColor(128, 255, 0));
    EXPECT_EQ(BuildRampHsl(cyan, red, 3, HuePath::kShorter)->At(2), RgbColor(128, 255, 0));
    for (const auto& [from, to] : {std::pair{10.0, 190.0}, {190.0, 10.0}, {300.0, 120.0}}) {
        const HuePair hues = AdjustHues(from, to, HuePath::kShorter);
        EXPECT_EQ(hues.from, from);
        EXPECT_EQ(hues.to, to);
    }
}

// Blue to yellow through the middle: sRGB passes a dark grey, Oklab a lighter, bluish one.
TEST(PerceptualRamps, OklabMiddleOfBlueToYellowIsNoGrey) {
    GradientParams params;
    params.colors.start = RgbColor(0, 0, 255);
    params.colors.end = RgbColor(255, 255, 0);
    params.width = 1.0f;
    params.height = 101.0f;
    params.colorMode = ColorMode::kOklab;
    const ColorValue labMiddle = BuildGradientRamp(params)->At(51);
    EXPECT_GT(BlueOf(labMiddle) - RedOf(labMiddle), 60);  // 108, 171, 199 in the reference
    EXPECT_GT(GreenOf(labMiddle), 160);
}

TEST(HslRamp, HuePathsGoTheChosenWayRound) {
    const ColorValue red = RgbColor(255, 0, 0);
    const ColorValue magenta = RgbColor(255, 0, 255);  // hue 300
    // Direct: 0 up to 300 through green (150 halfway); shorter: down through 330.
    EXPECT_EQ(BuildRampHsl(red, magenta, 3)->At(2), RgbColor(0, 255, 128));
    EXPECT_EQ(BuildRampHsl(red, magenta, 3, HuePath::kShorter)->At(2), RgbColor(255, 0, 128));
    EXPECT_EQ(BuildRampHsl(red, magenta, 3, HuePath::kIncreasing)->At(2), RgbColor(0, 255, 128));
    EXPECT_EQ(BuildRampHsl(magenta, red, 3, HuePath::kIncreasing)->At(2), RgbColor(255, 0, 128));
}

}  // namespace
}  // namespace tonzug
