#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchArgs.h"
#include "export/ExportPicture.h"
#include "export/PictureEncoder.h"
#include "render/Gradient.h"

namespace tonzug {
namespace {

constexpr std::int32_t kSide = 4096;

// Files go to memory where possible, so that the figures show the encoders, not the disk.
std::string OutputFile(const char* extension) {
    const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm")
                                             ? std::filesystem::path("/dev/shm")
                                             : std::filesystem::temp_directory_path();
    return (folder / ("tonzug-bench-" + std::to_string(getpid()) + extension)).string();
}

const char* Extension(PictureKind kind) {
    switch (kind) {
        case PictureKind::kBmp:
            return ".bmp";
        case PictureKind::kPng:
            return ".png";
        case PictureKind::kJpeg:
            return ".jpg";
        case PictureKind::kSvg:
            return ".svg";
    }
    return "";
}

GradientParams BenchGradient(Orientation orientation) {
    GradientParams params;
    params.colors.start = RgbColor(255, 32, 0);
    params.colors.end = RgbColor(0, 48, 255);
    params.width = static_cast<float>(kSide);
    params.height = static_cast<float>(kSide);
    params.orientation = orientation;
    return params;
}

void SetLabels(benchmark::State& state, PictureKind kind, Orientation orientation,
               const std::string& path) {
    static const char* const kShapes[] = {"horizontal", "vertical", "circle"};
    state.SetLabel(std::string(PictureKindName(kind)) + " " + kShapes[bench::Arg(orientation)]);
    std::error_code ignored;
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path, ignored));
    state.SetItemsProcessed(state.iterations() * std::int64_t{kSide} * kSide);
    std::filesystem::remove(path, ignored);
}

// Encoding alone: the rows are rendered once up front and handed over in export bands.
// Arguments: picture kind, orientation.
void EncodeBandRenderedPicture(benchmark::State& state) {
    const auto kind = static_cast<PictureKind>(state.range(0));
    const auto orientation = bench::ArgAs<Orientation>(state, 1);
    Raster picture;
    if (!RenderFullPicture(BenchGradient(orientation), picture).Ok()) {
        state.SkipWithError("cannot render");
        return;
    }
    const std::string path = OutputFile(Extension(kind));
    const std::size_t bandPixels = kExportBandBytes / sizeof(std::uint32_t);
    for (auto _ : state) {
        auto encoder = MakePictureEncoder(kind, path, kExportJpegQuality);
        SaveResult status = encoder->Begin(kSide, kSide);
        const auto pixels = picture.Pixels();
        for (std::size_t done = 0; status.Ok() && done < pixels.size(); done += bandPixels) {
            status = encoder->WriteRows(
                pixels.subspan(done, std::min(bandPixels, pixels.size() - done)));
        }
        if (status.Ok()) {
            status = encoder->Finish();
        }
        if (!status.Ok()) {
            state.SkipWithError(status.Describe().c_str());
            break;
        }
    }
    SetLabels(state, kind, orientation, path);
}

// The whole export: bands rendered (and for PNG compressed) on several threads.
// Arguments as above, then the threads.
void ExportFullPicture(benchmark::State& state) {
    const auto kind = static_cast<PictureKind>(state.range(0));
    const auto orientation = bench::ArgAs<Orientation>(state, 1);
    const std::string path = OutputFile(Extension(kind));
    const GradientParams params = BenchGradient(orientation);
    ExportOptions options;
    options.threads = static_cast<std::int32_t>(state.range(2));
    for (auto _ : state) {
        const SaveResult status = ExportPicture(params, path, kind, kExportJpegQuality, options);
        if (!status.Ok()) {
            state.SkipWithError(status.Describe().c_str());
            break;
        }
    }
    SetLabels(state, kind, orientation, path);
}

void KindsAndShapes(benchmark::internal::Benchmark* bench) {
    for (PictureKind kind : {PictureKind::kPng, PictureKind::kJpeg, PictureKind::kBmp}) {
        for (Orientation orientation :
             {Orientation::kHorizontal, Orientation::kVertical, Orientation::kCircle}) {
            bench->Args({static_cast<std::int64_t>(kind), bench::Arg(orientation)});
        }
    }
    bench->Unit(benchmark::kMillisecond)->UseRealTime();
}

void KindsShapesAndThreads(benchmark::internal::Benchmark* bench) {
    for (PictureKind kind : {PictureKind::kPng, PictureKind::kJpeg, PictureKind::kBmp}) {
        for (Orientation orientation :
             {Orientation::kHorizontal, Orientation::kVertical, Orientation::kCircle}) {
            for (std::int32_t threads : {1, AvailableCores()}) {
                bench->Args({static_cast<std::int64_t>(kind), bench::Arg(orientation), threads});
            }
        }
    }
    bench->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(EncodeBandRenderedPicture)->Apply(KindsAndShapes);
BENCHMARK(ExportFullPicture)->Apply(KindsShapesAndThreads);

}  // namespace
}  // namespace tonzug
