#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "render/FreeRenderer.h"
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

}  // namespace
}  // namespace tonzug
