#include "export/ExportBands.h"

#include <algorithm>

namespace tonzug {

BandLayout LayOutBands(std::int32_t width, std::int32_t height, std::size_t bandBytes,
                       std::int32_t rowPeriod) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    const std::size_t period = static_cast<std::size_t>(std::max(rowPeriod, 1));
    const std::size_t periods = std::max<std::size_t>(bandBytes / rowBytes / period, 1);
    const std::size_t rows =
        std::clamp<std::size_t>(periods * period, 1, static_cast<std::size_t>(height));
    BandLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bandRows = static_cast<std::int32_t>(rows);
    layout.bandCount =
        static_cast<std::int32_t>((static_cast<std::size_t>(height) + rows - 1) / rows);
    return layout;
}

namespace {

template <class Band, class Render>
bool RenderFreshBand(const BandLayout& layout, std::int32_t band, Band& raster, Render render) {
    const std::int32_t rows = layout.Rows(band);
    raster.Reset(layout.width, rows, kWhite);
    if (raster.Width() != layout.width || raster.Height() != rows) {
        return false;
    }
    render(layout.FirstRow(band), raster);
    return true;
}

}  // namespace

bool RenderBand(const GradientRenderer& renderer, const BandLayout& layout, std::int32_t band,
                Raster& raster, OutputFormat format) {
    return RenderFreshBand(layout, band, raster, [&](std::int32_t firstRow, Raster& fresh) {
        renderer.RenderRows(firstRow, fresh, format);
    });
}

bool RenderBand(const GradientRenderer& renderer, const BandLayout& layout, std::int32_t band,
                Raster16& raster) {
    return RenderFreshBand(layout, band, raster, [&](std::int32_t firstRow, Raster16& fresh) {
        renderer.RenderRows(firstRow, fresh);
    });
}

}  // namespace tonzug
