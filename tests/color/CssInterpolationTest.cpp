#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "color/CssColor.h"
#include "color/CssInterpolation.h"
#include "color/CssSpaces.h"

namespace tonzug {
namespace {

// Reference values made by colorjs.io, an implementation independent of ours.
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
using Rgba = std::array<double, 4>;

struct ReadingReference {
    const char* text;
    Rgba srgb;
};

struct ConversionReference {
    const char* text;
    InterpolationSpace space;
    SpaceComponents components;
};

struct BlendReference {
    const char* from;
    const char* to;
    InterpolationMethod method;
    double t;
    Rgba srgb;
};

#include "color/CssColorReference.inc"

// Conversions agree to rounding; blends to far below a level of 8 bits.
constexpr double kConversionTolerance = 1e-9;
constexpr double kBlendTolerance = 1e-6;

CssColor Read(const char* text) {
    const CssColorReading reading = ReadCssColor(text);
    EXPECT_TRUE(reading.color) << text;
    return reading.color.value_or(CssColor{});
}

void ExpectChannels(const CssColor& color, const Rgba& expected, double tolerance,
                    const std::string& what) {
    EXPECT_NEAR(color.red, expected[0], tolerance) << what;
    EXPECT_NEAR(color.green, expected[1], tolerance) << what;
    EXPECT_NEAR(color.blue, expected[2], tolerance) << what;
    EXPECT_NEAR(color.alpha, expected[3], tolerance) << what;
}

TEST(CssSpaces, ReadsEveryNewFunctionLikeTheReference) {
    for (const ReadingReference& reference : kReadingReference) {
        ExpectChannels(Read(reference.text), reference.srgb, kConversionTolerance, reference.text);
    }
}

TEST(CssSpaces, ConvertIntoEverySpaceLikeTheReferenceAndBack) {
    for (const ConversionReference& reference : kConversionReference) {
        const CssColor color = Read(reference.text);
        const SpaceComponents components = ComponentsInSpace(color, reference.space);
        const std::string what = std::string(reference.text) + " in space " +
                                 std::to_string(static_cast<int>(reference.space));
        // Lab's components run to about 100, the others' to about 1.
        const double scale = std::fabs(reference.components[0]) > 2.0 ? 100.0 : 1.0;
        for (std::size_t i = 0; i < components.size(); ++i) {
            if (std::isnan(reference.components[i])) {
                EXPECT_TRUE(std::isnan(components[i])) << what << ": " << components[i];
            } else {
                EXPECT_NEAR(components[i], reference.components[i], kConversionTolerance * scale)
                    << what << ", component " << i;
            }
        }
        ExpectChannels(ColorFromSpace(components, reference.space, color.alpha),
                       {color.red, color.green, color.blue, color.alpha}, kConversionTolerance,
                       what + " and back");
    }
}

TEST(CssBlend, BlendsInEverySpaceAlongEveryHuePathLikeTheReference) {
    for (const BlendReference& reference : kBlendReference) {
        const CssBlend blend(Read(reference.from), Read(reference.to), reference.method);
        ExpectChannels(blend.At(reference.t), reference.srgb, kBlendTolerance,
                       std::string(reference.from) + " to " + reference.to + " in space " +
                           std::to_string(static_cast<int>(reference.method.space)) + " at " +
                           std::to_string(reference.t));
    }
}

// A component that `from` lacks, written "none" in another space or a grey's hue, comes
// from `to` all along the blend.
TEST(CssBlend, TakesAMissingComponentFromTheOtherColourAcrossSpaces) {
    const struct {
        const char* from;
        const char* to;
        InterpolationSpace space;
        std::size_t component;
    } cases[] = {
        {"hsl(none 100% 50%)", "blue", InterpolationSpace::kOklch, 2},
        {"lab(none 20 -30)", "oklab(0.6 0.1 0)", InterpolationSpace::kOklab, 0},
        {"oklch(0.7 none 200)", "lch(50 30 40)", InterpolationSpace::kLch, 1},
        {"color(srgb-linear 0.2 none 0.5)", "rgb(10 200 30)", InterpolationSpace::kDisplayP3, 1},
        {"hwb(none 10% 10%)", "lch(60 50 120)", InterpolationSpace::kHsl, 0},
        {"color(xyz 0.3 0.2 none)", "lab(30 -20 -40)", InterpolationSpace::kSrgb, 2},
        // Greys that went through another space, with rounding noise in their channels.
        {"oklab(0.5 0 0)", "rgb(0 200 0)", InterpolationSpace::kHsl, 0},
        {"lab(50 0 0)", "rgb(200 0 100)", InterpolationSpace::kHwb, 0},
    };
    for (const auto& c : cases) {
        const CssColor to = Read(c.to);
        const CssBlend blend(Read(c.from), to, {c.space, HuePath::kShorter});
        const double expected = ComponentsInSpace(to, c.space)[c.component];
        for (const double t : {0.3, 0.8}) {
            EXPECT_NEAR(ComponentsInSpace(blend.At(t), c.space)[c.component], expected, 1e-9)
                << c.from << " to " << c.to << " at " << t;
        }
    }
}

TEST(CssColor, SaysWhichColoursAreLegacyForTheDefaultSpace) {
    for (const char* legacy : {"#fff", "Red", "transparent", "rgba(1, 2, 3, 0.5)",
                               "hsl(1 2% 3% / none)", "hwb(10 20% 30%)"}) {
        EXPECT_EQ(ReadCssColor(legacy).notation, ColorNotation::kLegacy) << legacy;
    }
    for (const char* modern :
         {"lab(50 0 0)", "LCH(50 0 0)", "oklab(0.5 0 0)", "oklch(0.5 0 0)", "color(xyz 0 0 0)"}) {
        EXPECT_EQ(ReadCssColor(modern).notation, ColorNotation::kModern) << modern;
    }
    EXPECT_EQ(DefaultInterpolationSpace(ColorNotation::kLegacy), InterpolationSpace::kSrgb);
    EXPECT_EQ(DefaultInterpolationSpace(ColorNotation::kModern), InterpolationSpace::kOklab);
}

}  // namespace
}  // namespace tonzug
