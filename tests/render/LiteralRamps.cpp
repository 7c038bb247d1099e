#include "render/LiteralRamps.h"

#include <cmath>

#include "color/ColorSpaces.h"
#include "color/SystemColors.h"
#include "render/ColorRamp.h"

namespace tonzug::literal {
namespace {

// Only for the small positions of the tests: ties to even, no range check.
std::int64_t Round(double x) {
    return static_cast<std::int64_t>(std::nearbyint(x));
}

// A write outside 0..N is skipped.
void Put(std::vector<ColorValue>& ramp, std::int64_t index, ColorValue color) {
    if (index >= 0 && index < static_cast<std::int64_t>(ramp.size())) {
        ramp[static_cast<std::size_t>(index)] = color;
    }
}

ColorValue Blend(float k, float r0, float g0, float b0, float dR, float dG, float dB) {
    return RgbColor(ClampByte(k * dR + r0), ClampByte(k * dG + g0), ClampByte(k * dB + b0));
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
    const float dR = DiffRed(start, end) / (steps - 1);
    const float dG = DiffGreen(start, end) / (steps - 1);
    const float dB = DiffBlue(start, end) / (steps - 1);
    const auto r0 = static_cast<float>(RedOf(start));
    const auto g0 = static_cast<float>(GreenOf(start));
    const auto b0 = static_cast<float>(BlueOf(start));
    for (std::int64_t i = 2; i <= n - 1; ++i) {
        const auto k = static_cast<float>(i - 1);
        Put(ramp, i, Blend(k, r0, g0, b0, dR, dG, dB));
    }
    return ramp;
}

void FillRampSection(std::vector<ColorValue>& ramp, std::int64_t from, std::int64_t to,
                     ColorValue c1, ColorValue c2, std::int32_t shift) {
    const auto n = static_cast<float>(static_cast<double>(to - from) + 1.5);
    const float dR = DiffRed(c1, c2) / n;
    const float dG = DiffGreen(c1, c2) / n;
    const float dB = DiffBlue(c1, c2) / n;
    const float r0 = static_cast<float>(RedOf(c1)) - (dR / 2) * static_cast<float>(shift);
    const float g0 = static_cast<float>(GreenOf(c1)) - (dG / 2) * static_cast<float>(shift);
    const float b0 = static_cast<float>(BlueOf(c1)) - (dB / 2) * static_cast<float>(shift);
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
    const auto r0 = static_cast<float>(RedOf(start));
    const auto g0 = static_cast<float>(GreenOf(start));
    const auto b0 = static_cast<float>(BlueOf(start));
    if (middleOn == 0) {
        middle = RgbColor(ClampByte(r0 + DiffRed(start, end) / 2),
                          ClampByte(g0 + DiffGreen(start, end) / 2),
                          ClampByte(b0 + DiffBlue(start, end) / 2));
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
    const HslColor from = RgbToHsl(start);
    const HslColor to = RgbToHsl(end);
    double dH = 0;
    double dS = 0;
    double dL = 0;
    if (n - 1 != 0) {  // the division by zero fails and leaves the increments at 0
        dH = (to.hue - from.hue) / (n - 1);
        dS = (to.saturation - from.saturation) / (n - 1);
        dL = (to.lightness - from.lightness) / (n - 1);
    }
    Put(ramp, 1, start);
    Put(ramp, n, end);
    for (std::int64_t i = 1; i <= std::int64_t{n} - 1; ++i) {
        Put(ramp, i + 1,
            HslToRgb(static_cast<double>(i) * dH + from.hue,
                     static_cast<double>(i) * dS + from.saturation,
                     static_cast<double>(i) * dL + from.lightness));
    }
    return ramp;
}

}  // namespace tonzug::literal
