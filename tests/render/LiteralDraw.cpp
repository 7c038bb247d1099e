#include "render/LiteralDraw.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "color/SystemColors.h"
#include "render/LiteralRamps.h"

namespace tonzug::reference {
namespace {

using enum Orientation;
using enum ColorMode;

// Every rule below is written again from the raster's description, not taken from the
// program, so that the comparison tests are a second opinion on the coverage too.

std::optional<std::int32_t> Whole(double x) {
    if (!std::isfinite(x) || std::nearbyint(x) < -2147483648.0 ||
        std::nearbyint(x) > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(std::nearbyint(x));
}

// The surface word of a colour, or none for a colour that cannot be shown.
std::optional<std::uint32_t> Word(ColorValue color) {
    if (color < 0) {
        color = TranslateColor(color, 0);
        if (color < 0) {
            return std::nullopt;
        }
    }
    const std::uint32_t r = color & 0xFF;
    const std::uint32_t g = (color >> 8) & 0xFF;
    const std::uint32_t b = (color >> 16) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// A box edge pair covers the pixels whose square overlaps [lo, hi), and at least the one
// that holds lo.
void CoveredPixels(float a, float b, int count, int& first, int& end) {
    first = 0;
    end = 0;
    if (std::isnan(a) || std::isnan(b)) {
        return;
    }
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    const double from = std::max(std::floor(lo), 0.0);
    const double to = std::min(std::max(std::floor(lo) + 1, std::ceil(hi)), double(count));
    if (from < to) {
        first = static_cast<int>(from);
        end = static_cast<int>(to);
    }
}

void Box(Raster& surface, float x1, float y1, float x2, float y2, ColorValue color) {
    const std::optional<std::uint32_t> word = Word(color);
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    CoveredPixels(x1, x2, surface.Width(), left, right);
    CoveredPixels(y1, y2, surface.Height(), top, bottom);
    for (int y = top; word && y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            surface.Row(y)[x] = *word;
        }
    }
}

// An outline of radius r drawn with pen p covers the pixel centres at a distance d with
// |d - r| <= p / 2 + 1/2 (a pen below 1 counts as 1).
void Ring(Raster& surface, float cx, float cy, float radius, std::int16_t pen, ColorValue color) {
    const std::optional<std::uint32_t> word = Word(color);
    if (!word || !(radius >= 0.0f)) {
        return;
    }
    const double half = (std::max<int>(pen, 1) + 1.0) / 2.0;
    const double inner = radius - half;
    const double outer = radius + half;
    // Only the pixels within reach can be covered; the exact test decides.
    const int top = static_cast<int>(std::max(std::floor(cy - outer - 1), 0.0));
    const int bottom =
        static_cast<int>(std::min(std::ceil(cy + outer + 1), double(surface.Height())));
    const int left = static_cast<int>(std::max(std::floor(cx - outer - 1), 0.0));
    const int right =
        static_cast<int>(std::min(std::ceil(cx + outer + 1), double(surface.Width())));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double d2 = dx * dx + dy * dy;
            if ((inner <= 0 || inner * inner <= d2) && d2 <= outer * outer) {
                surface.Row(y)[x] = *word;
            }
        }
    }
}

// Half of each side rounded, then the rounded root of the sum of squares.
std::int32_t Radius(std::int32_t a, std::int32_t b) {
    const double x = std::nearbyint(a / 2.0);
    const double y = std::nearbyint(b / 2.0);
    return static_cast<std::int32_t>(std::nearbyint(std::sqrt(x * x + y * y)));
}

std::vector<ColorValue> RampFor(const GradientParams& p, float steps) {
    if (p.colorMode == kHsl) {
        const std::optional<std::int32_t> n = Whole(steps);
        return n ? literal::BuildRampHsl(p.colors.start, p.colors.end, *n)
                 : std::vector<ColorValue>{};
    }
    if (p.colors.middlePercent != 50.0f || p.colors.middleOn) {
        return literal::BuildRampBands(p.colors, steps);
    }
    return literal::BuildRampTwo(p.colors.start, p.colors.end, steps);
}

ColorValue Entry(const std::vector<ColorValue>& ramp, std::int64_t index) {
    return index < static_cast<std::int64_t>(ramp.size()) ? ramp[static_cast<std::size_t>(index)]
                                                          : 0;
}

}  // namespace

void DrawGradient(Raster& surface, const GradientParams& params) {
    surface.SetAutoRedraw(true);
    if (params.colorMode != kRgb && params.colorMode != kHsl) {
        return;
    }
    const float sw = surface.ScaleWidth();
    const float sh = surface.ScaleHeight();
    if (params.orientation == kHorizontal || params.orientation == kVertical) {
        const bool across = params.orientation == kHorizontal;
        const float steps = across ? params.width : params.height;
        const std::vector<ColorValue> ramp = RampFor(params, steps);
        const float size = (across ? sw : sh) / steps;
        const std::int32_t n = Whole(steps).value_or(0);
        for (std::int32_t i = 0; i < n; ++i) {
            const float from = size * static_cast<float>(i);
            if (across) {
                Box(surface, from, 0.0f, from + size, sh, Entry(ramp, i + 1));
            } else {
                Box(surface, 0.0f, from, sw, from + size, Entry(ramp, i + 1));
            }
        }
        return;
    }
    if (params.orientation != kCircle) {
        return;
    }
    const std::optional<std::int32_t> a = Whole(params.width);
    const std::optional<std::int32_t> b = Whole(params.height);
    const auto steps = static_cast<float>(a && b ? Radius(*a, *b) : 0);
    const std::vector<ColorValue> ramp = RampFor(params, steps);
    const std::int32_t n = Whole(steps).value_or(0);
    if (n <= 0) {
        return;
    }
    const std::int32_t rs = Radius(Whole(sw).value_or(0), Whole(sh).value_or(0));
    const auto ring = static_cast<float>(static_cast<double>(rs) / static_cast<double>(steps));
    std::int16_t pen = surface.PenWidth();
    if (ring < 2.0f) {
        pen = 2;
    } else if (const std::optional<std::int32_t> rounded = Whole(ring);
               rounded && *rounded <= 32767) {
        pen = static_cast<std::int16_t>(*rounded);
    }
    for (std::int32_t i = 0; i < n; ++i) {
        Ring(surface, sw / 2.0f, sh / 2.0f, ring * static_cast<float>(i), pen, Entry(ramp, i + 1));
    }
}

}  // namespace tonzug::reference
