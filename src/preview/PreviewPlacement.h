#pragma once

#include <cstdint>

namespace tonzug {

// A rectangle of device pixels. 64-bit, so that a picture of any 32-bit size can be
// placed and cut without overflow.
struct PixelRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;

    std::int64_t Right() const { return left + width; }
    std::int64_t Bottom() const { return top + height; }
    bool Empty() const { return width <= 0 || height <= 0; }

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Where a picture of the given size sits when centred in an inner area: left and top are
// half the difference of the sizes, rounded down. A picture larger than the area gets a
// negative left or top and is cut off evenly on both sides (to one pixel).
PixelRect CenterPreview(std::int64_t innerWidth, std::int64_t innerHeight,
                        std::int64_t pictureWidth, std::int64_t pictureHeight);

// The part of the placed picture that falls inside `area` (both in window coordinates),
// in picture coordinates: the only pixels worth drawing. Empty when nothing shows.
PixelRect VisiblePart(const PixelRect& placement, const PixelRect& area);

}  // namespace tonzug
