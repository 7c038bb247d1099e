#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "color/CssInterpolation.h"
#include "color/GamutMap.h"
#include "color/PerceptualBlend.h"

namespace tonzug {
namespace {

// A preview of 300 pixels across samples about this many ramp steps, whatever the step
// count of the ramp: the cost of a perceptual preview is this many blend samples.
constexpr int kSamplesPerPreview = 300;

struct BlendCase {
    RgbTriple from;
    RgbTriple to;
    BlendSpace space;
    HuePath path;
};

// Arguments: 0 blue to yellow in Oklab (mostly inside sRGB), 1 blue to yellow in OkLCh
// along the shorter arc, 2 red to cyan in OkLCh along the longer arc (mostly outside, so
// nearly every sample runs the chroma search), 3 grey to orange in OkLCh.
BlendCase CaseOf(std::int64_t index) {
    switch (index) {
        case 1:
            return {{0, 0, 255}, {255, 255, 0}, BlendSpace::kOklch, HuePath::kShorter};
        case 2:
            return {{255, 0, 0}, {0, 255, 255}, BlendSpace::kOklch, HuePath::kLonger};
        case 3:
            return {{128, 128, 128}, {255, 128, 0}, BlendSpace::kOklch, HuePath::kShorter};
        default:
            return {{0, 0, 255}, {255, 255, 0}, BlendSpace::kOklab, HuePath::kDirect};
    }
}

// One preview's worth of samples spread over a blend. Items are samples.
void BlendSamplesOfOnePreview(benchmark::State& state) {
    const BlendCase c = CaseOf(state.range(0));
    const PerceptualBlend blend(c.from, c.to, c.space, c.path);
    for (auto _ : state) {
        for (int i = 0; i < kSamplesPerPreview; ++i) {
            benchmark::DoNotOptimize(blend.At((i + 0.5) / kSamplesPerPreview));
        }
    }
    state.SetItemsProcessed(state.iterations() * kSamplesPerPreview);
}
BENCHMARK(BlendSamplesOfOnePreview)
    ->ArgName("case")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMicrosecond);

// Converting the two ends, once per ramp section.
void SetUpBlend(benchmark::State& state) {
    const BlendCase c = CaseOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(PerceptualBlend(c.from, c.to, c.space, c.path));
    }
}
BENCHMARK(SetUpBlend)->ArgName("case")->DenseRange(0, 3);

// A free gradient's blend of two translucent colours in each interpolation space (the
// argument, as InterpolationSpace counts them), before any gamut mapping. Items are samples.
void CssBlendSamplesOfOnePreview(benchmark::State& state) {
    const auto space = static_cast<InterpolationSpace>(state.range(0));
    const CssBlend blend({0.0, 0.0, 1.0, 0.8}, {1.0, 1.0, 0.0, 0.3}, {space, HuePath::kLonger});
    for (auto _ : state) {
        for (int i = 0; i < kSamplesPerPreview; ++i) {
            benchmark::DoNotOptimize(blend.At((i + 0.5) / kSamplesPerPreview));
        }
    }
    state.SetItemsProcessed(state.iterations() * kSamplesPerPreview);
}
BENCHMARK(CssBlendSamplesOfOnePreview)
    ->ArgName("space")
    ->DenseRange(static_cast<int>(InterpolationSpace::kSrgb),
                 static_cast<int>(InterpolationSpace::kOklch))
    ->Unit(benchmark::kMicrosecond);

// The chroma search alone, on a vivid colour far outside sRGB.
void GamutMapFarOutside(benchmark::State& state) {
    const OklabColor vivid = OklchToOklab({0.7, 0.4, 150.0});
    for (auto _ : state) {
        benchmark::DoNotOptimize(GamutMapToSrgb(vivid));
    }
}
BENCHMARK(GamutMapFarOutside);

// Colours around the hue circle, mostly far outside sRGB, mapped one by one (argument 0)
// or all together (1). Items are colours.
void GamutMapAroundTheHues(benchmark::State& state) {
    constexpr int kColors = 1024;
    std::vector<OklabColor> colors;
    for (int i = 0; i < kColors; ++i) {
        colors.push_back(OklchToOklab(
            {0.3 + 0.5 * i / kColors, 0.1 + 0.3 * (i % 7) / 7.0, 360.0 * i / kColors}));
    }
    std::vector<RgbTriple> mapped(colors.size());
    for (auto _ : state) {
        if (state.range(0) == 0) {
            for (std::size_t i = 0; i < colors.size(); ++i) {
                mapped[i] = GamutMapToSrgb(colors[i]);
            }
        } else {
            GamutMapToSrgb(colors, mapped);
        }
        benchmark::DoNotOptimize(mapped.data());
    }
    state.SetItemsProcessed(state.iterations() * kColors);
}
BENCHMARK(GamutMapAroundTheHues)->ArgName("together")->DenseRange(0, 1);

}  // namespace
}  // namespace tonzug
