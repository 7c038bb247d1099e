#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "export/SaveResult.h"
#include "render/OutputFormat.h"
#include "render/Raster16.h"

namespace tonzug {

// The distance deflate looks back: the dictionary each band is primed with.
inline constexpr std::size_t kDeflateWindowBytes = std::size_t{1} << 15;

enum class BandEnd { kMore, kLast };

// The bits of each sample: 8-bit or 16-bit.
enum class PngDepth { k8, k16 };

// RGB, or RGBA where the picture keeps its transparency.
constexpr std::size_t PixelBytes(PngDepth depth, PictureAlpha alpha = PictureAlpha::kOpaque) {
    const std::size_t channels = alpha == PictureAlpha::kStraight ? 4 : 3;
    return depth == PngDepth::k16 ? 2 * channels : channels;
}

// How a band's filtered bytes are deflated. Filtered plain 8-bit gradients, and gradients
// whose rows all repeat, are long runs of equal bytes; other dithered and 16-bit samples
// are noisy and want a compressor that codes literals fast.
enum class PngCompression { kLongRuns, kNoisy };

// Whether bands of a picture can repeat whole (a horizontal gradient's); a coder then
// keeps the last band's deflated bytes for a repeat of it.
enum class BandRepeats { kNever, kPossible };

class IgzipBandStream;

// One band's share of a PNG's zlib stream.
struct PngBand {
    // Raw deflate data; ends on a byte boundary unless it is the last band.
    std::vector<std::uint8_t> deflated;
    // Adler-32 and length of the filtered bytes it holds.
    std::uint32_t adler = 1;
    std::uint64_t filteredBytes = 0;
    BandEnd end = BandEnd::kMore;
};

// Filters and deflates a band of a PNG's rows apart from the other bands, so bands can be
// compressed on several threads at once (the way pigz does): each band's deflate is primed
// with the last 32 KiB of filtered bytes before it and ends with a full flush, so the
// pieces join into one zlib stream. Given the same bands, the bytes are the same on any
// thread. One coder per thread.
class PngBandCoder {
  public:
    PngBandCoder(std::int32_t width, PngDepth depth,
                 PngCompression compression = PngCompression::kLongRuns,
                 BandRepeats repeats = BandRepeats::kNever,
                 PictureAlpha alpha = PictureAlpha::kOpaque);
    ~PngBandCoder();
    PngBandCoder(const PngBandCoder&) = delete;
    PngBandCoder& operator=(const PngBandCoder&) = delete;

    // Packs the band's rows (0xFFRRGGBB words for 8 bits, 0xAARRGGBB with alpha; Rgb16 or
    // Rgba16 for 16) to RGB or RGBA samples and filters them. `rowAbove` holds the packed
    // row above the band; empty for the picture's top row.
    void Filter(const std::uint32_t* pixels, std::int32_t rows,
                std::span<const std::uint8_t> rowAbove);
    void Filter(const Rgb16* pixels, std::int32_t rows, std::span<const std::uint8_t> rowAbove);
    void Filter(const Rgba16* pixels, std::int32_t rows, std::span<const std::uint8_t> rowAbove);
    // The band's last row, packed: the next band's row above.
    std::span<const std::uint8_t> LastRow() const;
    // The last filtered bytes (at most a deflate window) up to the end of this band, given
    // those up to its start.
    void TailAfter(std::span<const std::uint8_t> tailBefore, std::vector<std::uint8_t>& tail) const;
    // Declares the next band a repeat of the band filtered last: the same rows below the
    // same row above. Its filtered bytes are those already here.
    void RepeatFiltered();
    // Deflates the filtered band, primed with the tail before it; the last band ends the
    // stream. Fails only for lack of memory. A repeated band primed with the same tail as
    // the band deflated last takes that band's bytes.
    SaveResult Deflate(std::span<const std::uint8_t> tailBefore, BandEnd end, PngBand& band);

  private:
    SaveResult DeflateWithZlib(std::span<const std::uint8_t> tailBefore, BandEnd end,
                               PngBand& band);
    template <class Pixel, class Pack>
    void FilterRows(const Pixel* pixels, std::int32_t rows, std::span<const std::uint8_t> rowAbove,
                    Pack pack);

    BandRepeats repeatable_;
    PictureAlpha alpha_;
    std::size_t pixelBytes_;
    std::size_t rowBytes_;
    std::vector<std::uint8_t> packed_;  // two rows: the current and the one above
    std::vector<std::uint8_t> filtered_;
    // The band deflated last, for a repeat of it.
    struct DeflatedBand {
        std::vector<std::uint8_t> tailBefore;
        PngBand product;
        bool valid = false;
    };
    DeflatedBand last_;
    bool repeated_ = false;    // filtered_ holds a repeat of the band deflated last
    std::size_t lastRow_ = 0;  // offset of the last packed row in packed_
    z_stream stream_{};
    bool streamReady_ = false;
    std::unique_ptr<IgzipBandStream> noisyStream_;  // only for PngCompression::kNoisy
};

// The zlib stream's two-byte header for a deflate window of 32 KiB at the fastest level.
inline constexpr std::uint8_t kZlibHeader[] = {0x78, 0x01};

}  // namespace tonzug
