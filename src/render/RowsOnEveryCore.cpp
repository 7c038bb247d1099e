#include "render/RowsOnEveryCore.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "support/Threads.h"

namespace tonzug {
namespace {

// Below this many pixels a surface is painted faster than a thread starts.
constexpr std::int64_t kPixelsForThreads = 1 << 17;
// A piece small enough that a thread's copy of it stays in its cache until it is copied
// out, and that the threads finish together.
constexpr std::int64_t kPixelsPerPiece = 1 << 15;

#if defined(__x86_64__)
// Whole cache lines of 64 bytes from `from` to `to`, which starts one, in stores that pass the
// cache by.
[[gnu::target("avx2")]] void StreamLinesWithAvx2(const std::uint32_t* from, std::size_t lines,
                                                 std::uint32_t* to) {
    for (std::size_t k = 0; k < 2 * lines; ++k) {
        _mm256_stream_si256(reinterpret_cast<__m256i*>(to) + k,
                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from) + k));
    }
}

void StreamLines(const std::uint32_t* from, std::size_t lines, std::uint32_t* to) {
    for (std::size_t k = 0; k < 4 * lines; ++k) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(to) + k,
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from) + k));
    }
}
#endif

// Copies painted pixels into the surface with stores that pass the cache by: a surface of many
// pieces is far larger than the cache, whose lines are better left to what the painting reads
// (a free gradient's table).
void CopyPastTheCache(const std::uint32_t* from, std::size_t count, std::uint32_t* to) {
#if defined(__x86_64__)
    constexpr std::size_t kLine = 64;
    constexpr std::size_t kWordsPerLine = kLine / sizeof(std::uint32_t);
    for (; count > 0 && reinterpret_cast<std::uintptr_t>(to) % kLine != 0; --count) {
        *to++ = *from++;
    }
    const std::size_t lines = count / kWordsPerLine;
    static const bool withAvx2 = __builtin_cpu_supports("avx2");
    if (withAvx2) {
        StreamLinesWithAvx2(from, lines, to);
    } else {
        StreamLines(from, lines, to);
    }
    from += lines * kWordsPerLine;
    to += lines * kWordsPerLine;
    count -= lines * kWordsPerLine;
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
    const bool repeating = renderer.RowPeriod(format) > 0;
    // Pieces of repeating rows are far larger than the cache, which the library's copy streams
    // itself; others the plain copy, which runs fastest where the painting reads no table.
    const bool streamed = !repeating && renderer.ReadsLargeTable();
    const int rowsPerPiece =
        repeating ? (height + cores - 1) / cores
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
            const std::size_t words = static_cast<std::size_t>(rows) * width;
            if (streamed) {
                CopyPastTheCache(band.Row(0), words, surface.Row(firstRow));
            } else {
                std::copy_n(band.Row(0), words, surface.Row(firstRow));
            }
        }
    });
}

}  // namespace tonzug
