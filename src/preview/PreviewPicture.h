#pragma once

#include <cstdint>
#include <memory>

#include "export/ExportPicture.h"
#include "preview/PreviewPlacement.h"
#include "render/PictureRenderer.h"
#include "render/Raster.h"

namespace tonzug {

// The picture a preview window shows: the gradient at full size, one pixel per gradient
// pixel. It is never held whole: a window paints only the part it shows, so a picture
// of 99999999 x 256 costs no more than one of the window's size.
class PreviewPicture {
  public:
    explicit PreviewPicture(const GradientPicture& picture);

    // The full size, as the export writes it; 0 x 0, which shows nothing, for a size the
    // export refuses as empty or out of range.
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // Paints `part` (picture coordinates) into `region`, whose top-left pixel is the
    // part's top-left. Pixels the gradient leaves uncovered keep their content.
    void Render(const PixelRect& part, Raster& region) const;
    // The same for the picture drawn smaller, on a surface of the given size, as a view
    // that fits it shows it.
    void RenderOnSurface(std::int64_t surfaceWidth, std::int64_t surfaceHeight,
                         const PixelRect& part, Raster& region);

  private:
    PreviewPicture(const GradientPicture& picture, PictureSize size);

    GradientPicture picture_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::unique_ptr<PictureRenderer> renderer_;
    // The renderer of the last smaller surface, kept while the zoom stays.
    std::unique_ptr<PictureRenderer> surfaceRenderer_;
    std::int64_t surfaceWidth_ = 0;
    std::int64_t surfaceHeight_ = 0;
};

}  // namespace tonzug
