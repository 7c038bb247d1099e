#include "export/PngBands.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include <isa-l/igzip_lib.h>

#include "export/IgzipBandStream.h"
#include "export/PixelRows.h"
#include "export/PngFilter.h"
#include "export/VectorState.h"

namespace tonzug {
namespace {

// Filtered gradients are long runs of equal bytes, which zlib's run-length strategy
// compresses about as small as level 6 and several times faster.
constexpr int kZlibLevel = 1;
constexpr int kZlibStrategy = Z_RLE;
constexpr int kZlibMemoryLevel = 8;
// Negative: raw deflate, without zlib's own header and checksum, which the PNG encoder
// writes once for the joined stream.
constexpr int kRawDeflateWindowBits = -15;
// zlib counts in 32-bit sizes; larger inputs go in pieces.
constexpr std::size_t kMaxZlibPiece = std::size_t{1} << 30;
constexpr std::size_t kMinOutputBytes = std::size_t{1} << 12;

SaveResult DeflateFailure(const char* what) {
    return OutOfMemoryFailure(std::string("PNG encoder: ") + what);
}

}  // namespace

PngBandCoder::PngBandCoder(std::int32_t width, PngDepth depth, PngCompression compression,
                           BandRepeats repeats, PictureAlpha alpha)
    : repeatable_(repeats),
      alpha_(alpha),
      pixelBytes_(PixelBytes(depth, alpha)),
      rowBytes_(static_cast<std::size_t>(width) * pixelBytes_),
      packed_(2 * rowBytes_),
      noisyStream_(compression == PngCompression::kNoisy ? std::make_unique<IgzipBandStream>()
                                                         : nullptr) {}

PngBandCoder::~PngBandCoder() {
    if (streamReady_) {
        deflateEnd(&stream_);
    }
}

template <class Pixel, class Pack>
void PngBandCoder::FilterRows(const Pixel* pixels, std::int32_t rows,
                              std::span<const std::uint8_t> rowAbove, Pack pack) {
    const std::size_t width = rowBytes_ / pixelBytes_;
    const std::size_t filteredRowBytes = rowBytes_ + 1;
    repeated_ = false;
    filtered_.resize(static_cast<std::size_t>(rows) * filteredRowBytes);
    const std::uint8_t* above = rowAbove.empty() ? nullptr : rowAbove.data();
    for (std::size_t y = 0; y < static_cast<std::size_t>(rows); ++y) {
        const Pixel* source = pixels + y * width;
        // Rows that repeat the one before (horizontal gradients) are packed once.
        const bool repeats =
            y > 0 && std::memcmp(source, source - width, width * sizeof(Pixel)) == 0;
        if (!repeats) {
            lastRow_ = lastRow_ == 0 ? rowBytes_ : 0;  // the slot not holding `above`
            pack(source, static_cast<std::int32_t>(width), packed_.data() + lastRow_);
        }
        const std::uint8_t* row = packed_.data() + lastRow_;
        FilterPngRow(row, above, rowBytes_, pixelBytes_, filtered_.data() + y * filteredRowBytes);
        above = row;
    }
}

void PngBandCoder::Filter(const std::uint32_t* pixels, std::int32_t rows,
                          std::span<const std::uint8_t> rowAbove) {
    if (alpha_ == PictureAlpha::kStraight) {
        FilterRows(pixels, rows, rowAbove, PackRgbaRow);
    } else {
        FilterRows(pixels, rows, rowAbove, PackRgbRow);
    }
}

void PngBandCoder::Filter(const Rgb16* pixels, std::int32_t rows,
                          std::span<const std::uint8_t> rowAbove) {
    FilterRows(pixels, rows, rowAbove, PackDeepRow<Rgb16>);
}

void PngBandCoder::Filter(const Rgba16* pixels, std::int32_t rows,
                          std::span<const std::uint8_t> rowAbove) {
    FilterRows(pixels, rows, rowAbove, PackDeepRow<Rgba16>);
}

std::span<const std::uint8_t> PngBandCoder::LastRow() const {
    return std::span(packed_).subspan(lastRow_, rowBytes_);
}

void PngBandCoder::TailAfter(std::span<const std::uint8_t> tailBefore,
                             std::vector<std::uint8_t>& tail) const {
    const std::size_t own = std::min(filtered_.size(), kDeflateWindowBytes);
    const std::size_t kept = std::min(tailBefore.size(), kDeflateWindowBytes - own);
    tail.assign(tailBefore.end() - static_cast<std::ptrdiff_t>(kept), tailBefore.end());
    tail.insert(tail.end(), filtered_.end() - static_cast<std::ptrdiff_t>(own), filtered_.end());
}

void PngBandCoder::RepeatFiltered() {
    repeated_ = true;
}

SaveResult PngBandCoder::Deflate(std::span<const std::uint8_t> tailBefore, BandEnd end,
                                 PngBand& band) {
    if (repeated_ && last_.valid && last_.product.end == end &&
        std::equal(tailBefore.begin(), tailBefore.end(), last_.tailBefore.begin(),
                   last_.tailBefore.end())) {
        band = last_.product;
        return SaveResult::Success();
    }
    // ISA-L's vector checksum; the vector state is cleared before zlib's code runs.
    band.adler = isal_adler32(1, filtered_.data(), filtered_.size());
    ClearUpperVectorState();
    band.filteredBytes = filtered_.size();
    band.end = end;
    last_.valid = false;
    SaveResult status = noisyStream_
                            ? noisyStream_->Deflate(tailBefore, filtered_, end, band.deflated)
                            : DeflateWithZlib(tailBefore, end, band);
    if (status.Ok() && repeatable_ == BandRepeats::kPossible) {
        last_.tailBefore.assign(tailBefore.begin(), tailBefore.end());
        last_.product = band;
        last_.valid = true;
    }
    return status;
}

SaveResult PngBandCoder::DeflateWithZlib(std::span<const std::uint8_t> tailBefore, BandEnd end,
                                         PngBand& band) {
    if (!streamReady_) {
        if (deflateInit2(&stream_, kZlibLevel, Z_DEFLATED, kRawDeflateWindowBits, kZlibMemoryLevel,
                         kZlibStrategy) != Z_OK) {
            return DeflateFailure("cannot start the compressor");
        }
        streamReady_ = true;
    } else if (deflateReset(&stream_) != Z_OK) {
        return DeflateFailure("cannot restart the compressor");
    }
    if (!tailBefore.empty() && deflateSetDictionary(&stream_, tailBefore.data(),
                                                    static_cast<uInt>(tailBefore.size())) != Z_OK) {
        return DeflateFailure("cannot prime the compressor");
    }
    band.deflated.resize(std::max(kMinOutputBytes, filtered_.size() / 64));

    // A full flush ends on a byte boundary with the compressor's history cleared, so the
    // next band's piece, primed with the same bytes, continues the stream.
    const int lastFlush = end == BandEnd::kLast ? Z_FINISH : Z_FULL_FLUSH;
    const std::uint8_t* input = filtered_.data();
    std::size_t inputLeft = filtered_.size();
    std::size_t written = 0;
    for (;;) {
        if (stream_.avail_in == 0 && inputLeft > 0) {
            const std::size_t piece = std::min(inputLeft, kMaxZlibPiece);
            stream_.next_in = const_cast<Bytef*>(input);
            stream_.avail_in = static_cast<uInt>(piece);
            input += piece;
            inputLeft -= piece;
        }
        if (written == band.deflated.size()) {
            band.deflated.resize(2 * band.deflated.size());
        }
        const std::size_t room = std::min(band.deflated.size() - written, kMaxZlibPiece);
        stream_.next_out = band.deflated.data() + written;
        stream_.avail_out = static_cast<uInt>(room);
        const int flush = inputLeft > 0 ? Z_NO_FLUSH : lastFlush;
        const int result = deflate(&stream_, flush);
        written += room - stream_.avail_out;
        if (result == Z_STREAM_END) {
            break;
        }
        if (result != Z_OK && result != Z_BUF_ERROR) {
            return DeflateFailure("compression failed");
        }
        // A flush is complete once deflate leaves output room unused.
        if (flush == Z_FULL_FLUSH && stream_.avail_in == 0 && stream_.avail_out != 0) {
            break;
        }
    }
    band.deflated.resize(written);
    return SaveResult::Success();
}

}  // namespace tonzug
