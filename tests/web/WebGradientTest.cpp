#include "web/WebGradient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "export/ExportPicture.h"
#include "export/WebExport.h"
#include "testing/SampleGradient.h"
#include "testing/TempFolder.h"
#include "web/CssGradientReader.h"
#include "web/FreeSvg.h"
#include "web/WebGradientText.h"

namespace tonzug {
namespace {

using enum Orientation;
using enum ColorMode;

using testing::RedToBlue;

struct StopsCase {
    const char* name;
    GradientParams params;
    std::size_t mostStops;
};

class WebGradientStops : public ::testing::TestWithParam<StopsCase> {};

// Every drawn step, at the middle of its span, lies within half a level of the stops' blend.
TEST_P(WebGradientStops, ShowEveryStepWithinHalfALevel) {
    const GradientParams& params = GetParam().params;
    PictureSize size;
    ASSERT_TRUE(FullPictureSize(params, size).Ok());
    const WebGradient gradient = FitWebGradient(params, size.width, size.height);
    EXPECT_EQ(gradient.tolerance, kStopTolerance);
    EXPECT_LE(MeasureWebGradient(params, gradient).largest, kStopTolerance);
    EXPECT_LE(gradient.stops.size(), GetParam().mostStops);
    EXPECT_TRUE(std::is_sorted(
        gradient.stops.begin(), gradient.stops.end(),
        [](const FittedStop& a, const FittedStop& b) { return a.position < b.position; }));
}

INSTANTIATE_TEST_SUITE_P(
    Gradients, WebGradientStops,
    ::testing::Values(
        StopsCase{"rgb_two", RedToBlue(kHorizontal, kRgb, 300, 20), 2},
        StopsCase{"rgb_bands", testing::SampleGradient(kVertical, kRgb, 40, 500), 10},
        // Rings more than a level apart each keep their own colour: two stops a ring.
        StopsCase{"rgb_bands_circle", testing::SampleGradient(kCircle, kRgb, 300, 200), 360},
        StopsCase{"hsl", RedToBlue(kHorizontal, kHsl, 1000, 1), 12},
        StopsCase{"hsl_million", RedToBlue(kVertical, kHsl, 1, 1000000), 40},
        StopsCase{"oklch_bands", testing::SampleGradient(kHorizontal, kOklch, 700, 1), 80},
        StopsCase{"one_step", RedToBlue(kHorizontal, kRgb, 1, 9), 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WebGradient, BandsEndInStopsOnTheirEdgesAndCutBandsMeetHard) {
    // The middle at 10 % with a start band of 80 steps: the band is cut where the section
    // away from the middle begins, and both colours meet at that edge.
    GradientParams params = RedToBlue(kHorizontal, kRgb, 400, 1);
    params.colors.middlePercent = 10.0f;
    params.colors.middleOn = true;
    params.colors.middle = RgbColor(0, 255, 0);
    params.colors.bands.start = 80;
    const WebGradient gradient = FitWebGradient(params, 400, 1);
    ASSERT_GE(gradient.stops.size(), 4u);
    EXPECT_EQ(gradient.stops[0], (FittedStop{0.0, {255, 0, 0}}));
    EXPECT_EQ(gradient.stops[1], (FittedStop{39.0, {255, 0, 0}}));
    EXPECT_EQ(gradient.stops[2], (FittedStop{39.0, {0, 255, 0}}));
    EXPECT_LE(MeasureWebGradient(params, gradient).largest, kStopTolerance);
}

TEST(WebGradient, TooManyStopsWidenTheToleranceAndSaySo) {
    const GradientParams params = RedToBlue(kHorizontal, kHsl, 5000, 1);
    const WebGradient gradient = FitWebGradient(params, 5000, 1, 3);
    EXPECT_LE(gradient.stops.size(), 3u);
    EXPECT_GT(gradient.tolerance, kStopTolerance);
    EXPECT_LE(MeasureWebGradient(params, gradient).largest, gradient.tolerance);
    // A limit of exactly the stops needed still keeps the tolerance; one fewer does not.
    const std::size_t needed = FitWebGradient(params, 5000, 1).stops.size();
    for (const auto& [limit, widened] : {std::pair{needed, false}, std::pair{needed - 1, true}}) {
        const WebGradient limited = FitWebGradient(params, 5000, 1, limit);
        EXPECT_EQ(limited.tolerance > kStopTolerance, widened) << limit;
        EXPECT_LE(limited.stops.size(), limit);
    }
}

TEST(WebGradientText, CssOfTheDefaults) {
    GradientParams defaults;
    defaults.width = 25;
    defaults.height = 256;
    EXPECT_EQ(CssDeclaration(FitWebGradient(defaults, 25, 256)),
              "background-image: linear-gradient(to bottom, #ffffff 0.1953%, #000000 99.8047%);");
}

TEST(WebGradientText, SvgIsOnePictureOfTheSize) {
    testing::TempFolder folder;
    const GradientParams params = RedToBlue(kCircle, kHsl, 300, 200);
    const std::string path = folder.File("a.svg");
    ASSERT_EQ(PictureKindFromPath(path), PictureKind::kSvg);
    ASSERT_TRUE(ExportPicture(params, path, PictureKind::kSvg, kExportJpegQuality).Ok());
    const std::string text = testing::ReadWholeFile(path);
    EXPECT_EQ(text, SvgPicture(FitWebGradient(params, 300, 200)));
    for (const char* part : {"width=\"300\" height=\"200\" viewBox=\"0 0 300 200\"",
                             "<radialGradient cx=\"150\" cy=\"100\" r=\"180.2776\"",
                             "<rect width=\"300\" height=\"200\" fill=\"url(#tonzug)\"/>"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
}

struct FreeSvgCase {
    const char* css;
    std::vector<std::string> parts;
    std::size_t elements;  // stops or wedges
};

class FreeSvgPictures : public ::testing::TestWithParam<FreeSvgCase> {};

// How each shape is written; rsvg-convert draws them (tests/web/FreeSvgMatch.cpp).
TEST_P(FreeSvgPictures, HoldTheShapeInFewElements) {
    const CssGradientReading reading = ReadCssGradient(GetParam().css);
    ASSERT_TRUE(reading.gradient);
    testing::TempFolder folder;
    GradientParams sized;
    sized.width = 300;
    sized.height = 200;
    const std::string path = folder.File("a.svg");
    ASSERT_TRUE(
        ExportFreePicture(*reading.gradient, sized, path, PictureKind::kSvg, kExportJpegQuality)
            .Ok());
    const std::string text = testing::ReadWholeFile(path);
    EXPECT_EQ(text, FreeSvgPicture(*reading.gradient, 300, 200));
    for (const std::string& part : GetParam().parts) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
    std::size_t elements = 0;
    for (const char* element : {"<stop", "<path"}) {
        for (auto at = text.find(element); at != std::string::npos;
             at = text.find(element, at + 1)) {
            ++elements;
        }
    }
    EXPECT_EQ(elements, GetParam().elements) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FreeSvgPictures,
    ::testing::Values(
        FreeSvgCase{"linear-gradient(to right, red, blue)",
                    {R"(x1="0" y1="100" x2="300" y2="100")", R"(stop-color="#0000ff")"},
                    2},
        FreeSvgCase{
            "linear-gradient(to right, red 0 30%, lime 30%)",
            {R"(offset="0.3" stop-color="#ff0000")", R"(offset="0.3" stop-color="#00ff00")"},
            4},
        FreeSvgCase{"repeating-radial-gradient(circle 100px at 50% 50%, red, blue 20px)",
                    {R"(cx="150" cy="100" r="20")", R"(spreadMethod="repeat")"},
                    2},
        FreeSvgCase{"radial-gradient(ellipse 100px 50px at 0 0, rgb(0 0 255 / 0), blue)",
                    {"gradientTransform=\"matrix(1 0 0 0.5 0 0)\"",
                     R"(stop-color="#0000ff" stop-opacity="0")"},
                    3},
        FreeSvgCase{"conic-gradient(red 0 25%, blue 25% 50%, red 50%)",
                    {R"(shape-rendering="crispEdges")"},
                    3}));

}  // namespace
}  // namespace tonzug
