#include "render/RowsOnEveryCore.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "support/Threads.h"

namespace tonzug {
namespace {

// Below this many pixels a surface is painted faster than a thread starts.
constexpr std::int64_t kPixelsForThreads = 1 << 17;
// A piece small enough that a thread's copy of it stays in its cache until it is copied
// out, and that the threads finish together.
constexpr std::int64_t kPixelsPerPiece = 1 << 15;

}  // namespace

void RenderRowsOnEveryCore(const PictureRenderer& renderer, Raster& surface, OutputFormat format) {
    const int width = surface.Width();
    const int height = surface.Height();
    const std::int64_t pixels = static_cast<std::int64_t>(width) * height;
    const std::int32_t cores = AvailableCores();
    if (pixels < kPixelsForThreads || cores < 2) {
        renderer.RenderRows(0, surface, format);
        return;
    }
    // Where rows repeat, a renderer works by the piece (the classic gradient's colours of
    // every column) rather than by the pixel: as many pieces as cores.
    const int rowsPerPiece =
        renderer.RowPeriod(format) > 0
            ? (height + cores - 1) / cores
            : static_cast<int>(std::clamp<std::int64_t>(kPixelsPerPiece / width, 1, height));
    const int pieces = (height + rowsPerPiece - 1) / rowsPerPiece;
    std::atomic<int> next{0};
    // One worker per core, each with a band of its own that it paints piece after piece
    // and copies into the surface; the rows of a band never overlap another's.
    ForPiecesInParallel(cores, 1, [&](std::int64_t, std::int64_t) {
        Raster band;
        for (int piece = next++; piece < pieces; piece = next++) {
            const int firstRow = piece * rowsPerPiece;
            const int rows = std::min(rowsPerPiece, height - firstRow);
            if (band.Height() != rows) {
                band.Reset(width, rows);
            }
            renderer.RenderRows(firstRow, band, format);
            std::copy(band.Row(0), band.Row(0) + static_cast<std::ptrdiff_t>(rows) * width,
                      surface.Row(firstRow));
        }
    });
}

}  // namespace tonzug
