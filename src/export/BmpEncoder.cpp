#include <array>
#include <limits>
#include <string>
#include <vector>

#include "export/PictureEncoder.h"
#include "export/PixelRows.h"

namespace tonzug {
namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPixelOffset = kFileHeaderBytes + kInfoHeaderBytes;
// The file header stores the file size in 32 bits.
constexpr std::uint64_t kMaxFileBytes = std::numeric_limits<std::uint32_t>::max();

// Rows of 3 bytes per pixel, padded to a multiple of 4 bytes.
std::uint64_t RowStride(std::int32_t width) {
    return (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
}

std::uint64_t FileBytes(std::int32_t width, std::int32_t height) {
    return kPixelOffset + RowStride(width) * static_cast<std::uint64_t>(height);
}

void PutLittleEndian(std::uint8_t* out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A true-colour bitmap: 24 bits per pixel, no compression, rows stored bottom-up.
// Each band of rows lands at its own offset, so rows can arrive top first.
class BmpEncoder final : public PictureEncoder {
  public:
    explicit BmpEncoder(std::string path) : PictureEncoder(std::move(path)) {}

  protected:
    SaveResult CheckSize(std::int32_t width, std::int32_t height) const override {
        const std::uint64_t bytes = FileBytes(width, height);
        if (bytes <= kMaxFileBytes) {
            return SaveResult::Success();
        }
        return SaveResult::Failure(SaveFailure::kTooLarge,
                                   "BMP files are limited to 4 GiB (" +
                                       std::to_string(kMaxFileBytes) + " bytes); " +
                                       std::to_string(width) + " x " + std::to_string(height) +
                                       " pixels need " + std::to_string(bytes) + " bytes",
                                   {TONZUG_TRANSLATABLE("tonzug::SaveResult",
                                                        "BMP-Dateien sind auf 4 GiB (%1 Byte) "
                                                        "begrenzt; %2 × %3 Pixel brauchen %4 Byte"),
                                    {std::to_string(kMaxFileBytes), std::to_string(width),
                                     std::to_string(height), std::to_string(bytes)}});
    }

    SaveResult WriteHeader() override {
        std::array<std::uint8_t, kPixelOffset> header{};
        header[0] = 'B';
        header[1] = 'M';
        const std::uint64_t stride = RowStride(Width());
        PutLittleEndian(&header[2], static_cast<std::uint32_t>(FileBytes(Width(), Height())), 4);
        PutLittleEndian(&header[10], kPixelOffset, 4);
        PutLittleEndian(&header[14], kInfoHeaderBytes, 4);
        PutLittleEndian(&header[18], static_cast<std::uint32_t>(Width()), 4);
        // A positive height means bottom-up rows.
        PutLittleEndian(&header[22], static_cast<std::uint32_t>(Height()), 4);
        PutLittleEndian(&header[26], 1, 2);   // planes
        PutLittleEndian(&header[28], 24, 2);  // bits per pixel; compression 0 = none
        PutLittleEndian(&header[34], static_cast<std::uint32_t>(stride * Height()), 4);
        if (!File().Write(header.data(), header.size())) {
            return FileFailure();
        }
        return SaveResult::Success();
    }

    SaveResult EncodeRows(const std::uint32_t* pixels, std::int32_t rowCount) override {
        const std::size_t stride = static_cast<std::size_t>(RowStride(Width()));
        // Padding bytes stay zero: the buffer is only ever written inside each row.
        band_.resize(stride * static_cast<std::size_t>(rowCount));
        for (std::int32_t y = 0; y < rowCount; ++y) {
            const std::size_t fileRow = static_cast<std::size_t>(rowCount - 1 - y);
            PackBgrRow(pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width()),
                       Width(), band_.data() + fileRow * stride);
        }
        const std::uint64_t lowestRow =
            static_cast<std::uint64_t>(Height() - RowsWritten() - rowCount);
        if (!File().WriteAt(kPixelOffset + lowestRow * stride, band_.data(), band_.size())) {
            return FileFailure();
        }
        return SaveResult::Success();
    }

    SaveResult WriteTrailer() override { return SaveResult::Success(); }

  private:
    std::vector<std::uint8_t> band_;
};

}  // namespace

std::unique_ptr<PictureEncoder> MakeBmpEncoder(std::string path) {
    return std::make_unique<BmpEncoder>(std::move(path));
}

}  // namespace tonzug
