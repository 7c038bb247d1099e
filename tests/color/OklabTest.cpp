#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "color/GamutMap.h"
#include "color/HuePath.h"
#include "color/Oklab.h"
#include "color/OklabReference.h"
#include "color/PerceptualBlend.h"

namespace tonzug {
namespace {

using namespace reference;  // NOLINT: the tables read as plain names here

constexpr double kConversionTolerance = 1e-6;
// Channels 0..255: far below one step, so the blends agree with the reference, not only
// round alike. Most of the blends and all gamut cases go through the chroma search.
constexpr double kBlendTolerance = 1e-6;

void ExpectChannelsNear(const RgbTriple& actual, const RgbTriple& expected, double tolerance) {
    EXPECT_NEAR(actual.red, expected.red, tolerance);
    EXPECT_NEAR(actual.green, expected.green, tolerance);
    EXPECT_NEAR(actual.blue, expected.blue, tolerance);
}

TEST(Oklab, ConvertsLikeTheReference) {
    for (const auto& c : kConversionReference) {
        SCOPED_TRACE(c.name);
        const OklabColor lab = SrgbToOklab(c.srgb);
        EXPECT_NEAR(lab.lightness, c.lab.lightness, kConversionTolerance);
        EXPECT_NEAR(lab.a, c.lab.a, kConversionTolerance);
        EXPECT_NEAR(lab.b, c.lab.b, kConversionTolerance);

        const OklchColor lch = OklabToOklch(lab);
        EXPECT_NEAR(lch.lightness, c.lch.lightness, kConversionTolerance);
        EXPECT_NEAR(lch.chroma, c.lch.chroma, kConversionTolerance);
        EXPECT_EQ(std::isnan(lch.hue), std::isnan(c.lch.hue));
        if (!std::isnan(c.lch.hue)) {
            EXPECT_NEAR(lch.hue, c.lch.hue, kConversionTolerance);
        }

        // And back, through the polar form.
        ExpectChannelsNear(OklabToSrgb(OklchToOklab(lch)), c.srgb, kConversionTolerance);
    }
}

TEST(GamutMap, MapsLikeTheReference) {
    for (const auto& c : kGamutReference) {
        SCOPED_TRACE(testing::Message()
                     << c.lch.lightness << ' ' << c.lch.chroma << ' ' << c.lch.hue);
        ExpectChannelsNear(GamutMapToSrgb(OklchToOklab(c.lch)), c.srgb, kBlendTolerance);
    }
}

TEST(GamutMap, KeepsColoursInsideAndNeverYieldsNan) {
    ExpectChannelsNear(GamutMapToSrgb(SrgbToOklab({12, 90, 77})), {12, 90, 77}, 1e-9);
    const RgbTriple fromNan = GamutMapToSrgb({std::nan(""), 0.1, 0.1});
    ExpectChannelsNear(fromNan, {0, 0, 0}, 0.0);
    const RgbTriple wild = GamutMapToSrgb({0.5, 3.0, -2.0});
    for (const double channel : {wild.red, wild.green, wild.blue}) {
        EXPECT_GE(channel, 0.0);
        EXPECT_LE(channel, 255.0);
    }
}

// Many colours mapped together give, bit for bit, what each gives alone: whatever lane,
// chunk or neighbours a colour has, and whichever vector width the processor offers.
TEST(GamutMap, TogetherExactlyAsAlone) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> lightness(-0.05, 1.05);
    std::uniform_real_distribution<double> opponent(-0.45, 0.45);
    std::vector<OklabColor> colors;
    for (int i = 0; i < 700; ++i) {
        colors.push_back({lightness(random), opponent(random), opponent(random)});
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    colors.insert(colors.begin() + 300, {{nan, 0.1, 0.1},
                                         {0.5, nan, 0.0},
                                         {0.7, 0.0, 0.0},
                                         {0.999, 0.000001, 0.0},
                                         {0.6, 5.0, -5.0}});
    std::vector<RgbTriple> together(colors.size());
    GamutMapToSrgb(colors, together);
    std::vector<RgbTriple> reversed(colors.size());
    GamutMapToSrgb(std::vector<OklabColor>(colors.rbegin(), colors.rend()), reversed);
    for (std::size_t i = 0; i < colors.size(); ++i) {
        SCOPED_TRACE(i);
        const RgbTriple alone = GamutMapToSrgb(colors[i]);
        const RgbTriple& otherNeighbours = reversed[colors.size() - 1 - i];
        using Bits = std::array<std::uint64_t, 3>;
        for (const RgbTriple& mapped : {together[i], otherNeighbours}) {
            EXPECT_EQ(std::bit_cast<Bits>(mapped), std::bit_cast<Bits>(alone));
        }
    }
}

TEST(PerceptualBlend, BlendsLikeTheReference) {
    for (const auto& c : kBlendReference) {
        SCOPED_TRACE(testing::Message() << c.name << " space " << static_cast<int>(c.space)
                                        << " path " << static_cast<int>(c.path) << " t " << c.t);
        ExpectChannelsNear(PerceptualBlend(c.from, c.to, c.space, c.path).At(c.t), c.srgb,
                           kBlendTolerance);
    }
}

TEST(PerceptualBlend, EndsComeBackExactly) {
    const RgbTriple red{255, 0, 0};
    const RgbTriple cyan{0, 255, 255};
    for (const BlendSpace space : {BlendSpace::kOklab, BlendSpace::kOklch}) {
        const PerceptualBlend blend(red, cyan, space, HuePath::kLonger);
        ExpectChannelsNear(blend.At(0.0), red, 0.0);
        ExpectChannelsNear(blend.At(1.0), cyan, 0.0);
    }
    // Oklab's halfway point between black and white is not sRGB's 127.5.
    EXPECT_NEAR(BlendPerceptual({0, 0, 0}, {255, 255, 255}, 0.5, BlendSpace::kOklab).red, 99.0,
                1.0);
}

TEST(HuePath, AdjustsHuesAsCssDoes) {
    const double none = std::nan("");
    const struct {
        double from, to;
        HuePath path;
        double adjustedFrom, adjustedTo;
    } cases[] = {
        {350, 10, HuePath::kDirect, 350, 10},      {350, 10, HuePath::kShorter, 350, 370},
        {10, 100, HuePath::kShorter, 10, 100},     {10, 100, HuePath::kLonger, 370, 100},
        {40, 40, HuePath::kLonger, 40, 400},  // a full turn
        {300, 20, HuePath::kIncreasing, 300, 380}, {20, 300, HuePath::kDecreasing, 380, 300},
        {-30, 750, HuePath::kShorter, 330, 390},  // normalised first
        {none, 200, HuePath::kDirect, 200, 200},  // no hue takes the other end's
    };
    for (const auto& c : cases) {
        const HuePair hues = AdjustHues(c.from, c.to, c.path);
        EXPECT_DOUBLE_EQ(hues.from, c.adjustedFrom) << c.from << " " << c.to;
        EXPECT_DOUBLE_EQ(hues.to, c.adjustedTo) << c.from << " " << c.to;
    }
    EXPECT_TRUE(std::isnan(AdjustHues(none, none, HuePath::kShorter).to));
}

TEST(HuePath, HslGreysHaveNoHueExceptOnTheDirectPath) {
    const HslColor red{0, 1, 0.5};
    const HslColor blue{240, 1, 0.5};
    const HslColor grey{0, 0, 0.5};
    const struct {
        HslColor from, to;
        HuePath path;
        double adjustedFrom, adjustedTo;
    } cases[] = {
        {red, blue, HuePath::kDirect, 0, 240},        {red, blue, HuePath::kShorter, 360, 240},
        {grey, blue, HuePath::kDirect, 0, 240},       {grey, blue, HuePath::kShorter, 240, 240},
        {blue, grey, HuePath::kIncreasing, 240, 240}, {grey, grey, HuePath::kLonger, 0, 0},
    };
    for (const auto& c : cases) {
        const HuePair hues = HslHuesForPath(c.from, c.to, c.path);
        EXPECT_EQ(hues.from, c.adjustedFrom);
        EXPECT_EQ(hues.to, c.adjustedTo);
    }
}

}  // namespace
}  // namespace tonzug
