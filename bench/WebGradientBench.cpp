#include <benchmark/benchmark.h>

#include <cstdint>

#include "web/WebGradient.h"
#include "web/WebGradientText.h"

namespace tonzug {
namespace {

// The CSS of a horizontal HSL gradient from red to blue of range(0) steps: the stops are
// fitted in one pass over the ramp, so the time follows the steps. Items are steps.
void CssOfHslSteps(benchmark::State& state) {
    const auto steps = static_cast<std::int32_t>(state.range(0));
    GradientParams params;
    params.colors.start = RgbColor(255, 0, 0);
    params.colors.end = RgbColor(0, 0, 255);
    params.width = static_cast<float>(steps);
    params.height = 1.0f;
    params.orientation = Orientation::kHorizontal;
    params.colorMode = ColorMode::kHsl;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CssDeclaration(FitWebGradient(params, steps, 1)));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(CssOfHslSteps)->Arg(1000)->Arg(100000)->Arg(10000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tonzug
