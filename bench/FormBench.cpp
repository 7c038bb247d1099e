// One keystroke in the width field, through the form's change cascade to a drawn
// 300 x 300 preview raster: the core's share of what a user waits for while typing.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchArgs.h"
#include "render/Gradient.h"
#include "render/Raster.h"
#include "support/Numbers.h"
#include "workspace/ParameterForm.h"

namespace tonzug {
namespace {

void BM_WidthKeystrokeToPreview(benchmark::State& state) {
    SetUserNumberFormat({'.', ','});
    ParameterForm form;
    Raster preview(300, 300);
    form.SetHooks(
        {.drawPreview = [&preview](const GradientParams& params) { DrawGradient(preview, params); },
         .layoutPreview = {},
         .updateMidControls = {}});
    form.optV.Select(bench::ArgAs<Orientation>(state, 1));
    const std::string width = std::to_string(state.range(0));
    // Alternate between two texts so that every write is a change.
    const std::string texts[] = {width, width + "1"};
    std::size_t keystroke = 0;
    for (auto _ : state) {
        form.txtX.SetText(texts[keystroke++ % 2]);
        benchmark::DoNotOptimize(preview.Pixels().data());
    }
}
BENCHMARK(BM_WidthKeystrokeToPreview)
    ->ArgNames({"width", "orientation"})
    ->ArgsProduct({{25, 10'000'000},
                   {bench::Arg(Orientation::kHorizontal), bench::Arg(Orientation::kVertical),
                    bench::Arg(Orientation::kCircle)}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tonzug
