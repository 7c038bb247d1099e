#include "render/LiteralDraw.h"

#include <memory>
#include <optional>

#include "render/ColorRamp.h"
#include "render/Gradient.h"
#include "support/Numbers.h"

namespace tonzug::reference {
namespace {

std::unique_ptr<ColorRamp> RampFor(const GradientParams& p, float steps) {
    if (p.colorMode == kModeHsl) {
        const std::optional<std::int32_t> n = RoundToInt32(steps);
        return n ? BuildRampHsl(p.startColor, p.endColor, *n) : nullptr;
    }
    if (p.middlePercent != 50.0f || p.middleOn != 0) {
        return BuildRampBands(p.startColor, p.endColor, steps, p.middlePercent, p.middleColor,
                              p.middleOn, p.startBand, p.middleBand, p.endBand);
    }
    return BuildRampTwo(p.startColor, p.endColor, steps);
}

void DrawHorizontal(Raster& surface, const ColorRamp& ramp, float steps) {
    const float w = surface.ScaleWidth() / steps;
    const float h = surface.ScaleHeight();
    const std::int32_t n = RoundToInt32(steps).value_or(0);
    for (std::int32_t i = 0; i < n; ++i) {
        surface.FillBox(w * static_cast<float>(i), 0.0f, w * static_cast<float>(i) + w, h,
                        ramp.At(i + 1));
    }
}

void DrawVertical(Raster& surface, const ColorRamp& ramp, float steps) {
    const float h = surface.ScaleHeight() / steps;
    const float w = surface.ScaleWidth();
    const std::int32_t n = RoundToInt32(steps).value_or(0);
    for (std::int32_t i = 0; i < n; ++i) {
        surface.FillBox(0.0f, h * static_cast<float>(i), w, h * static_cast<float>(i) + h,
                        ramp.At(i + 1));
    }
}

void DrawCircle(Raster& surface, const ColorRamp& ramp, float steps) {
    const std::int32_t n = RoundToInt32(steps).value_or(0);
    if (n <= 0) {
        return;
    }
    const float sw = surface.ScaleWidth();
    const float sh = surface.ScaleHeight();
    const std::int32_t rs =
        CornerRadius(RoundToInt32(sw).value_or(0), RoundToInt32(sh).value_or(0));
    const auto ring = static_cast<float>(static_cast<double>(rs) / static_cast<double>(steps));
    const std::int16_t pen = surface.PenWidth();
    if (ring < 2.0f) {
        surface.SetPenWidth(2);
    } else if (const std::optional<std::int32_t> rounded = RoundToInt32(ring)) {
        if (const std::optional<std::int16_t> narrowed = NarrowToInt16(*rounded)) {
            surface.SetPenWidth(*narrowed);
        }
    }
    for (std::int32_t i = 0; i < n; ++i) {
        surface.Circle(sw / 2.0f, sh / 2.0f, ring * static_cast<float>(i), ramp.At(i + 1));
    }
    surface.SetPenWidth(pen);
}

}  // namespace

void DrawGradient(Raster& surface, const GradientParams& params) {
    surface.SetAutoRedraw(true);
    const std::optional<std::int32_t> a = RoundToInt32(params.width);
    const std::optional<std::int32_t> b = RoundToInt32(params.height);
    const auto radius = static_cast<float>(a && b ? CornerRadius(*a, *b) : 0);
    if ((params.colorMode != kModeRgb && params.colorMode != kModeHsl)) {
        return;
    }
    switch (params.orientation) {
        case kHorizontal:
            if (const auto ramp = RampFor(params, params.width)) {
                DrawHorizontal(surface, *ramp, params.width);
            }
            break;
        case kVertical:
            if (const auto ramp = RampFor(params, params.height)) {
                DrawVertical(surface, *ramp, params.height);
            }
            break;
        case kCircle:
            if (const auto ramp = RampFor(params, radius)) {
                DrawCircle(surface, *ramp, radius);
            }
            break;
        default:
            break;
    }
}

}  // namespace tonzug::reference
