#pragma once

#include <cstdint>

#include "preview/PreviewPlacement.h"

namespace tonzug {

// The large preview's zoom: device pixels per picture pixel, 1 for one picture pixel per
// device pixel.
inline constexpr double kOriginalZoom = 1.0;

// The largest zoom that shows the whole picture in the view, never more than 1: a picture
// smaller than the view keeps its size.
double FitZoom(std::int64_t viewWidth, std::int64_t viewHeight, std::int64_t pictureWidth,
               std::int64_t pictureHeight);

// The next step of the ladder above or below `zoom` (1 % to 1600 %). Below the ladder's
// smallest step lies only `smallest`, the fit of a picture too large for that step.
double ZoomIn(double zoom);
double ZoomOut(double zoom, double smallest);

// A length of the picture at a zoom: at least one pixel.
std::int64_t ZoomedLength(std::int64_t length, double zoom);

// Where the zoomed picture lies in the view, on one axis: in the middle where it is shorter
// than the view, else moved by the scroll offset, which is kept within the picture.
std::int64_t ZoomedStart(std::int64_t view, std::int64_t zoomed, std::int64_t scroll);
std::int64_t MaxScroll(std::int64_t view, std::int64_t zoomed);

// The scroll offset after a zoom that keeps the picture point under `anchor` (a view
// position on one axis) where it is.
std::int64_t ScrollKeepingPoint(std::int64_t view, std::int64_t anchor, std::int64_t oldZoomed,
                                std::int64_t oldScroll, std::int64_t newZoomed);

// What a view draws of the zoomed picture placed at `placement` (view pixels): the renderer
// paints `part` of a surface of surfaceWidth x surfaceHeight, which appears at (targetLeft,
// targetTop) with each surface pixel `scaleX` x `scaleY` view pixels. Below 1:1 the surface is
// the zoomed picture itself; above, the picture at full size, enlarged so that its pixels show.
struct ZoomedPart {
    std::int64_t surfaceWidth = 0;
    std::int64_t surfaceHeight = 0;
    PixelRect part;
    double targetLeft = 0;
    double targetTop = 0;
    double scaleX = 1;
    double scaleY = 1;
};
ZoomedPart PartToRender(std::int64_t pictureWidth, std::int64_t pictureHeight,
                        const PixelRect& placement, const PixelRect& view);

}  // namespace tonzug
