#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "export/PictureEncoder.h"
#include "export/PngBands.h"

namespace tonzug {

// 8-bit or 16-bit RGB, or RGBA with straight alpha, lossless. Rows come either as 8-bit
// pixels through WriteRows (each call one band) or as bands filtered and deflated elsewhere by
// PngBandCoders of the same depth and alpha through WriteBand; the bands' pieces join into one zlib
// stream in the IDAT chunks.
class PngEncoder final : public PictureEncoder {
  public:
    explicit PngEncoder(std::string path, PngDepth depth = PngDepth::k8,
                        PictureAlpha alpha = PictureAlpha::kOpaque);
    ~PngEncoder() override;

    // Appends the next `rows` rows, coded by a PngBandCoder; the last band must end the
    // stream (BandEnd::kLast).
    SaveResult WriteBand(std::int32_t rows, const PngBand& band);

  protected:
    SaveResult CheckSize(std::int32_t width, std::int32_t height) const override;
    SaveResult WriteHeader() override;
    SaveResult EncodeRows(const std::uint32_t* pixels, std::int32_t rowCount) override;
    SaveResult WriteTrailer() override;

  private:
    SaveResult AppendBand(const PngBand& band);
    // Writes the picture data gathered so far as IDAT chunks.
    SaveResult FlushPictureData();
    bool WriteChunk(const char (&type)[5], std::span<const std::uint8_t> data);
    // A chunk whose data lies in two pieces, written one after the other.
    bool WriteChunkPieces(const char (&type)[5],
                          std::array<std::span<const std::uint8_t>, 2> pieces);

    PngDepth depth_;
    PictureAlpha alpha_;
    std::vector<std::uint8_t> pictureData_;  // zlib stream bytes not yet in a chunk
    std::uint32_t adler_ = 1;
    bool streamEnded_ = false;
    // For rows given as pixels: the coder and what one band hands to the next.
    std::unique_ptr<PngBandCoder> coder_;
    std::vector<std::uint8_t> rowAbove_;
    std::vector<std::uint8_t> tail_;
    std::vector<std::uint8_t> nextTail_;
    PngBand band_;
};

}  // namespace tonzug
