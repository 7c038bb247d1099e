#include "colordlg/PickPictures.h"

#include <cmath>

#include "render/Gradient.h"

namespace tonzug {
namespace {

// Red with blue 1: its hue lies just below 360 degrees, so the HSL ramp from pure red
// to it runs once around the whole circle instead of staying at red.
constexpr ColorValue kHueStripEnd = RgbColor(255, 0, 1);
constexpr ColorValue kHueStripStart = RgbColor(255, 0, 0);

}  // namespace

bool MousePicks(MouseAction action, MouseButtons buttons) {
    return action == MouseAction::kPress || buttons == kLeftButton;
}

bool IsInsidePicture(const Raster& picture, float x, float y) {
    return x >= 0.0f && x <= picture.ScaleWidth() && y >= 0.0f && y <= picture.ScaleHeight();
}

ColorValue PicturePixel(const Raster& picture, std::int32_t x, std::int32_t y) {
    return picture.PixelAt(x, y);
}

std::optional<ColorValue> StripColorAt(const Raster& strip, float x, float y) {
    if (!IsInsidePicture(strip, x, y)) {
        return std::nullopt;
    }
    // Inside the picture both values are small, so the conversion is safe.
    const auto column = static_cast<std::int32_t>(std::nearbyint(x));
    const auto row = static_cast<std::int32_t>(std::nearbyint(y));
    const ColorValue color = PicturePixel(strip, column, row);
    if (color == kNoColor) {
        return std::nullopt;
    }
    return color;
}

void DrawHueStrip(Raster& strip) {
    DrawVerticalHsl(strip, kHueStripStart, kHueStripEnd, strip.ScaleHeight());
}

void DrawGreyStrip(Raster& strip) {
    ClassicColors whiteToBlack;
    whiteToBlack.start = kWhite;
    whiteToBlack.end = kBlack;
    DrawVerticalRgb(strip, whiteToBlack, strip.ScaleHeight());
}

}  // namespace tonzug
