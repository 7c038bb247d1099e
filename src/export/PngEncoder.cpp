#include "export/PngEncoder.h"

#include <isa-l/crc.h>
#include <zlib.h>

#include <algorithm>
#include <array>

#include "export/VectorState.h"

namespace tonzug {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kColorTypeRgb = 2;
constexpr std::uint8_t kColorTypeRgba = 6;
// Picture data is written in chunks of about this size.
constexpr std::size_t kIdatChunkBytes = std::size_t{1} << 18;
// The format allows chunks of up to 2^31 - 1 bytes.
constexpr std::size_t kMaxChunkBytes = std::size_t{1} << 30;

// The chunk checksum, CRC-32 as zlib computes it, with ISA-L's carry-less multiplication:
// the checksum of a dithered picture's megabytes costs a fifth of zlib's time.
std::uint32_t ChunkCrc(std::uint32_t crc, std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return crc;
    }
    crc = crc32_gzip_refl(crc, data.data(), data.size());
    ClearUpperVectorState();
    return crc;
}

void PutBigEndian(std::uint32_t value, std::uint8_t* out) {
    out[0] = static_cast<std::uint8_t>(value >> 24);
    out[1] = static_cast<std::uint8_t>(value >> 16);
    out[2] = static_cast<std::uint8_t>(value >> 8);
    out[3] = static_cast<std::uint8_t>(value);
}

}  // namespace

PngEncoder::PngEncoder(std::string path, PngDepth depth, PictureAlpha alpha)
    : PictureEncoder(std::move(path)), depth_(depth), alpha_(alpha) {}

PngEncoder::~PngEncoder() = default;

// The format allows 2^31 - 1 pixels each way, which no 32-bit size exceeds.
SaveResult PngEncoder::CheckSize(std::int32_t, std::int32_t) const {
    return SaveResult::Success();
}

SaveResult PngEncoder::WriteHeader() {
    std::array<std::uint8_t, 13> header{};
    PutBigEndian(static_cast<std::uint32_t>(Width()), header.data());
    PutBigEndian(static_cast<std::uint32_t>(Height()), header.data() + 4);
    header[8] = depth_ == PngDepth::k16 ? 16 : 8;
    header[9] = alpha_ == PictureAlpha::kStraight ? kColorTypeRgba : kColorTypeRgb;
    // Compression, filter method and interlace all 0: deflate, adaptive, none.
    if (!File().Write(kPngSignature.data(), kPngSignature.size()) || !WriteChunk("IHDR", header)) {
        return FileFailure();
    }
    pictureData_.assign(std::begin(kZlibHeader), std::end(kZlibHeader));
    return SaveResult::Success();
}

SaveResult PngEncoder::EncodeRows(const std::uint32_t* pixels, std::int32_t rowCount) {
    if (!coder_) {
        coder_ = std::make_unique<PngBandCoder>(Width(), PngDepth::k8, PngCompression::kLongRuns,
                                                BandRepeats::kNever, alpha_);
    }
    const BandEnd end = RowsWritten() + rowCount == Height() ? BandEnd::kLast : BandEnd::kMore;
    coder_->Filter(pixels, rowCount, rowAbove_);
    coder_->TailAfter(tail_, nextTail_);
    if (SaveResult deflated = coder_->Deflate(tail_, end, band_); !deflated.Ok()) {
        return deflated;
    }
    const auto lastRow = coder_->LastRow();
    rowAbove_.assign(lastRow.begin(), lastRow.end());
    tail_.swap(nextTail_);
    return AppendBand(band_);
}

SaveResult PngEncoder::WriteBand(std::int32_t rows, const PngBand& band) {
    return AppendRows(static_cast<std::size_t>(std::max(0, rows)),
                      [&] { return AppendBand(band); });
}

SaveResult PngEncoder::AppendBand(const PngBand& band) {
    if (streamEnded_) {
        return SaveResult::Failure(SaveFailure::kWrongState,
                                   "PNG encoder: band after the last one");
    }
    adler_ = static_cast<std::uint32_t>(
        adler32_combine(adler_, band.adler, static_cast<z_off_t>(band.filteredBytes)));
    streamEnded_ = band.end == BandEnd::kLast;
    const std::size_t joined = pictureData_.size() + band.deflated.size();
    if (joined >= kIdatChunkBytes && joined <= kMaxChunkBytes) {
        // The chunk the joined bytes would make, written from where they lie: large bands
        // (dithered and 16-bit pictures) are not copied once more.
        if (!WriteChunkPieces("IDAT", {pictureData_, band.deflated})) {
            return FileFailure();
        }
        pictureData_.clear();
        return SaveResult::Success();
    }
    pictureData_.insert(pictureData_.end(), band.deflated.begin(), band.deflated.end());
    if (pictureData_.size() >= kIdatChunkBytes) {
        return FlushPictureData();
    }
    return SaveResult::Success();
}

SaveResult PngEncoder::FlushPictureData() {
    const std::span<const std::uint8_t> data(pictureData_);
    for (std::size_t start = 0; start < data.size(); start += kMaxChunkBytes) {
        if (!WriteChunk("IDAT",
                        data.subspan(start, std::min(kMaxChunkBytes, data.size() - start)))) {
            return FileFailure();
        }
    }
    pictureData_.clear();
    return SaveResult::Success();
}

SaveResult PngEncoder::WriteTrailer() {
    if (!streamEnded_) {
        return SaveResult::Failure(SaveFailure::kWrongState,
                                   "PNG encoder: the last band did not end");
    }
    std::array<std::uint8_t, 4> checksum{};
    PutBigEndian(adler_, checksum.data());
    pictureData_.insert(pictureData_.end(), checksum.begin(), checksum.end());
    if (SaveResult flushed = FlushPictureData(); !flushed.Ok()) {
        return flushed;
    }
    if (!WriteChunk("IEND", {})) {
        return FileFailure();
    }
    return SaveResult::Success();
}

bool PngEncoder::WriteChunk(const char (&type)[5], std::span<const std::uint8_t> data) {
    return WriteChunkPieces(type, {data, {}});
}

bool PngEncoder::WriteChunkPieces(const char (&type)[5],
                                  std::array<std::span<const std::uint8_t>, 2> pieces) {
    std::array<std::uint8_t, 8> head{};
    PutBigEndian(static_cast<std::uint32_t>(pieces[0].size() + pieces[1].size()), head.data());
    std::copy(type, type + 4, head.begin() + 4);
    std::uint32_t crc = ChunkCrc(0, {head.data() + 4, 4});
    for (const auto piece : pieces) {
        crc = ChunkCrc(crc, piece);
    }
    std::array<std::uint8_t, 4> tail{};
    PutBigEndian(crc, tail.data());
    return File().Write(head.data(), head.size()) &&
           std::all_of(pieces.begin(), pieces.end(),
                       [this](const auto piece) {
                           return piece.empty() || File().Write(piece.data(), piece.size());
                       }) &&
           File().Write(tail.data(), tail.size());
}

std::unique_ptr<PictureEncoder> MakePngEncoder(std::string path) {
    return std::make_unique<PngEncoder>(std::move(path));
}

}  // namespace tonzug
