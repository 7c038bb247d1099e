#include "web/GimpGradient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "render/FreeColorLine.h"

namespace tonzug {
namespace {

using enum ShownStage;

using enum Easing;
using enum GimpFileProblem;

constexpr double kHalfLevel = 0.5 / 255.0;

// Every blend type from black to white, middles off the centre, then the HSV colourings from
// red to blue both ways and from red round to red (sine); 13 and 15 numbers a line.
constexpr std::string_view kEveryBlend =
    "GIMP Gradient\nName: Every blend\n9\n"
    "0.0 0.02 0.1  0 0 0 1  1 1 1 0  0 0\n"
    "0.1 0.125 0.2  0 0 0 1  1 1 1 1  1 0 0 0\n"
    "0.2 0.25 0.3  0 0 0 1  1 1 1 1  2 0\n"
    "0.3 0.35 0.4  0 0 0 1  1 1 1 1  3 0\n"
    "0.4 0.45 0.5  0 0 0 1  1 1 1 1  4 0\n"
    "0.5 0.55 0.6  0 0 0 1  1 1 1 1  5 0\n"
    "0.6 0.65 0.7  1 0 0 1  0 0 1 1  0 1\n"
    "0.7 0.75 0.8  1 0 0 1  0 0 1 1  0 2 0 0\n"
    "0.8 0.9 1.0  1 0 0 1  1 0 0 1  2 1\n";

void ExpectColorNear(const CssColor& actual, const CssColor& expected, double tolerance,
                     const std::string& where) {
    EXPECT_NEAR(actual.red, expected.red, tolerance) << where;
    EXPECT_NEAR(actual.green, expected.green, tolerance) << where;
    EXPECT_NEAR(actual.blue, expected.blue, tolerance) << where;
    EXPECT_NEAR(actual.alpha, expected.alpha, tolerance) << where;
}

CssColor Grey(double level, double alpha = 1.0) {
    return {level, level, level, alpha};
}

TEST(GimpGradient, DrawsEveryBlendAndColouringAsGimp) {
    const GimpSegmentsReading reading = ReadGimpSegments(kEveryBlend);
    ASSERT_TRUE(reading.segments) << DescribeGimpFileError(reading.error,
                                                           MessageLanguage::kEnglish);
    EXPECT_EQ(reading.name, "Every blend");
    const GimpSegments& segments = *reading.segments;
    const struct {
        std::size_t segment;
        double within;  // 0..1 of the segment
        CssColor expected;
    } cases[] = {
        {0, 0.0, Grey(0.0)},        {0, 0.2, Grey(0.5, 0.5)},  // linear, alpha straight
        {0, 0.6, Grey(0.75, 0.25)}, {0, 1.0, Grey(1.0, 0.0)},
        {1, 0.25, Grey(0.5)},       {1, 0.5625, Grey(0.75)},    // curved: x to the power 1/2
        {1, 1.0, Grey(1.0)},        {2, 0.25, Grey(0.146447)},  // sine
        {2, 0.5, Grey(0.5)},        {3, 0.25, Grey(0.661438)},  // sphere increasing
        {3, 0.5, Grey(0.866025)},   {4, 0.25, Grey(0.031754)},  // sphere decreasing
        {4, 0.5, Grey(0.133975)},   {5, 0.4999, Grey(0.0)},     // step
        {5, 0.5001, Grey(1.0)},     {6, 0.25, {1, 1, 0, 1}},    // hue increasing
        {6, 0.5, {0, 1, 0, 1}},     {6, 1.0, {0, 0, 1, 1}},
        {7, 0.25, {1, 0, 0.5, 1}},  {7, 0.5, {1, 0, 1, 1}},  // hue decreasing
        {7, 1.0, {0, 0, 1, 1}},     {8, 0.5, {0, 1, 1, 1}},  // equal hues: a whole turn
    };
    for (const auto& c : cases) {
        const GimpSegment& segment = segments[c.segment];
        const double x = segment.left + c.within * (segment.right - segment.left);
        ExpectColorNear(GimpSegmentColorAt(segment, x), c.expected, 1e-6,
                        std::to_string(c.segment) + " at " + std::to_string(c.within));
    }
    ExpectColorNear(GimpSegmentColorAt(segments[5], segments[5].middle), Grey(1.0), 0.0, "step");
    // A boundary belongs to the segment on its right; beyond the ends the ends' colours.
    ExpectColorNear(GimpColorAt(segments, 0.1), Grey(0.0), 1e-12, "boundary");
    ExpectColorNear(GimpColorAt(segments, -1.0), Grey(0.0), 1e-12, "before");
    ExpectColorNear(GimpColorAt(segments, 2.0), {1, 0, 0, 1}, 1e-12, "after");
}

TEST(GimpGradient, ReadsSegmentsAsStopsWithEasings) {
    const GimpGradientReading reading = ReadGimpGradient(
        "GIMP Gradient\r\nName:  Sunset \r\n3\r\n"
        "0.000000 0.200000 0.500000 1 0 0 1 0 0 1 1 1 0\n"
        "0.500000 0.750000 0.750000 0 0 1 1 0 1 0 1 5 0 0 0\n"
        "0.7500004 0.875000 1.000000 1 1 1 1 1 1 1 1 0 0 0 2\n");
    ASSERT_TRUE(reading.gradient) << DescribeGimpFileError(reading.error,
                                                           MessageLanguage::kEnglish);
    EXPECT_EQ(reading.name, "Sunset");
    FreeGradient expected;
    expected.linear.degrees = 90.0;
    expected.interpolation.space = InterpolationSpace::kSrgb;
    expected.alphaBlend = AlphaBlend::kStraight;  // the last segment fades out
    // Blue is shared, green to white is a hard stop.
    expected.stops = {{{1, 0, 0, 1}, LinePosition{0.0}},
                      {{0, 0, 1, 1}, LinePosition{0.5}},
                      {{0, 1, 0, 1}, LinePosition{0.75}},
                      {{1, 1, 1, 1}, LinePosition{0.75}},
                      {{1, 1, 1, 0}, LinePosition{1.0}}};
    expected.segments = {{kCurved, LinePosition{0.2}}, {kStep, LinePosition{0.75}}, {}, {}};
    EXPECT_EQ(*reading.gradient, expected);
}

// The file with its first segment replaced.
std::string WithFirst(std::string_view segment) {
    return "GIMP Gradient\n2\n" + std::string(segment) + "\n0.5 0.75 1 0 0 0 1 1 1 1 1 0 0\n";
}

std::string ManySegments(int count) {
    std::string text = "GIMP Gradient\n" + std::to_string(count) + "\n";
    for (int i = 0; i < count; ++i) {
        const std::string left = std::to_string(static_cast<double>(i) / count);
        const std::string right = std::to_string(static_cast<double>(i + 1) / count);
        text += left + " " + left + " " + right + " 0 0 0 1 0 0 0 1 0 0\n";
    }
    return text;
}

TEST(GimpGradient, SaysWhereAndWhyAFileIsNoGradient) {
    const struct {
        std::string text;
        std::size_t line;
        GimpFileProblem problem;
    } cases[] = {
        {"GIMP Palette\n", 1, kNotGimpGradient},
        {"GIMP Gradient\nName: x\nmany\n", 3, kSegmentCount},
        {"GIMP Gradient\n3\n0 0.5 1 0 0 0 1 1 1 1 1 0 0\n", 4, kSegmentLine},
        {WithFirst("0 0.25 0.5 0 0 0 1 1 1 1 0 0"), 3, kSegmentLine},
        {WithFirst("0 0.25 0.5 0 0 nan 1 1 1 1 1 0 0"), 3, kNotFinite},
        {WithFirst("0 0.25 0.5 0 0 1e999 1 1 1 1 1 0 0"), 3, kNotFinite},
        {WithFirst("0 0.25 0.5 0 0 0 1 1 1 1 1 6 0"), 3, kBlendType},
        {WithFirst("0 0.25 0.5 0 0 0 1 1 1 1 1 0 3"), 3, kColoring},
        {WithFirst("0 0.25 0.5 0 0 0 1 1 1 1 1 0 0 0 5"), 3, kColorType},
        {WithFirst("0 0.25 0.5 0 0 0 1 1.5 1 1 1 0 0"), 3, kColorRange},
        {WithFirst("0 0.25 -0.5 0 0 0 1 1 1 1 1 0 0"), 3, kReversed},
        {WithFirst("0 0.75 0.5 0 0 0 1 1 1 1 1 0 0"), 3, kMiddle},
        {WithFirst("0.00001 0.25 0.5 0 0 0 1 1 1 1 1 0 0"), 3, kGap},
        {WithFirst("0 0.25 0.4 0 0 0 1 1 1 1 1 0 0"), 4, kGap},
        {"GIMP Gradient\n1\n0 0.25 0.9 0 0 0 1 1 1 1 1 0 0\n", 3, kEnd},
        {ManySegments(1024), 1026, kTooManyStops},  // 1025 stops, all shared
    };
    for (const auto& c : cases) {
        const GimpGradientReading reading = ReadGimpGradient(c.text);
        ASSERT_FALSE(reading.gradient) << c.text;
        EXPECT_EQ(reading.error.line, c.line) << c.text;
        EXPECT_EQ(reading.error.problem, c.problem) << c.text;
    }
    EXPECT_TRUE(ReadGimpGradient(ManySegments(1023)).gradient);
    EXPECT_EQ(DescribeGimpFileError({4, kMiddle}, MessageLanguage::kEnglish),
              "line 4: the middle lies outside its segment");
    EXPECT_EQ(DescribeGimpFileError({9, kTooManyStops}, MessageLanguage::kGerman),
              "Zeile 9: Mehr als 1024 Farbstopps");
}

// HSV blends become sRGB pieces: the line they draw, as pieces and as the program's own
// colour line, stays within half a level of GIMP's.
TEST(GimpGradient, HsvSegmentsBecomePiecesWithinHalfALevel) {
    const GimpSegments original = *ReadGimpSegments(kEveryBlend).segments;
    const GimpGradientReading reading = ReadGimpGradient(kEveryBlend);
    ASSERT_TRUE(reading.gradient);
    EXPECT_LE(reading.gradient->stops.size(), 80u);
    const std::optional<GimpSegments> pieces = GimpSegmentsOf(*reading.gradient);
    ASSERT_TRUE(pieces);
    const FreeColorLine line(*reading.gradient, 1.0);
    double largest = 0.0;
    for (int i = 0; i <= 100000; ++i) {
        const double x = i / 100000.0;
        const CssColor a = GimpColorAt(original, x);
        for (const CssColor& b : {GimpColorAt(*pieces, x), line.At(x)}) {
            for (const double difference :
                 {a.red - b.red, a.green - b.green, a.blue - b.blue, a.alpha - b.alpha}) {
                largest = std::max(largest, std::fabs(difference));
            }
        }
    }
    EXPECT_LE(largest, kHalfLevel);
}

TEST(GimpGradient, WritesWhatGimpDrawsExactlyAndReadsItBack) {
    FreeGradient gradient;
    gradient.linear.degrees = 90.0;
    gradient.interpolation.space = InterpolationSpace::kSrgb;
    gradient.stops = {{{1, 0.5, 0, 0.25}, LinePosition{0.0}},
                      {{0, 0.125, 1, 0.25}, LinePosition{0.3}},
                      {{0.75, 0.75, 0.75, 0.25}, LinePosition{0.3}},
                      {{0.75, 0.75, 0.75, 0.25}, LinePosition{1.0}}};
    gradient.segments = {{kSphereIncreasing, LinePosition{0.1}}, {}, {kSine, std::nullopt}};
    const std::optional<std::string> text = GimpGradientText(gradient, "Tonzug\nTest", 0.0);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->substr(0, text->find('\n', 45)),
              "GIMP Gradient\nName: Tonzug Test\n3\n0.000000 0.100000 0.300000 1.000000 "
              "0.500000 0.000000 0.250000 0.000000 0.125000 1.000000 0.250000 3 0 0 0");
    EXPECT_EQ(ReadGimpGradient(*text).gradient, gradient);
    // Straight alpha may change along a segment; stops short of the ends get flat segments.
    gradient.alphaBlend = AlphaBlend::kStraight;
    gradient.stops[3] = {{0.75, 0.75, 0.75, 1.0}, LinePosition{0.5}};
    const std::optional<GimpSegments> segments = GimpSegmentsOf(gradient);
    ASSERT_TRUE(segments);
    ASSERT_EQ(segments->size(), 4u);
    EXPECT_EQ(segments->back(),
              (GimpSegment{0.5, 0.75, 1.0, gradient.stops[3].color, gradient.stops[3].color}));
}

// The file written for a line GIMP cannot draw exactly, read back: GIMP's colours stay
// within half a level of the line (as shown over any backdrop) on a dense grid, away
// from its jumps.
TEST(GimpGradient, WritesSplitSegmentsWithinHalfALevelOfAnyLine) {
    const auto stop = [](double red, double green, double blue, double alpha, double at) {
        return ColorStop{{red, green, blue, alpha}, LinePosition{at}};
    };
    const auto gradient = [](std::vector<ColorStop> stops, std::vector<StopSegment> segments,
                             InterpolationMethod method) {
        FreeGradient g;
        g.stops = std::move(stops);
        g.segments = std::move(segments);
        g.interpolation = method;
        return g;
    };
    const InterpolationMethod srgb{InterpolationSpace::kSrgb};
    const InterpolationMethod oklab{InterpolationSpace::kOklab};
    FreeGradient repeating =
        gradient({{{1, 0, 0, 1}, LinePosition{0.0, 20.0}}, {{0, 0, 1, 1}, LinePosition{0.1, 20.0}}},
                 {{kSine, std::nullopt}}, oklab);
    repeating.repeating = true;
    const struct {
        const char* name;
        FreeGradient gradient;
        std::size_t mostSegments;
    } cases[] = {
        {"premultiplied alpha", gradient({stop(1, 0, 0, 1, 0), stop(0, 0, 1, 0.1, 1)}, {{}}, srgb),
         12},
        {"oklab, sine",
         gradient({stop(0, 0, 1, 1, 0.2), stop(1, 1, 0, 1, 0.5), stop(0, 0.5, 0, 1, 0.9)},
                  {{}, {kSine, LinePosition{0.6}}}, oklab),
         50},
        {"oklch longer hue beyond sRGB",
         gradient({stop(1, 0, 0, 1, 0), stop(0, 0, 1, 1, 1)}, {{}},
                  {InterpolationSpace::kOklch, HuePath::kLonger}),
         100},
        {"curved hint in oklab, step",
         gradient({stop(1, 0, 0, 1, 0), stop(0, 1, 0, 0.5, 0.5), stop(1, 1, 1, 1, 1)},
                  {{kCurved, LinePosition{0.1}}, {kStep, std::nullopt}}, oklab),
         40},
        {"backwards and beyond the ends",
         gradient({stop(1.2, 0, 0, 1, -0.5), stop(0, 1, 0, 1, 0.6), stop(0, 0, 1, 1, 0.3),
                   stop(1, 1, 1, 1, 1.5)},
                  {{kSphereIncreasing, std::nullopt}, {}, {kSphereDecreasing, std::nullopt}}, srgb),
         16},
        {"repeating, stops in pixels", repeating, 25},
    };
    constexpr double kLineLength = 400.0;
    constexpr int kGrid = 200000;
    constexpr double kNearJoint = 2e-6;
    for (const auto& c : cases) {
        const std::optional<std::string> text = GimpGradientText(c.gradient, "x", kLineLength);
        ASSERT_TRUE(text) << c.name;
        const GimpSegmentsReading reading = ReadGimpSegments(*text);
        ASSERT_TRUE(reading.segments) << c.name;
        EXPECT_LE(reading.segments->size(), c.mostSegments) << c.name;
        const FreeColorLine line(c.gradient, kLineLength);
        const double from = line.Repeats() ? line.First() : 0.0;
        const double span = line.Repeats() ? line.Last() - from : 1.0;
        const std::vector<double> joints = line.Joints();
        double largest = 0.0;
        for (int i = 0; i <= kGrid; ++i) {
            const double x = static_cast<double>(i) / kGrid;
            const double position = from + x * span;
            if (std::ranges::any_of(joints, [&](double joint) {
                    return std::fabs(joint - position) < kNearJoint;
                })) {
                continue;
            }
            const CssColor exact = line.At(position);
            const CssColor shown = GimpColorAt(*reading.segments, x);
            largest = std::max(largest, ShownDifference(exact, shown, kAfterGamutMapping));
        }
        EXPECT_LE(largest, 0.5) << c.name;
    }
}

}  // namespace
}  // namespace tonzug
