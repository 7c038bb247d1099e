#include <benchmark/benchmark.h>

#include <cstdint>

#include "BenchArgs.h"
#include "preview/PreviewPicture.h"
#include "preview/PreviewPlacement.h"
#include "render/Gradient.h"
#include "render/RowsOnEveryCore.h"

namespace tonzug {
namespace {

// Red through green at 40 % to blue. Arguments: orientation, width, height.
GradientParams RedGreenBlue(const benchmark::State& state) {
    GradientParams params;
    params.colors.start = RgbColor(255, 0, 0);
    params.colors.end = RgbColor(0, 0, 255);
    params.colors.middle = RgbColor(0, 255, 0);
    params.colors.middleOn = true;
    params.colors.middlePercent = 40.0f;
    params.orientation = bench::ArgAs<Orientation>(state, 0);
    params.width = static_cast<float>(state.range(1));
    params.height = static_cast<float>(state.range(2));
    return params;
}

// Opening the preview window on a 1280 x 1024 screen: building the picture and rendering
// the part that shows. Arguments: orientation, width, height.
void RenderVisiblePreview(benchmark::State& state) {
    const GradientParams params = RedGreenBlue(state);
    for (auto _ : state) {
        const PreviewPicture picture({params});
        const PixelRect part = VisiblePart(
            CenterPreview(1280, 1024, picture.Width(), picture.Height()), {0, 0, 1280, 1024});
        Raster region(static_cast<int>(part.width), static_cast<int>(part.height), kWhite);
        picture.Render(part, region);
        benchmark::DoNotOptimize(region.Pixels().data());
    }
}
BENCHMARK(RenderVisiblePreview)
    ->ArgNames({"orientation", "width", "height"})
    ->Args({bench::Arg(Orientation::kVertical), 25, 256})
    ->Args({bench::Arg(Orientation::kHorizontal), 99999999, 256})
    ->Args({bench::Arg(Orientation::kVertical), 99999999, 256})
    ->Args({bench::Arg(Orientation::kCircle), 99999999, 256})
    ->Args({bench::Arg(Orientation::kCircle), 16384, 16384})
    ->Unit(benchmark::kMillisecond);

// The classic gradient's preview redrawn after a keystroke, as the window draws it: at the
// default size and maximised. Arguments: orientation, width, height.
void RedrawClassicPreview(benchmark::State& state) {
    GradientParams params = RedGreenBlue(state);
    params.colorMode = ColorMode::kOklch;
    const auto width = static_cast<int>(state.range(1));
    const auto height = static_cast<int>(state.range(2));
    Raster surface(width, height);
    for (auto _ : state) {
        RenderRowsOnEveryCore(GradientRenderer(params, width, height, surface.PenWidth()), surface);
        benchmark::DoNotOptimize(surface.Row(0));
    }
}
BENCHMARK(RedrawClassicPreview)
    ->ArgsProduct({{bench::Arg(Orientation::kHorizontal), bench::Arg(Orientation::kVertical),
                    bench::Arg(Orientation::kCircle)},
                   {240},
                   {240}})
    ->ArgsProduct({{bench::Arg(Orientation::kHorizontal), bench::Arg(Orientation::kVertical),
                    bench::Arg(Orientation::kCircle)},
                   {3840},
                   {2160}})
    ->ArgNames({"orientation", "width", "height"})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace
}  // namespace tonzug
