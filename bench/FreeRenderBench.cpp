#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>

#include "BenchArgs.h"
#include "render/FreeRenderer.h"
#include "render/RowsOnEveryCore.h"
#include "web/CssGradientReader.h"

namespace tonzug {
namespace {

constexpr std::array<std::string_view, 3> kGradients = {
    "linear-gradient(in oklab 30deg, #ff6a00, #ee0979 25%, #7928ca 50%, #00c6ff 75%, #f7ff00)",
    "radial-gradient(in oklch ellipse at 30% 60%, #ffe066, #ff6b6b 45%, #4d194d)",
    "conic-gradient(from 30deg at 40% 55%, red, yellow, lime, aqua, blue, magenta, red)",
};

// The preview of a free gradient: the renderer made for the drawing, as each redraw does.
// Argument: 0 linear, 1 ellipse, 2 conic. Items are pixels.
void DrawFreeGradientOnPreview(benchmark::State& state) {
    constexpr int kSide = 300;
    const FreeGradient gradient =
        *ReadCssGradient(kGradients[static_cast<std::size_t>(state.range(0))]).gradient;
    Raster surface(kSide, kSide);
    for (auto _ : state) {
        FreeRenderer(gradient, 4096, 4096, kSide, kSide).RenderRows(0, surface);
        benchmark::DoNotOptimize(surface.Row(0));
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(DrawFreeGradientOnPreview)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// A preview maximised on a 3840 x 2160 screen, redrawn as the window redraws it after a
// change: the renderer built for the drawing and the rows painted on every core. One frame
// at 60 Hz is 16.7 ms. The CPU time is that of all threads: on a machine shared with other
// work the real time of a frame is at best the CPU time over the cores. Arguments: shape,
// interpolation (indices into the lists below). The stops reach beyond sRGB, so that the spaces
// that can leave it need the gamut mapping.
constexpr std::array<std::string_view, 6> kScreenShapes = {
    "linear-gradient(30deg $, $$)",
    "radial-gradient(circle at 30% 60% $, $$)",
    "radial-gradient(ellipse at 30% 60% $, $$)",
    "conic-gradient(from 30deg at 40% 55% $, $$)",
    "repeating-linear-gradient(75deg $, $$ 240px)",
    "repeating-conic-gradient(at 40% 55% $, $$ 60deg)",
};
constexpr std::array<std::string_view, 19> kScreenSpaces = {
    "in srgb",
    "in srgb-linear",
    "in display-p3",
    "in a98-rgb",
    "in prophoto-rgb",
    "in rec2020",
    "in lab",
    "in oklab",
    "in xyz",
    "in xyz-d50",
    "in hsl",
    "in hsl longer hue",
    "in hwb",
    "in lch",
    "in lch increasing hue",
    "in oklch",
    "in oklch longer hue",
    "in oklch decreasing hue",
    "in lch decreasing hue",
};
constexpr std::string_view kScreenStops =
    "oklch(75% 0.3 40), color(display-p3 0 0.9 0.3), lab(35 60 -100), #ffd000, oklch(60% 0.25 "
    "330)";

std::string ScreenGradientText(std::size_t shape, std::size_t space) {
    std::string text(kScreenShapes[shape]);
    text.replace(text.find("$$"), 2, kScreenStops);
    text.replace(text.find('$'), 1, kScreenSpaces[space]);
    return text;
}

// Argument 2: the preview's output format (plain, or dithered when the export dithers);
// argument 3: the precision, exact as exports draw or as the preview draws.
void RedrawFreeGradientOnScreen(benchmark::State& state) {
    constexpr int kWidth = 3840;
    constexpr int kHeight = 2160;
    const auto shape = static_cast<std::size_t>(state.range(0));
    const auto space = static_cast<std::size_t>(state.range(1));
    const auto format = bench::ArgAs<OutputFormat>(state, 2);
    const auto precision = bench::ArgAs<FreePrecision>(state, 3);
    const FreeGradient gradient = *ReadCssGradient(ScreenGradientText(shape, space)).gradient;
    Raster surface(kWidth, kHeight);
    for (auto _ : state) {
        RenderRowsOnEveryCore(FreeRenderer(gradient, kWidth, kHeight, kWidth, kHeight,
                                           PictureAlpha::kOpaque, precision),
                              surface, format);
        benchmark::DoNotOptimize(surface.Row(0));
    }
    state.SetLabel(ScreenGradientText(shape, space).substr(0, 40));
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(RedrawFreeGradientOnScreen)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kScreenShapes.size() - 1, 1),
                   benchmark::CreateDenseRange(0, kScreenSpaces.size() - 1, 1),
                   {bench::Arg(OutputFormat::kPlain8)},
                   {bench::Arg(FreePrecision::kExact), bench::Arg(FreePrecision::kPreview)}})
    ->ArgsProduct({benchmark::CreateDenseRange(0, kScreenShapes.size() - 1, 1),
                   {7},
                   {bench::Arg(OutputFormat::kDithered8)},
                   {bench::Arg(FreePrecision::kExact), bench::Arg(FreePrecision::kPreview)}})
    ->ArgNames({"shape", "space", "format", "precision"})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
}  // namespace tonzug
