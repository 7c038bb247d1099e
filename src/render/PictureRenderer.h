#pragma once

#include <algorithm>
#include <cstdint>

#include "render/OutputFormat.h"
#include "render/Raster.h"
#include "render/Raster16.h"

namespace tonzug {

// Something that paints a picture of a known size window by window, on any thread: the
// classic gradients and the free ones. The exports and the preview render through it.
class PictureRenderer {
  public:
    virtual ~PictureRenderer() = default;

    // Paints the window of the picture whose top-left pixel is (firstColumn, firstRow) into
    // `region`. An 8-bit region takes kPlain8 or kDithered8; kDeep16 paints it plain.
    virtual void RenderRegion(int firstColumn, int firstRow, Raster& region,
                              OutputFormat format) const = 0;
    virtual void RenderRegion(int firstColumn, int firstRow, Raster16& region) const = 0;
    // Whether the 8-bit regions it paints carry alpha (0xAARRGGBB words) and a 16-bit
    // picture with alpha is to be had from RenderStraightRegion.
    virtual PictureAlpha Alpha() const { return PictureAlpha::kOpaque; }
    // The window in 16 bits per channel with straight alpha; an opaque renderer's picture
    // is opaque throughout.
    virtual void RenderStraightRegion(int firstColumn, int firstRow, Raster16Alpha& region) const {
        Raster16 opaque(region.Width(), region.Height());
        RenderRegion(firstColumn, firstRow, opaque);
        constexpr std::uint16_t kOpaqueAlpha = 0xFFFF;
        for (int y = 0; y < region.Height(); ++y) {
            std::transform(opaque.Row(y), opaque.Row(y) + region.Width(), region.Row(y),
                           [](const Rgb16& pixel) {
                               return Rgba16{pixel.red, pixel.green, pixel.blue, kOpaqueAlpha};
                           });
        }
    }
    // The period with which the picture's rows repeat in `format`; 0 when they do not.
    virtual std::int32_t RowPeriod(OutputFormat format) const = 0;
    // Whether painting reads a table about as large as the cache, which pieces painted on every
    // core are better copied out past, so that the copies leave it there.
    virtual bool ReadsLargeTable() const { return false; }

    // Whole rows firstRow .. firstRow + band.Height() - 1.
    void RenderRows(int firstRow, Raster& band, OutputFormat format = OutputFormat::kPlain8) const {
        RenderRegion(0, firstRow, band, format);
    }
    void RenderRows(int firstRow, Raster16& band) const { RenderRegion(0, firstRow, band); }
};

}  // namespace tonzug
