#include "preview/PreviewPicture.h"

#include "export/ExportPicture.h"

namespace tonzug {
namespace {

// The size the export would write; nothing to show when it would refuse the size.
PictureSize ShownSize(const GradientParams& params) {
    PictureSize size;
    if (!FullPictureSize(params, size).Ok()) {
        return {};
    }
    return size;
}

}  // namespace

PreviewPicture::PreviewPicture(const GradientParams& params)
    : PreviewPicture(params, ShownSize(params)) {}

PreviewPicture::PreviewPicture(const GradientParams& params, PictureSize size)
    : width_(size.width), height_(size.height), renderer_(params, size.width, size.height) {}

void PreviewPicture::Render(const PixelRect& part, Raster& region) const {
    const PixelRect inside = VisiblePart({0, 0, width_, height_}, part);
    if (inside.Empty() || inside != part) {
        return;  // a part outside the picture is the caller's mistake: paint nothing
    }
    renderer_.RenderRegion(static_cast<int>(part.left), static_cast<int>(part.top), region);
}

}  // namespace tonzug
