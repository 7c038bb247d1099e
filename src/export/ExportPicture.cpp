#include "export/ExportPicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

#include "export/PictureEncoder.h"
#include "render/Gradient.h"
#include "support/Numbers.h"

namespace tonzug {
namespace {

std::string SizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

EncodeStatus OutOfMemory() {
    return EncodeStatus::Failure(kGdipOutOfMemory, "not enough memory to render the picture");
}

// Rows of one band: about `bandBytes` of pixels, at least one row, at most the picture.
std::int32_t BandRows(PictureSize size, std::size_t bandBytes) {
    const std::size_t rowBytes = static_cast<std::size_t>(size.width) * sizeof(std::uint32_t);
    const std::size_t rows = std::max<std::size_t>(1, bandBytes / rowBytes);
    return static_cast<std::int32_t>(
        std::min<std::size_t>(rows, static_cast<std::size_t>(size.height)));
}

// A fresh surface is white; a ring gradient may leave corner pixels to it. False when
// the band could not be had (the raster stays empty when memory runs out).
bool RenderBand(const GradientRenderer& renderer, PictureSize size, std::int32_t firstRow,
                std::int32_t rows, Raster& band) {
    band.Reset(size.width, rows, kWhite);
    if (band.Width() != size.width || band.Height() != rows) {
        return false;
    }
    renderer.RenderRows(firstRow, band);
    return true;
}

// Renders one band on a second thread while the caller encodes the band before it.
// Rendering inline instead when no thread can be started.
class BandAhead {
  public:
    void Start(const GradientRenderer& renderer, PictureSize size, std::int32_t firstRow,
               std::int32_t rows, Raster& band) {
        rendered_ = false;
        try {
            worker_ = std::jthread([this, &renderer, size, firstRow, rows, &band] {
                try {
                    rendered_ = RenderBand(renderer, size, firstRow, rows, band);
                } catch (...) {
                    rendered_ = false;
                }
            });
        } catch (const std::system_error&) {
            rendered_ = RenderBand(renderer, size, firstRow, rows, band);
        }
    }
    // True when the band is ready; false when rendering it failed for lack of memory.
    bool Wait() {
        if (worker_.joinable()) {
            worker_.join();
        }
        return rendered_;
    }

  private:
    bool rendered_ = false;
    std::jthread worker_;
};

// The full size of a picture to save: a side a float cannot hold exactly is refused, since
// the renderer would silently draw 16777216 rows for 16777217.
EncodeStatus ExportSize(const GradientParams& params, PictureSize& size) {
    constexpr auto kLimit = static_cast<float>(kMaxPictureSide);
    if (params.width > kLimit || params.height > kLimit) {
        const auto text = [](float side) {
            return std::isfinite(side) ? std::to_string(std::llround(std::trunc(side)))
                                       : std::string("infinity");
        };
        return PictureTooLarge(text(params.width), text(params.height));
    }
    return FullPictureSize(params, size);
}

EncodeStatus ExportInBands(const GradientParams& params, const std::string& path, PictureKind kind,
                           std::int32_t jpegQuality, const ExportProgress& progress,
                           std::size_t bandBytes) {
    PictureSize size;
    if (EncodeStatus status = ExportSize(params, size); !status.Ok()) {
        return status;
    }
    if (size.width > kMaxExportRowPixels) {
        return EncodeStatus::Failure(
            kGdipOutOfMemory, "pictures can be at most " + std::to_string(kMaxExportRowPixels) +
                                  " pixels wide, the export memory limit for one row (" +
                                  SizeText(size.width, size.height) + " requested)");
    }
    std::unique_ptr<PictureEncoder> encoder = MakePictureEncoder(kind, path, jpegQuality);
    if (EncodeStatus status = encoder->Begin(size.width, size.height); !status.Ok()) {
        return status;
    }
    const GradientRenderer renderer(params, size.width, size.height);
    const std::int32_t bandRows = BandRows(size, bandBytes);
    std::array<Raster, 2> bands;
    std::size_t current = 0;
    std::int32_t rows = bandRows;
    if (!RenderBand(renderer, size, 0, rows, bands[current])) {
        return OutOfMemory();
    }
    BandAhead ahead;
    for (std::int32_t firstRow = 0; firstRow < size.height;) {
        const std::int32_t nextRow = firstRow + rows;
        const std::int32_t nextRows = std::min(bandRows, size.height - nextRow);
        if (nextRows > 0) {
            ahead.Start(renderer, size, nextRow, nextRows, bands[1 - current]);
        }
        const EncodeStatus written = encoder->WriteRows(bands[current].Pixels());
        if (nextRows > 0 && !ahead.Wait()) {
            return OutOfMemory();
        }
        if (!written.Ok()) {
            return written;
        }
        if (progress && !progress(static_cast<double>(nextRow) / size.height)) {
            return EncodeStatus::Failure(kGdipAborted, "export cancelled");
        }
        firstRow = nextRow;
        rows = nextRows;
        current = 1 - current;
    }
    return encoder->Finish();
}

}  // namespace

EncodeStatus PictureTooLarge(std::string_view width, std::string_view height) {
    return EncodeStatus::Failure(
        kGdipValueOverflow, "picture size " + std::string(width) + " x " + std::string(height) +
                                " is too large: at most " + std::to_string(kMaxPictureSide) +
                                " pixels each way");
}

EncodeStatus FullPictureSize(const GradientParams& params, PictureSize& size) {
    const std::optional<std::int32_t> width = RoundToInt32(params.width);
    const std::optional<std::int32_t> height = RoundToInt32(params.height);
    const bool tooLarge = (!width && params.width > 0.0f) || (!height && params.height > 0.0f);
    if (tooLarge) {
        return EncodeStatus::Failure(
            kGdipValueOverflow, "picture size out of range: at most 2147483647 pixels each way");
    }
    if (!width || !height || *width < 1 || *height < 1) {
        return EncodeStatus::Failure(kGdipInvalidParameter,
                                     "empty picture: width and height must be at least 1 pixel (" +
                                         SizeText(width.value_or(0), height.value_or(0)) +
                                         " requested)");
    }
    size = {*width, *height};
    return EncodeStatus::Success();
}

EncodeStatus ExportPicture(const GradientParams& params, const std::string& path, PictureKind kind,
                           std::int32_t jpegQuality, const ExportProgress& progress,
                           std::size_t bandBytes) {
    try {
        return ExportInBands(params, path, kind, jpegQuality, progress, bandBytes);
    } catch (const std::bad_alloc&) {
        return OutOfMemory();
    } catch (const std::exception& error) {
        return EncodeStatus::Failure(kGdipGenericError, error.what());
    }
}

EncodeStatus RenderFullPicture(const GradientParams& params, Raster& picture) {
    PictureSize size;
    if (EncodeStatus status = ExportSize(params, size); !status.Ok()) {
        return status;
    }
    const std::uint64_t bytes = static_cast<std::uint64_t>(size.width) *
                                static_cast<std::uint64_t>(size.height) * sizeof(std::uint32_t);
    if (bytes > kMaxFullPictureBytes) {
        return EncodeStatus::Failure(kGdipOutOfMemory,
                                     "a picture held in memory may take at most " +
                                         std::to_string(kMaxFullPictureBytes >> 20) + " MiB; " +
                                         SizeText(size.width, size.height) + " pixels need " +
                                         std::to_string(bytes >> 20) + " MiB");
    }
    try {
        Raster rendered(size.width, size.height, kWhite);
        if (rendered.Width() != size.width || rendered.Height() != size.height) {
            return OutOfMemory();  // the raster stays empty when memory runs out
        }
        DrawGradient(rendered, params);
        picture = std::move(rendered);
    } catch (const std::bad_alloc&) {
        return OutOfMemory();
    }
    return EncodeStatus::Success();
}

}  // namespace tonzug
