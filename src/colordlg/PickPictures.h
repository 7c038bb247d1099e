#pragma once

#include <cstdint>
#include <optional>

#include "color/ColorValue.h"
#include "render/Raster.h"

namespace tonzug {

// Mouse button mask as the pictures' mouse handlers receive it.
using MouseButtons = std::int32_t;
inline constexpr MouseButtons kLeftButton = 1;
inline constexpr MouseButtons kRightButton = 2;
inline constexpr MouseButtons kMiddleButton = 4;

// A press picks with any button; a move only while the left button alone is held, so a
// drag with the right button (or with two buttons) leaves the value alone.
enum class MouseAction { kPress, kMove };
bool MousePicks(MouseAction action, MouseButtons buttons);

// True when 0 <= x <= width and 0 <= y <= height of the picture: both far edges count
// as inside, although no pixel lies there.
bool IsInsidePicture(const Raster& picture, float x, float y);

// The colour of one pixel of a picture; kNoColor outside it.
ColorValue PicturePixel(const Raster& picture, std::int32_t x, std::int32_t y);

// The colour a pick at (x, y) takes from a strip: the pixel at the point rounded to
// the nearest (ties to even). Empty outside the strip, and on its far edges, where no
// pixel lies.
std::optional<ColorValue> StripColorAt(const Raster& strip, float x, float y);

// The two pick strips: hue once around the circle from red at the top back to red at
// the bottom, and white at the top to black at the bottom; one band per pixel row.
void DrawHueStrip(Raster& strip);
void DrawGreyStrip(Raster& strip);

}  // namespace tonzug
