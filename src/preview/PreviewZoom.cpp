#include "preview/PreviewZoom.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tonzug {
namespace {

// Steps in percent, as image viewers offer them.
constexpr std::array kZoomSteps{1.0,   2.0,   3.0,   4.0,   5.0,   6.25,  8.33,   10.0,
                                12.5,  16.67, 20.0,  25.0,  33.33, 50.0,  66.67,  100.0,
                                150.0, 200.0, 300.0, 400.0, 600.0, 800.0, 1200.0, 1600.0};
constexpr double kPercent = 100.0;
// Zooms this close count as equal, so that a step from a rounded value is never lost.
constexpr double kSameZoom = 1e-9;

double Step(std::size_t index) {
    return kZoomSteps[index] / kPercent;
}

// The first picture pixel a view position shows, and one past the last, when each picture
// pixel covers `scale` positions.
std::int64_t FirstCovered(std::int64_t position, double scale) {
    return static_cast<std::int64_t>(std::floor(static_cast<double>(position) / scale));
}
std::int64_t EndCovered(std::int64_t position, double scale) {
    return static_cast<std::int64_t>(std::ceil(static_cast<double>(position) / scale));
}

}  // namespace

double FitZoom(std::int64_t viewWidth, std::int64_t viewHeight, std::int64_t pictureWidth,
               std::int64_t pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || viewWidth <= 0 || viewHeight <= 0) {
        return kOriginalZoom;
    }
    return std::min({kOriginalZoom,
                     static_cast<double>(viewWidth) / static_cast<double>(pictureWidth),
                     static_cast<double>(viewHeight) / static_cast<double>(pictureHeight)});
}

double ZoomIn(double zoom) {
    for (std::size_t index = 0; index < kZoomSteps.size(); ++index) {
        if (Step(index) > zoom * (1 + kSameZoom)) {
            return Step(index);
        }
    }
    return Step(kZoomSteps.size() - 1);
}

double ZoomOut(double zoom, double smallest) {
    for (std::size_t index = kZoomSteps.size(); index-- > 0;) {
        if (Step(index) < zoom * (1 - kSameZoom)) {
            return Step(index);
        }
    }
    return std::min(smallest, zoom);
}

std::int64_t ZoomedLength(std::int64_t length, double zoom) {
    return std::max<std::int64_t>(std::llround(static_cast<double>(length) * zoom), 1);
}

std::int64_t MaxScroll(std::int64_t view, std::int64_t zoomed) {
    return std::max<std::int64_t>(zoomed - view, 0);
}

std::int64_t ZoomedStart(std::int64_t view, std::int64_t zoomed, std::int64_t scroll) {
    if (zoomed <= view) {
        return CenterPreview(view, 0, zoomed, 0).left;
    }
    return -std::clamp<std::int64_t>(scroll, 0, MaxScroll(view, zoomed));
}

std::int64_t ScrollKeepingPoint(std::int64_t view, std::int64_t anchor, std::int64_t oldZoomed,
                                std::int64_t oldScroll, std::int64_t newZoomed) {
    const double point = static_cast<double>(anchor - ZoomedStart(view, oldZoomed, oldScroll)) /
                         static_cast<double>(oldZoomed);
    const std::int64_t scroll = std::llround(point * static_cast<double>(newZoomed)) - anchor;
    return std::clamp<std::int64_t>(scroll, 0, MaxScroll(view, newZoomed));
}

ZoomedPart PartToRender(std::int64_t pictureWidth, std::int64_t pictureHeight,
                        const PixelRect& placement, const PixelRect& view) {
    ZoomedPart drawn;
    const PixelRect visible = VisiblePart(placement, view);
    if (visible.Empty() || pictureWidth <= 0 || pictureHeight <= 0) {
        return drawn;
    }
    if (placement.width <= pictureWidth && placement.height <= pictureHeight) {
        drawn.surfaceWidth = placement.width;
        drawn.surfaceHeight = placement.height;
        drawn.part = visible;
    } else {
        drawn.surfaceWidth = pictureWidth;
        drawn.surfaceHeight = pictureHeight;
        drawn.scaleX = static_cast<double>(placement.width) / static_cast<double>(pictureWidth);
        drawn.scaleY = static_cast<double>(placement.height) / static_cast<double>(pictureHeight);
        const std::int64_t left = FirstCovered(visible.left, drawn.scaleX);
        const std::int64_t top = FirstCovered(visible.top, drawn.scaleY);
        drawn.part = {left, top,
                      std::min(EndCovered(visible.Right(), drawn.scaleX), pictureWidth) - left,
                      std::min(EndCovered(visible.Bottom(), drawn.scaleY), pictureHeight) - top};
    }
    drawn.targetLeft =
        static_cast<double>(placement.left) + static_cast<double>(drawn.part.left) * drawn.scaleX;
    drawn.targetTop =
        static_cast<double>(placement.top) + static_cast<double>(drawn.part.top) * drawn.scaleY;
    return drawn;
}

}  // namespace tonzug
