#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "color/ColorSpaces.h"
#include "color/ColorValue.h"
#include "color/SystemColors.h"
#include "render/ColorRamp.h"
#include "render/LiteralRamps.h"
#include "render/Raster.h"
#include "testing/SampleGradient.h"

// The on-demand ramps must hold, entry for entry, what the array-filling algorithms
// store. Parameters are drawn at random from the ranges where bands, sections and
// the middle band overlap in every combination.
namespace tonzug {
namespace {

void ExpectSameEntries(const ColorRamp& ramp, const std::vector<ColorValue>& expected,
                       const std::string& what) {
    ASSERT_EQ(ramp.UpperBound(), static_cast<std::int32_t>(expected.size()) - 1) << what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(ramp.At(static_cast<std::int64_t>(i)), expected[i]) << what << " index " << i;
    }
    EXPECT_EQ(ramp.At(-1), 0) << what;
    EXPECT_EQ(ramp.At(static_cast<std::int64_t>(expected.size())), 0) << what;
}

class RandomRampCases {
  public:
    explicit RandomRampCases(std::uint32_t seed) : engine_(seed) {}

    ColorValue Color() {
        // As the form hands them over: mostly plain colours, some with equal channels, a
        // system colour's, and "no colour" from an untranslatable one.
        switch (Pick(0, 9)) {
            case 0:
                return TranslateColor(SystemColor(15));
            case 1:
                return TranslateColor(SystemColor(99));
            case 2:
                return Pick(0, 1) == 0 ? kBlack : kWhite;
            default:
                return RgbColor(Pick(0, 255), Pick(0, 255), Pick(0, 255));
        }
    }

    // The colours with the middle switched on or off and bands of any width.
    ClassicColors Banded(ColorValue start, ColorValue middle, ColorValue end, float percent) {
        const int limit = Pick(0, 1) == 0 ? 8 : 200;
        ClassicColors colors = testing::ThroughMiddle(
            start, middle, end, percent, {Pick(-3, limit), Pick(-3, limit), Pick(-3, limit)});
        colors.middleOn = Pick(0, 1) != 0;
        return colors;
    }

    // Whole, half and arbitrary fractional values, below 2 included.
    float Steps(int limit) {
        switch (Pick(0, 3)) {
            case 0:
                return static_cast<float>(Pick(-2, limit));
            case 1:
                return static_cast<float>(Pick(-2, limit)) + 0.5f;
            default:
                return std::uniform_real_distribution<float>(-1.0f,
                                                             static_cast<float>(limit))(engine_);
        }
    }

    float Percent() {
        switch (Pick(0, 2)) {
            case 0:
                return static_cast<float>(Pick(0, 100));
            case 1:
                return 50.0f;
            default:
                return std::uniform_real_distribution<float>(0.0f, 100.0f)(engine_);
        }
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

  private:
    std::mt19937 engine_;
};

TEST(ColorRampEquivalence, RandomRampsMatchArrayFilling) {
    RandomRampCases cases(2);
    for (int round = 0; round < 6000; ++round) {
        const ColorValue start = cases.Color();
        const ColorValue end = cases.Color();
        const ColorValue middle = cases.Color();
        const float steps = cases.Steps(round % 3 == 0 ? 12 : 300);
        const float percent = cases.Percent();
        const ClassicColors colors = cases.Banded(start, middle, end, percent);
        const SolidBands& bands = colors.bands;
        const std::string what = "steps " + std::to_string(steps) + " percent " +
                                 std::to_string(percent) + " bands " + std::to_string(bands.start) +
                                 "/" + std::to_string(bands.middle) + "/" +
                                 std::to_string(bands.end);
        ExpectSameEntries(*BuildRampBands(colors, steps), literal::BuildRampBands(colors, steps),
                          "bands, " + what);
        if (round % 3 == 0) {
            ExpectSameEntries(*BuildRampTwo(start, end, steps),
                              literal::BuildRampTwo(start, end, steps), "two, " + what);
            const std::int32_t whole = cases.Pick(-2, 300);
            ExpectSameEntries(*BuildRampHsl(start, end, whole),
                              literal::BuildRampHsl(start, end, whole),
                              "hsl, steps " + std::to_string(whole));
        }
    }
}

// Long ramps are not tabulated: the closed forms answer each call themselves.
TEST(ColorRampEquivalence, LongRampsMatchArrayFilling) {
    const ColorValue start = RgbColor(250, 3, 128);
    const ColorValue end = RgbColor(7, 240, 129);
    const ColorValue middle = RgbColor(20, 20, 200);
    for (const float steps : {65537.0f, 70000.5f}) {
        const std::string what = "steps " + std::to_string(steps);
        ExpectSameEntries(*BuildRampTwo(start, end, steps),
                          literal::BuildRampTwo(start, end, steps), "two " + what);
        const ClassicColors colors =
            testing::ThroughMiddle(start, middle, end, 37.3f, {1000, 501, 2000});
        ExpectSameEntries(*BuildRampBands(colors, steps), literal::BuildRampBands(colors, steps),
                          "bands " + what);
        const auto whole = static_cast<std::int32_t>(steps);
        ExpectSameEntries(*BuildRampHsl(start, end, whole),
                          literal::BuildRampHsl(start, end, whole), "hsl " + what);
    }
}

// The unrounded entries round back to the 8-bit ones, bit for bit: ties to even in RGB,
// halves up in HSL. `fractional` counts the entries that are no whole numbers.
enum class Rounding { kTiesToEven, kHalfUp };

void ExpectExactRoundsToEntries(const ColorRamp& ramp, Rounding rounding, const std::string& what,
                                int& fractional) {
    const auto round = [rounding](double v) {
        return rounding == Rounding::kTiesToEven ? static_cast<int>(std::nearbyint(v))
                                                 : RoundHalfUp(v);
    };
    for (std::int64_t i = -1; i <= ramp.UpperBound() + 1; ++i) {
        const std::uint32_t word = ResolvePixel(ramp.At(i));
        const ExactColor exact = ramp.Exact(i);
        if (word == kNoPixel) {
            continue;  // paints nothing
        }
        for (const double v : {exact.red, exact.green, exact.blue}) {
            ASSERT_TRUE(v >= 0.0 && v <= 255.0) << what << " index " << i << ": " << v;
            fractional += v != std::floor(v) ? 1 : 0;
        }
        ASSERT_EQ(ToPixel(RgbColor(round(exact.red), round(exact.green), round(exact.blue))), word)
            << what << " index " << i;
    }
}

TEST(ColorRampExact, RoundsToTheEightBitEntries) {
    RandomRampCases cases(4);
    int fractional = 0;
    for (int round = 0; round < 3000; ++round) {
        const ColorValue start = cases.Color();
        const ColorValue end = cases.Color();
        const ColorValue middle = cases.Color();
        // Now and then beyond the table limit, where the closed forms answer.
        const int limit = round % 50 == 0 ? 3000 : 300;
        const float steps = cases.Steps(limit);
        const std::string what = "steps " + std::to_string(steps);
        ExpectExactRoundsToEntries(*BuildRampTwo(start, end, steps), Rounding::kTiesToEven,
                                   "two, " + what, fractional);
        ExpectExactRoundsToEntries(
            *BuildRampBands(cases.Banded(start, middle, end, cases.Percent()), steps),
            Rounding::kTiesToEven, "bands, " + what, fractional);
        ExpectExactRoundsToEntries(*BuildRampHsl(start, end, cases.Pick(-2, limit)),
                                   Rounding::kHalfUp, "hsl, " + what, fractional);
    }
    EXPECT_GT(fractional, 100000);  // really unrounded, not the rounded channels again
}

}  // namespace
}  // namespace tonzug
