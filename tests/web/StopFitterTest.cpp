#include "web/StopFitter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace tonzug {
namespace {

using Curve = std::function<Channels(double)>;

struct FitCase {
    const char* name;
    Curve curve;
    int samples;
    std::size_t mostStops;
};

struct Fitted {
    std::vector<FittedStop> stops;
    FitError error;
};

Fitted FitSamples(const Curve& curve, int samples, std::size_t maxStops = 1000) {
    StopFitter fitter(0.5, maxStops);
    for (int i = 0; i < samples; ++i) {
        fitter.Add({AxisPoint::Kind::kSample, i + 0.5, curve(i + 0.5)});
    }
    fitter.Finish();
    FitErrorMeter meter(fitter.Stops());
    for (int i = 0; i < samples; ++i) {
        meter.Add(i + 0.5, curve(i + 0.5));
    }
    return {fitter.Stops(), meter.Result()};
}

Channels Grey(double level) {
    return {level, level, level};
}

class StopFit : public ::testing::TestWithParam<FitCase> {};

// The blend between the stops stays within half a level of every sample, with few stops.
TEST_P(StopFit, KeepsEverySampleWithinHalfALevel) {
    const FitCase& c = GetParam();
    const Fitted fitted = FitSamples(c.curve, c.samples);
    EXPECT_LE(fitted.error.largest, 0.5 + 1e-9);
    EXPECT_LE(fitted.stops.size(), c.mostStops);
    EXPECT_DOUBLE_EQ(fitted.stops.front().position, 0.5);
    EXPECT_DOUBLE_EQ(fitted.stops.back().position, c.samples - 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, StopFit,
    ::testing::Values(
        // A straight blend, even one whose ends fall between whole levels, needs its two ends.
        FitCase{"line", [](double x) { return Grey(3.0 + x * 0.2551); }, 1000, 2},
        FitCase{"steep line", [](double x) { return Grey(x * 25.5); }, 10, 2},
        FitCase{"flat", [](double) { return Grey(77.4); }, 500, 2},
        FitCase{"kink",
                [](double x) {
                    return Channels{std::min(x, 100.0) * 2.0, 255.0 - x, 40.0};
                },
                128, 4},
        FitCase{"wave",
                [](double x) {
                    return Channels{127.5 + 127.5 * std::sin(x / 40.0), x / 4.0,
                                    127.5 + 100.0 * std::cos(x / 90.0)};
                },
                1000, 150},
        FitCase{"one sample", [](double) { return Grey(10.0); }, 1, 1}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

}  // namespace
}  // namespace tonzug
