#include "render/RowsOnEveryCore.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "support/Threads.h"

namespace tonzug {
namespace {

// Below this many pixels a surface is painted faster than a thread starts.
constexpr std::int64_t kPixelsForThreads = 1 << 17;
// A piece small enough that a thread's copy of it stays in its cache until it is copied
// out, and that the threads finish together.
constexpr std::int64_t kPixelsPerPiece = 1 << 15;

// Copies painted pixels into the surface with stores that pass the cache by: a surface of many
// pieces is far larger than the cache, and plain stores would read each of its lines in first.
void CopyPastTheCache(const std::uint32_t* from, std::size_t count, std::uint32_t* to) {
#if defined(__SSE2__)
    constexpr std::size_t kWordsAtOnce = sizeof(__m128i) / sizeof(std::uint32_t);
    for (; count > 0 && reinterpret_cast<std::uintptr_t>(to) % sizeof(__m128i) != 0; --count) {
        *to++ = *from++;
    }
    for (; count >= kWordsAtOnce; count -= kWordsAtOnce) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(to),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
        from += kWordsAtOnce;
        to += kWordsAtOnce;
    }
    // The stores reach memory in order with the rest before the painting is reported done.
    _mm_sfence();
#endif
    std::copy_n(from, count, to);
}

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
            CopyPastTheCache(band.Row(0), static_cast<std::size_t>(rows) * width,
                             surface.Row(firstRow));
        }
    });
}

}  // namespace tonzug
