#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "render/FreeColorLine.h"
#include "web/ColorLineSplit.h"
#include "web/CssGradientReader.h"
#include "web/CssGradientText.h"

namespace tonzug {
namespace {

using enum ShownStage;

using enum CssGradientExpected;

constexpr CssColor kRed{1.0, 0.0, 0.0, 1.0};
constexpr CssColor kBlue{0.0, 0.0, 1.0, 1.0};
constexpr double kLineLength = 400.0;

// red to blue, as "linear-gradient(red, blue)" reads.
FreeGradient RedToBlue() {
    FreeGradient gradient;
    gradient.stops = {{kRed, std::nullopt}, {kBlue, std::nullopt}};
    gradient.segments = {StopSegment{}};
    gradient.interpolation = {InterpolationSpace::kSrgb};
    return gradient;
}

struct GoodCase {
    const char* text;
    std::function<void(FreeGradient&)> change;  // from RedToBlue()
};

class ReadsGradient : public ::testing::TestWithParam<GoodCase> {};

TEST_P(ReadsGradient, AsCssMeansIt) {
    const CssGradientReading reading = ReadCssGradient(GetParam().text);
    ASSERT_TRUE(reading.gradient) << DescribeCssGradientError(reading.error,
                                                              MessageLanguage::kEnglish);
    FreeGradient expected = RedToBlue();
    GetParam().change(expected);
    EXPECT_EQ(*reading.gradient, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadsGradient,
    ::testing::Values(
        GoodCase{" LINEAR-Gradient( 45DEG , Red,blue ) ;",
                 [](FreeGradient& g) { g.linear.degrees = 45.0; }},
        GoodCase{"linear-gradient(0.25turn, red, blue)",
                 [](FreeGradient& g) { g.linear.degrees = 90.0; }},
        GoodCase{"linear-gradient(to left top in oklch longer hue, red, blue)",
                 [](FreeGradient& g) {
                     g.linear = {180.0, -1, -1};
                     g.interpolation = {InterpolationSpace::kOklch, HuePath::kLonger};
                 }},
        GoodCase{"linear-gradient(in xyz to bottom, red, blue)",
                 [](FreeGradient& g) {
                     g.linear.towardY = 1;
                     g.interpolation = {InterpolationSpace::kXyzD65};
                 }},
        GoodCase{"repeating-linear-gradient(red 10% 20%, 30%, blue calc(100% - 1cm + 2in))",
                 [](FreeGradient& g) {
                     g.repeating = true;
                     g.stops = {{kRed, LinePosition{0.1, 0.0}},
                                {kRed, LinePosition{0.2, 0.0}},
                                {kBlue, LinePosition{1.0, -96.0 / 2.54 + 192.0}}};
                     g.segments = {StopSegment{}, {Easing::kCurved, LinePosition{0.3, 0.0}}};
                 }},
        GoodCase{"radial-gradient(red, blue)",
                 [](FreeGradient& g) { g.shape = FreeShape::kRadial; }},
        GoodCase{"radial-gradient(closest-side circle at right 10px top 20%, red, blue)",
                 [](FreeGradient& g) {
                     g.shape = FreeShape::kRadial;
                     g.radial = {RadialForm::kCircle,
                                 RadialExtent::kClosestSide,
                                 {},
                                 {},
                                 {{100.0, -10.0}, {20.0, 0.0}}};
                 }},
        GoodCase{"radial-gradient(in lab 6pt at bottom left, red, blue)",
                 [](FreeGradient& g) {
                     g.shape = FreeShape::kRadial;
                     g.radial = {RadialForm::kCircle,
                                 RadialExtent::kExplicit,
                                 {0.0, 8.0},
                                 {},
                                 {{0.0, 0.0}, {100.0, 0.0}}};
                     g.interpolation = {InterpolationSpace::kLab};
                 }},
        GoodCase{"radial-gradient(10px 20% at bottom 10px right 5%, red, blue)",
                 [](FreeGradient& g) {
                     g.shape = FreeShape::kRadial;
                     g.radial = {RadialForm::kEllipse,
                                 RadialExtent::kExplicit,
                                 {0.0, 10.0},
                                 {20.0, 0.0},
                                 {{95.0, 0.0}, {100.0, -10.0}}};
                 }},
        GoodCase{"conic-gradient(from 100grad at 25% 5px in oklab, red 0, 50%, blue 0.5turn)",
                 [](FreeGradient& g) {
                     g.shape = FreeShape::kConic;
                     g.conic = {90.0, {{25.0, 0.0}, {0.0, 5.0}}};
                     g.stops = {{kRed, LinePosition{}}, {kBlue, LinePosition{0.0, 180.0}}};
                     g.segments = {{Easing::kCurved, LinePosition{0.5, 0.0}}};
                     g.interpolation = {InterpolationSpace::kOklab};
                 }},
        GoodCase{"conic-gradient(red, oklch(0.5 0.1 200 / 50%))",
                 [](FreeGradient& g) {
                     g.shape = FreeShape::kConic;
                     g.stops[1].color = *ReadCssColor("oklch(0.5 0.1 200 / 50%)").color;
                     g.interpolation = {InterpolationSpace::kOklab};  // oklch() is no legacy colour
                 }},
        GoodCase{"background: url(a,(b).png), Linear-Gradient(red, blue) no-repeat !important;",
                 [](FreeGradient&) {}},
        GoodCase{"background-image :repeating-conic-gradient(red,hsl(240 100% 50%))",
                 [](FreeGradient& g) {
                     g.shape = FreeShape::kConic;
                     g.repeating = true;
                 }}));

struct BadCase {
    std::string text;
    std::size_t character;
    CssGradientExpected expected;
};

class RefusesGradient : public ::testing::TestWithParam<BadCase> {};

TEST_P(RefusesGradient, SayingWhereAndWhatWasExpected) {
    const CssGradientReading reading = ReadCssGradient(GetParam().text);
    ASSERT_FALSE(reading.gradient);
    EXPECT_EQ(reading.error.character, GetParam().character);
    EXPECT_EQ(reading.error.expected, GetParam().expected);
}

// 1025 stops: one too many.
std::string TooManyStops() {
    std::string text = "linear-gradient(red";
    for (std::size_t i = 1; i <= kMaxColorStops; ++i) {
        text += ",red";
    }
    return text + ")";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RefusesGradient,
    ::testing::Values(BadCase{"", 0, kGradient},
                      BadCase{"linear-gradient (red, blue)", 0, kGradient},
                      BadCase{"background-color: red", 0, kGradient},
                      BadCase{"background: red;", 15, kGradient},
                      BadCase{"linear-gradient(45, red, blue)", 16, kAngle},
                      BadCase{"linear-gradient(to center, red, blue)", 19, kSideOrCorner},
                      BadCase{"linear-gradient(to left right, red, blue)", 24, kSideOrCorner},
                      BadCase{"linear-gradient(in hsv, red, blue)", 19, kColorSpace},
                      BadCase{"linear-gradient(in hsl longer, red, blue)", 29, kHue},
                      BadCase{"linear-gradient(in srgb longer hue, red, blue)", 24, kComma},
                      BadCase{"linear-gradient(to right red, blue)", 25, kComma},
                      BadCase{"linear-gradient(red)", 19, kTwoStops},
                      BadCase{"linear-gradient(10%, red, blue)", 16, kAngle},
                      BadCase{"linear-gradient(red, 10%, 20%, blue)", 26, kColorStop},
                      BadCase{"linear-gradient(red, blue 10em)", 26, kLengthOrPercentage},
                      BadCase{"linear-gradient(red, blue 1% 2% 3%)", 32, kCommaOrClose},
                      BadCase{"linear-gradient(red calc(1% -2px), blue)", 28, kClose},
                      BadCase{"linear-gradient(red, rgb(1 2 3 4))", 31, kColor},
                      BadCase{"linear-gradient(red, blue) x", 27, kEnd},
                      BadCase{"background: ö linear-gradient(red)", 33, kTwoStops},
                      BadCase{"radial-gradient(circle 10px 20px, red, blue)", 28, kRadius},
                      BadCase{"radial-gradient(circle 10%, red, blue)", 23, kRadius},
                      BadCase{"radial-gradient(ellipse 10px, red, blue)", 28, kRadius},
                      BadCase{"radial-gradient(-1px 2px, red, blue)", 16, kRadius},
                      BadCase{"radial-gradient(at left 10px top, red, blue)", 32, kPosition},
                      BadCase{"radial-gradient(at top 10px, red, blue)", 23, kPosition},
                      BadCase{"radial-gradient(at left 1px center 2px, red, blue)", 28, kPosition},
                      BadCase{"conic-gradient(red 10px, blue)", 19, kAngleOrPercentage},
                      BadCase{TooManyStops(), 16 + 4 * kMaxColorStops, kFewerStops}));

TEST(DescribeCssGradientError, InEnglishAndGermanWithTheColourReadersOwnWords) {
    const CssGradientError angle = ReadCssGradient("linear-gradient(45, red, blue)").error;
    EXPECT_EQ(DescribeCssGradientError(angle, MessageLanguage::kEnglish),
              "expected an angle in deg, grad, rad or turn at character 17");
    EXPECT_EQ(DescribeCssGradientError(angle, MessageLanguage::kGerman),
              "An Stelle 17 wird ein Winkel in deg, grad, rad oder turn erwartet");
    const CssGradientError color = ReadCssGradient("linear-gradient(red, rgb(1 2 3 4))").error;
    EXPECT_EQ(DescribeCssGradientError(color, MessageLanguage::kEnglish),
              "expected \"/\" or \")\" at character 32");
}

// The writer's text is canonical: a canonical text comes back unchanged.
TEST(CssGradientText, WritesCanonicalTextsAsTheyAre) {
    for (const char* text :
         {"linear-gradient(#ff0000, #0000ff)",
          "repeating-radial-gradient(circle 10px at calc(100% - 10px) 20%, #ff000080 0%, 25%, "
          "#0000ff 5px calc(50% + 2.5px), #0000ff)",
          "radial-gradient(farthest-side at 0% 100%, #ff0000, #0000ff)",
          "conic-gradient(from 90deg at 25% 75% in oklch longer hue, #102030 -10deg, #00ff00)",
          "linear-gradient(to right bottom in srgb-linear, #ff0000, #0000ff)"}) {
        const CssGradientReading reading = ReadCssGradient(text);
        ASSERT_TRUE(reading.gradient) << text;
        EXPECT_EQ(CssGradientText(*reading.gradient, kLineLength), text);
    }
}

FreeGradient RandomGradient(std::mt19937& engine, bool anyColor) {
    std::uniform_int_distribution<int> pick(0, 1 << 20);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_real_distribution<double> wide(-200.0, 200.0);
    const auto chance = [&] { return pick(engine) % 2 == 0; };
    const auto below = [&](int count) { return pick(engine) % count; };
    const auto length = [&] { return LengthPercentage{wide(engine), chance() ? wide(engine) : 0}; };
    const auto line = [&] {
        return LinePosition{wide(engine) / 100.0, chance() ? wide(engine) : 0.0};
    };
    FreeGradient g;
    g.shape = static_cast<FreeShape>(below(3));
    g.repeating = chance();
    if (g.shape == FreeShape::kLinear) {
        g.linear = chance() ? LinearDirection{wide(engine), 0, 0}
                            : LinearDirection{180.0, below(3) - 1, below(3) - 1};
    } else if (g.shape == FreeShape::kConic) {
        g.conic = {wide(engine), {length(), length()}};
    } else {
        RadialGeometry& radial = g.radial;
        radial = {static_cast<RadialForm>(below(2)),
                  static_cast<RadialExtent>(below(5)),
                  {},
                  {},
                  {length(), length()}};
        const bool circle = radial.form == RadialForm::kCircle;
        if (radial.extent == RadialExtent::kExplicit) {
            radial.radiusX = {circle ? 0.0 : 200 * unit(engine), 200 * unit(engine)};
            radial.radiusY = circle ? LengthPercentage{} : LengthPercentage{200 * unit(engine)};
        }
    }
    const auto channel = [&] { return anyColor ? unit(engine) * 1.2 - 0.1 : below(256) / 255.0; };
    const int stops = 2 + below(20);
    for (int i = 0; i < stops; ++i) {
        g.stops.push_back({{channel(), channel(), channel(), chance() ? 1.0 : below(256) / 255.0},
                           chance() ? std::optional(line()) : std::nullopt});
        if (i > 0) {
            g.segments.push_back(chance() ? StopSegment{} : StopSegment{Easing::kCurved, line()});
        }
    }
    g.interpolation.space = static_cast<InterpolationSpace>(below(14));
    if (g.interpolation.space >= InterpolationSpace::kHsl) {
        g.interpolation.hue = static_cast<HuePath>(1 + below(4));
    }
    return g;
}

TEST(CssGradientText, ReadsBackToTheSameGradient) {
    // Colours beyond #rrggbbaa need color(srgb ...) from the colour reader.
    const bool anyColor = ReadCssColor("color(srgb 0.5 0 0)").color.has_value();
    std::mt19937 engine(11);
    for (int i = 0; i < 500; ++i) {
        const FreeGradient gradient = RandomGradient(engine, anyColor && i % 2 == 0);
        ASSERT_TRUE(CssCanExpress(gradient));
        const std::string text = CssGradientText(gradient, kLineLength);
        const CssGradientReading reading = ReadCssGradient(text);
        ASSERT_TRUE(reading.gradient)
            << text << "\n"
            << DescribeCssGradientError(reading.error, MessageLanguage::kEnglish);
        ASSERT_EQ(*reading.gradient, gradient) << text;
    }
}

// A colour line CSS cannot say comes out as stops that CSS says exactly and that draw
// within half a level of it (as shown over any backdrop), away from its jumps.
TEST(CssGradientText, SplitsWhatCssCannotSayWithinHalfALevel) {
    const struct {
        const char* text;
        std::function<void(FreeGradient&)> change;
        std::size_t mostStops;
    } cases[] = {
        {"linear-gradient(in oklab, #00f, #ff0 60%, #080)",
         [](FreeGradient& g) {
             g.segments = {{Easing::kSine, std::nullopt},
                           {Easing::kSphereIncreasing, LinePosition{0.7}}};
         },
         60},
        {"repeating-linear-gradient(in oklch longer hue, red 10px, 30%, #00f 40%)",
         [](FreeGradient& g) { g.segments[0].easing = Easing::kSphereDecreasing; }, 60},
        {"radial-gradient(in hsl, red, 20%, #00f, #0f0 80%)",
         [](FreeGradient& g) {
             g.interpolation.hue = HuePath::kDirect;
             g.segments[1].easing = Easing::kStep;
         },
         30},
        {"conic-gradient(#f00 10deg, rgb(0 0 255 / 0.2) 50%, #fff)",
         [](FreeGradient& g) { g.alphaBlend = AlphaBlend::kStraight; }, 30},
        {"linear-gradient(in lab, lab(50 none 60), #fff)", [](FreeGradient&) {}, 4},
    };
    for (const auto& c : cases) {
        FreeGradient gradient = *ReadCssGradient(c.text).gradient;
        c.change(gradient);
        ASSERT_FALSE(CssCanExpress(gradient)) << c.text;
        const std::string text = CssGradientText(gradient, kLineLength);
        const CssGradientReading reading = ReadCssGradient(text);
        ASSERT_TRUE(reading.gradient) << text;
        EXPECT_TRUE(CssCanExpress(*reading.gradient)) << text;
        EXPECT_LE(reading.gradient->stops.size(), c.mostStops) << text;
        const FreeColorLine line(gradient, kLineLength);
        const FreeColorLine drawn(*reading.gradient, kLineLength);
        const std::vector<double> joints = line.Joints();
        constexpr int kGrid = 100000;
        double largest = 0.0;
        int mappedFar = 0;
        for (int i = 0; i <= kGrid; ++i) {
            const double position = -0.2 + 1.4 * i / kGrid;
            if (std::ranges::any_of(
                    joints, [&](double joint) { return std::fabs(joint - position) < 1e-9; })) {
                continue;
            }
            const CssColor exact = line.At(position);
            const CssColor shown = drawn.At(position);
            largest = std::max(largest, ShownDifference(exact, shown, kBeforeGamutMapping));
            mappedFar += ShownDifference(exact, shown, kAfterGamutMapping) > 0.5 ? 1 : 0;
        }
        EXPECT_LE(largest, 0.5) << c.text << "\n" << text;
        // The mapping may jump between colours a hair apart beyond sRGB.
        EXPECT_LE(mappedFar, kGrid / 1000) << c.text;
    }
}

}  // namespace
}  // namespace tonzug
