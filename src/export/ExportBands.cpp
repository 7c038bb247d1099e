#include "export/ExportBands.h"

#include <algorithm>

namespace tonzug {
namespace {

// The renderer's scratch grows with the columns it paints at once (some 40 bytes each), so
// wider rows are rendered in pieces of this many columns.
constexpr std::int32_t kMaxRenderedColumns = std::int32_t{1} << 18;

}  // namespace

BandLayout LayOutBands(std::int32_t width, std::int32_t height, std::size_t bandBytes,
                       std::int32_t rowPeriod) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    const bool whole =
        rowPeriod > 0 && static_cast<std::size_t>(rowPeriod) * rowBytes <= kMaxPeriodBandBytes;
    const std::size_t period = whole ? static_cast<std::size_t>(rowPeriod) : 1;
    if (rowPeriod > 1 && !whole) {
        bandBytes = std::max(bandBytes, kMaxPeriodBandBytes);
    }
    const std::size_t periods = std::max<std::size_t>(bandBytes / rowBytes / period, 1);
    const std::size_t rows =
        std::clamp<std::size_t>(periods * period, 1, static_cast<std::size_t>(height));
    BandLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bandRows = static_cast<std::int32_t>(rows);
    layout.bandCount =
        static_cast<std::int32_t>((static_cast<std::size_t>(height) + rows - 1) / rows);
    layout.rowPeriod = whole ? rowPeriod : 0;
    return layout;
}

std::int32_t ThreadsWithinBudget(const BandLayout& layout, OutputFormat format,
                                 std::int32_t requested, PictureAlpha alpha) {
    // A thread's band rendered, packed, filtered and compressed, and its share of the
    // finished bands waiting (measured: some 14 bytes a pixel in 8 bits, twice that in 16;
    // alpha adds its fourth sample to all but the 8-bit raster), and the renderer's few
    // words of scratch per column.
    const bool deep = format == OutputFormat::kDeep16;
    const bool straight = alpha == PictureAlpha::kStraight;
    const std::uint64_t bytesPerBandPixel = deep ? (straight ? 42 : 32) : (straight ? 20 : 16);
    constexpr std::uint64_t kScratchBytesPerColumn = 48;
    const auto width = static_cast<std::uint64_t>(layout.width);
    const auto renderedColumns =
        static_cast<std::uint64_t>(std::min(layout.width, kMaxRenderedColumns));
    const std::uint64_t perThread =
        static_cast<std::uint64_t>(layout.bandRows) * width * bytesPerBandPixel +
        renderedColumns * kScratchBytesPerColumn;
    const std::uint64_t fitting = kBandMemoryBudget / std::max<std::uint64_t>(perThread, 1);
    return static_cast<std::int32_t>(
        std::clamp<std::uint64_t>(fitting, 1, static_cast<std::uint64_t>(std::max(requested, 1))));
}

namespace {

// Fresh white band rows; false when memory runs out.
template <class Band>
bool ResetWhite(Band& raster, std::int32_t width, std::int32_t rows) {
    raster.Reset(width, rows, kWhite);
    return raster.Width() == width && raster.Height() == rows;
}

template <class Band, class Render>
bool RenderFreshBand(const BandLayout& layout, std::int32_t band, Band& raster, Render render) {
    const std::int32_t rows = layout.Rows(band);
    if (!ResetWhite(raster, layout.width, rows)) {
        return false;
    }
    if (layout.width <= kMaxRenderedColumns) {
        render(0, layout.FirstRow(band), raster);
        return true;
    }
    Band piece;
    for (std::int32_t first = 0; first < layout.width; first += kMaxRenderedColumns) {
        const std::int32_t columns = std::min(kMaxRenderedColumns, layout.width - first);
        if (!ResetWhite(piece, columns, rows)) {
            return false;
        }
        render(first, layout.FirstRow(band), piece);
        for (std::int32_t y = 0; y < rows; ++y) {
            std::copy(piece.Row(y), piece.Row(y) + columns, raster.Row(y) + first);
        }
    }
    return true;
}

}  // namespace

bool RenderBand(const PictureRenderer& renderer, const BandLayout& layout, std::int32_t band,
                Raster& raster, OutputFormat format) {
    return RenderFreshBand(layout, band, raster,
                           [&](std::int32_t firstColumn, std::int32_t firstRow, Raster& fresh) {
                               renderer.RenderRegion(firstColumn, firstRow, fresh, format);
                           });
}

bool RenderBand(const PictureRenderer& renderer, const BandLayout& layout, std::int32_t band,
                Raster16& raster) {
    return RenderFreshBand(layout, band, raster,
                           [&](std::int32_t firstColumn, std::int32_t firstRow, Raster16& fresh) {
                               renderer.RenderRegion(firstColumn, firstRow, fresh);
                           });
}

bool RenderBand(const PictureRenderer& renderer, const BandLayout& layout, std::int32_t band,
                Raster16Alpha& raster) {
    return RenderFreshBand(
        layout, band, raster,
        [&](std::int32_t firstColumn, std::int32_t firstRow, Raster16Alpha& fresh) {
            renderer.RenderStraightRegion(firstColumn, firstRow, fresh);
        });
}

}  // namespace tonzug
