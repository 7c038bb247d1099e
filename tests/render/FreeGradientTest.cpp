#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "render/FreeColorLine.h"
#include "render/FreeRenderer.h"
#include "render/FreeShapes.h"
#include "render/Gradient.h"
#include "render/RowsOnEveryCore.h"

namespace tonzug {
namespace {

constexpr CssColor kRed{1.0, 0.0, 0.0, 1.0};
constexpr CssColor kBlue{0.0, 0.0, 1.0, 1.0};

FreeGradient TwoStops(FreeShape shape) {
    FreeGradient gradient;
    gradient.shape = shape;
    gradient.stops = {{kRed, std::nullopt}, {kBlue, std::nullopt}};
    gradient.segments.resize(1);
    gradient.interpolation.space = InterpolationSpace::kSrgb;
    return gradient;
}

std::optional<LinePosition> At(double fraction, double absolute = 0.0) {
    return LinePosition{fraction, absolute};
}

// CSS's fix-up: missing ends go to 0 and 1, a place below an earlier one is raised to it,
// runs without places are spread evenly; pixels count against the line's length.
TEST(FreeColorLine, PlacesStopsAsCssFixesThemUp) {
    FreeGradient gradient = TwoStops(FreeShape::kLinear);
    gradient.stops = {{kRed, std::nullopt}, {kRed, At(0.5)},      {kBlue, At(0.2)},
                      {kRed, std::nullopt}, {kRed, std::nullopt}, {kBlue, At(0.0, 160.0)},
                      {kBlue, std::nullopt}};
    gradient.segments.resize(6);
    const FreeColorLine line(gradient, 200.0);
    const std::vector<double> expected{0.0, 0.5, 0.5, 0.6, 0.7, 0.8, 1.0};
    ASSERT_EQ(line.Joints().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(line.Joints()[i], expected[i], 1e-12) << i;
    }
    EXPECT_EQ(line.At(0.5), kBlue);  // the later of two stops at one place holds
    // A hint bounds a run too: blue between red at 0 and the hint at 0.3.
    gradient.stops = {{kRed, At(0.0)}, {kBlue, std::nullopt}, {kRed, At(1.0)}};
    gradient.segments = {{}, {Easing::kCurved, At(0.3)}};
    EXPECT_NEAR(FreeColorLine(gradient, 100.0).Joints()[1], 0.15, 1e-12);
    EXPECT_EQ(line.At(-1.0), kRed);
    EXPECT_EQ(line.At(2.0), kBlue);
}

TEST(FreeColorLine, RepeatsItsPeriodAndEasesItsSegments) {
    FreeGradient gradient = TwoStops(FreeShape::kLinear);
    gradient.repeating = true;
    gradient.stops[0].position = At(0.2);
    gradient.stops[1].position = At(0.4);
    const FreeColorLine line(gradient, 100.0);
    EXPECT_NEAR(line.At(0.7).blue, 0.5, 1e-12);
    EXPECT_NEAR(line.At(-0.1).blue, 0.5, 1e-12);
    // The wrap is std::fmod's to the bit: at multiples of the period, a hair either side
    // of them, far out and beyond any quick quotient.
    for (const double first : {0.2, -0.0, 1.0 / 3.0}) {
        for (const double period : {0.2, 0.1, 1.0 / 7.0, 3e-7}) {
            gradient.stops[0].position = At(first);
            gradient.stops[1].position = At(first + period);
            const FreeColorLine wrapping(gradient, 100.0);
            const double span = wrapping.Last() - wrapping.First();
            for (const double position :
                 {-0.0, 0.0, 0.6, -0.6, 0.6 + 1e-17, std::nextafter(0.4, 0.0), -1e-300, 7.0,
                  -1234.5678, 1e7 + 0.1, -1e12, 1e300, 5e-324, first + span, first - span}) {
                const double offset = std::fmod(position - wrapping.First(), span);
                const double expected = wrapping.First() + (offset < 0.0 ? offset + span : offset);
                const double wrapped = wrapping.Wrapped(position);
                EXPECT_TRUE(wrapped == expected && std::signbit(wrapped) == std::signbit(expected))
                    << first << " " << period << " " << position;
            }
        }
    }
    // A hint at a quarter: half way there, the power curve onward.
    gradient.segments[0] = {Easing::kCurved, At(0.25)};
    gradient.repeating = false;
    gradient.stops = {{kRed, At(0.0)}, {kBlue, At(1.0)}};
    EXPECT_NEAR(FreeColorLine(gradient, 100.0).At(0.25).blue, 0.5, 1e-12);
    struct Eased {
        Easing easing;
        double midpoint;
        double within;
        double expected;
    };
    for (const Eased e : {Eased{Easing::kLinear, 0.25, 0.625, 0.75},
                          {Easing::kSine, 0.5, 0.5, 0.5},
                          {Easing::kSphereIncreasing, 0.5, 0.0, 0.0},
                          {Easing::kSphereDecreasing, 0.5, 1.0, 1.0},
                          {Easing::kStep, 0.3, 0.3, 1.0},
                          {Easing::kStep, 0.3, 0.29, 0.0},
                          {Easing::kCurved, 0.0, 0.1, 1.0}}) {
        EXPECT_NEAR(EasedFraction(e.easing, e.midpoint, e.within), e.expected, 1e-12)
            << static_cast<int>(e.easing);
    }
}

// Line positions of points: a corner's line is perpendicular to the other diagonal;
// radial extents; conic turns clockwise from the top.
TEST(FreePlacement, PlacesPointsAsCssImagesDoes) {
    FreeGradient gradient = TwoStops(FreeShape::kLinear);
    gradient.linear = {0.0, 1, -1};  // to top right
    const FreePlacement corner(gradient, 200.0, 100.0);
    EXPECT_NEAR(corner.PositionAt(0.0, 0.0), corner.PositionAt(200.0, 100.0), 1e-12);
    EXPECT_NEAR(corner.PositionAt(200.0, 0.0), 1.0, 1e-12);
    gradient.linear = {90.0, 0, 0};
    EXPECT_NEAR(FreePlacement(gradient, 200.0, 100.0).PositionAt(50.0, 7.0), 0.25, 1e-12);

    gradient = TwoStops(FreeShape::kRadial);
    gradient.radial.center = {{0.0, 50.0}, {0.0, 25.0}};
    gradient.radial.extent = RadialExtent::kClosestSide;
    const FreePlacement ellipse(gradient, 200.0, 100.0);
    EXPECT_DOUBLE_EQ(ellipse.LineLength(), 50.0);
    EXPECT_NEAR(ellipse.PositionAt(50.0, 0.0), 1.0, 1e-12);  // ry = 25
    gradient.radial.form = RadialForm::kCircle;
    gradient.radial.extent = RadialExtent::kFarthestCorner;
    EXPECT_NEAR(FreePlacement(gradient, 200.0, 100.0).LineLength(), std::hypot(150.0, 75.0), 1e-9);

    gradient = TwoStops(FreeShape::kConic);
    gradient.conic.fromDegrees = 90.0;
    const FreePlacement conic(gradient, 100.0, 100.0);
    EXPECT_NEAR(conic.PositionAt(50.0, 100.0), 0.25, 1e-12);  // straight down, from the right
    EXPECT_NEAR(conic.PositionAt(0.0, 50.0), 0.5, 1e-12);
}

// A row's positions in one go are the single points' positions; a conic angle is atan2's
// to far below a pixel at any distance. A preview's rough positions lie within a few roundings
// of a float of them, right beside the centre too, on any steps.
TEST(FreePlacement, RowsAgreeWithSinglePoints) {
    constexpr int kColumns = 300;
    for (const FreeShape shape : {FreeShape::kLinear, FreeShape::kRadial, FreeShape::kConic}) {
        FreeGradient gradient = TwoStops(shape);
        gradient.linear.degrees = 30.0;
        gradient.conic.fromDegrees = 250.0;
        gradient.conic.center = {{0.0, 97.5}, {0.0, 40.0}};
        gradient.radial.center = gradient.conic.center;
        const FreePlacement placement(gradient, 300.0, 80.0);
        std::vector<double> row(kColumns);
        std::vector<float> rough(kColumns);
        for (const double y : {0.5, 40.0, 79.5}) {
            for (const int firstStep : {0, 129}) {
                placement.PositionsAlongRow(0.35, 0.7, y, firstStep, row);
                placement.RoughPositionsAlongRow(0.35, 0.7, y, firstStep, rough);
                for (std::size_t c = 0; c < row.size(); ++c) {
                    const double off = std::abs(rough[c] - row[c]);
                    // A conic angle just below a full turn may come out just above none.
                    const double wrapped =
                        shape == FreeShape::kConic ? std::min(off, 1.0 - off) : off;
                    ASSERT_LE(wrapped, 4e-7 * std::max(1.0, std::abs(row[c]))) << c << "," << y;
                }
            }
            placement.PositionsAlongRow(0.5, 1.0, y, 0, row);
            for (int c = 0; c < kColumns; ++c) {
                const double x = 0.5 + c;
                ASSERT_NEAR(row[static_cast<std::size_t>(c)], placement.PositionAt(x, y), 1e-12);
                if (shape == FreeShape::kConic) {
                    double turns =
                        std::atan2(x - 97.5, 40.0 - y) / (2.0 * std::numbers::pi) - 250.0 / 360.0;
                    turns -= std::floor(turns);
                    ASSERT_NEAR(row[static_cast<std::size_t>(c)], turns, 1e-11) << x << "," << y;
                }
            }
        }
    }
}

// The table gives what exact evaluation gives, to far below a level, laid over white or
// with straight alpha (compared premultiplied, as the blend is), and hard stops stay hard.
TEST(FreeRenderer, TableAgreesWithExactColours) {
    FreeGradient gradient = TwoStops(FreeShape::kLinear);
    gradient.stops = {
        {kRed, At(0.0)}, {kBlue, At(0.5)}, {kRed, At(0.5)}, {{0, 1, 0, 0.5}, At(1.0)}};
    gradient.segments = {{Easing::kSine, std::nullopt}, {}, {}};
    gradient.linear.degrees = 90.0;
    const FreeRenderer renderer(gradient, 300, 20);
    const FreeRenderer straight(gradient, 300, 20, PictureAlpha::kStraight);
    const FreeColorLine line(gradient, 300.0);
    for (int i = 0; i <= 3000; ++i) {
        const double position = i / 3000.0;
        const CssColor exact = line.At(position);
        const ExactColor table = renderer.ColorAt(position);
        const double over = 255.0 * (1.0 - exact.alpha);
        ASSERT_NEAR(table.red, exact.red * exact.alpha * 255.0 + over, 0.01) << position;
        ASSERT_NEAR(table.green, exact.green * exact.alpha * 255.0 + over, 0.01) << position;
        const ExactStraight kept = straight.StraightColorAt(position);
        ASSERT_NEAR(kept.alpha, exact.alpha * 255.0, 0.01) << position;
        ASSERT_NEAR(kept.color.green * exact.alpha, exact.green * exact.alpha * 255.0, 0.01)
            << position;
    }
    // The plain pixels are the table's colours rounded; ties aside, which single and double
    // precision may break apart.
    Raster row(300, 1);
    renderer.RenderRows(0, row);
    for (int c = 0; c < 300; ++c) {
        const ExactColor table = renderer.ColorAt((c + 0.5) / 300.0);
        const std::uint32_t word = row.Row(0)[c];
        ASSERT_NEAR((word >> 16) & 0xFF, std::nearbyint(table.red), 0.0) << c;
        ASSERT_NEAR((word >> 8) & 0xFF, std::nearbyint(table.green), 0.0) << c;
        ASSERT_NEAR(word & 0xFF, std::nearbyint(table.blue), 0.0) << c;
    }
}

// A preview differs from the exact picture by at most a level per channel, plain or dithered:
// random gradients of every shape and space, repeating, with hard stops, hints, easings and
// transparency, drawn at and away from their own size.
TEST(FreeRenderer, PreviewStaysWithinALevelOfTheExactPicture) {
    std::mt19937 random(23);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto pick = [&](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    const auto chance = [&](double p) { return uniform(0.0, 1.0) < p; };
    struct Size {
        int width, height, surfaceWidth, surfaceHeight;
    };
    constexpr std::array<Size, 3> kSizes = {
        {{300, 200, 300, 200}, {1234, 567, 411, 189}, {97, 311, 194, 622}}};
    for (int n = 0; n < 84; ++n) {
        FreeGradient gradient;
        gradient.shape = static_cast<FreeShape>(n % 3);
        gradient.repeating = chance(0.4);
        gradient.linear.degrees = uniform(0.0, 360.0);
        gradient.radial.form = static_cast<RadialForm>(pick(2));
        gradient.radial.extent = static_cast<RadialExtent>(pick(4));
        gradient.radial.center = {{uniform(-20.0, 120.0), 0.0}, {uniform(-20.0, 120.0), 0.0}};
        gradient.conic.fromDegrees = uniform(0.0, 360.0);
        gradient.conic.center = gradient.radial.center;
        gradient.interpolation = {static_cast<InterpolationSpace>(n % 14),
                                  static_cast<HuePath>(pick(5))};
        const int stops = 2 + pick(6);
        const double reach = gradient.repeating ? 0.3 : 1.0;
        for (int i = 0; i < stops; ++i) {
            const double alpha = chance(0.6) ? 1.0 : uniform(0.0, 1.0);
            std::optional<LinePosition> position;
            if (i > 0 && chance(0.25)) {
                position = gradient.stops.back().position;  // a hard stop
            } else if (chance(0.7)) {
                position = At(uniform(0.0, reach), chance(0.2) ? uniform(-5.0, 5.0) : 0.0);
            }
            gradient.stops.push_back(
                {{uniform(-0.2, 1.2), uniform(-0.2, 1.2), uniform(-0.2, 1.2), alpha}, position});
        }
        for (int i = 1; i < stops; ++i) {
            gradient.segments.push_back({static_cast<Easing>(pick(6)),
                                         chance(0.4) ? At(uniform(0.05, 0.95)) : std::nullopt});
        }
        for (const Size& size : kSizes) {
            const FreeRenderer exact(gradient, size.width, size.height, size.surfaceWidth,
                                     size.surfaceHeight);
            const FreeRenderer preview(gradient, size.width, size.height, size.surfaceWidth,
                                       size.surfaceHeight, PictureAlpha::kOpaque,
                                       FreePrecision::kPreview);
            for (const OutputFormat format : {OutputFormat::kPlain8, OutputFormat::kDithered8}) {
                Raster wanted(size.surfaceWidth, size.surfaceHeight);
                exact.RenderRows(0, wanted, format);
                Raster drawn(size.surfaceWidth, size.surfaceHeight);
                preview.RenderRows(0, drawn, format);
                for (std::size_t i = 0; i < wanted.Pixels().size(); ++i) {
                    for (const int shift : {0, 8, 16, 24}) {
                        const int a = static_cast<int>((wanted.Pixels()[i] >> shift) & 0xFF);
                        const int b = static_cast<int>((drawn.Pixels()[i] >> shift) & 0xFF);
                        ASSERT_LE(std::abs(a - b), 1) << n << " " << size.width << " pixel " << i;
                    }
                }
            }
        }
    }
}

// Large previews with many periods and far positions: a small circle repeating across a wide
// box, fine repeating stripes and wedges, and a line far beyond sRGB whose gamut mapping bends it
// between the table's entries. Each stays within a level of the exact picture.
TEST(FreeRenderer, WidePreviewStaysWithinALevelOfTheExactPicture) {
    constexpr int kWidth = 3000;
    constexpr int kHeight = 16;
    const CssColor farGreen{-0.3, 1.2, 0.1, 1.0};
    const CssColor farMagenta{1.25, -0.2, 0.9, 1.0};
    std::vector<FreeGradient> gradients;
    FreeGradient circles = TwoStops(FreeShape::kRadial);
    circles.repeating = true;
    circles.radial.form = RadialForm::kCircle;
    circles.radial.extent = RadialExtent::kClosestSide;
    circles.radial.center = {{0.0, 3.0}, {0.0, 8.0}};  // 3 pixels to the nearest side
    circles.stops = {{kRed, At(0.0)}, {farGreen, At(0.5)}, {kBlue, At(0.5)}, {kRed, At(1.1)}};
    circles.segments = {{Easing::kStep, std::nullopt}, {}, {}};
    gradients.push_back(circles);
    FreeGradient stripes = circles;
    stripes.shape = FreeShape::kLinear;
    stripes.linear.degrees = 80.0;
    stripes.stops = {{kRed, At(0.0)}, {farMagenta, At(0.0, 4.0)}, {kBlue, At(0.0, 7.0)}};
    stripes.segments = {{Easing::kSine, std::nullopt}, {Easing::kStep, std::nullopt}};
    gradients.push_back(stripes);
    FreeGradient wedges = stripes;
    wedges.shape = FreeShape::kConic;
    wedges.conic.center = {{40.0, 0.0}, {50.0, 0.0}};
    wedges.stops = {{farGreen, At(0.0)}, {kBlue, At(0.01)}, {farGreen, At(0.025)}};
    gradients.push_back(wedges);
    FreeGradient far = TwoStops(FreeShape::kLinear);
    far.stops = {{farGreen, std::nullopt}, {farMagenta, std::nullopt}};
    far.interpolation = {InterpolationSpace::kOklch, HuePath::kLonger};
    gradients.push_back(far);
    for (std::size_t g = 0; g < gradients.size(); ++g) {
        const FreeRenderer exact(gradients[g], kWidth, kHeight, kWidth, kHeight);
        const FreeRenderer preview(gradients[g], kWidth, kHeight, kWidth, kHeight,
                                   PictureAlpha::kOpaque, FreePrecision::kPreview);
        for (const OutputFormat format : {OutputFormat::kPlain8, OutputFormat::kDithered8}) {
            Raster wanted(kWidth, kHeight);
            exact.RenderRows(0, wanted, format);
            Raster drawn(kWidth, kHeight);
            preview.RenderRows(0, drawn, format);
            for (std::size_t i = 0; i < wanted.Pixels().size(); ++i) {
                for (const int shift : {0, 8, 16}) {
                    const int a = static_cast<int>((wanted.Pixels()[i] >> shift) & 0xFF);
                    const int b = static_cast<int>((drawn.Pixels()[i] >> shift) & 0xFF);
                    ASSERT_LE(std::abs(a - b), 1) << g << " pixel " << i;
                }
            }
        }
    }
}

// The preview painted in pieces on every core is the picture painted in one go, word for
// word: classic shapes (one of whose rows repeat), dithered, and free ones.
TEST(RowsOnEveryCore, PaintsWhatOneThreadPaints) {
    constexpr int kWidth = 701;
    constexpr int kHeight = 303;
    GradientParams classic;
    classic.colors.start = RgbColor(255, 0, 0);
    classic.colors.end = RgbColor(0, 0, 255);
    classic.colorMode = ColorMode::kOklch;
    classic.width = kWidth;
    classic.height = kHeight;
    FreeGradient conic = TwoStops(FreeShape::kConic);
    conic.interpolation = {InterpolationSpace::kOklch, HuePath::kLonger};
    FreeGradient repeating = TwoStops(FreeShape::kRadial);
    repeating.repeating = true;
    repeating.stops[1].position = At(0.0, 37.0);
    for (const Orientation orientation :
         {Orientation::kHorizontal, Orientation::kVertical, Orientation::kCircle}) {
        classic.orientation = orientation;
        for (const OutputFormat format : {OutputFormat::kPlain8, OutputFormat::kDithered8}) {
            const GradientRenderer renderer(classic, kWidth, kHeight, 1);
            Raster whole(kWidth, kHeight);
            renderer.RenderRows(0, whole, format);
            Raster pieces(kWidth, kHeight);
            RenderRowsOnEveryCore(renderer, pieces, format);
            EXPECT_TRUE(std::ranges::equal(whole.Pixels(), pieces.Pixels()))
                << static_cast<int>(orientation) << " " << static_cast<int>(format);
        }
    }
    for (const FreeGradient& gradient : {conic, repeating}) {
        const FreeRenderer renderer(gradient, 1234, 567, kWidth, kHeight);
        Raster whole(kWidth, kHeight);
        renderer.RenderRows(0, whole);
        Raster pieces(kWidth, kHeight);
        RenderRowsOnEveryCore(renderer, pieces);
        EXPECT_TRUE(std::ranges::equal(whole.Pixels(), pieces.Pixels()));
    }
}

}  // namespace
}  // namespace tonzug
