#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

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

// A preview maximised on a 3840 x 2160 screen: the picture drawn at the screen's size,
// its rows split between the threads. Arguments: shape (0 linear, 1 ellipse, 2 conic),
// interpolation (0 srgb, 1 oklab, 2 oklch longer hue), threads. One frame at 60 Hz is
// 16.7 ms.
void DrawFreeGradientOnScreen(benchmark::State& state) {
    constexpr int kWidth = 3840;
    constexpr int kHeight = 2160;
    constexpr std::array<std::string_view, 3> kShapes = {
        "linear-gradient(30deg %s, #ff6a00, #ee0979 25%%, #7928ca 50%%, #00c6ff 75%%, #f7ff00)",
        "radial-gradient(ellipse at 30%% 60%% %s, #ffe066, #ff6b6b 45%%, #4d194d)",
        "conic-gradient(from 30deg at 40%% 55%% %s, red, yellow, lime, aqua, blue, red)"};
    constexpr std::array<std::string_view, 3> kSpaces = {"in srgb", "in oklab",
                                                         "in oklch longer hue"};
    std::string text(kShapes[static_cast<std::size_t>(state.range(0))]);
    const std::string space(kSpaces[static_cast<std::size_t>(state.range(1))]);
    text.replace(text.find("%s"), 2, space);
    for (std::size_t at = text.find("%%"); at != std::string::npos; at = text.find("%%", at)) {
        text.erase(at, 1);
    }
    const FreeGradient gradient = *ReadCssGradient(text).gradient;
    const auto threads = static_cast<int>(state.range(2));
    std::vector<Raster> bands;
    for (int t = 0; t < threads; ++t) {
        const int first = kHeight * t / threads;
        bands.emplace_back(kWidth, kHeight * (t + 1) / threads - first);
    }
    for (auto _ : state) {
        const FreeRenderer renderer(gradient, kWidth, kHeight);
        std::vector<std::jthread> helpers;
        for (int t = 1; t < threads; ++t) {
            helpers.emplace_back([&, t] { renderer.RenderRows(kHeight * t / threads, bands[t]); });
        }
        renderer.RenderRows(0, bands[0]);
        helpers.clear();
        benchmark::DoNotOptimize(bands[0].Row(0));
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(DrawFreeGradientOnScreen)
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2}, {1, 2}})
    ->ArgNames({"shape", "space", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace tonzug
