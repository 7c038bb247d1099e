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

// The renderer of the picture, classic or free, drawn on a surface of the given size.
std::unique_ptr<PictureRenderer> RendererOf(const GradientPicture& picture, PictureSize size,
                                            int surfaceWidth, int surfaceHeight) {
    if (picture.free) {
        return std::make_unique<FreeRenderer>(*picture.free, size.width, size.height, surfaceWidth,
                                              surfaceHeight);
    }
    // The classic steps scale to the surface by themselves.
    return std::make_unique<GradientRenderer>(picture.params, surfaceWidth, surfaceHeight);
}

// Whether `part` lies within a surface of the given size (and is not empty).
bool InsideSurface(const PixelRect& part, std::int64_t width, std::int64_t height) {
    const PixelRect inside = VisiblePart({0, 0, width, height}, part);
    return !inside.Empty() && inside == part;
}

}  // namespace

PreviewPicture::PreviewPicture(const GradientPicture& picture)
    : PreviewPicture(picture, ShownSize(picture.params)) {}

PreviewPicture::PreviewPicture(const GradientPicture& picture, PictureSize size)
    : picture_(picture),
      width_(size.width),
      height_(size.height),
      renderer_(RendererOf(picture, size, size.width, size.height)) {}

void PreviewPicture::Render(const PixelRect& part, Raster& region) const {
    if (!InsideSurface(part, width_, height_)) {
        return;  // a part outside the picture is the caller's mistake: paint nothing
    }
    renderer_->RenderRegion(static_cast<int>(part.left), static_cast<int>(part.top), region,
                            OutputFormat::kPlain8);
}

void PreviewPicture::RenderOnSurface(std::int64_t surfaceWidth, std::int64_t surfaceHeight,
                                     const PixelRect& part, Raster& region) {
    if (surfaceWidth == width_ && surfaceHeight == height_) {
        Render(part, region);
        return;
    }
    // Only smaller surfaces: a larger one is the full picture enlarged by the view.
    if (surfaceWidth > width_ || surfaceHeight > height_ ||
        !InsideSurface(part, surfaceWidth, surfaceHeight)) {
        return;
    }
    if (surfaceRenderer_ == nullptr || surfaceWidth != surfaceWidth_ ||
        surfaceHeight != surfaceHeight_) {
        surfaceRenderer_ = RendererOf(picture_, {width_, height_}, static_cast<int>(surfaceWidth),
                                      static_cast<int>(surfaceHeight));
        surfaceWidth_ = surfaceWidth;
        surfaceHeight_ = surfaceHeight;
    }
    surfaceRenderer_->RenderRegion(static_cast<int>(part.left), static_cast<int>(part.top), region,
                                   OutputFormat::kPlain8);
}

}  // namespace tonzug
