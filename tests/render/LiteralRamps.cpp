#include "render/LiteralRamps.h"

#include <algorithm>
#include <cmath>

#include "color/SystemColors.h"

namespace tonzug::literal {
namespace {

// The rules written out again, independently of the program's own helpers, so that a
// fault in one of them cannot hide in the comparison.

// Only for the small positions of the tests: ties to even, no range check.
std::int64_t Round(double x) {
    return static_cast<std::int64_t>(std::nearbyint(x));
}

// Limits x to 0..255 and rounds it to the nearest whole number, exact halves to even.
std::int32_t Channel(float x) {
    float v = x >= 0.0f ? x : 0.0f;
    if (v > 255.0f) {
        v = 255.0f;
    }
    const float whole = std::floor(v);
    const float rest = v - whole;
    auto result = static_cast<std::int32_t>(whole);
    if (rest > 0.5f || (rest == 0.5f && result % 2 == 1)) {
        ++result;
    }
    return result;
}

std::int32_t Red(ColorValue c) {
    return c & 0xFF;
}
std::int32_t Green(ColorValue c) {
    return (c >> 8) & 0xFF;
}
std::int32_t Blue(ColorValue c) {
    return (c >> 16) & 0xFF;
}
ColorValue Pack(std::int32_t r, std::int32_t g, std::int32_t b) {
    return r | (g << 8) | (b << 16);
}
float Diff(std::int32_t from, std::int32_t to) {
    return static_cast<float>(to - from);
}

// A write outside 0..N is skipped.
void Put(std::vector<ColorValue>& ramp, std::int64_t index, ColorValue color) {
    if (index >= 0 && index < static_cast<std::int64_t>(ramp.size())) {
        ramp[static_cast<std::size_t>(index)] = color;
    }
}

ColorValue Blend(float k, float r0, float g0, float b0, float dR, float dG, float dB) {
    return Pack(Channel(k * dR + r0), Channel(k * dG + g0), Channel(k * dB + b0));
}

// The hexcone model: hue in degrees, saturation and lightness 0..1.
struct Hsl {
    double h = 0;
    double s = 0;
    double l = 0;
};

Hsl ToHsl(ColorValue c) {
    c = TranslateColor(c, 0);
    const double r = Red(c) / 255.0;
    const double g = Green(c) / 255.0;
    const double b = Blue(c) / 255.0;
    const double hi = std::max({r, g, b});
    const double lo = std::min({r, g, b});
    Hsl hsl;
    hsl.l = (hi + lo) / 2;
    if (hi == lo) {
        return hsl;
    }
    const double d = hi - lo;
    hsl.s = hsl.l <= 0.5 ? d / (hi + lo) : d / (2 - hi - lo);
    if (r == hi) {
        hsl.h = (g - b) / d;
    } else if (g == hi) {
        hsl.h = 2 + (b - r) / d;
    } else {
        hsl.h = 4 + (r - g) / d;
    }
    hsl.h *= 60;
    if (hsl.h < 0) {
        hsl.h += 360;
    }
    return hsl;
}

double Value(double m1, double m2, double h) {
    if (h > 360) {
        h -= 360;
    }
    if (h < 0) {
        h += 360;
    }
    if (h < 60) {
        return m1 + (m2 - m1) * h / 60;
    }
    if (h < 180) {
        return m2;
    }
    if (h < 240) {
        return m1 + (m2 - m1) * (240 - h) / 60;
    }
    return m1;
}

// Halves go up; negative values are cut toward zero. The result is kept within 0..255.
std::int32_t HalfUpChannel(double x) {
    const double whole = std::trunc(x);
    const double rounded = (x - whole >= 0.5) ? whole + 1 : whole;
    return static_cast<std::int32_t>(std::clamp(rounded, 0.0, 255.0));
}

ColorValue FromHsl(double h, double s, double l) {
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    double r = l;
    double g = l;
    double b = l;
    if (!(s == 0 && h == 0)) {
        r = Value(m1, m2, h + 120);
        g = Value(m1, m2, h);
        b = Value(m1, m2, h - 120);
    }
    return Pack(HalfUpChannel(r * 255), HalfUpChannel(g * 255), HalfUpChannel(b * 255));
}

}  // namespace

std::vector<ColorValue> BuildRampTwo(ColorValue start, ColorValue end, float steps) {
    start = TranslateColor(start, 0);
    end = TranslateColor(end, 0);
    if (steps < 2) {
        steps = 2;
    }
    const std::int64_t n = Round(steps);
    std::vector<ColorValue> ramp(static_cast<std::size_t>(n) + 1, 0);
    Put(ramp, 1, start);
    Put(ramp, n, end);
    const float dR = Diff(Red(start), Red(end)) / (steps - 1);
    const float dG = Diff(Green(start), Green(end)) / (steps - 1);
    const float dB = Diff(Blue(start), Blue(end)) / (steps - 1);
    const auto r0 = static_cast<float>(Red(start));
    const auto g0 = static_cast<float>(Green(start));
    const auto b0 = static_cast<float>(Blue(start));
    for (std::int64_t i = 2; i <= n - 1; ++i) {
        const auto k = static_cast<float>(i - 1);
        Put(ramp, i, Blend(k, r0, g0, b0, dR, dG, dB));
    }
    return ramp;
}

void FillRampSection(std::vector<ColorValue>& ramp, std::int64_t from, std::int64_t to,
                     ColorValue c1, ColorValue c2, std::int32_t shift) {
    const auto n = static_cast<float>(static_cast<double>(to - from) + 1.5);
    const float dR = Diff(Red(c1), Red(c2)) / n;
    const float dG = Diff(Green(c1), Green(c2)) / n;
    const float dB = Diff(Blue(c1), Blue(c2)) / n;
    const float r0 = static_cast<float>(Red(c1)) - (dR / 2) * static_cast<float>(shift);
    const float g0 = static_cast<float>(Green(c1)) - (dG / 2) * static_cast<float>(shift);
    const float b0 = static_cast<float>(Blue(c1)) - (dB / 2) * static_cast<float>(shift);
    float k = 0;
    for (std::int64_t i = from; i <= to; ++i) {
        k = k + 1;
        Put(ramp, i, Blend(k, r0, g0, b0, dR, dG, dB));
    }
}

std::vector<ColorValue> BuildRampBands(ColorValue start, ColorValue end, float steps,
                                       float middlePercent, ColorValue middle,
                                       std::int16_t middleOn, std::int32_t startBand,
                                       std::int32_t middleBand, std::int32_t endBand) {
    start = TranslateColor(start, 0);
    end = TranslateColor(end, 0);
    if (steps < 2) {
        steps = 2;
    }
    const std::int64_t n = Round(steps);
    std::vector<ColorValue> ramp(static_cast<std::size_t>(n) + 1, 0);
    for (std::int64_t i = 1; i <= startBand; ++i) {
        Put(ramp, i, start);
    }
    for (std::int64_t i = Round(double{steps} - endBand + 1); i <= n; ++i) {
        Put(ramp, i, end);
    }
    const std::int64_t m = Round(steps * middlePercent / 100.0f);  // two floats: float arithmetic
    const std::int64_t first = m - static_cast<std::int64_t>(std::trunc(middleBand / 2.0)) - 1;
    const std::int64_t last = first + middleBand + 1;
    const auto r0 = static_cast<float>(Red(start));
    const auto g0 = static_cast<float>(Green(start));
    const auto b0 = static_cast<float>(Blue(start));
    if (middleOn == 0) {
        middle = Pack(Channel(r0 + Diff(Red(start), Red(end)) / 2),
                      Channel(g0 + Diff(Green(start), Green(end)) / 2),
                      Channel(b0 + Diff(Blue(start), Blue(end)) / 2));
    }
    FillRampSection(ramp, std::int64_t{startBand} + 1, first, start, middle, 0);
    FillRampSection(ramp, last, n - endBand, middle, end, 1);
    for (std::int64_t i = first + 1; i <= last - 1; ++i) {
        Put(ramp, i, middle);
    }
    return ramp;
}

std::vector<ColorValue> BuildRampHsl(ColorValue start, ColorValue end, std::int32_t n) {
    if (n < 0) {
        return {};  // the allocation fails
    }
    std::vector<ColorValue> ramp(static_cast<std::size_t>(n) + 1, 0);
    const Hsl from = ToHsl(start);
    const Hsl to = ToHsl(end);
    double dH = 0;
    double dS = 0;
    double dL = 0;
    if (n - 1 != 0) {  // the division by zero fails and leaves the increments at 0
        dH = (to.h - from.h) / (n - 1);
        dS = (to.s - from.s) / (n - 1);
        dL = (to.l - from.l) / (n - 1);
    }
    Put(ramp, 1, start);
    Put(ramp, n, end);
    for (std::int64_t i = 1; i <= std::int64_t{n} - 1; ++i) {
        const auto k = static_cast<double>(i);
        Put(ramp, i + 1, FromHsl(k * dH + from.h, k * dS + from.s, k * dL + from.l));
    }
    return ramp;
}

}  // namespace tonzug::literal
