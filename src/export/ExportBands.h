#pragma once

#include <cstddef>
#include <cstdint>

#include "render/PictureRenderer.h"
#include "render/Raster.h"

namespace tonzug {

// How an export cuts a picture into bands of rows. The cut depends on the size and the
// band bytes alone, never on the number of threads, so every thread count writes the
// same file.
struct BandLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bandRows = 1;
    std::int32_t bandCount = 0;
    // The period of repeating rows that every band holds a whole number of; 0 when bands
    // are cut without regard to it, and so never repeat whole.
    std::int32_t rowPeriod = 0;

    std::int32_t FirstRow(std::int32_t band) const { return band * bandRows; }
    std::int32_t Rows(std::int32_t band) const {
        return band + 1 < bandCount ? bandRows : height - FirstRow(band);
    }
};

// A band holds whole periods of repeating rows only while one period takes at most this
// much (64 dithered rows of 262144 pixels). Wider rows are cut into bands of as many rows
// as fit it, since the renderer works out the columns of such rows once per band.
inline constexpr std::size_t kMaxPeriodBandBytes = std::size_t{64} << 20;
// The bands in flight may take about this much memory together: very wide pictures are
// made on fewer threads, whatever the number asked for.
inline constexpr std::uint64_t kBandMemoryBudget = std::uint64_t{384} << 20;

// Bands of about `bandBytes` of pixels each: at least one row, at most the picture, and a
// whole number of `rowPeriod` rows where a pattern repeats with that period (0: none) and
// a period fits kMaxPeriodBandBytes, so that bands can repeat whole.
BandLayout LayOutBands(std::int32_t width, std::int32_t height, std::size_t bandBytes,
                       std::int32_t rowPeriod = 1);

// The threads, at most `requested`, whose bands in flight fit kBandMemoryBudget; at least 1.
std::int32_t ThreadsWithinBudget(const BandLayout& layout, OutputFormat format,
                                 std::int32_t requested,
                                 PictureAlpha alpha = PictureAlpha::kOpaque);

// Renders the band into `raster` on a fresh white surface (a ring gradient may leave
// corner pixels to it). False when the band could not be had: the raster stays empty
// when memory runs out.
bool RenderBand(const PictureRenderer& renderer, const BandLayout& layout, std::int32_t band,
                Raster& raster, OutputFormat format = OutputFormat::kPlain8);
// The same band in 16 bits per channel, and with straight alpha.
bool RenderBand(const PictureRenderer& renderer, const BandLayout& layout, std::int32_t band,
                Raster16& raster);
bool RenderBand(const PictureRenderer& renderer, const BandLayout& layout, std::int32_t band,
                Raster16Alpha& raster);

}  // namespace tonzug
