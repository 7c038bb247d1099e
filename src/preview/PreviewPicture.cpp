#include "preview/PreviewPicture.h"

#include "export/ExportPicture.h"
#include "render/FreeRenderer.h"
#include "render/Gradient.h"

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

// The renderer of the picture, classic or free, at its full size.
std::unique_ptr<PictureRenderer> RendererOf(const GradientPicture& picture, PictureSize size) {
    if (picture.free) {
        return std::make_unique<FreeRenderer>(*picture.free, size.width, size.height);
    }
    return std::make_unique<GradientRenderer>(picture.params, size.width, size.height);
}

}  // namespace

PreviewPicture::PreviewPicture(const GradientPicture& picture)
    : PreviewPicture(picture, ShownSize(picture.params)) {}

PreviewPicture::PreviewPicture(const GradientPicture& picture, PictureSize size)
    : width_(size.width), height_(size.height), renderer_(RendererOf(picture, size)) {}

void PreviewPicture::Render(const PixelRect& part, Raster& region) const {
    const PixelRect inside = VisiblePart({0, 0, width_, height_}, part);
    if (inside.Empty() || inside != part) {
        return;  // a part outside the picture is the caller's mistake: paint nothing
    }
    renderer_->RenderRegion(static_cast<int>(part.left), static_cast<int>(part.top), region,
                            OutputFormat::kPlain8);
}

}  // namespace tonzug
