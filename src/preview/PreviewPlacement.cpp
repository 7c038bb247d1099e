#include "preview/PreviewPlacement.h"

#include <algorithm>

namespace tonzug {
namespace {

// Halves rounding towards negative infinity, so that an overhanging picture is cut
// the same way on both sides whatever the sign.
std::int64_t FloorHalf(std::int64_t value) {
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

}  // namespace

PixelRect CenterPreview(std::int64_t innerWidth, std::int64_t innerHeight,
                        std::int64_t pictureWidth, std::int64_t pictureHeight) {
    const std::int64_t width = std::max<std::int64_t>(pictureWidth, 0);
    const std::int64_t height = std::max<std::int64_t>(pictureHeight, 0);
    return {FloorHalf(innerWidth - width), FloorHalf(innerHeight - height), width, height};
}

PixelRect VisiblePart(const PixelRect& placement, const PixelRect& area) {
    const std::int64_t left = std::max(placement.left, area.left);
    const std::int64_t top = std::max(placement.top, area.top);
    const std::int64_t right = std::min(placement.Right(), area.Right());
    const std::int64_t bottom = std::min(placement.Bottom(), area.Bottom());
    if (right <= left || bottom <= top) {
        return {};
    }
    return {left - placement.left, top - placement.top, right - left, bottom - top};
}

}  // namespace tonzug
