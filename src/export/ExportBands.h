#pragma once

#include <cstddef>
#include <cstdint>

#include "render/Gradient.h"
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

    std::int32_t FirstRow(std::int32_t band) const { return band * bandRows; }
    std::int32_t Rows(std::int32_t band) const {
        return band + 1 < bandCount ? bandRows : height - FirstRow(band);
    }
};

// Bands of about `bandBytes` of pixels each: at least one row, at most the picture, and a
// whole number of `rowPeriod` rows where a pattern repeats with that period, so that bands
// can repeat whole.
BandLayout LayOutBands(std::int32_t width, std::int32_t height, std::size_t bandBytes,
                       std::int32_t rowPeriod = 1);

// Renders the band into `raster` on a fresh white surface (a ring gradient may leave
// corner pixels to it). False when the band could not be had: the raster stays empty
// when memory runs out.
bool RenderBand(const GradientRenderer& renderer, const BandLayout& layout, std::int32_t band,
                Raster& raster, OutputFormat format = OutputFormat::kPlain8);
// The same band in 16 bits per channel.
bool RenderBand(const GradientRenderer& renderer, const BandLayout& layout, std::int32_t band,
                Raster16& raster);

}  // namespace tonzug
