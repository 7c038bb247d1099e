#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "BenchArgs.h"
#include "render/Gradient.h"

namespace tonzug {
namespace {

constexpr int kSide = 4096;
// Rows per band as the export renders them: 2 MiB of 8-bit pixels.
constexpr int kBandRows = (2 << 20) / (kSide * 4);

// A whole 4096 x 4096 picture, band after band, in one output format. The plain 8-bit
// figures are the yardstick for the other two. Arguments: format, colour mode,
// orientation. Items are pixels.
void RenderPictureInFormat(benchmark::State& state) {
    const auto format = static_cast<OutputFormat>(state.range(0));
    GradientParams params;
    params.colors.start = RgbColor(255, 32, 0);
    params.colors.end = RgbColor(0, 48, 255);
    params.colors.middle = RgbColor(20, 200, 90);
    params.colors.middleOn = true;
    params.colors.middlePercent = 40.0f;
    params.colorMode = bench::ArgAs<ColorMode>(state, 1);
    params.orientation = bench::ArgAs<Orientation>(state, 2);
    params.width = static_cast<float>(kSide);
    params.height = static_cast<float>(kSide);
    Raster band(kSide, kBandRows);
    Raster16 deepBand(kSide, kBandRows);
    for (auto _ : state) {
        // One renderer per picture, as the export makes it: what it prepares counts too.
        const GradientRenderer renderer(params, kSide, kSide);
        for (int firstRow = 0; firstRow < kSide; firstRow += kBandRows) {
            if (format == OutputFormat::kDeep16) {
                renderer.RenderRows(firstRow, deepBand);
                benchmark::DoNotOptimize(deepBand.Row(0));
            } else {
                renderer.RenderRows(firstRow, band, format);
                benchmark::DoNotOptimize(band.Row(0));
            }
        }
    }
    static const char* const kFormats[] = {"plain8", "dithered8", "deep16"};
    static const char* const kShapes[] = {"horizontal", "vertical", "circle"};
    state.SetLabel(std::string(kFormats[state.range(0)]) +
                   (params.colorMode == ColorMode::kHsl ? " hsl " : " rgb ") +
                   kShapes[bench::Arg(params.orientation)]);
    state.SetItemsProcessed(state.iterations() * std::int64_t{kSide} * kSide);
}
BENCHMARK(RenderPictureInFormat)
    ->ArgNames({"format", "mode", "orientation"})
    ->ArgsProduct({{0, 1, 2},
                   {bench::Arg(ColorMode::kRgb), bench::Arg(ColorMode::kHsl)},
                   {bench::Arg(Orientation::kHorizontal), bench::Arg(Orientation::kVertical),
                    bench::Arg(Orientation::kCircle)}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tonzug
