#include <benchmark/benchmark.h>

#include <cstdint>

#include "BenchArgs.h"
#include "render/Gradient.h"

namespace tonzug {
namespace {

// A gradient of `steps` steps along its axis. The RGB one has the middle colour on,
// so that it uses the banded ramp.
GradientParams ParamsWithSteps(ColorMode mode, Orientation orientation, float steps) {
    GradientParams params;
    params.colors.start = RgbColor(255, 0, 0);
    params.colors.end = RgbColor(0, 0, 255);
    params.colors.middle = RgbColor(0, 255, 0);
    params.colors.middleOn = true;
    params.colors.middlePercent = 40.0f;
    params.colors.bands.start = 3;
    params.colors.bands.end = 3;
    params.colorMode = mode;
    params.orientation = orientation;
    params.width =
        orientation == Orientation::kCircle ? 2.0f * steps : steps;  // corner radius = steps
    params.height = orientation == Orientation::kCircle ? 0.0f : steps;
    return params;
}

// Arguments: colour mode, orientation, step count.
void DrawGradientOnPreview(benchmark::State& state) {
    const GradientParams params =
        ParamsWithSteps(bench::ArgAs<ColorMode>(state, 0), bench::ArgAs<Orientation>(state, 1),
                        static_cast<float>(state.range(2)));
    Raster surface(300, 300);
    for (auto _ : state) {
        DrawGradient(surface, params);
        benchmark::DoNotOptimize(surface.Row(0));
    }
    state.SetItemsProcessed(state.iterations() * 300 * 300);
}
BENCHMARK(DrawGradientOnPreview)
    ->ArgNames({"mode", "orientation", "steps"})
    ->ArgsProduct({{bench::Arg(ColorMode::kRgb), bench::Arg(ColorMode::kHsl),
                    bench::Arg(ColorMode::kOklab), bench::Arg(ColorMode::kOklch)},
                   {bench::Arg(Orientation::kHorizontal), bench::Arg(Orientation::kVertical),
                    bench::Arg(Orientation::kCircle)},
                   {300, 10000000}})
    // Circles share their ring colours among threads: the wall time is what the user waits.
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

// A 4096 x 4096 picture at full size, rendered in bands of 256 rows as the export
// does. Arguments: colour mode, orientation. Items are pixels.
void RenderFullSizeBands(benchmark::State& state) {
    constexpr int kSize = 4096;
    constexpr int kBandRows = 256;
    const auto orientation = bench::ArgAs<Orientation>(state, 1);
    GradientParams params =
        ParamsWithSteps(bench::ArgAs<ColorMode>(state, 0), orientation, static_cast<float>(kSize));
    params.width = static_cast<float>(kSize);
    params.height = static_cast<float>(kSize);
    const GradientRenderer renderer(params, kSize, kSize);
    Raster band(kSize, kBandRows);
    int firstRow = 0;
    for (auto _ : state) {
        renderer.RenderRows(firstRow, band);
        benchmark::DoNotOptimize(band.Row(0));
        firstRow = (firstRow + kBandRows) % kSize;
    }
    state.SetItemsProcessed(state.iterations() * kSize * kBandRows);
}
BENCHMARK(RenderFullSizeBands)
    ->ArgNames({"mode", "orientation"})
    ->ArgsProduct({{bench::Arg(ColorMode::kRgb), bench::Arg(ColorMode::kHsl)},
                   {bench::Arg(Orientation::kHorizontal), bench::Arg(Orientation::kVertical),
                    bench::Arg(Orientation::kCircle)}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tonzug
